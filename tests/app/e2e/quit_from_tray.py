#!/usr/bin/python3
"""Acts as the tray host on the running program's item: waits for it to register with a label,
checks that it is the only item, reads its label and menu, then clicks "Quit Corvelle"."""
import re
import sys
import time

import dbus

PROPERTIES = "org.freedesktop.DBus.Properties"
ITEM = "org.kde.StatusNotifierItem"


def main():
    bus = dbus.SessionBus()
    watcher = bus.get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher")
    deadline = time.time() + 90
    label = ""
    while not label:
        if time.time() > deadline:
            sys.exit("no item with a label registered")
        time.sleep(0.2)
        items = watcher.Get("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems", dbus_interface=PROPERTIES)
        if items:
            values = bus.get_object(items[0], "/StatusNotifierItem").GetAll(ITEM, dbus_interface=PROPERTIES)
            label = str(values["XAyatanaLabel"])
    if len(items) != 1:
        sys.exit("one icon per program, got %s" % list(items))
    if str(values["ToolTip"][2]) != label or str(values["XAyatanaLabelGuide"]) != re.sub(r"\d", "0", label):
        sys.exit("label, tooltip and guide disagree: %s" % values)
    if not label.startswith("CPU "):
        sys.exit("unexpected label %r" % label)

    menu = bus.get_object(items[0], values["Menu"])
    menu.AboutToShow(0, dbus_interface="com.canonical.dbusmenu")
    _, layout = menu.GetLayout(0, -1, [], dbus_interface="com.canonical.dbusmenu")
    rows = {str(row[1].get("label", "")): int(row[0]) for row in layout[2]}
    if "Quit Corvelle" not in rows:
        sys.exit("no Quit row in %s" % rows)
    menu.Event(rows["Quit Corvelle"], "clicked", dbus.String("", variant_level=1), dbus.UInt32(0),
               dbus_interface="com.canonical.dbusmenu")
    print("label %r; quit clicked" % label)


if __name__ == "__main__":
    main()
