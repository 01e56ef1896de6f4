#include "app/qt/QSettingsStore.h"
#include "app/launch/CommandLine.h"
#include "app/panel/PanelPlacement.h"
#include "app/panel/SwayWindowPlacer.h"
#include "app/status/ThemedBatteryIcon.h"
#include "app/style/TitleFont.h"
#include "present/StatusItemComposer.h"
#include "settings/AppSettings.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"
#include "support/TempDir.h"
#include "util/AtomicFile.h"

#include <gtest/gtest.h>

#include <QJsonDocument>

#include <fstream>
#include <set>
#include <tuple>

namespace corvelle {
namespace {

using test::Power;
using test::StatsBuilder;

TEST(PanelPlacementTest, CentresUnderTheIconAndStaysOnScreen) {
    const QSize panel(480, 620);
    const QRect screen(0, 28, 1280, 772);  // below a 28-pixel top bar
    const std::tuple<const char*, std::optional<QRect>, std::optional<QRect>, QPoint> cases[] = {
        {"middle", QRect(600, 2, 24, 24), screen, {372, 30}},
        {"right edge", QRect(1250, 2, 24, 24), screen, {800, 30}},
        {"left edge", QRect(4, 2, 24, 24), screen, {0, 30}},
        {"tray at the bottom", QRect(1200, 776, 24, 24), QRect(0, 0, 1280, 772), {800, 152}},
        {"second screen", QRect(1900, 0, 20, 20), QRect(1280, 0, 1920, 1080), {1670, 24}},
        {"no screen", QRect(10, 0, 20, 20), std::nullopt, {-220, 24}},
        {"click point in the top bar", QRect(900, 10, 1, 1), screen, {661, 28}},
        {"no icon geometry", std::nullopt, screen, {796, 32}},
        {"empty icon geometry", QRect(), screen, {796, 32}},
        {"nothing known", std::nullopt, std::nullopt, {0, 0}},
    };
    for (const auto& [what, icon, available, expected] : cases) {
        EXPECT_EQ(PanelPlacement::origin(icon, panel, available), expected) << what;
    }
    // Without icon geometry the panel goes to the corner by the bar: bottom-right under a bottom bar only.
    const QRect whole(0, 0, 1280, 800);
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, QRect(0, 0, 1280, 770), whole), QPoint(796, 146));
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, QRect(0, 30, 1280, 740), whole), QPoint(796, 34));
    EXPECT_EQ(PanelPlacement::origin(std::nullopt, panel, whole, whole), QPoint(796, 4));
    // Wider than the screen: the right edge wins.
    EXPECT_EQ(PanelPlacement::origin(QRect(100, 0, 20, 20), QSize(900, 100), QRect(0, 0, 800, 600)).x(), -100);
}

// Our shown window in sway's tree, with the title bar sway draws and the workspace it is on.
TEST(SwayWindowPlacerTest, FindsOurShownWindowWithItsFrameAndWorkspace) {
    const QJsonObject tree = QJsonDocument::fromJson(R"({"type": "root", "nodes": [
        {"type": "output", "rect": {"x": 1280, "y": 0, "width": 1920, "height": 1080}, "nodes": [
            {"type": "workspace", "rect": {"x": 1280, "y": 30, "width": 1920, "height": 1050}, "nodes": [
                {"id": 7, "pid": 42, "name": "Corvelle", "visible": true, "rect": {"x": 1300, "y": 80, "width": 484, "height": 622},
                 "deco_rect": {"height": 25}, "nodes": [], "floating_nodes": []}],
             "floating_nodes": [
                {"id": 9, "pid": 42, "name": "Corvelle status", "visible": false, "rect": {}, "deco_rect": {}}]}]}]})")
                                  .object();
    const auto panel = SwayWindowPlacer::find(tree, 42, "Corvelle");
    ASSERT_TRUE(panel);
    EXPECT_EQ(panel->containerId, 7);
    EXPECT_EQ(panel->outerSize, QSize(484, 647));
    EXPECT_EQ(panel->workspace, QRect(1280, 30, 1920, 1050));
    EXPECT_EQ(panel->output, QRect(1280, 0, 1920, 1080));
    EXPECT_FALSE(SwayWindowPlacer::find(tree, 43, "Corvelle")) << "another program's window";
    EXPECT_FALSE(SwayWindowPlacer::find(tree, 42, "Corvelle status")) << "not mapped yet";
}

TEST(ThemedBatteryIconTest, TheThemeHoldsEveryNameTheItemGives) {
    std::set<QString> theme;
    for (const BatteryIcon& icon : ThemedBatteryIcon::every()) theme.insert(ThemedBatteryIcon::name(icon));
    EXPECT_EQ(theme.size(), ThemedBatteryIcon::every().size()) << "one picture per name";
    for (int percent = 1; percent <= 100; ++percent) {
        for (const Power power : {Power::battery, Power::pluggedIn, Power::charging}) {
            const auto icon = StatusItemComposer::batteryIcon(StatsBuilder().battery(percent, power));
            EXPECT_TRUE(theme.contains(ThemedBatteryIcon::name(*icon))) << ThemedBatteryIcon::name(*icon).toStdString();
        }
    }
    EXPECT_EQ(ThemedBatteryIcon::name(*StatusItemComposer::batteryIcon(StatsBuilder().battery(15))),
              "io.mirelo.corvelle-battery-25-red");
    EXPECT_EQ(ThemedBatteryIcon::name(*StatusItemComposer::batteryIcon(SystemStats{})), "io.mirelo.corvelle-no-battery");
}

TEST(TitleFontTest, DigitsAreEquallyWide) {
    EXPECT_TRUE(TitleFont::hasEqualDigits(TitleFont::make({})));
    EXPECT_EQ(TitleFont::make({.weight = MenuBarTitle::Weight::medium}).weight(), QFont::Medium);
}

using Action = CommandLine::Action;
using Error = CommandLine::Error;
using Format = CommandLine::Format;

TEST(CommandLine, ParsesEachActionAndRejectsWhatCannotRun) {
    const struct {
        QStringList arguments;
        Action action;
        Error error = Error::none;
        QString subject = {};
        std::optional<double> interval = std::nullopt;
        Format format = Format::plain;
        QString tab = {};
    } cases[] = {
        {{}, Action::start},
        {{"-h"}, Action::help},
        {{"--watch", "--version"}, Action::version},
        {{"--watch", "1", "--format", "waybar"}, Action::watch, Error::none, {}, 1.0, Format::waybar},
        {{"--watch", "3600", "--format", "plain"}, Action::watch, Error::none, {}, 3600.0},
        {{"--open", "history"}, Action::open, Error::none, {}, std::nullopt, Format::plain, "history"},
        {{"--settings"}, Action::settings},
        {{"--watch=2", "--open"}, Action::start, Error::oneAction},
        {{"--watch=2"}, Action::watch, Error::none, {}, 2.0},
        {{"--open=battery"}, Action::open, Error::none, {}, std::nullopt, Format::plain, "battery"},
        {{"--watch", "5", "--format=waybar"}, Action::watch, Error::none, {}, 5.0, Format::waybar},
        {{"--watch", "--"}, Action::watch},
        {{"--watch", "0.5"}, Action::start, Error::watchInterval, "0.5"},
        {{"--watch", "3601"}, Action::start, Error::watchInterval, "3601"},
        {{"--watch", "-5"}, Action::start, Error::watchInterval, "-5"},
        {{"--watch="}, Action::start, Error::watchInterval, ""},
        {{"--watch", "1", "--watch", "2"}, Action::start, Error::repeated, "--watch"},
        {{"-h", "--help"}, Action::start, Error::repeated, "--help"},
        {{"--watch", "2", "3"}, Action::start, Error::unexpectedArgument, "3"},
        {{"--version", "extra"}, Action::start, Error::unexpectedArgument, "extra"},
        {{"--version", "--verbose"}, Action::start, Error::unknownOption, "--verbose"},
        {{"--snapshot=now"}, Action::start, Error::unexpectedArgument, "--snapshot=now"},
        {{"--", "--open"}, Action::start, Error::unexpectedArgument, "--open"},
        {{"--watch", "--format", "csv"}, Action::start, Error::format, "csv"},
        {{"--watch", "--format"}, Action::start, Error::needsValue, "--format"},
        {{"--snapshot", "--format", "prometheus"}, Action::snapshot, Error::none, {}, std::nullopt, Format::prometheus},
        {{"--snapshot", "--format", "json"}, Action::snapshot},
        {{"--snapshot", "--format", "waybar"}, Action::start, Error::formatAction, "waybar"},
        {{"--open", "--format", "json"}, Action::start, Error::formatAction, "json"},
        {{"--open", "Processes"}, Action::start, Error::tab, "Processes"},
        {{"--snapshot", "--open"}, Action::start, Error::oneAction},
        {{"--snapshot", "now"}, Action::start, Error::unexpectedArgument, "now"},
        {{"--verbose=1"}, Action::start, Error::unknownOption, "--verbose"},
        {{"-hv"}, Action::start, Error::unknownOption, "-hv"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const auto line = CommandLine::parse(QStringList{"corvelle"} + c.arguments);
        EXPECT_EQ(line.error, c.error);
        EXPECT_EQ(line.errorSubject, c.subject);
        if (c.error != Error::none) continue;
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.watchInterval, c.interval);
        EXPECT_EQ(line.format, c.format);
        EXPECT_EQ(line.tab, c.tab);
    }
}

TEST(CommandLine, ErrorsNameTheOptionAsTyped) {
    test::ScopedLanguage english("en");
    EXPECT_EQ(CommandLine::parse({"corvelle", "--verbose"}).errorMessage(), "unknown option --verbose");
    EXPECT_EQ(CommandLine::parse({"corvelle", "-x"}).errorMessage(), "unknown option -x");
    EXPECT_EQ(CommandLine::parse({"corvelle", "--format", "waybar"}).errorMessage(), "--format waybar goes with --watch");
}

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
    const struct {
        const char* line;
        double interval;
        std::int64_t processes;
        std::int64_t threshold;
        std::string language;
    } cases[] = {
        {"pollingInterval=d:-5", 1, 15, 10, ""},
        {"pollingInterval=d:0", 1, 15, 10, ""},
        {"pollingInterval=d:1e12", 10, 15, 10, ""},
        {"pollingInterval=d:inf", 2, 15, 10, ""},
        {"pollingInterval=fast", 2, 15, 10, ""},
        {"pollingInterval=3.4", 2, 15, 10, ""},
        {"pollingInterval=i:5", 5, 15, 10, ""},
        {"maxProcesses=i:1000", 2, 25, 10, ""},
        {"maxProcesses=d:12.5", 2, 10, 10, ""},
        {"maxProcesses=b:1", 2, 15, 10, ""},
        {"alertsBatteryThreshold=i:-3", 2, 15, 5, ""},
        {"alertsBatteryThreshold=i:99", 2, 15, 20, ""},
        {"language=s:fr", 2, 15, 10, ""},
        {"language=i:1", 2, 15, 10, ""},
        {"language=s:es", 2, 15, 10, "es"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        test::TempDir dir;
        const auto path = dir / "settings.conf";
        {
            std::ofstream file(path);
            file << "[General]\nio.mirelo.corvelle." << c.line << '\n';
        }
        const auto before = AtomicFile::read(path);
        const AppSettings settings(std::make_shared<QSettingsStore>(QString::fromStdString(path.string())), nullptr);
        for (int twice = 0; twice < 2; ++twice) {
            EXPECT_EQ(settings.pollingInterval(), c.interval);
            EXPECT_EQ(settings.maxProcesses(), c.processes);
            EXPECT_EQ(settings.alertsBatteryThreshold(), c.threshold);
            EXPECT_EQ(settings.languageRaw(), c.language);
        }
        EXPECT_EQ(AtomicFile::read(path), before) << "the stored value stays until the user changes it";
    }
}

}  // namespace
}  // namespace corvelle
