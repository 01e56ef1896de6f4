#include "app/AppDelegate.h"
#include "app/ShellWindow.h"
#include "app/status/BatteryIconPainter.h"
#include "app/status/DBusMenuLayoutItem.h"
#include "app/status/SniToolTip.h"
#include "app/status/StatusMenu.h"
#include "app/status/StatusNotifierItem.h"
#include "monitor/StatusItemComposer.h"

#include "WaitFor.h"
#include "support/FakeOutbound.h"
#include "support/MonitorHarness.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusVariant>

#include <gtest/gtest.h>

// These run against tests/app/e2e/fake_watcher.py on a private session bus (status_notifier.sh).
namespace corvelle {
namespace {

using test::waitFor;

const QString properties = QStringLiteral("org.freedesktop.DBus.Properties");
const QString menuInterface = QStringLiteral("com.canonical.dbusmenu");

// Calls a method from a second connection of this process, running the event loop (which
// serves the item) until the answer comes.
QDBusMessage call(const QString& service, const QString& path, const QString& interface, const QString& method,
                  const QVariantList& arguments = {}) {
    static QDBusConnection probe = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "probe");
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    QDBusPendingCall pending = probe.asyncCall(message, 20000);
    waitFor([&] { return pending.isFinished(); }, 25000);
    return pending.reply();
}

QVariantMap itemProperties(const StatusNotifierItem& item) {
    const auto reply = call(item.serviceName(), StatusNotifierItem::itemPath, properties, "GetAll",
                            {StatusNotifierItem::interfaceName});
    return reply.arguments().isEmpty() ? QVariantMap() : qdbus_cast<QVariantMap>(reply.arguments()[0]);
}

QStringList fromWatcher(const QString& interface, const QString& method, const QVariantList& arguments = {}) {
    const auto reply =
        call(StatusNotifierItem::watcherService, QStringLiteral("/StatusNotifierWatcher"), interface, method, arguments);
    if (reply.arguments().isEmpty()) return {};
    const QVariant value = reply.arguments()[0];
    return value.canConvert<QDBusVariant>() ? value.value<QDBusVariant>().variant().toStringList() : value.toStringList();
}
QStringList registered() {
    return fromWatcher(properties, "Get", {StatusNotifierItem::watcherService, "RegisteredStatusNotifierItems"});
}
QStringList heard() { return fromWatcher("io.mirelo.corvelle.Test", "Received"); }

class StatusNotifierOnBus : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("CORVELLE_FAKE_WATCHER")) GTEST_SKIP() << "needs status_notifier.sh";
        qDBusRegisterMetaType<DBusMenuLayoutItem>();
    }
};

TEST_F(StatusNotifierOnBus, RegistersAndTellsTheHostOfEachChangeOnce) {
    StatusNotifierItem item;
    item.setPlaceholderIcon("Corvelle System Monitor");
    item.showItem();
    ASSERT_TRUE(waitFor([&] { return registered().contains(item.serviceName()); }, 20000));
    fromWatcher("io.mirelo.corvelle.Test", "Clear");

    const BatteryIcon icon = *StatusItemComposer::batteryIcon(test::StatsBuilder().battery(62));
    item.setTitle({" CPU 12.3% | 2:05", {}});
    item.setTitle({" CPU 12.3% | 2:05", {}});
    item.setBatteryIcon(icon);
    item.setBatteryIcon(icon);
    item.setTitle({" CPU 9.0% | 2:05", {}});
    const QStringList expected{"XAyatanaNewLabel:CPU 12.3% | 2:05|CPU 00.0% | 0:00", "NewToolTip:", "NewIcon:",
                               "XAyatanaNewLabel:CPU 9.0% | 2:05|CPU 0.0% | 0:00", "NewToolTip:"};
    ASSERT_TRUE(waitFor([&] { return heard().size() >= expected.size(); }, 20000));
    EXPECT_EQ(heard(), expected);

    const QVariantMap values = itemProperties(item);
    EXPECT_EQ(values["XAyatanaLabel"].toString(), "CPU 9.0% | 2:05");
    EXPECT_EQ(values["XAyatanaLabelGuide"].toString(), "CPU 0.0% | 0:00");
    EXPECT_EQ(values["Title"].toString(), "Corvelle System Monitor");
    EXPECT_EQ(values["Category"].toString(), "SystemServices");
    EXPECT_EQ(values["Menu"].value<QDBusObjectPath>().path(), StatusNotifierItem::menuPath);
    EXPECT_EQ(qdbus_cast<SniToolTip>(values["ToolTip"]).title, "CPU 9.0% | 2:05");

    // Every size, each pixel as alpha, red, green, blue.
    const auto pixmaps = qdbus_cast<SniPixmaps>(values["IconPixmap"]);
    ASSERT_EQ(pixmaps.size(), 4);
    for (int i = 0; i < 4; ++i) {
        const int side = StatusNotifierItem::pixmapSizes[i];
        EXPECT_EQ(pixmaps[i].width, side);
        EXPECT_EQ(pixmaps[i].height, side);
        EXPECT_EQ(pixmaps[i].bytes.size(), side * side * 4);
    }
    const QImage drawn = BatteryIconPainter::trayPicture(icon, 48).convertToFormat(QImage::Format_ARGB32);
    int at = 0;  // the first opaque pixel of the green fill
    while (at < 48 * 48 && (qAlpha(drawn.pixel(at % 48, at / 48)) < 255 || qRed(drawn.pixel(at % 48, at / 48)) > 100)) {
        ++at;
    }
    ASSERT_LT(at, 48 * 48);
    const QRgb pixel = drawn.pixel(at % 48, at / 48);
    std::vector<int> sent;
    for (int i = 0; i < 4; ++i) sent.push_back(static_cast<uchar>(pixmaps[3].bytes[at * 4 + i]));
    EXPECT_EQ(sent, (std::vector<int>{qAlpha(pixel), qRed(pixel), qGreen(pixel), qBlue(pixel)}));

    // A restarted tray knows nothing: the item tells it again.
    fromWatcher("io.mirelo.corvelle.Test", "Restart");
    EXPECT_TRUE(waitFor([&] { return registered().contains(item.serviceName()); }, 20000));
}

TEST_F(StatusNotifierOnBus, MenuRowsInTheCurrentLanguageAndClicks) {
    StatusNotifierItem item;
    int clicks[3] = {};
    item.makeMenu = [&] {
        return buildStatusMenu({[&] { ++clicks[0]; }, [&] { ++clicks[1]; }, [&] { ++clicks[2]; }});
    };
    const auto rows = [&] {
        const auto reply = call(item.serviceName(), StatusNotifierItem::menuPath, menuInterface, "GetLayout",
                                {0, -1, QStringList()});
        QStringList labels;
        if (reply.arguments().size() != 2) return labels;
        for (const auto& row : qdbus_cast<DBusMenuLayoutItem>(reply.arguments()[1]).children) {
            labels << row.properties.value("label", "(" + row.properties.value("type").toString() + ")").toString();
        }
        return labels;
    };
    const auto aboutToShow = [&] {
        return call(item.serviceName(), StatusNotifierItem::menuPath, menuInterface, "AboutToShow", {0})
            .arguments()
            .value(0)
            .toBool();
    };
    {
        test::ScopedLanguage english("en");
        EXPECT_EQ(rows(), (QStringList{"Settings\u2026", "Check for Updates\u2026", "(separator)", "Quit Corvelle"}));
        EXPECT_FALSE(aboutToShow()) << "nothing changed";
    }
    test::ScopedLanguage spanish("es");
    fromWatcher("io.mirelo.corvelle.Test", "Clear");
    EXPECT_TRUE(aboutToShow()) << "rebuilt in Spanish";
    EXPECT_TRUE(waitFor([&] { return heard().filter("LayoutUpdated:").size() == 1; }, 20000));
    EXPECT_EQ(rows(), (QStringList{"Ajustes\u2026", "Buscar actualizaciones\u2026", "(separator)", "Salir de Corvelle"}));

    call(item.serviceName(), StatusNotifierItem::menuPath, menuInterface, "Event",
         {4, "clicked", QVariant::fromValue(QDBusVariant(QString())), 0u});
    EXPECT_TRUE(waitFor([&] { return clicks[2] == 1; }));
    EXPECT_EQ(clicks[0] + clicks[1], 0);
}

TEST_F(StatusNotifierOnBus, ActivateTogglesThePanel) {
    test::MonitorHarness h;
    StatusNotifierItem* item = nullptr;
    AppDelegate::Dependencies dependencies;
    dependencies.appSettings = &h.settings;
    dependencies.makeSystemMonitor = [&](AppSettings& settings) {
        return std::make_unique<SystemMonitor>(settings, h.sources());
    };
    dependencies.makeStatusItem = [&] {
        auto made = std::make_unique<StatusNotifierItem>();
        item = made.get();
        return made;
    };
    dependencies.makeUpdateController = [&] {
        return std::make_unique<UpdateController>(
            UpdateController::Dependencies{std::make_shared<test::RecordingHttpClient>(), h.loop, "1.0.1", {}, {}});
    };
    AppDelegate shell(std::move(dependencies));
    shell.applicationDidFinishLaunching();
    for (bool shown : {true, false}) {
        call(item->serviceName(), StatusNotifierItem::itemPath, StatusNotifierItem::interfaceName, "Activate",
             {600, 12});
        EXPECT_TRUE(waitFor([&] { return shell.panel()->isVisible() == shown; }));
    }
}

}  // namespace
}  // namespace corvelle
