#!/usr/bin/python3
"""A fake tray: the StatusNotifierWatcher, which drops an item whose owner leaves the bus, and a
host that records every item signal and menu LayoutUpdated it hears ("Name:arg|arg"), and what
the top bar item tells the GNOME Shell extension ("PropertiesChanged:Name=value|Name=value").
io.mirelo.corvelle.Test: Received(), Clear(), Restart() (gives the name up and takes it again,
as a restarted tray does). Prints "ready" once the name is owned."""
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.kde.StatusNotifierWatcher"
TEST = "io.mirelo.corvelle.Test"
# Qt reads a watcher's properties through its introspection data.
INTROSPECTION = """<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
</interface></node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.bus, self.items, self.received = bus, [], []
        self.name = dbus.service.BusName(NAME, bus)
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged", "org.freedesktop.DBus")
        for interface in ("org.kde.StatusNotifierItem", "com.canonical.dbusmenu"):
            bus.add_signal_receiver(self.heard, None, interface, member_keyword="member")
        # What the top bar item tells the GNOME Shell extension.
        bus.add_signal_receiver(self.properties_changed, "PropertiesChanged", "org.freedesktop.DBus.Properties",
                                path="/io/mirelo/corvelle/TopBarItem")

    def properties_changed(self, interface, changed, invalidated):
        self.received.append("PropertiesChanged:" + "|".join("%s=%s" % item for item in sorted(changed.items())))

    def heard(self, *args, member=None):
        self.received.append(member + ":" + "|".join(str(a) for a in args))

    def owner_changed(self, name, old, new):
        if not new and name in self.items:
            self.items.remove(name)
            self.StatusNotifierItemUnregistered(name)

    @dbus.service.method(NAME, in_signature="s")
    def RegisterStatusNotifierItem(self, service):
        if service not in self.items:
            self.items.append(service)
        self.StatusNotifierItemRegistered(service)

    @dbus.service.signal(NAME, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.signal(NAME, signature="s")
    def StatusNotifierItemUnregistered(self, service):
        pass

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0)}

    @dbus.service.method("org.freedesktop.DBus.Properties", in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.method("org.freedesktop.DBus.Introspectable", out_signature="s")
    def Introspect(self):
        return INTROSPECTION

    @dbus.service.method(TEST, out_signature="as")
    def Received(self):
        return self.received

    @dbus.service.method(TEST)
    def Clear(self):
        self.received = []

    @dbus.service.method(TEST)
    def Restart(self):
        self.items = []
        self.name = None  # the last reference: the name is released
        self.name = dbus.service.BusName(NAME, self.bus)


DBusGMainLoop(set_as_default=True)
watcher = Watcher(dbus.SessionBus())
print("ready", flush=True)
loop = GLib.MainLoop()
GLib.timeout_add_seconds(300, loop.quit)  # never outlive a stuck test
loop.run()
