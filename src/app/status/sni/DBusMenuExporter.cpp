#include "app/status/sni/DBusMenuExporter.h"

#include "app/status/sni/DBusMenuItemProperties.h"
#include "app/status/sni/DBusMenuLayoutItem.h"
#include "app/status/sni/DBusProperties.h"

#include <QDBusMessage>
#include <QDBusMetaType>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

namespace corvelle {
namespace {

const char* const introspection = R"xml(
  <interface name="com.canonical.dbusmenu">
    <property name="Version" type="u" access="read"/>
    <property name="TextDirection" type="s" access="read"/>
    <property name="Status" type="s" access="read"/>
    <property name="IconThemePath" type="as" access="read"/>
    <method name="GetLayout">
      <arg name="parentId" type="i" direction="in"/>
      <arg name="recursionDepth" type="i" direction="in"/>
      <arg name="propertyNames" type="as" direction="in"/>
      <arg name="revision" type="u" direction="out"/>
      <arg name="layout" type="(ia{sv}av)" direction="out"/>
    </method>
    <method name="GetGroupProperties">
      <arg name="ids" type="ai" direction="in"/>
      <arg name="propertyNames" type="as" direction="in"/>
      <arg name="properties" type="a(ia{sv})" direction="out"/>
    </method>
    <method name="GetProperty">
      <arg name="id" type="i" direction="in"/>
      <arg name="name" type="s" direction="in"/>
      <arg name="value" type="v" direction="out"/>
    </method>
    <method name="Event">
      <arg name="id" type="i" direction="in"/>
      <arg name="eventId" type="s" direction="in"/>
      <arg name="data" type="v" direction="in"/>
      <arg name="timestamp" type="u" direction="in"/>
    </method>
    <method name="EventGroup">
      <arg name="events" type="a(isvu)" direction="in"/>
      <arg name="idErrors" type="ai" direction="out"/>
    </method>
    <method name="AboutToShow">
      <arg name="id" type="i" direction="in"/>
      <arg name="needUpdate" type="b" direction="out"/>
    </method>
    <signal name="ItemsPropertiesUpdated">
      <arg name="updatedProps" type="a(ia{sv})"/>
      <arg name="removedProps" type="a(ias)"/>
    </signal>
    <signal name="LayoutUpdated">
      <arg name="revision" type="u"/>
      <arg name="parent" type="i"/>
    </signal>
    <signal name="ItemActivationRequested">
      <arg name="id" type="i"/>
      <arg name="timestamp" type="u"/>
    </signal>
  </interface>
)xml";

// dbusmenu labels mark the access key with "_": a literal one is doubled.
QString label(const QAction& action) {
    QString text = action.text();
    text.replace(QLatin1Char('_'), QStringLiteral("__"));
    return text;
}

QVariantMap describe(const QAction& action) {
    if (action.isSeparator()) return {{QStringLiteral("type"), QStringLiteral("separator")}};
    return {{QStringLiteral("label"), label(action)},
            {QStringLiteral("enabled"), action.isEnabled()},
            {QStringLiteral("visible"), action.isVisible()}};
}

QVariantMap only(const QVariantMap& properties, const QStringList& names) {
    if (names.isEmpty()) return properties;
    QVariantMap chosen;
    for (const auto& name : names) {
        if (properties.contains(name)) chosen.insert(name, properties.value(name));
    }
    return chosen;
}

template <typename T>
T argument(const QDBusMessage& message, int index) {
    const auto arguments = message.arguments();
    return index < arguments.size() ? qdbus_cast<T>(arguments[index]) : T();
}

}  // namespace

DBusMenuExporter::DBusMenuExporter(QDBusConnection bus, QString path, std::function<QMenu*()> makeMenu)
    : bus_(std::move(bus)), path_(std::move(path)), makeMenu_(std::move(makeMenu)) {
    qDBusRegisterMetaType<DBusMenuLayoutItem>();
    qDBusRegisterMetaType<DBusMenuItemProperties>();
    qDBusRegisterMetaType<QList<DBusMenuItemProperties>>();
    bus_.registerVirtualObject(path_, this, QDBusConnection::SingleNode);
}

DBusMenuExporter::~DBusMenuExporter() { bus_.unregisterObject(path_); }

QString DBusMenuExporter::introspect(const QString&) const { return QString::fromLatin1(introspection); }

bool DBusMenuExporter::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
    const QVariantMap properties{
        {QStringLiteral("Version"), 3u},
        {QStringLiteral("TextDirection"),
         QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr")},
        {QStringLiteral("Status"), QStringLiteral("normal")},
        {QStringLiteral("IconThemePath"), QStringList()}};
    if (DBusProperties::answer(message, connection, interfaceName, properties)) return true;
    if (!message.interface().isEmpty() && message.interface() != interfaceName) return false;
    const QString member = message.member();
    if (member == QLatin1String("GetLayout")) {
        getLayout(message);
    } else if (member == QLatin1String("GetGroupProperties")) {
        getGroupProperties(message);
    } else if (member == QLatin1String("GetProperty")) {
        const auto row = rowProperties(argument<int>(message, 0), {});
        const QString name = argument<QString>(message, 1);
        if (!row.contains(name)) return DBusProperties::refuse(message, connection);
        bus_.send(message.createReply(QVariant::fromValue(QDBusVariant(row.value(name)))));
    } else if (member == QLatin1String("AboutToShow")) {
        aboutToShow(message);
    } else if (member == QLatin1String("Event")) {
        bus_.send(message.createReply());
        event(argument<int>(message, 0), argument<QString>(message, 1));
    } else if (member == QLatin1String("EventGroup")) {
        eventGroup(message);
    } else {
        // Hosts that try AboutToShowGroup fall back to AboutToShow.
        return DBusProperties::refuse(message, connection);
    }
    return true;
}

bool DBusMenuExporter::refresh() {
    menu_.reset(makeMenu_ ? makeMenu_() : nullptr);
    std::vector<QVariantMap> rows;
    if (menu_) {
        for (const QAction* action : menu_->actions()) rows.push_back(describe(*action));
    }
    if (rows == rows_ && revision_ > 0) return false;
    rows_ = std::move(rows);
    ++revision_;
    return true;
}

QVariantMap DBusMenuExporter::rowProperties(int id, const QStringList& names) const {
    if (id == 0) return only({{QStringLiteral("children-display"), QStringLiteral("submenu")}}, names);
    if (id < 0 || static_cast<size_t>(id) > rows_.size()) return {};
    return only(rows_[id - 1], names);
}

void DBusMenuExporter::getLayout(const QDBusMessage& message) {
    const int parent = argument<int>(message, 0);
    const int depth = argument<int>(message, 1);
    const auto names = argument<QStringList>(message, 2);
    if (parent == 0 || revision_ == 0) refresh();
    if (parent < 0 || static_cast<size_t>(parent) > rows_.size()) {
        bus_.send(message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("no such menu item")));
        return;
    }
    DBusMenuLayoutItem root{parent, rowProperties(parent, names), {}};
    if (parent == 0 && depth != 0) {
        for (size_t row = 0; row < rows_.size(); ++row) {
            const int id = static_cast<int>(row) + 1;
            root.children.append({id, rowProperties(id, names), {}});
        }
    }
    bus_.send(message.createReply({QVariant::fromValue(revision_), QVariant::fromValue(root)}));
}

void DBusMenuExporter::getGroupProperties(const QDBusMessage& message) {
    auto ids = argument<QList<int>>(message, 0);
    const auto names = argument<QStringList>(message, 1);
    if (ids.isEmpty()) {
        for (size_t row = 0; row <= rows_.size(); ++row) ids.append(static_cast<int>(row));
    }
    QList<DBusMenuItemProperties> items;
    for (int id : ids) {
        if (id >= 0 && static_cast<size_t>(id) <= rows_.size()) items.append({id, rowProperties(id, names)});
    }
    bus_.send(message.createReply(QVariant::fromValue(items)));
}

void DBusMenuExporter::aboutToShow(const QDBusMessage& message) {
    const bool changed = argument<int>(message, 0) == 0 && refresh();
    bus_.send(message.createReply(QVariant(changed)));
    if (changed) {
        QDBusMessage signal = QDBusMessage::createSignal(path_, interfaceName, QStringLiteral("LayoutUpdated"));
        signal << revision_ << 0;
        bus_.send(signal);
    }
}

// libdbusmenu's hosts (Waybar's menu among them) send their clicks as a group of one.
void DBusMenuExporter::eventGroup(const QDBusMessage& message) {
    const QVariant group = message.arguments().value(0);
    if (!group.canConvert<QDBusArgument>()) {
        bus_.send(message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("expected a(isvu)")));
        return;
    }
    std::vector<std::pair<int, QString>> events;
    QList<int> unknown;
    const QDBusArgument list = group.value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        int id = 0;
        QString kind;
        QDBusVariant data;
        uint timestamp = 0;
        list.beginStructure();
        list >> id >> kind >> data >> timestamp;
        list.endStructure();
        if (id < 0 || static_cast<size_t>(id) > rows_.size()) unknown << id;
        events.emplace_back(id, kind);
    }
    list.endArray();
    bus_.send(message.createReply(QVariant::fromValue(unknown)));
    for (const auto& [id, kind] : events) event(id, kind);
}

void DBusMenuExporter::event(int id, const QString& kind) {
    if (kind != QLatin1String("clicked") || !menu_ || id < 1 || id > menu_->actions().size()) return;
    QPointer<QAction> action = menu_->actions()[id - 1];
    QTimer::singleShot(0, action, [action] {
        if (action && !action->isSeparator()) action->trigger();
    });
}

}  // namespace corvelle
