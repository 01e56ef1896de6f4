#!/usr/bin/python3
"""A stand-in for a tray: the StatusNotifierWatcher and a host that follows its items.

It keeps the registered items (dropping one whose owner leaves the bus), lists its properties
in its introspection data as real watchers do, and, like a host, listens to each item's change
signals and to its menu's LayoutUpdated. io.mirelo.corvelle.Test offers Received() (the signals
heard, as "Name:arg|arg" lines, in order), Clear() and Restart() (gives the watcher name up and
takes it again, as a restarted tray does). Prints "ready" once the name is owned.
"""
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.kde.StatusNotifierWatcher"
PROPERTIES = "org.freedesktop.DBus.Properties"
TEST = "io.mirelo.corvelle.Test"
INTROSPECTION = """<node>
  <interface name="org.kde.StatusNotifierWatcher">
    <method name="RegisterStatusNotifierItem"><arg name="service" type="s" direction="in"/></method>
    <method name="RegisterStatusNotifierHost"><arg name="service" type="s" direction="in"/></method>
    <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
    <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
    <property name="ProtocolVersion" type="i" access="read"/>
    <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
    <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
    <signal name="StatusNotifierHostRegistered"/>
  </interface>
  <interface name="org.freedesktop.DBus.Properties">
    <method name="Get"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
    <method name="GetAll"><arg type="s" direction="in"/><arg type="a{sv}" direction="out"/></method>
  </interface>
  <interface name="org.freedesktop.DBus.Introspectable">
    <method name="Introspect"><arg type="s" direction="out"/></method>
  </interface>
</node>"""


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/StatusNotifierWatcher")
        self.bus = bus
        self.items = []
        self.received = []
        self.name = dbus.service.BusName(NAME, bus)
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged", "org.freedesktop.DBus")
        bus.add_signal_receiver(self.heard, None, "org.kde.StatusNotifierItem", member_keyword="member",
                                sender_keyword="sender")
        bus.add_signal_receiver(self.heard, "LayoutUpdated", "com.canonical.dbusmenu", member_keyword="member",
                                sender_keyword="sender")

    def heard(self, *args, member=None, sender=None):
        self.received.append(member + ":" + "|".join(str(a) for a in args))

    def owner_changed(self, name, old, new):
        if not new and name in self.items:
            self.items.remove(name)
            self.StatusNotifierItemUnregistered(name)

    @dbus.service.method(NAME, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        if service.startswith("/"):
            service = sender + service
        if service not in self.items:
            self.items.append(service)
        self.StatusNotifierItemRegistered(service)

    @dbus.service.method(NAME, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(NAME, signature="s")
    def StatusNotifierItemRegistered(self, service):
        pass

    @dbus.service.signal(NAME, signature="s")
    def StatusNotifierItemUnregistered(self, service):
        pass

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0)}

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
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


def main():
    DBusGMainLoop(set_as_default=True)
    watcher = Watcher(dbus.SessionBus())
    print("ready", flush=True)
    loop = GLib.MainLoop()
    GLib.timeout_add_seconds(300, loop.quit)  # never outlive a stuck test
    loop.run()
    del watcher


if __name__ == "__main__":
    main()
