#include "NamedWidget.h"
#include "app/components/ProminentButton.h"
#include "app/components/SegmentedPicker.h"
#include "app/components/ToggleSwitch.h"
#include "app/windows/FeedbackMessage.h"
#include "app/windows/FeedbackView.h"
#include "app/windows/SettingsView.h"
#include "linux/CurlHttpClient.h"
#include "linux/LocalHttpServer.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/FakeOutbound.h"
#include "support/ManualEventLoop.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"
#include "util/JsonText.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <tuple>

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
};

TEST_F(SettingsViewTest, EveryToggleChangesItsSettingBothWays) {
    using Get = bool (AppSettings::*)() const;
    const std::pair<const char*, Get> toggles[] = {
        {"Launch at login", &AppSettings::launchAtLogin},           {"Show CPU %", &AppSettings::menuBarShowCPU},
        {"Show temperature", &AppSettings::menuBarShowTemp},        {"Show battery time", &AppSettings::menuBarShowBattery},
        {"Show battery percentage", &AppSettings::menuBarShowBatteryPercent}, {"Show thermal state", &AppSettings::menuBarShowThermal},
        {"Energy anomaly alerts", &AppSettings::alertsEnergy},      {"Thermal warnings", &AppSettings::alertsThermal},
        {"Low battery alert", &AppSettings::alertsLowBattery},      {"Send anonymous usage data", &AppSettings::telemetryEnabled},
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
    named<QPushButton>(*named<SegmentedPicker>(view, "Polling interval"), "10s")->click();
    EXPECT_EQ(settings.pollingInterval(), 10);
    named<QPushButton>(*named<SegmentedPicker>(view, "Max processes"), "25")->click();
    EXPECT_EQ(settings.maxProcesses(), 25);
    settings.setPollingInterval(1);
    EXPECT_EQ(named<SegmentedPicker>(view, "Polling interval")->selected(), 0);
    settings.setPollingInterval(3);
    EXPECT_EQ(named<SegmentedPicker>(view, "Polling interval")->selected(), 1) << "3 s reads as the nearest choice";

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

TEST(FeedbackForm, CanSubmitOnlyTextWithinTheLimitWhileNotSendingAndCutsWholeCharacters) {
    using S = FeedbackState;
    const std::tuple<QString, FeedbackState, bool> cases[] = {
        {"", S::idle, false}, {" \n\t \r\n ", S::idle, false}, {"\n ok \n", S::error, true}, {"ok", S::sending, false},
        {QString("a").repeated(1000), S::idle, true}, {QString("a").repeated(1001), S::idle, false},
        {QString("\u00e9").repeated(1000), S::success, true},
    };
    for (const auto& [message, state, can] : cases) {
        EXPECT_EQ(feedbackCanSubmit(message, state), can) << message.size() << " " << static_cast<int>(state);
    }
    // Whatever a character takes in UTF-16, the cut keeps 1000 of them whole.
    const QString family = QString::fromUtf8("\U0001F468\u200D\U0001F469\u200D\U0001F467");  // one character
    const QString flag = QString::fromUtf8("\U0001F1EA\U0001F1F8");
    const QString accented = QString::fromUtf8("e\u0301");  // e and a combining accent: one character
    const std::tuple<QString, qsizetype> units[] = {{"a", 1}, {family, 8}, {flag, 4}, {accented, 2}};
    for (const auto& [unit, unitsPerCharacter] : units) {
        const QString cut = feedbackLimited(unit.repeated(1500) + "x");
        EXPECT_EQ(cut, unit.repeated(1000)) << unit.toStdString();
        EXPECT_EQ(cut.size(), 1000 * unitsPerCharacter);
        EXPECT_EQ(feedbackCharacterCount(cut), 1000);
    }
    const QString within = QString("a").repeated(999) + family;
    EXPECT_EQ(feedbackLimited(within), within);
}

// The window against a real HTTP server on 127.0.0.1.
class FeedbackViewTest : public ::testing::Test {
protected:
    FeedbackViewTest() { view.show(); }

    void type(const QString& text) { view.findChild<QPlainTextEdit*>()->setPlainText(text); }
    ProminentButton& sendButton() { return *view.findChild<ProminentButton*>(); }
    QString statusLine() const {
        const auto* line = view.findChild<QLabel*>("statusLine");
        return line->isVisibleTo(&view) ? line->text() : QString();
    }
    // Presses send and waits for the answer.
    void send() {
        sendButton().click();
        EXPECT_EQ(view.state(), FeedbackState::sending);
        EXPECT_TRUE(sendButton().isBusy() && !sendButton().isEnabled());
        EXPECT_TRUE(test::runUntil(*loop, [&] { return view.state() != FeedbackState::sending; }));
    }
    nlohmann::json lastBody() const { return JsonText::decode(server.requests().back().body).value(); }

    test::ScopedLanguage english{"en"};
    std::shared_ptr<test::FakeClock> clock = std::make_shared<test::FakeClock>();
    std::shared_ptr<test::ManualEventLoop> loop = std::make_shared<test::ManualEventLoop>(*clock);
    test::LocalHttpServer server;
    CurlHttpClient client{loop};
    test::FixedSystemInfo machine;
    SystemStats opened = test::StatsBuilder().cores(4, 2).memory(0, 16ULL << 30);
    QString draft;
    FeedbackView view{opened, AppSettings::shared(), {client, *loop, machine, server.url("/feedback")}, draft};
};

TEST_F(FeedbackViewTest, SuccessClearsTheMessageAndClosesAfterAMomentAndAHalf) {
    type(QString("\u00f1").repeated(1500));
    EXPECT_EQ(view.message(), QString("\u00f1").repeated(1000)) << "a paste past the limit leaves the first thousand";
    EXPECT_EQ(view.findChild<QLabel*>("counter")->text(), "1000/1000");
    view.findChild<SegmentedPicker*>()->segments()[1]->click();
    type("  Dark mode, please \n\n");
    send();
    EXPECT_EQ(view.state(), FeedbackState::success);
    EXPECT_EQ(statusLine(), "Thanks for your feedback!");
    EXPECT_TRUE(view.message().isEmpty() && draft.isEmpty());
    const auto body = lastBody();
    EXPECT_EQ(body["category"], "feature");
    EXPECT_EQ(body["message"], "Dark mode, please") << "trimmed at both ends";
    EXPECT_EQ(body["systemInfo"]["pCores"], 2) << "the snapshot of the moment the window opened";
    EXPECT_EQ(body["systemInfo"]["ramTotalGB"], 16.0);

    loop->advance(FeedbackView::closeDelaySeconds - 0.01);
    EXPECT_TRUE(view.isVisible());
    loop->advance(0.01);
    EXPECT_FALSE(view.isVisible());
}

TEST_F(FeedbackViewTest, AFailedSendKeepsTheMessage) {
    view.findChild<ToggleSwitch*>()->click();
    ASSERT_FALSE(view.includeSystemInfo());
    server.setStatus(500);
    type("It crashed");
    send();
    EXPECT_EQ(view.state(), FeedbackState::error);
    EXPECT_EQ(statusLine(), "Failed to send. Please try again.");
    EXPECT_EQ(view.message(), "It crashed");
    EXPECT_TRUE(sendButton().isEnabled()) << "another try";
    EXPECT_FALSE(lastBody().contains("systemInfo"));
    EXPECT_EQ(lastBody().size(), 4u);
    loop->advance(FeedbackView::closeDelaySeconds);
    EXPECT_TRUE(view.isVisible());

    // The next window shows the message the last one closed without sending.
    FeedbackView refused(opened, AppSettings::shared(), {client, *loop, machine, "http://127.0.0.1:1/feedback"}, draft);
    EXPECT_EQ(refused.message(), "It crashed");
    refused.findChild<QPlainTextEdit*>()->setPlainText("Still crashing");
    refused.submit();
    EXPECT_TRUE(test::runUntil(*loop, [&] { return refused.state() == FeedbackState::error; }));
    EXPECT_EQ(refused.message(), "Still crashing");
}

// Both windows follow the language picker at once, and "Auto" goes back to the system's.
TEST_F(FeedbackViewTest, LanguagePickerRetranslatesBothWindows) {
    SettingsView shared(AppSettings::shared(), nullptr);
    auto* picker = named<QComboBox>(shared, "Language");
    auto texts = [&] {
        return std::vector<QString>{picker->itemText(0), view.findChild<QPlainTextEdit*>()->placeholderText()};
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
