#include "app/status/TopBarItem.h"

#include "app/status/sni/DBusMenuExporter.h"
#include "app/status/sni/DBusProperties.h"
#include "app/style/BatteryIconPainter.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

#include <cmath>

namespace corvelle {
namespace {

const char* const introspection = R"xml(
  <interface name="io.mirelo.corvelle.TopBarItem">
    <property name="Label" type="s" access="read"/>
    <property name="LabelGuide" type="s" access="read"/>
    <property name="Icon" type="s" access="read"/>
    <property name="AccessibleName" type="s" access="read"/>
    <property name="Menu" type="o" access="read"/>
    <method name="Activate">
      <arg name="x" type="i" direction="in"/>
      <arg name="y" type="i" direction="in"/>
      <arg name="width" type="i" direction="in"/>
      <arg name="height" type="i" direction="in"/>
    </method>
  </interface>
)xml";

// The shell gives device pixels; Qt places windows in its own, scaled ones.
QRect fromDevicePixels(const QRect& rect) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const qreal ratio = screen ? screen->devicePixelRatio() : 1.0;
    const auto scaled = [ratio](int value) { return static_cast<int>(std::lround(value / ratio)); };
    return {scaled(rect.x()), scaled(rect.y()), scaled(rect.width()), scaled(rect.height())};
}

}  // namespace

bool TopBarItem::hostPresent(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(hostService).value();
}

TopBarItem::TopBarItem(QDBusConnection bus, QString iconThemePath)
    : bus_(std::move(bus)), iconThemePath_(std::move(iconThemePath)) {
    menu_ = std::make_unique<DBusMenuExporter>(bus_, menuPath, [this] { return makeMenu ? makeMenu() : nullptr; });
    bus_.registerVirtualObject(itemPath, this, QDBusConnection::SingleNode);
    // Owned last: the extension reads the object as soon as it sees the name.
    bus_.registerService(itemService);
}

TopBarItem::~TopBarItem() {
    bus_.unregisterService(itemService);
    bus_.unregisterObject(itemPath);
}

void TopBarItem::setPlaceholderIcon(const QString& accessibleDescription) {
    change(QStringLiteral("AccessibleName"), description_, accessibleDescription);
    showIcon(BatteryIconPainter::placeholderIcon());
}

void TopBarItem::setBatteryIcon(const BatteryIcon& icon) { showIcon(icon); }

// The theme is searched for the picture's file only when the picture changes, not every tick.
void TopBarItem::showIcon(const BatteryIcon& icon) {
    if (shownIcon_ == icon) return;
    shownIcon_ = icon;
    change(QStringLiteral("Icon"), icon_, ThemedBatteryIcon::iconString(icon, iconThemePath_));
}

void TopBarItem::setTitle(const MenuBarTitle& title) {
    // The guide first: the extension then never sees a title wider than its guide.
    change(QStringLiteral("LabelGuide"), guide_, QString::fromStdString(title.guide).trimmed());
    change(QStringLiteral("Label"), label_, QString::fromStdString(title.text).trimmed());
}

void TopBarItem::change(const QString& name, QString& field, const QString& value) {
    if (field == value) return;
    field = value;
    QDBusMessage signal = QDBusMessage::createSignal(itemPath, DBusProperties::interfaceName,
                                                     QStringLiteral("PropertiesChanged"));
    signal << interfaceName << QVariantMap{{name, value}} << QStringList();
    bus_.send(signal);
}

void TopBarItem::showMenu(QMenu* menu) {
    if (!menu) return;
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(geometry_ ? geometry_->bottomLeft() : QPoint());
}

QVariantMap TopBarItem::properties() const {
    return {{QStringLiteral("Label"), label_},
            {QStringLiteral("LabelGuide"), guide_},
            {QStringLiteral("Icon"), icon_},
            {QStringLiteral("AccessibleName"), description_},
            {QStringLiteral("Menu"), QVariant::fromValue(QDBusObjectPath(menuPath))}};
}

QString TopBarItem::introspect(const QString&) const { return QString::fromLatin1(introspection); }

bool TopBarItem::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (DBusProperties::answer(message, connection, interfaceName, properties())) return true;
    if (!message.interface().isEmpty() && message.interface() != interfaceName) return false;
    if (message.member() != QLatin1String("Activate")) return DBusProperties::refuse(message, connection);
    activate(message);
    return true;
}

void TopBarItem::activate(const QDBusMessage& message) {
    const auto arguments = message.arguments();
    if (arguments.size() != 4 || message.signature() != QLatin1String("iiii")) {
        bus_.send(message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("expected x, y, width, height")));
        return;
    }
    bus_.send(message.createReply());
    const QRect rect(arguments[0].toInt(), arguments[1].toInt(), arguments[2].toInt(), arguments[3].toInt());
    // An empty place (a shell that could not tell) puts the panel in the corner by the bar.
    geometry_ = rect.isEmpty() ? std::nullopt : std::optional<QRect>(fromDevicePixels(rect));
    if (onLeftClick) onLeftClick();
}

}  // namespace corvelle
