#include "Screenshots.h"
#include "WaitFor.h"
#include "alerts/EnergyAlertService.h"
#include "app/qt/DBusNotifier.h"
#include "app/qt/GnomeShellExtensions.h"
#include "app/status/StatusMenu.h"
#include "app/status/StatusNotifierItem.h"
#include "app/status/TopBarItem.h"
#include "app/status/sni/DBusMenuLayoutItem.h"
#include "app/style/BatteryIconPainter.h"
#include "app/windows/SettingsView.h"
#include "localization/LWindows.h"
#include "present/StatusItemComposer.h"
#include "settings/AppSettings.h"
#include "settings/MemoryKeyValueStore.h"
#include "support/ManualEventLoop.h"
#include "support/RecordingNotifier.h"
#include "support/ScopedLanguage.h"
#include "support/StatsBuilder.h"
#include "support/TempDir.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

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

    const BatteryIcon icon = StatusItemComposer::batteryIcon(test::StatsBuilder().battery(62));
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

// The program's side of the GNOME Shell extension, on the same private bus: the fake tray records
// what the top bar item tells the extension.
class TopBarOnBus : public ::testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("CORVELLE_FAKE_WATCHER")) GTEST_SKIP() << "needs status_notifier.sh";
    }
    static bool owned(const QString& name) {
        return QDBusConnection::sessionBus().interface()->isServiceRegistered(name).value();
    }
};

TEST_F(TopBarOnBus, ItemTellsEachChangeOnceAndTakesLeftClicksWithThePlace) {
    const QString theme = QFileInfo(CORVELLE_APP_PATH).path() + "/icons";
    auto item = std::make_unique<TopBarItem>(QDBusConnection::sessionBus(), theme);
    ASSERT_TRUE(waitFor([] { return owned(TopBarItem::itemService); })) << "the extension sees the item come";
    fromWatcher("Clear");
    item->setPlaceholderIcon("Corvelle System Monitor");
    item->setTitle({" CPU 12.3% | 2:05", {}, " CPU 000.0% | 00 min"});
    item->setTitle({" CPU 12.3% | 2:05", {}, " CPU 000.0% | 00 min"});
    item->setTitle({" CPU 9.0% | 2:05", {}, " CPU 000.0% | 00 min"});
    item->setBatteryIcon(StatusItemComposer::batteryIcon(SystemStats{}));
    const QStringList expected{
        "PropertiesChanged:AccessibleName=Corvelle System Monitor",
        "PropertiesChanged:Icon=" + theme + "/hicolor/48x48/status/io.mirelo.corvelle-battery-unknown.png",
        "PropertiesChanged:LabelGuide=CPU 000.0% | 00 min", "PropertiesChanged:Label=CPU 12.3% | 2:05",
        "PropertiesChanged:Label=CPU 9.0% | 2:05",
        "PropertiesChanged:Icon=" + theme + "/hicolor/scalable/status/io.mirelo.corvelle-no-battery-symbolic.svg"};
    ASSERT_TRUE(waitFor([&] { return fromWatcher("Received").size() >= expected.size(); }, 20000));
    EXPECT_EQ(fromWatcher("Received"), expected);

    // A left click gives the item's place; an empty one (a shell that cannot tell) none.
    int clicks = 0;
    item->onLeftClick = [&] { ++clicks; };
    const auto activate = [](const QVariantList& place) {
        call(TopBarItem::itemService, TopBarItem::itemPath, TopBarItem::interfaceName, "Activate", place);
    };
    activate({1100, 0, 120, 32});
    EXPECT_EQ(item->itemGeometry(), QRect(1100, 0, 120, 32));
    activate({0, 0, 0, 0});
    EXPECT_EQ(item->itemGeometry(), std::nullopt);
    activate({1100, 0});
    EXPECT_EQ(clicks, 2) << "a call without the place is refused";

    item.reset();
    EXPECT_TRUE(waitFor([] { return !owned(TopBarItem::itemService); })) << "the extension sees the item go";
}

// GNOME Shell's extensions interface as a test sets it: the state reported for ours (none: not
// installed) and whether EnableExtension succeeds, which turns it on.
class FakeGnomeShell : public QDBusVirtualObject {
public:
    explicit FakeGnomeShell(QDBusConnection bus) : bus_(std::move(bus)) {
        bus_.registerVirtualObject("/org/gnome/Shell", this);
        bus_.registerService("org.gnome.Shell");
    }
    ~FakeGnomeShell() override { bus_.unregisterService("org.gnome.Shell"); }
    QString introspect(const QString&) const override { return {}; }
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override {
        const QString uuid = message.arguments().value(0).toString();
        if (message.member() == "GetExtensionInfo") {
            QVariantMap info;
            if (state && uuid == GnomeShellExtensions::uuid) info = {{"uuid", uuid}, {"state", double(*state)}};
            connection.send(message.createReply(QVariant::fromValue(info)));
        } else if (message.member() == "EnableExtension") {
            asked << uuid;
            if (enables) state = 1;
            connection.send(message.createReply(enables));
        } else {
            return false;
        }
        return true;
    }

    std::optional<int> state;
    bool enables = true;
    QStringList asked;
    QDBusConnection bus_;
};

TEST_F(TopBarOnBus, ExtensionStatesTheOnceSaidNoticeAndTheSettingsButton) {
    using State = GnomeShellExtensions::State;
    const GnomeShellExtensions extensions;
    const auto state = [&] {
        std::optional<State> answer;
        extensions.query([&](State s) { answer = s; });
        waitFor([&] { return answer.has_value(); }, 15000);
        return answer;
    };
    EXPECT_EQ(state(), State::absent) << "no GNOME Shell";
    FakeGnomeShell shell(QDBusConnection::connectToBus(QDBusConnection::SessionBus, "gnome-shell"));
    const struct { std::optional<int> reported; State expected; } states[] = {
        {std::nullopt, State::absent}, {1, State::on}, {2, State::off}, {6, State::off}, {3, State::absent}, {4, State::absent},
    };
    for (const auto& c : states) {
        shell.state = c.reported;
        EXPECT_EQ(state(), c.expected) << c.reported.value_or(-1);
    }

    // Said once, while the extension is off, however often asked.
    test::ScopedLanguage english("en");
    auto store = std::make_shared<MemoryKeyValueStore>();
    test::RecordingNotifier notifier;
    shell.state = 1;
    extensions.offerOnce(*store, notifier);
    waitFor([] { return false; }, 300);
    EXPECT_TRUE(notifier.posted.empty()) << "already on";
    shell.state = 2;
    extensions.offerOnce(*store, notifier);
    extensions.offerOnce(*store, notifier);
    ASSERT_TRUE(waitFor([&] { return !notifier.posted.empty(); }));
    waitFor([] { return false; }, 300);
    extensions.offerOnce(*store, notifier);
    waitFor([] { return false; }, 300);
    ASSERT_EQ(notifier.posted.size(), 1u);
    EXPECT_EQ(notifier.posted[0].title, "Corvelle can go in the top bar");

    // The settings window's line: there while off; its button turns the extension on, or says why not.
    AppSettings settings(store, nullptr);
    SettingsView view(settings, nullptr, &extensions);
    auto* button = view.findChild<QPushButton*>("showInTopBar");
    ASSERT_TRUE(waitFor([&] { return button->isVisibleTo(&view); }));
    const auto says = [&](const std::string& text) {
        return waitFor([&] { return view.findChild<QLabel*>("topBarCaption")->text().toStdString() == text; });
    };
    shell.enables = false;
    button->click();
    EXPECT_TRUE(says(L::topBarRefused()));
    EXPECT_TRUE(button->isEnabled() && button->isVisibleTo(&view));
    shell.enables = true;
    button->click();
    EXPECT_TRUE(says(L::topBarOn()));
    EXPECT_FALSE(button->isVisibleTo(&view));
    EXPECT_EQ(shell.asked, QStringList(2, GnomeShellExtensions::uuid));

    SettingsView afterwards(settings, nullptr, &extensions);
    EXPECT_FALSE(waitFor([&] { return afterwards.findChild<QPushButton*>("showInTopBar")->isVisibleTo(&afterwards); }, 300));

    // The whole form with the line, in both languages and themes, saved as artifacts.
    shell.state = 2;
    test::inEveryLanguageAndTheme([&](const QString& variant, bool) {
        SettingsView offered(settings, nullptr, &extensions);
        auto* offer = offered.findChild<QPushButton*>("showInTopBar");
        ASSERT_TRUE(waitFor([&] { return offer->isVisibleTo(&offered); }));
        QDir().mkpath(CORVELLE_ARTIFACTS_DIR);
        const QString file = QString(CORVELLE_ARTIFACTS_DIR) + "/settings-top-bar-" + variant + ".png";
        EXPECT_TRUE(offered.findChild<QScrollArea*>()->widget()->grab().save(file));
    });
}

// The records the fake service logged so far.
QList<QJsonObject> records(const QString& path) {
    QList<QJsonObject> result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return result;
    for (const auto& line : file.readAll().split('\n')) if (!line.isEmpty()) result << QJsonDocument::fromJson(line).object();
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
    const auto hints = first["hints"].toObject();
    const QString body = markup ? "Sync &lt;beta&gt; &amp; co is using 85% CPU (normally 12%)"
                                : "Sync <beta> & co is using 85% CPU (normally 12%)";
    EXPECT_EQ(QStringList({first["app_name"].toString(), first["summary"].toString(), first["body"].toString(),
                           hints["x-corvelle-identifier"].toString()}),
              QStringList({"Corvelle", "High Energy Usage", body, "corvelle-energy-Sync <beta> & co-1700000000.25"}));
    EXPECT_TRUE(first["replaces_id"].toInt() == 0 && !hints["sound-name"].toString().isEmpty());

    EXPECT_TRUE(logged[1]["hints"].toObject()["suppress-sound"].toBool()) << "a quiet alert";
}

}  // namespace
}  // namespace corvelle
