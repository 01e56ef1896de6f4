#include "WaitFor.h"
#include "alerts/EnergyAlertService.h"
#include "app/qt/DBusNotifier.h"
#include "app/status/StatusMenu.h"
#include "app/status/StatusNotifierItem.h"
#include "app/status/sni/DBusMenuLayoutItem.h"
#include "app/style/BatteryIconPainter.h"
#include "present/StatusItemComposer.h"
#include "support/ManualEventLoop.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"
#include "support/TempDir.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace corvelle {
namespace {

using test::waitFor;

// Calls a method from a second connection of this process, running the event loop (which
// serves the item) until the answer comes; the answer's first value.
QVariant call(const QString& service, const QString& path, const QString& interface, const QString& method,
              const QVariantList& arguments = {}, int index = 0) {
    static QDBusConnection probe = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "probe");
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    QDBusPendingCall pending = probe.asyncCall(message, 20000);
    waitFor([&] { return pending.isFinished(); }, 25000);
    const QVariant value = pending.reply().arguments().value(index);
    return value.canConvert<QDBusVariant>() ? value.value<QDBusVariant>().variant() : value;
}

QStringList fromWatcher(const QString& method, const QVariantList& arguments = {}) {
    const bool property = method == "Get";
    return call(StatusNotifierItem::watcherService, "/StatusNotifierWatcher",
                property ? "org.freedesktop.DBus.Properties" : "io.mirelo.corvelle.Test", method, arguments)
        .toStringList();
}
QStringList registered() { return fromWatcher("Get", {StatusNotifierItem::watcherService, "RegisteredStatusNotifierItems"}); }

// The item against tests/app/e2e/fake_watcher.py on a private session bus (status_notifier.sh).
class StatusNotifierOnBus : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("CORVELLE_FAKE_WATCHER")) GTEST_SKIP() << "needs status_notifier.sh";
        qDBusRegisterMetaType<DBusMenuLayoutItem>();
    }
    QVariant onMenu(const QString& method, const QVariantList& arguments, int index = 0) {
        return call(item.serviceName(), StatusNotifierItem::menuPath, "com.canonical.dbusmenu", method, arguments,
                    index);
    }

    StatusNotifierItem item;
};

TEST_F(StatusNotifierOnBus, RegistersAndTellsTheHostOfEachChangeOnce) {
    item.setPlaceholderIcon("Corvelle System Monitor");
    item.showItem();
    ASSERT_TRUE(waitFor([&] { return registered().contains(item.serviceName()); }, 20000));
    fromWatcher("Clear");

    const BatteryIcon icon = *StatusItemComposer::batteryIcon(test::StatsBuilder().battery(62));
    item.setTitle({" CPU 12.3% | 2:05", {}, " CPU 000.0% | 00 min"});
    item.setTitle({" CPU 12.3% | 2:05", {}, " CPU 000.0% | 00 min"});
    item.setBatteryIcon(icon);
    item.setBatteryIcon(icon);
    item.setTitle({" CPU 9.0% | 2:05", {}, " CPU 000.0% | 00 min"});
    const QStringList expected{"XAyatanaNewLabel:CPU 12.3% | 2:05|CPU 000.0% | 00 min", "NewToolTip:", "NewIcon:",
                               "XAyatanaNewLabel:CPU 9.0% | 2:05|CPU 000.0% | 00 min", "NewToolTip:"};
    ASSERT_TRUE(waitFor([&] { return fromWatcher("Received").size() >= expected.size(); }, 20000));
    EXPECT_EQ(fromWatcher("Received"), expected);

    const auto values = qdbus_cast<QVariantMap>(
        call(item.serviceName(), StatusNotifierItem::itemPath, "org.freedesktop.DBus.Properties", "GetAll",
             {StatusNotifierItem::interfaceName}));
    // The label and guide are in the signals above; quit_from_tray.py checks that the running program's
    // label, tooltip and guide agree and reaches its menu through the Menu property.
    EXPECT_EQ(values["Title"].toString(), "Corvelle System Monitor");

    // Every size, each pixel as alpha, red, green, blue: compared on the first opaque green one.
    const auto pixmaps = qdbus_cast<SniPixmaps>(values["IconPixmap"]);
    ASSERT_EQ(pixmaps.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const int side = StatusNotifierItem::pixmapSizes[i];
        EXPECT_EQ(QSize(pixmaps[i].width, pixmaps[i].height), QSize(side, side));
        EXPECT_EQ(pixmaps[i].bytes.size(), side * side * 4);
    }
    const QImage drawn = BatteryIconPainter::trayPicture(icon, 48).convertToFormat(QImage::Format_ARGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(drawn.constBits());
    const int at = static_cast<int>(std::find_if(pixels, pixels + 48 * 48, [](QRgb p) {
                                        return qAlpha(p) == 255 && qRed(p) < 100;
                                    }) - pixels);
    ASSERT_LT(at, 48 * 48);
    std::vector<int> sent(pixmaps[3].bytes.begin() + at * 4, pixmaps[3].bytes.begin() + at * 4 + 4);
    for (int& byte : sent) byte &= 0xFF;
    EXPECT_EQ(sent, (std::vector<int>{qAlpha(pixels[at]), qRed(pixels[at]), qGreen(pixels[at]), qBlue(pixels[at])}));

    // Clicks carry the host's point; (0, 0) says nothing, nor does a point inside the item (Waybar).
    int clicks = 0;
    item.onLeftClick = item.onRightClick = [&] { ++clicks; };
    call(item.serviceName(), StatusNotifierItem::itemPath, StatusNotifierItem::interfaceName, "Activate", {600, 12});
    EXPECT_EQ(item.itemGeometry(), QRect(600, 12, 1, 1));
    call(item.serviceName(), StatusNotifierItem::itemPath, StatusNotifierItem::interfaceName, "ContextMenu", {0, 0});
    EXPECT_EQ(item.itemGeometry(), std::nullopt);
    call(item.serviceName(), StatusNotifierItem::itemPath, StatusNotifierItem::interfaceName, "Activate", {8, 15});
    EXPECT_EQ(item.itemGeometry(), std::nullopt);
    EXPECT_EQ(clicks, 3);

    // A restarted tray knows nothing: the item tells it again.
    fromWatcher("Restart");
    EXPECT_TRUE(waitFor([&] { return registered().contains(item.serviceName()); }, 20000));
}

TEST_F(StatusNotifierOnBus, MenuRowsInTheCurrentLanguageAndClicks) {
    int clicks[4] = {};
    item.makeMenu = [&] {
        return buildStatusMenu({[&] { ++clicks[0]; }, [&] { ++clicks[1]; }, [&] { ++clicks[2]; }, [&] { ++clicks[3]; }});
    };
    const auto rows = [&] {
        QStringList labels;
        for (const auto& row : qdbus_cast<DBusMenuLayoutItem>(onMenu("GetLayout", {0, -1, QStringList()}, 1)).children) {
            labels << row.properties.value("label", "(" + row.properties.value("type").toString() + ")").toString();
        }
        return labels;
    };
    {
        test::ScopedLanguage english("en");
        EXPECT_EQ(rows(), (QStringList{"Open Corvelle", "(separator)", "Settings\u2026", "Check for Updates\u2026",
                                       "(separator)", "Quit Corvelle"}));
        EXPECT_FALSE(onMenu("AboutToShow", {0}).toBool()) << "nothing changed";
    }
    test::ScopedLanguage spanish("es");
    fromWatcher("Clear");
    EXPECT_TRUE(onMenu("AboutToShow", {0}).toBool()) << "rebuilt in Spanish";
    EXPECT_TRUE(waitFor([&] { return fromWatcher("Received").filter("LayoutUpdated:").size() == 1; }, 20000));
    EXPECT_EQ(rows(), (QStringList{"Abrir Corvelle", "(separator)", "Ajustes\u2026", "Buscar actualizaciones\u2026",
                                   "(separator)", "Salir de Corvelle"}));

    onMenu("Event", {6, "clicked", QVariant::fromValue(QDBusVariant(QString())), 0u});
    onMenu("Event", {1, "clicked", QVariant::fromValue(QDBusVariant(QString())), 0u});
    EXPECT_TRUE(waitFor([&] { return clicks[3] == 1 && clicks[0] == 1; }));
    EXPECT_EQ(clicks[1] + clicks[2], 0);
}

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

    EXPECT_TRUE(logged[1]["hints"].toObject()["suppress-sound"].toBool()) << "a quiet alert";
}

}  // namespace
}  // namespace corvelle
