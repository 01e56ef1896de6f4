#!/usr/bin/python3
"""Stand-ins for UPower's battery device and the power profiles daemon on the session bus.

fake_power_daemons.py PROFILES_NAME [--upower]
  PROFILES_NAME  the bus name the profiles daemon answers on (org.freedesktop.UPower.PowerProfiles
                 or net.hadess.PowerProfiles); its object path follows from it.
  --upower       also serve org.freedesktop.UPower with battery_BAT0 offering a 75/80 threshold.
The test interface io.mirelo.corvelle.Test.ChangeProfile makes a change as the daemon itself would.
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PROPERTIES = "org.freedesktop.DBus.Properties"


class PropertyObject(dbus.service.Object):
    """An object whose properties live in a dict under one interface."""

    def __init__(self, bus, path, interface, properties):
        super().__init__(bus, path)
        self.interface = interface
        self.properties = properties

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        if interface != self.interface:
            raise dbus.exceptions.DBusException("no such interface", name="org.freedesktop.DBus.Error.UnknownInterface")
        return self.properties

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.GetAll(interface)[name]

    @dbus.service.signal(PROPERTIES, signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass

    def change(self, name, value):
        self.properties[name] = value
        self.PropertiesChanged(self.interface, {name: value}, [])


class Profiles(PropertyObject):
    def __init__(self, bus, name):
        path = "/" + name.replace(".", "/")
        profiles = dbus.Array([dbus.Dictionary({"Profile": p, "Driver": "placeholder"}, signature="sv")
                               for p in ("power-saver", "balanced", "performance")], signature="a{sv}")
        super().__init__(bus, path, name, {"Profiles": profiles, "ActiveProfile": "balanced"})

    @dbus.service.method(PROPERTIES, in_signature="ssv", out_signature="")
    def Set(self, interface, name, value):
        if interface != self.interface or name != "ActiveProfile":
            raise dbus.exceptions.DBusException("read-only", name="org.freedesktop.DBus.Error.PropertyReadOnly")
        self.change(name, dbus.String(value))

    @dbus.service.method("io.mirelo.corvelle.Test", in_signature="s", out_signature="")
    def ChangeProfile(self, profile):
        self.change("ActiveProfile", dbus.String(profile))


class Battery(PropertyObject):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/UPower/devices/battery_BAT0", "org.freedesktop.UPower.Device",
                         {"NativePath": "BAT0", "ChargeThresholdSupported": True, "ChargeThresholdEnabled": False,
                          "ChargeStartThreshold": dbus.UInt32(75), "ChargeEndThreshold": dbus.UInt32(80)})

    @dbus.service.method("org.freedesktop.UPower.Device", in_signature="b", out_signature="")
    def EnableChargeThreshold(self, enabled):
        self.change("ChargeThresholdEnabled", dbus.Boolean(enabled))


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    keep = [dbus.service.BusName(sys.argv[1], bus), Profiles(bus, sys.argv[1])]
    if "--upower" in sys.argv:
        keep += [dbus.service.BusName("org.freedesktop.UPower", bus), Battery(bus)]
    loop = GLib.MainLoop()
    GLib.timeout_add_seconds(120, loop.quit)  # never outlive a stuck test
    loop.run()
    del keep


if __name__ == "__main__":
    main()
