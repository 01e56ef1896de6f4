#include "alerts/EnergyAlertService.h"
#include "app/platform/DBusNotifier.h"
#include "support/ManualEventLoop.h"
#include "support/ScopedLanguage.h"
#include "support/TempDir.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QThread>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

void spin(int milliseconds) {
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < milliseconds) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
}

// The records the fake service logged, waiting up to five seconds for `count` of them.
QList<QJsonObject> waitForRecords(const QString& path, int count) {
    QList<QJsonObject> records;
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < 5000) {
        QCoreApplication::processEvents();
        QFile file(path);
        records.clear();
        if (file.open(QIODevice::ReadOnly)) {
            for (const auto& line : file.readAll().split('\n')) {
                if (!line.isEmpty()) records << QJsonDocument::fromJson(line).object();
            }
        }
        if (records.size() >= count) break;
        QThread::msleep(20);
    }
    return records;
}

TEST(DBusNotifierTest, WithoutAServiceNothingHappens) {
    QElapsedTimer timer;
    timer.start();
    DBusNotifier notifier;
    notifier.requestPermission();
    notifier.post("corvelle-energy-x-1", "High Energy Usage", "x is using 90% CPU (normally 5%)", true);
    spin(200);
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
    spin(300);  // the capabilities answer
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

    const auto records = waitForRecords(log, 2);
    ASSERT_EQ(records.size(), 2);
    const auto& first = records[0];
    EXPECT_EQ(first["app_name"].toString(), "Corvelle");
    EXPECT_EQ(first["summary"].toString(), "High Energy Usage");
    EXPECT_EQ(first["body"].toString(), markup ? "Sync &lt;beta&gt; &amp; co is using 85% CPU (normally 12%)"
                                               : "Sync <beta> & co is using 85% CPU (normally 12%)");
    EXPECT_EQ(first["replaces_id"].toInt(), 0);
    const auto hints = first["hints"].toObject();
    EXPECT_TRUE(hints["x-corvelle-identifier"].toString().startsWith("corvelle-energy-"));
    EXPECT_EQ(hints["x-corvelle-identifier"].toString(), "corvelle-energy-Sync <beta> & co-1700000000.25");
    EXPECT_FALSE(hints["sound-name"].toString().isEmpty());

    const auto& second = records[1];
    EXPECT_EQ(second["summary"].toString(), "Alto consumo de energía");
    EXPECT_EQ(second["body"].toString(), "quiet está usando 40% de CPU (normalmente 4%)");
    EXPECT_TRUE(second["hints"].toObject()["suppress-sound"].toBool());
}

}  // namespace
}  // namespace corvelle
