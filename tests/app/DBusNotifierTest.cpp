#include "alerts/EnergyAlertService.h"
#include "app/platform/DBusNotifier.h"
#include "support/ManualEventLoop.h"
#include "support/ScopedLanguage.h"
#include "support/TempDir.h"

#include "WaitFor.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

// The records the fake service logged so far.
QList<QJsonObject> records(const QString& path) {
    QList<QJsonObject> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return result;
    for (const auto& line : file.readAll().split('\n')) {
        if (!line.isEmpty()) result << QJsonDocument::fromJson(line).object();
    }
    return result;
}

TEST(DBusNotifierTest, WithoutAServiceNothingHappens) {
    QElapsedTimer timer;
    timer.start();
    DBusNotifier notifier;
    notifier.requestPermission();
    notifier.post("corvelle-energy-x-1", "High Energy Usage", "x is using 90% CPU (normally 5%)", true);
    test::waitFor([] { return false; }, 200);
    EXPECT_LT(timer.elapsed(), 2000);
    DBusNotifier detached(QDBusConnection(QStringLiteral("nowhere")));
    detached.requestPermission();
    detached.post("id", "title", "body", false);
}

TEST(DBusNotifierTest, ServiceReceivesTheEnergyAlert) {
    const QString log = qEnvironmentVariable("CORVELLE_NOTIFY_LOG");
    if (log.isEmpty()) GTEST_SKIP() << "needs the fake notification service (tests/app/e2e/notifications.sh)";
    const bool markup = qEnvironmentVariable("CORVELLE_NOTIFY_MARKUP") == "1";

    auto notifier = std::make_shared<DBusNotifier>();
    notifier->requestPermission();
    test::waitFor([] { return false; }, 300);  // the capabilities answer
    {
        test::ScopedLanguage english("en");
        test::TempDir folder;
        auto clock = std::make_shared<test::FakeClock>(1700000000.25);
        auto loop = std::make_shared<test::ManualEventLoop>(*clock);
        EnergyAlertService alerts(clock, loop, folder.path(), notifier);
        alerts.send({"Sync <beta> & co", 85, 12});
    }
    notifier->post("corvelle-energy-quiet-1700000001", "Alto consumo de energía",
                   "quiet está usando 40% de CPU (normalmente 4%)", false);

    ASSERT_TRUE(test::waitFor([&] { return records(log).size() >= 2; }));
    const auto logged = records(log);
    ASSERT_EQ(logged.size(), 2);
    const auto& first = logged[0];
    EXPECT_EQ(first["app_name"].toString(), "Corvelle");
    EXPECT_EQ(first["summary"].toString(), "High Energy Usage");
    EXPECT_EQ(first["body"].toString(), markup ? "Sync &lt;beta&gt; &amp; co is using 85% CPU (normally 12%)"
                                               : "Sync <beta> & co is using 85% CPU (normally 12%)");
    EXPECT_EQ(first["replaces_id"].toInt(), 0);
    const auto hints = first["hints"].toObject();
    EXPECT_EQ(hints["x-corvelle-identifier"].toString(), "corvelle-energy-Sync <beta> & co-1700000000.25");
    EXPECT_FALSE(hints["sound-name"].toString().isEmpty());

    const auto& second = logged[1];
    EXPECT_EQ(second["summary"].toString(), "Alto consumo de energía");
    EXPECT_EQ(second["body"].toString(), "quiet está usando 40% de CPU (normalmente 4%)");
    EXPECT_TRUE(second["hints"].toObject()["suppress-sound"].toBool());
}

}  // namespace
}  // namespace corvelle
