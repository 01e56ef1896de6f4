#include "app/status/StatusNotifierItem.h"

#include "app/status/ThemedBatteryIcon.h"
#include "app/status/sni/DBusMenuExporter.h"
#include "app/status/sni/DBusProperties.h"
#include "app/status/sni/SniToolTip.h"
#include "app/style/BatteryIconPainter.h"

#include <QCoreApplication>
#include <QCursor>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QMenu>

#include <atomic>

namespace corvelle {
namespace {

const char* const introspection = R"xml(
  <interface name="org.kde.StatusNotifierItem">
    <property name="Category" type="s" access="read"/>
    <property name="Id" type="s" access="read"/>
    <property name="Title" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="WindowId" type="i" access="read"/>
    <property name="IconThemePath" type="s" access="read"/>
    <property name="IconName" type="s" access="read"/>
    <property name="IconPixmap" type="a(iiay)" access="read"/>
    <property name="OverlayIconName" type="s" access="read"/>
    <property name="OverlayIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionIconName" type="s" access="read"/>
    <property name="AttentionIconPixmap" type="a(iiay)" access="read"/>
    <property name="AttentionMovieName" type="s" access="read"/>
    <property name="ToolTip" type="(sa(iiay)ss)" access="read"/>
    <property name="ItemIsMenu" type="b" access="read"/>
    <property name="Menu" type="o" access="read"/>
    <property name="XAyatanaLabel" type="s" access="read"/>
    <property name="XAyatanaLabelGuide" type="s" access="read"/>
    <property name="XAyatanaOrderingIndex" type="u" access="read"/>
    <method name="ContextMenu"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Activate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="SecondaryActivate"><arg name="x" type="i" direction="in"/><arg name="y" type="i" direction="in"/></method>
    <method name="Scroll"><arg name="delta" type="i" direction="in"/><arg name="orientation" type="s" direction="in"/></method>
    <signal name="NewTitle"/>
    <signal name="NewIcon"/>
    <signal name="NewAttentionIcon"/>
    <signal name="NewOverlayIcon"/>
    <signal name="NewToolTip"/>
    <signal name="NewStatus"><arg name="status" type="s"/></signal>
    <signal name="XAyatanaNewLabel"><arg name="label" type="s"/><arg name="guide" type="s"/></signal>
  </interface>
)xml";

QString nextServiceName() {
    static std::atomic<int> counter{0};
    return QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(++counter);
}

}  // namespace

bool StatusNotifierItem::watcherPresent(const QDBusConnection& bus) {
    return bus.isConnected() && bus.interface() && bus.interface()->isServiceRegistered(watcherService).value();
}

StatusNotifierItem::StatusNotifierItem(QDBusConnection bus)
    : bus_(std::move(bus)),
      service_(nextServiceName()),
      iconThemePath_(ThemedBatteryIcon::themePathBeside(QCoreApplication::applicationDirPath())),
      themed_(ThemedBatteryIcon::installed(iconThemePath_)),
      watcher_(watcherService, bus_, QDBusServiceWatcher::WatchForRegistration) {
    qDBusRegisterMetaType<SniPixmap>();
    qDBusRegisterMetaType<SniPixmaps>();
    qDBusRegisterMetaType<SniToolTip>();
    menu_ = std::make_unique<DBusMenuExporter>(bus_, menuPath, [this] { return makeMenu ? makeMenu() : nullptr; });
    bus_.registerVirtualObject(itemPath, this, QDBusConnection::SingleNode);
    bus_.registerService(service_);
    // A restarted tray host forgets every item: tell the new one about us.
    QObject::connect(&watcher_, &QDBusServiceWatcher::serviceRegistered, this, [this] {
        if (shown_) registerWithWatcher();
    });
}

StatusNotifierItem::~StatusNotifierItem() {
    bus_.unregisterService(service_);
    bus_.unregisterObject(itemPath);
}

void StatusNotifierItem::showItem() {
    shown_ = true;
    registerWithWatcher();
}

void StatusNotifierItem::registerWithWatcher() {
    // Not waited for: a host that does not answer never holds up the shell.
    bus_.asyncCall(QDBusMessage::createMethodCall(watcherService, QStringLiteral("/StatusNotifierWatcher"),
                                                  watcherService, QStringLiteral("RegisterStatusNotifierItem"))
                   << service_);
}

void StatusNotifierItem::setPlaceholderIcon(const QString& accessibleDescription) {
    if (accessibleDescription != description_) {
        description_ = accessibleDescription;
        emitSignal(QStringLiteral("NewTitle"));
    }
    showIcon(BatteryIconPainter::placeholderIcon());
}

void StatusNotifierItem::setBatteryIcon(const BatteryIcon& icon) { showIcon(icon); }

void StatusNotifierItem::showIcon(const BatteryIcon& icon) {
    if (icon_ == icon) return;
    icon_ = icon;
    pixmaps_.clear();
    for (int side : pixmapSizes) pixmaps_.append(SniPixmap::fromImage(BatteryIconPainter::trayPicture(icon, side)));
    emitSignal(QStringLiteral("NewIcon"));
}

void StatusNotifierItem::setTitle(const MenuBarTitle& title) {
    const QString label = QString::fromStdString(title.text).trimmed();
    if (label == label_) return;
    label_ = label;
    guide_ = QString::fromStdString(title.guide).trimmed();
    emitSignal(QStringLiteral("XAyatanaNewLabel"), {label_, guide_});
    emitSignal(QStringLiteral("NewToolTip"));
}

void StatusNotifierItem::showMenu(QMenu* menu) {
    if (!menu) return;
    QObject::connect(menu, &QMenu::aboutToHide, menu, &QObject::deleteLater);
    menu->popup(clickPoint_ ? clickPoint_->topLeft() : QCursor::pos());
}

QVariantMap StatusNotifierItem::properties() const {
    const QString none;
    const QVariant noPixmaps = QVariant::fromValue(SniPixmaps());
    const SniToolTip toolTip{none, {}, label_.isEmpty() ? description_ : label_, none};
    return {{QStringLiteral("Category"), QStringLiteral("SystemServices")},
            {QStringLiteral("Id"), QStringLiteral("corvelle")},
            {QStringLiteral("Title"), description_},
            {QStringLiteral("Status"), QStringLiteral("Active")},
            {QStringLiteral("WindowId"), 0},
            {QStringLiteral("IconThemePath"), iconThemePath_},
            {QStringLiteral("IconName"), themed_ && icon_ ? ThemedBatteryIcon::name(*icon_) : none},
            {QStringLiteral("IconPixmap"), QVariant::fromValue(pixmaps_)},
            {QStringLiteral("OverlayIconName"), none},
            {QStringLiteral("OverlayIconPixmap"), noPixmaps},
            {QStringLiteral("AttentionIconName"), none},
            {QStringLiteral("AttentionIconPixmap"), noPixmaps},
            {QStringLiteral("AttentionMovieName"), none},
            {QStringLiteral("ToolTip"), QVariant::fromValue(toolTip)},
            {QStringLiteral("ItemIsMenu"), false},
            {QStringLiteral("Menu"), QVariant::fromValue(QDBusObjectPath(menuPath))},
            {QStringLiteral("XAyatanaLabel"), label_},
            {QStringLiteral("XAyatanaLabelGuide"), guide_},
            {QStringLiteral("XAyatanaOrderingIndex"), 0u}};
}

QString StatusNotifierItem::introspect(const QString&) const { return QString::fromLatin1(introspection); }

bool StatusNotifierItem::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    if (DBusProperties::answer(message, connection, interfaceName, properties())) return true;
    if (!message.interface().isEmpty() && message.interface() != interfaceName) return false;
    const QString member = message.member();
    if (member == QLatin1String("Activate")) {
        click(message, onLeftClick);
    } else if (member == QLatin1String("ContextMenu")) {
        click(message, onRightClick);
    } else if (member == QLatin1String("SecondaryActivate") || member == QLatin1String("Scroll")) {
        connection.send(message.createReply());
    } else {
        return DBusProperties::refuse(message, connection);
    }
    return true;
}

void StatusNotifierItem::click(const QDBusMessage& message, const std::function<void()>& handler) {
    bus_.send(message.createReply());
    const auto arguments = message.arguments();
    const QPoint point = arguments.size() == 2 ? QPoint(arguments[0].toInt(), arguments[1].toInt()) : QPoint();
    // Some hosts (Waybar) send the point inside the item, not on the screen; a point that near the
    // origin is taken for one, and the panel goes to the corner by the bar instead.
    const bool insideTheItem = point.x() < itemLocalLimit && point.y() < itemLocalLimit;
    clickPoint_ = insideTheItem ? std::nullopt : std::optional<QRect>(QRect(point, QSize(1, 1)));
    if (handler) handler();
}

void StatusNotifierItem::emitSignal(const QString& name, const QVariantList& arguments) {
    QDBusMessage signal = QDBusMessage::createSignal(itemPath, interfaceName, name);
    signal.setArguments(arguments);
    bus_.send(signal);
}

}  // namespace corvelle
