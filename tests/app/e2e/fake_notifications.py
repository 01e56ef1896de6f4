#!/usr/bin/python3
"""A stand-in for the desktop's notification service on the session bus.

Every Notify call is appended to the log file (first argument) as one JSON object per line.
With --no-markup the service says it shows the body as plain text. Prints "ready" once the name is owned.
"""
import json
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus, log_path, markup):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log_path = log_path
        self.markup = markup
        self.next_id = 1

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, app_name, replaces_id, app_icon, summary, body, actions, hints, timeout):
        record = {
            "app_name": str(app_name), "replaces_id": int(replaces_id), "app_icon": str(app_icon),
            "summary": str(summary), "body": str(body), "actions": [str(a) for a in actions],
            "hints": {str(k): (bool(v) if isinstance(v, dbus.Boolean) else str(v)) for k, v in hints.items()},
            "timeout": int(timeout),
        }
        with open(self.log_path, "a", encoding="utf-8") as log:
            log.write(json.dumps(record) + "\n")
        self.next_id += 1
        return self.next_id - 1

    @dbus.service.method(NAME, in_signature="", out_signature="as")
    def GetCapabilities(self):
        return ["body", "body-markup"] if self.markup else ["body"]

    @dbus.service.method(NAME, in_signature="", out_signature="ssss")
    def GetServerInformation(self):
        return ("fake", "test", "1.0", "1.2")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    name = dbus.service.BusName(NAME, bus)
    service = Notifications(bus, sys.argv[1], "--no-markup" not in sys.argv)
    print("ready", flush=True)
    loop = GLib.MainLoop()
    GLib.timeout_add_seconds(120, loop.quit)  # never outlive a stuck test
    loop.run()
    del name, service


if __name__ == "__main__":
    main()
