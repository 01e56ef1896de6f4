#include "app/qt/DBusPowerProfiles.h"
#include "app/qt/QtBatteryCare.h"
#include "care/ChargeLimitChoice.h"
#include "linux/SysfsChargeThresholdSource.h"

#include "support/WritableFixture.h"

#include <QCoreApplication>
#include <QDBusInterface>
#include <QDBusReply>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

constexpr const char* kBat0End = "sys/devices/LNXSYSTM:00/LNXSYBUS:00/PNP0C0A:00/power_supply/BAT0/"
                                 "charge_control_end_threshold";

// Runs the event loop until `done` holds, for at most `milliseconds`.
bool waitFor(const std::function<bool()>& done, int milliseconds = 5000) {
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents();
        QThread::msleep(5);
    }
    return done();
}

// Which fake daemons battery_care.sh started: "none", "with-upower" or "without-upower".
QString daemons() { return qEnvironmentVariable("CORVELLE_POWER_DAEMONS"); }

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
    ChargeLimitResult stopAt(int end) { return set(ChargeLimitChoice::limitFor(end, care->thresholds())); }

    test::WritableFixture tree{"battery-care/laptop"};
    std::unique_ptr<QtBatteryCare> care;
};

TEST(QtBatteryCare, AnswersEveryRequestOnTheLoop) {
    const struct {
        QStringList helper;
        ChargeLimit limit;
        ChargeLimitStatus status;
        std::string detail;
    } cases[] = {
        {{}, {55, 60}, ChargeLimitStatus::applied, ""},
        {{}, {80, 80}, ChargeLimitStatus::invalid, ""},
        {{"/bin/sh", "-c", "echo 'corvelle-charge-limit: no' >&2; exit 126", "sh"}, {55, 60},
         ChargeLimitStatus::notAuthorized, "no"},
        {{"/bin/sh", "-c", "echo 'corvelle-charge-limit: refused' >&2; exit 5", "sh"}, {55, 60},
         ChargeLimitStatus::failed, "refused"},
        {{"/nonexistent/pkexec"}, {55, 60}, ChargeLimitStatus::failed, "execvp: No such file or directory"},
    };
    for (const auto& c : cases) {
        Care care(c.helper);
        const ChargeLimitResult result = care.set(c.limit);
        EXPECT_EQ(result.status, c.status) << result.detail;
        EXPECT_NE(result.detail.find(c.detail), std::string::npos) << result.detail;
    }
    Care busy;
    std::optional<ChargeLimitResult> first;
    busy.care->setChargeLimit({55, 60}, [&](ChargeLimitResult r) { first = r; });
    EXPECT_EQ(busy.set({85, 90}).status, ChargeLimitStatus::busy);
    ASSERT_TRUE(waitFor([&] { return first.has_value(); }));
    EXPECT_EQ(busy.care->thresholds(), (ChargeThresholds{"BAT0", 55, 60}));
    busy.tree.remove(kBat0End);
    busy.tree.remove("sys/class/power_supply/BAT9");
    EXPECT_EQ(busy.set({55, 60}).status, ChargeLimitStatus::unsupported);
}

bool upowerLimitEnabled() {
    QDBusInterface device(QStringLiteral("org.freedesktop.UPower"),
                          QStringLiteral("/org/freedesktop/UPower/devices/battery_BAT0"),
                          QStringLiteral("org.freedesktop.DBus.Properties"));
    const QDBusReply<QDBusVariant> reply =
        device.call(QStringLiteral("Get"), "org.freedesktop.UPower.Device", "ChargeThresholdEnabled");
    return reply.value().variant().toBool();
}

TEST(PowerDaemonsOnBus, ChargeLimitGoesThroughUPowerWhereItCanElseTheHelper) {
    if (daemons().isEmpty()) GTEST_SKIP() << "needs the fake daemons (tests/app/e2e/battery_care.sh)";
    Care machine({}, QDBusConnection::sessionBus());
    const bool upower = daemons() == "with-upower";
    EXPECT_EQ(machine.stopAt(90).status, ChargeLimitStatus::applied);  // UPower offers only 80
    EXPECT_EQ(machine.care->thresholds(), (ChargeThresholds{"BAT0", 85, 90}));
    EXPECT_EQ(machine.stopAt(80).status, ChargeLimitStatus::applied);
    EXPECT_TRUE(!upower || upowerLimitEnabled());
    // UPower's limit leaves sysfs to UPower (the fake writes nothing); the helper writes it.
    EXPECT_EQ(machine.care->thresholds(), (ChargeThresholds{"BAT0", upower ? 85 : 75, upower ? 90 : 80}));
    EXPECT_EQ(machine.stopAt(100).status, ChargeLimitStatus::applied);
    EXPECT_TRUE(!upower || !upowerLimitEnabled());
    EXPECT_EQ(machine.care->thresholds().end, upower ? 90 : 100);
}

TEST(PowerDaemonsOnBus, PowerProfilesAreReadSetAndFollowed) {
    if (daemons().isEmpty()) GTEST_SKIP() << "needs the fake daemons (tests/app/e2e/battery_care.sh)";
    DBusPowerProfiles profiles(QDBusConnection::sessionBus());
    int changes = 0;
    const Subscription subscription = profiles.onChange([&] { ++changes; });
    if (daemons() == "none") {
        profiles.setActiveProfile("power-saver");
        waitFor([] { return false; }, 300);
        EXPECT_TRUE(profiles.profiles().empty());
        EXPECT_EQ(changes, 0);
        return;
    }
    ASSERT_TRUE(waitFor([&] { return changes == 1; }));
    EXPECT_EQ(profiles.profiles(), (std::vector<std::string>{"power-saver", "balanced", "performance"}));
    EXPECT_EQ(profiles.activeProfile(), "balanced");

    profiles.setActiveProfile("power-saver");
    ASSERT_TRUE(waitFor([&] { return profiles.activeProfile() == "power-saver"; }));
    // A change the daemon makes itself (another program, a key press).
    const QString name = daemons() == "with-upower" ? "org.freedesktop.UPower.PowerProfiles" : "net.hadess.PowerProfiles";
    QDBusInterface daemon(name, "/" + QString(name).replace('.', '/'), QStringLiteral("io.mirelo.corvelle.Test"));
    daemon.call(QStringLiteral("ChangeProfile"), QStringLiteral("performance"));
    ASSERT_TRUE(waitFor([&] { return profiles.activeProfile() == "performance"; }));
    EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace corvelle
