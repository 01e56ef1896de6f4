#include "app/QSettingsStore.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace corvelle {
namespace {

TEST(QSettingsStore, ValuesKeepTheirTypesAcrossInstances) {
    test::TempDir dir;
    const QString file = QString::fromStdString((dir / "settings.conf").string());
    {
        QSettingsStore store(file);
        store.write("io.mirelo.corvelle.pollingInterval", 5.0);
        store.write("io.mirelo.corvelle.maxProcesses", std::int64_t{25});
        store.write("io.mirelo.corvelle.menuBarShowCPU", false);
        store.write("io.mirelo.corvelle.language", std::string("es"));
        store.write("io.mirelo.corvelle.pinnedWidgets", Bytes{'[', '"', 'c', 'p', 'u', '"', ']'});
        store.write("io.mirelo.corvelle.deviceId", std::string("gone"));
        store.remove("io.mirelo.corvelle.deviceId");
    }
    QSettingsStore store(file);
    EXPECT_EQ(store.readDouble("io.mirelo.corvelle.pollingInterval"), 5.0);
    EXPECT_EQ(store.readInt("io.mirelo.corvelle.maxProcesses"), 25);
    EXPECT_EQ(store.readBool("io.mirelo.corvelle.menuBarShowCPU"), false);
    EXPECT_EQ(store.readString("io.mirelo.corvelle.language"), "es");
    EXPECT_EQ(store.readBytes("io.mirelo.corvelle.pinnedWidgets"), (Bytes{'[', '"', 'c', 'p', 'u', '"', ']'}));
    EXPECT_FALSE(store.read("io.mirelo.corvelle.deviceId"));
    // A typed read of another type answers nothing, so the setting falls back to its default.
    EXPECT_FALSE(store.readBool("io.mirelo.corvelle.pollingInterval"));
    EXPECT_FALSE(store.readDouble("io.mirelo.corvelle.maxProcesses"));
}

TEST(QSettingsStore, HandEditedOrDamagedValuesReadAsAbsent) {
    for (const char* text : {"", "5", "d:", "d:fast", "d:inf", "i:1.5", "b:yes", "x:!!!", "q:1"}) {
        EXPECT_FALSE(QSettingsStore::decode(QString::fromLatin1(text))) << text;
    }
    EXPECT_EQ(QSettingsStore::decode("s:"), KeyValueStore::Value(std::string()));
    EXPECT_EQ(QSettingsStore::decode("i:-7"), KeyValueStore::Value(std::int64_t{-7}));
}

}  // namespace
}  // namespace corvelle
