#include "app/qt/DBusPowerProfiles.h"
#include "app/qt/QtBatteryCare.h"
#include "app/views/battery/BatteryCareCard.h"
#include "app/views/battery/ChoiceRow.h"
#include "care/ChargeLimitChoice.h"
#include "linux/SysfsChargeThresholdSource.h"

#include "WaitFor.h"
#include "support/ScopedLanguage.h"
#include "support/WritableFixture.h"

#include <QCoreApplication>
#include <QDBusInterface>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

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
    const struct {
        QStringList helper;
        ChargeLimit limit;
        ChargeLimitStatus status;
        std::string detail;
    } cases[] = {
        {{}, {80, 80}, ChargeLimitStatus::invalid, ""},
        {shell("echo 'corvelle-charge-limit: dismissed' >&2; exit 126"), {55, 60}, ChargeLimitStatus::notAuthorized,
         "dismissed"},
        {shell("echo 'corvelle-charge-limit: refused' >&2; exit 5"), {55, 60}, ChargeLimitStatus::failed, "refused"},
        {{"/nonexistent/pkexec"}, {55, 60}, ChargeLimitStatus::failed, "No such file"},
    };
    for (const auto& c : cases) {
        const ChargeLimitResult result = Care(c.helper).set(c.limit);
        EXPECT_EQ(result.status, c.status) << result.detail;
        EXPECT_NE(result.detail.find(c.detail), std::string::npos) << result.detail;
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

TEST(PowerDaemonsOnBus, PowerProfilesAreReadSetAndFollowed) {
    if (daemons().isEmpty()) GTEST_SKIP() << "needs the fake daemons (tests/app/e2e/battery_care.sh)";
    DBusPowerProfiles profiles(QDBusConnection::sessionBus());
    int changes = 0;
    const Subscription subscription = profiles.onChange([&] { ++changes; });
    const bool none = daemons() == "none";
    EXPECT_EQ(waitFor([&] { return changes == 1; }, none ? 300 : 5000), !none);
    if (none) {
        EXPECT_TRUE(profiles.profiles().empty());
        return;
    }
    EXPECT_EQ(profiles.profiles(), (std::vector<std::string>{"power-saver", "balanced", "performance"}));
    EXPECT_EQ(profiles.activeProfile(), "balanced");

    profiles.setActiveProfile("power-saver");
    EXPECT_TRUE(waitFor([&] { return profiles.activeProfile() == "power-saver"; }));
    // A change the daemon makes itself (another program, a hot key).
    QDBusInterface(profilesName(), profilesPath(), "io.mirelo.corvelle.Test").call("ChangeProfile", "performance");
    EXPECT_TRUE(waitFor([&] { return profiles.activeProfile() == "performance"; }));
    EXPECT_EQ(changes, 3);
}

// The card on the real clients: it shows what each daemon offers and sets through them (which
// client a limit goes through is checked on the clients above).
TEST(PowerDaemonsOnBus, TheCardShowsAndSetsWhatTheDaemonsOffer) {
    if (daemons().isEmpty()) GTEST_SKIP() << "needs the fake daemons (tests/app/e2e/battery_care.sh)";
    test::ScopedLanguage english("en");
    Care machine({}, QDBusConnection::sessionBus());
    DBusPowerProfiles profiles(QDBusConnection::sessionBus());
    BatteryCareCard card(machine.care.get(), &profiles);
    card.show();
    const auto state = [&] { return card.content().chargeLimit ? card.content().chargeLimit->state : ""; };
    const auto idle = [&] { return card.content().chargeLimit && card.content().chargeLimit->enabled; };
    EXPECT_EQ(state(), "Charging stops at 80% and resumes below 75%");

    card.customValue().setValue(90);  // no daemon offers 90: the helper writes it
    card.customButton().click();
    ASSERT_TRUE(waitFor(idle));
    EXPECT_EQ(state(), "Charging stops at 90% and resumes below 85%");

    const bool none = daemons() == "none";
    EXPECT_EQ(waitFor([&] { return !card.content().powerModes.empty(); }, none ? 300 : 5000), !none);
    if (none) return;
    const auto& modes = card.powerModes().buttons();  // power-saver, balanced, performance
    modes[0]->click();
    EXPECT_TRUE(waitFor([&] { return modes[0]->isChecked(); }));
    EXPECT_EQ(daemonProperty(profilesName(), profilesPath(), profilesName(), "ActiveProfile"), "power-saver");
    QDBusInterface(profilesName(), profilesPath(), "io.mirelo.corvelle.Test").call("ChangeProfile", "balanced");
    EXPECT_TRUE(waitFor([&] { return modes[1]->isChecked(); }));
}

}  // namespace
}  // namespace corvelle
