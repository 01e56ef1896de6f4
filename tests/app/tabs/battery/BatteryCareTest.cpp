#include "ImageProbe.h"
#include "Screenshots.h"
#include "WaitFor.h"
#include "app/qt/DBusPowerProfiles.h"
#include "app/qt/QtBatteryCare.h"
#include "app/tabs/battery/BatteryCareCard.h"
#include "app/tabs/battery/ChoiceRow.h"
#include "care/ChargeLimitChoice.h"
#include "linux/SysfsChargeThresholdSource.h"
#include "support/ScopedLanguage.h"
#include "support/WritableFixture.h"

#include <QApplication>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDir>
#include <QPalette>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <tuple>

namespace corvelle {
namespace {

namespace Content = BatteryCareContent;

class FakeBatteryCare : public BatteryCare {
public:
    ChargeThresholds thresholds() override {
        ++reads;
        return current;
    }
    void setChargeLimit(const ChargeLimit& limit, std::function<void(ChargeLimitResult)> done) override {
        requests.push_back(limit);
        pending = std::move(done);
    }
    // Answers the running request; an applied one takes effect on the battery.
    void answer(ChargeLimitStatus status) {
        if (status == ChargeLimitStatus::applied) current = {current.battery, requests.back().start, requests.back().end};
        std::exchange(pending, nullptr)({status, {}});
    }
    ChargeThresholds current{"BAT0", 75, 80};
    int reads = 0;
    std::vector<ChargeLimit> requests;
    std::function<void(ChargeLimitResult)> pending;
};

class FakePowerProfiles : public PowerProfiles {
public:
    std::vector<std::string> profiles() const override { return offered; }
    std::string activeProfile() const override { return active; }
    void setActiveProfile(const std::string& profile) override { asked.push_back(profile); }
    Subscription onChange(std::function<void()> handler) override { return changed.subscribe(std::move(handler)); }
    std::vector<std::string> offered{"power-saver", "balanced", "performance"};
    std::string active = "balanced";
    std::vector<std::string> asked;
    Signal<> changed;
};

// The part of the card a battery's thresholds and the last request's outcome give.
TEST(BatteryCareContent, StateAndOutcomeLines) {
    test::ScopedLanguage english("en");
    const ChargeLimitResult failed{ChargeLimitStatus::failed, "write error"};
    const ChargeLimitResult refused{ChargeLimitStatus::notAuthorized, ""};
    const std::tuple<ChargeThresholds, std::optional<ChargeLimitResult>, std::string, std::string, bool> cases[] = {
        {{"BAT0", 75, 80}, std::nullopt, "Charging stops at 80% and resumes below 75%", "", false},
        {{"BAT0", 0, 85}, std::nullopt, "Charging stops at 85%", "", true},  // a start of 0 is none
        {{"BAT0", std::nullopt, 80}, failed, "Charging stops at 80%", "The limit could not be changed (write error).", false},
        {{"BAT0", std::nullopt, 100}, refused, "Charging stops at 100%",
         "The limit was not changed: permission was not given.", false},
    };
    for (const auto& [thresholds, result, state, message, custom] : cases) {
        const auto part = Content::content({thresholds, {}, {}, false, result}).chargeLimit;
        ASSERT_TRUE(part);
        EXPECT_EQ(std::tie(part->state, part->message, part->customChecked), std::tie(state, message, custom));
        EXPECT_EQ(part->customMinimum, thresholds.start ? 2 : 1) << "room for the start below the end";
    }
    // A battery without an end threshold and no power modes: the one line.
    EXPECT_FALSE(Content::content({ChargeThresholds{"BAT0", 75, std::nullopt}, {}, {}, false, {}}).unsupported.empty());
}

TEST(BatteryCareCard, ReadsOnOpenAndAfterEachChangeAndShowsOnlyWhatTheSystemSays) {
    test::ScopedLanguage english("en");
    FakeBatteryCare care;
    FakePowerProfiles profiles;
    auto card = std::make_unique<BatteryCareCard>(&care, &profiles);
    EXPECT_EQ(care.reads, 0) << "nothing is read before the card opens";
    card->show();
    profiles.changed.emit();  // no change of the limit: nothing to read
    EXPECT_EQ(care.reads, 1);
    QPushButton* sixty = card->presets().buttons()[0];
    EXPECT_EQ(sixty->accessibleName(), "60%");
    card->presets().buttons()[1]->click();  // 80 %, already set: no password prompt
    sixty->click();
    ASSERT_EQ(care.requests, (std::vector<ChargeLimit>{{55, 60}}));
    EXPECT_FALSE(sixty->isChecked()) << "checked once the battery says so";
    EXPECT_FALSE(card->presets().isEnabled());
    card->customButton().click();
    EXPECT_EQ(care.requests.size(), 1u) << "one request at a time";
    care.answer(ChargeLimitStatus::applied);
    EXPECT_EQ(care.reads, 2);
    EXPECT_TRUE(sixty->isChecked() && card->presets().isEnabled());
    card->customValue().setValue(90);
    card->customButton().click();
    EXPECT_EQ(care.requests.back(), (ChargeLimit{85, 90}));
    care.answer(ChargeLimitStatus::notAuthorized);
    EXPECT_EQ(card->customValue().value(), 60) << "the battery's value again";

    QPushButton* saver = card->powerModes().buttons()[0];
    saver->click();
    EXPECT_EQ(profiles.asked, std::vector<std::string>{"power-saver"});
    EXPECT_FALSE(saver->isChecked()) << "checked once the daemon switched";
    profiles.active = "power-saver";
    profiles.changed.emit();
    EXPECT_TRUE(saver->isChecked());

    card->presets().buttons()[2]->click();
    card.reset();  // the answer comes after the card is gone
    care.answer(ChargeLimitStatus::applied);
}

// Supported and unsupported, in both languages and themes, at the screen's pixel ratio; also run
// with QT_SCALE_FACTOR=2 by app_hidpi_screenshots.
TEST(BatteryCareCardScreenshots, SupportedAndUnsupportedInBothLanguagesAndThemes) {
    const QString folder = QStringLiteral(CORVELLE_ARTIFACTS_DIR);
    QDir().mkpath(folder);
    for (bool supported : {true, false}) {
        test::inEveryLanguageAndTheme([&](const QString& variant, bool) {
            FakeBatteryCare care;
            FakePowerProfiles profiles;
            QWidget page;  // as wide as the panel
            page.setAutoFillBackground(true);
            auto* column = new QVBoxLayout(&page);
            auto* card = new BatteryCareCard(supported ? &care : nullptr, supported ? &profiles : nullptr);
            column->addWidget(card);
            column->addStretch(1);
            page.resize(448, 300);
            page.show();
            if (supported) {  // a custom limit, set
                card->customValue().setValue(85);
                card->customButton().click();
                care.answer(ChargeLimitStatus::applied);
            }
            QCoreApplication::processEvents();  // buttons added while shown appear on the next pass
            const QImage shot = page.grab().toImage();
            EXPECT_GT(test::countNear(shot, page.palette().color(QPalette::WindowText)), supported ? 800 : 150);
            EXPECT_LE(card->sizeHint().height(), 280) << "fits its place";
            const QString name = QStringLiteral("%1/battery-care-%2-%3%4.png")
                                     .arg(folder, supported ? "supported" : "unsupported", variant,
                                          qApp->devicePixelRatio() > 1 ? "@2x" : "");
            EXPECT_TRUE(shot.save(name)) << name.toStdString();
        });
    }
}

using test::waitFor;

// The fake daemons tests/app/e2e/battery_care.sh started: "none", "with-upower" or "without-upower".
QString daemons() { return qEnvironmentVariable("CORVELLE_POWER_DAEMONS"); }

// QtBatteryCare on a copy of a recorded laptop, with the helper's test build writing to it.
struct Care {
    explicit Care(QStringList helper = {}, QDBusConnection bus = QDBusConnection(QStringLiteral("nowhere"))) {
        if (helper.isEmpty()) helper = {CORVELLE_CHARGE_LIMIT_TEST_HELPER, "--root", QString::fromStdString(tree.root())};
        care = std::make_unique<QtBatteryCare>(std::make_unique<SysfsChargeThresholdSource>(tree.root()), bus, helper);
    }
    ChargeLimitResult set(const ChargeLimit& limit) {
        std::optional<ChargeLimitResult> result;
        care->setChargeLimit(limit, [&](ChargeLimitResult r) { result = std::move(r); });
        EXPECT_FALSE(result) << "answered inside the call";
        EXPECT_TRUE(waitFor([&] { return result.has_value(); }));
        return result.value_or(ChargeLimitResult{});
    }
    ChargeLimitStatus stopAt(int end) { return set(ChargeLimitChoice::limitFor(end, care->thresholds())).status; }

    test::WritableFixture tree{"battery-care/laptop"};
    std::unique_ptr<QtBatteryCare> care;
};

TEST(QtBatteryCare, AnswersEveryRequestOnTheLoop) {
    const auto shell = [](const char* script) { return QStringList{"/bin/sh", "-c", script, "sh"}; };
    const std::tuple<QStringList, ChargeLimit, ChargeLimitStatus, std::string> cases[] = {
        {{}, {80, 80}, ChargeLimitStatus::invalid, ""},
        {shell("echo 'corvelle-charge-limit: dismissed' >&2; exit 126"), {55, 60}, ChargeLimitStatus::notAuthorized,
         "dismissed"},
        {shell("echo 'corvelle-charge-limit: refused' >&2; exit 5"), {55, 60}, ChargeLimitStatus::failed, "refused"},
        {{"/nonexistent/pkexec"}, {55, 60}, ChargeLimitStatus::failed, "No such file"},
    };
    for (const auto& [helper, limit, status, detail] : cases) {
        const ChargeLimitResult result = Care(helper).set(limit);
        EXPECT_EQ(result.status, status) << result.detail;
        EXPECT_NE(result.detail.find(detail), std::string::npos) << result.detail;
    }
    // Without a system bus the helper sets it; a second request meanwhile is dropped.
    Care machine;
    std::optional<ChargeLimitResult> first;
    machine.care->setChargeLimit({55, 60}, [&](ChargeLimitResult r) { first = r; });
    EXPECT_EQ(machine.set({85, 90}).status, ChargeLimitStatus::busy);
    ASSERT_TRUE(waitFor([&] { return first.has_value(); }));
    EXPECT_EQ(first->status, ChargeLimitStatus::applied);
    EXPECT_EQ(machine.care->thresholds(), (ChargeThresholds{"BAT0", 55, 60}));
    machine.tree.remove("sys/class/power_supply");
    EXPECT_EQ(machine.set({55, 60}).status, ChargeLimitStatus::unsupported);
}

QVariant daemonProperty(const QString& service, const QString& path, const QString& interface, const char* name) {
    QDBusInterface object(service, path, "org.freedesktop.DBus.Properties");
    const QDBusReply<QDBusVariant> reply = object.call("Get", interface, name);
    return reply.value().variant();
}

bool upowerLimitEnabled() {
    return daemonProperty("org.freedesktop.UPower", "/org/freedesktop/UPower/devices/battery_BAT0",
                          "org.freedesktop.UPower.Device", "ChargeThresholdEnabled")
        .toBool();
}

// The profiles daemon the fake answers as, and its object.
QString profilesName() {
    return daemons() == "with-upower" ? "org.freedesktop.UPower.PowerProfiles" : "net.hadess.PowerProfiles";
}
QString profilesPath() { return "/" + QString(profilesName()).replace('.', '/'); }

TEST(PowerDaemonsOnBus, ChargeLimitGoesThroughUPowerWhereItCanElseTheHelper) {
    if (daemons().isEmpty()) GTEST_SKIP() << "needs the fake daemons (tests/app/e2e/battery_care.sh)";
    Care machine({}, QDBusConnection::sessionBus());
    const bool upower = daemons() == "with-upower";  // its limit is 75/80; it writes nothing to sysfs
    EXPECT_EQ(machine.stopAt(90), ChargeLimitStatus::applied);
    EXPECT_EQ(machine.care->thresholds(), (ChargeThresholds{"BAT0", 85, 90}));
    EXPECT_EQ(machine.stopAt(80), ChargeLimitStatus::applied);
    EXPECT_EQ(upowerLimitEnabled(), upower);
    EXPECT_EQ(machine.care->thresholds().end, upower ? 90 : 80);
    EXPECT_EQ(machine.stopAt(100), ChargeLimitStatus::applied);
    EXPECT_FALSE(upowerLimitEnabled());
    EXPECT_EQ(machine.care->thresholds().end, upower ? 90 : 100);
}

// The card on the real clients: it shows the battery's limit and the modes the profiles daemon
// offers once it answers, sets through it and follows a change the daemon makes itself, each change
// told once (setting a limit is checked on the clients above).
TEST(PowerDaemonsOnBus, TheCardShowsSetsAndFollowsWhatTheDaemonsOffer) {
    if (daemons().isEmpty()) GTEST_SKIP() << "needs the fake daemons (tests/app/e2e/battery_care.sh)";
    test::ScopedLanguage english("en");
    Care machine({}, QDBusConnection::sessionBus());
    DBusPowerProfiles profiles(QDBusConnection::sessionBus());
    int changes = 0;
    const Subscription subscription = profiles.onChange([&] { ++changes; });
    BatteryCareCard card(machine.care.get(), &profiles);
    card.show();
    ASSERT_TRUE(card.content().chargeLimit);
    EXPECT_EQ(card.content().chargeLimit->state, "Charging stops at 80% and resumes below 75%");

    const bool none = daemons() == "none";
    EXPECT_EQ(waitFor([&] { return !card.content().powerModes.empty(); }, none ? 300 : 5000), !none);
    if (none) {
        EXPECT_EQ(std::tuple(profiles.profiles().size(), changes), std::tuple(size_t{0}, 0));
        return;
    }
    EXPECT_EQ(profiles.profiles(), (std::vector<std::string>{"power-saver", "balanced", "performance"}));
    EXPECT_EQ(profiles.activeProfile(), "balanced");
    const auto& modes = card.powerModes().buttons();
    modes[0]->click();
    EXPECT_TRUE(waitFor([&] { return modes[0]->isChecked(); }));
    EXPECT_EQ(daemonProperty(profilesName(), profilesPath(), profilesName(), "ActiveProfile"), "power-saver");
    // A change the daemon makes itself (another program, a hot key).
    QDBusInterface(profilesName(), profilesPath(), "io.mirelo.corvelle.Test").call("ChangeProfile", "performance");
    EXPECT_TRUE(waitFor([&] { return modes[2]->isChecked(); }));
    EXPECT_EQ(std::tuple(profiles.activeProfile(), changes), std::tuple("performance", 3));
}

}  // namespace
}  // namespace corvelle
