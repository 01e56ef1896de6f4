#include "app/views/FeedbackView.h"
#include "app/views/SettingsView.h"
#include "app/views/components/SegmentedPicker.h"
#include "app/views/components/ToggleSwitch.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/FakeOutbound.h"
#include "support/ManualEventLoop.h"
#include "support/ScopedLanguage.h"

#include "NamedWidget.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using test::named;

class RefusingLoginItem : public LoginItem {
public:
    bool isEnabled() const override { return false; }
    bool registerItem() override { return false; }
    bool unregisterItem() override { return true; }
};

class SettingsViewTest : public ::testing::Test {
protected:
    test::ScopedLanguage english{"en"};
    AppSettings settings{std::make_shared<MemoryKeyValueStore>(), nullptr};
    SettingsView view{settings, nullptr};

    ToggleSwitch* toggle(const char* name) const { return named<ToggleSwitch>(view, name); }
    QPushButton* segment(const char* picker, const char* label) const {
        return named<QPushButton>(*named<SegmentedPicker>(view, picker), label);
    }
};

TEST_F(SettingsViewTest, EveryToggleChangesItsSettingBothWays) {
    using Get = bool (AppSettings::*)() const;
    const std::pair<const char*, Get> toggles[] = {
        {"Launch at login", &AppSettings::launchAtLogin},
        {"Show CPU %", &AppSettings::menuBarShowCPU},
        {"Show temperature", &AppSettings::menuBarShowTemp},
        {"Show battery time", &AppSettings::menuBarShowBattery},
        {"Show battery percentage", &AppSettings::menuBarShowBatteryPercent},
        {"Show thermal state", &AppSettings::menuBarShowThermal},
        {"Energy anomaly alerts", &AppSettings::alertsEnergy},
        {"Thermal warnings", &AppSettings::alertsThermal},
        {"Low battery alert", &AppSettings::alertsLowBattery},
        {"Send anonymous usage data", &AppSettings::telemetryEnabled},
    };
    for (const auto& [name, get] : toggles) {
        ToggleSwitch* control = toggle(name);
        ASSERT_TRUE(control) << name;
        const bool initial = (settings.*get)();
        EXPECT_EQ(control->isChecked(), initial) << name;
        for (bool expected : {!initial, initial}) {
            control->click();
            EXPECT_EQ((settings.*get)(), expected) << name;
            EXPECT_EQ(control->isChecked(), expected) << name;
        }
    }
    settings.setMenuBarShowCPU(false);
    EXPECT_FALSE(toggle("Show CPU %")->isChecked()) << "a change from elsewhere shows at once";
}

TEST_F(SettingsViewTest, PickersStoreTheirValuesAndShowStoredOnes) {
    segment("Polling interval", "10s")->click();
    EXPECT_EQ(settings.pollingInterval(), 10);
    segment("Max processes", "25")->click();
    EXPECT_EQ(settings.maxProcesses(), 25);
    settings.setPollingInterval(1);
    EXPECT_EQ(named<SegmentedPicker>(view, "Polling interval")->selected(), 0);
    settings.setPollingInterval(3);
    EXPECT_EQ(named<SegmentedPicker>(view, "Polling interval")->selected(), -1) << "no choice is 3 s";

    settings.setAlertsLowBattery(true);
    auto* threshold = named<QComboBox>(view, "Battery threshold");
    EXPECT_EQ(threshold->currentText(), "10%");
    threshold->activated(3);
    EXPECT_EQ(settings.alertsBatteryThreshold(), 20);
    EXPECT_FALSE(named<QPushButton>(view, "Check for Updates\u2026")) << "no update action, no button";
}

TEST_F(SettingsViewTest, PercentageFollowsBatteryTimeAndThresholdFollowsTheLowBatteryAlert) {
    toggle("Show battery time")->click();
    EXPECT_FALSE(toggle("Show battery percentage")->isEnabled());
    EXPECT_TRUE(toggle("Show battery percentage")->isChecked());
    EXPECT_TRUE(settings.menuBarShowBatteryPercent()) << "the stored choice is kept";
    toggle("Show battery time")->click();
    EXPECT_TRUE(toggle("Show battery percentage")->isEnabled());

    QWidget* threshold = named<QComboBox>(view, "Battery threshold");
    EXPECT_FALSE(threshold->isVisibleTo(&view));
    toggle("Low battery alert")->click();
    EXPECT_TRUE(threshold->isVisibleTo(&view));
    toggle("Low battery alert")->click();
    EXPECT_FALSE(threshold->isVisibleTo(&view));
}

TEST_F(SettingsViewTest, LaunchAtLoginShowsTheSystemsAnswer) {
    AppSettings refused(std::make_shared<MemoryKeyValueStore>(), std::make_shared<RefusingLoginItem>());
    SettingsView form(refused, nullptr);
    auto* launch = named<ToggleSwitch>(form, "Launch at login");
    launch->click();
    EXPECT_FALSE(refused.launchAtLogin());
    EXPECT_FALSE(launch->isChecked());
}

// Both windows follow the language picker at once, and "Auto" goes back to the system's.
TEST_F(SettingsViewTest, LanguagePickerRetranslatesBothWindows) {
    test::FakeClock clock;
    test::ManualEventLoop loop(clock);
    test::RecordingHttpClient client;
    test::FixedSystemInfo machine;
    SettingsView shared(AppSettings::shared(), nullptr);
    FeedbackView feedback(SystemStats{}, AppSettings::shared(), {client, loop, machine});
    auto* picker = named<QComboBox>(shared, "Language");
    auto texts = [&] {
        return std::vector<QString>{picker->itemText(0), feedback.findChild<QPlainTextEdit*>()->placeholderText()};
    };
    picker->activated(2);
    EXPECT_EQ(AppSettings::shared().languageRaw(), "es");
    EXPECT_EQ(texts(), (std::vector<QString>{"Automático", "Describe el problema o tu sugerencia..."}));
    EXPECT_EQ(picker->accessibleName(), "Idioma");
    EXPECT_TRUE(named<ToggleSwitch>(shared, "Mostrar porcentaje de batería"));
    picker->activated(0);
    EXPECT_EQ(AppSettings::shared().languageRaw(), "");
    EXPECT_EQ(texts(), (std::vector<QString>{"Auto", "Describe the issue or your suggestion..."}));
}

}  // namespace
}  // namespace corvelle
