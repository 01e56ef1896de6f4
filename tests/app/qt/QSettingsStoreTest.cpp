#include "app/qt/QSettingsStore.h"
#include "settings/AppSettings.h"
#include "support/TempDir.h"
#include "util/AtomicFile.h"

#include <gtest/gtest.h>

#include <fstream>

namespace corvelle {
namespace {

TEST(QSettingsStore, ValuesKeepTheirTypesAcrossInstances) {
    test::TempDir dir;
    const QString file = QString::fromStdString((dir / "settings.conf").string());
    const std::pair<std::string, KeyValueStore::Value> values[] = {
        {"io.mirelo.corvelle.pollingInterval", 5.0}, {"io.mirelo.corvelle.maxProcesses", std::int64_t{25}},
        {"io.mirelo.corvelle.menuBarShowCPU", false}, {"io.mirelo.corvelle.language", std::string("es")},
        {"io.mirelo.corvelle.pinnedWidgets", Bytes{'[', '"', 'c', 'p', 'u', '"', ']'}}};
    {
        QSettingsStore store(file);
        for (const auto& [key, value] : values) store.write(key, value);
        store.write("io.mirelo.corvelle.deviceId", std::string("gone"));
        store.remove("io.mirelo.corvelle.deviceId");
    }
    QSettingsStore store(file);
    for (const auto& [key, value] : values) EXPECT_EQ(store.read(key), value) << key;
    EXPECT_FALSE(store.read("io.mirelo.corvelle.deviceId"));
    // A typed read of another type answers nothing, so the setting falls back to its default.
    EXPECT_FALSE(store.readBool("io.mirelo.corvelle.pollingInterval"));
    EXPECT_FALSE(store.readDouble("io.mirelo.corvelle.maxProcesses"));
}

// A hand-edited settings file: each value the settings window cannot set reads as the nearest
// choice it offers (the default when it holds no number), and the file keeps what it holds.
TEST(QSettingsStore, HandEditedValuesReadAsTheNearestChoice) {
    const struct { const char* line; double interval; std::int64_t processes, threshold; std::string language; } cases[] = {
        {"pollingInterval=d:-5", 1, 15, 10, ""},   {"pollingInterval=d:0", 1, 15, 10, ""},
        {"pollingInterval=d:1e12", 10, 15, 10, ""}, {"pollingInterval=d:inf", 2, 15, 10, ""},
        {"pollingInterval=fast", 2, 15, 10, ""},   {"pollingInterval=3.4", 2, 15, 10, ""},
        {"pollingInterval=i:5", 5, 15, 10, ""},    {"maxProcesses=i:1000", 2, 25, 10, ""},
        {"maxProcesses=d:12.5", 2, 10, 10, ""},    {"maxProcesses=b:1", 2, 15, 10, ""},
        {"alertsBatteryThreshold=i:-3", 2, 15, 5, ""}, {"alertsBatteryThreshold=i:99", 2, 15, 20, ""},
        {"language=s:fr", 2, 15, 10, ""}, {"language=i:1", 2, 15, 10, ""}, {"language=s:es", 2, 15, 10, "es"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        test::TempDir dir;
        const auto path = dir / "settings.conf";
        std::ofstream(path) << "[General]\nio.mirelo.corvelle." << c.line << '\n';
        const auto before = AtomicFile::read(path);
        const AppSettings settings(std::make_shared<QSettingsStore>(QString::fromStdString(path.string())), nullptr);
        for (int twice = 0; twice < 2; ++twice) {
            EXPECT_EQ(std::make_tuple(settings.pollingInterval(), settings.maxProcesses(), settings.alertsBatteryThreshold(),
                                      settings.languageRaw()),
                      std::make_tuple(c.interval, c.processes, c.threshold, c.language));
        }
        EXPECT_EQ(AtomicFile::read(path), before) << "the stored value stays until the user changes it";
    }
}

}  // namespace
}  // namespace corvelle
