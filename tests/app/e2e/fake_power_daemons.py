#!/usr/bin/python3
# Stand-ins for the power profiles daemon and UPower's battery device on the session bus.
# fake_power_daemons.py PROFILES_NAME [--upower]: the profiles daemon answers on PROFILES_NAME (its
# object path follows from it); --upower adds org.freedesktop.UPower with battery_BAT0 offering a
# 75/80 threshold. io.mirelo.corvelle.Test.ChangeProfile makes a change as the daemon itself would.
# Prints "ready" once every name is owned.
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

PROPERTIES = "org.freedesktop.DBus.Properties"


class Fake(dbus.service.Object):
    def __init__(self, bus, path, interface, properties):
        super().__init__(bus, path)
        self.interface, self.properties = interface, properties

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return self.properties

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        return self.properties[name]

    @dbus.service.method(PROPERTIES, in_signature="ssv", out_signature="")
    def Set(self, interface, name, value):
        self.change(name, dbus.String(value))

    @dbus.service.signal(PROPERTIES, signature="sa{sv}as")
    def PropertiesChanged(self, interface, changed, invalidated):
        pass

    @dbus.service.method("io.mirelo.corvelle.Test", in_signature="s", out_signature="")
    def ChangeProfile(self, profile):
        self.change("ActiveProfile", dbus.String(profile))

    @dbus.service.method("org.freedesktop.UPower.Device", in_signature="b", out_signature="")
    def EnableChargeThreshold(self, enabled):
        self.change("ChargeThresholdEnabled", dbus.Boolean(enabled))

    def change(self, name, value):
        self.properties[name] = value
        self.PropertiesChanged(self.interface, {name: value}, [])


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = sys.argv[1]
    profiles = dbus.Array([{"Profile": p, "Driver": "placeholder"} for p in ("power-saver", "balanced", "performance")],
                          signature="a{sv}")
    keep = [Fake(bus, "/" + name.replace(".", "/"), name, {"Profiles": profiles, "ActiveProfile": "balanced"}),
            dbus.service.BusName(name, bus)]
    if "--upower" in sys.argv:
        battery = {"ChargeThresholdSupported": True, "ChargeThresholdEnabled": False,
                   "ChargeStartThreshold": dbus.UInt32(75), "ChargeEndThreshold": dbus.UInt32(80)}
        keep += [Fake(bus, "/org/freedesktop/UPower/devices/battery_BAT0", "org.freedesktop.UPower.Device", battery),
                 dbus.service.BusName("org.freedesktop.UPower", bus)]
    print("ready", flush=True)
    loop = GLib.MainLoop()
    GLib.timeout_add_seconds(120, loop.quit)  # never outlive a stuck test
    loop.run()
    del keep


if __name__ == "__main__":
    main()
