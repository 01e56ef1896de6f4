#!/usr/bin/python3
"""The tray host's side against the running program: once its one item has a label, checks the
label, tooltip and guide (the widest title of the same parts) agree and that its icon name is in
the theme it points to (the build tree's), then clicks "Quit Corvelle" in its menu."""
import os
import re
import sys
import time

import dbus

PROPERTIES, MENU = "org.freedesktop.DBus.Properties", "com.canonical.dbusmenu"
bus = dbus.SessionBus()
watcher = bus.get_object("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher")
label, deadline = "", time.time() + 90
while not label and time.time() < deadline:
    time.sleep(0.2)
    items = watcher.Get("org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems", dbus_interface=PROPERTIES)
    if items:
        values = bus.get_object(items[0], "/StatusNotifierItem").GetAll("org.kde.StatusNotifierItem",
                                                                        dbus_interface=PROPERTIES)
        label = str(values["XAyatanaLabel"])
if not label.startswith("CPU ") or len(items) != 1:
    sys.exit("expected one item titled CPU …, got %s with %r" % (list(items), label))
guide = str(values["XAyatanaLabelGuide"])
if str(values["ToolTip"][2]) != label or re.search(r"[1-9]", guide) or guide.count(" | ") != label.count(" | ") \
        or len(guide) < len(label):
    sys.exit("label, tooltip and guide disagree: %s" % values)
name = str(values["IconName"])
# A computer without a battery has the one symbolic picture, which hosts recolour.
picture = "scalable/status/%s.svg" if name.endswith("-symbolic") else "48x48/status/%s.png"
icon = os.path.join(values["IconThemePath"], "hicolor", picture % name)
if not values["IconName"].startswith("io.mirelo.corvelle-") or not os.path.isfile(icon):
    sys.exit("no themed icon: %s" % icon)
menu = bus.get_object(items[0], values["Menu"])
menu.AboutToShow(0, dbus_interface=MENU)
rows = {str(row[1].get("label", "")): int(row[0]) for row in menu.GetLayout(0, -1, [], dbus_interface=MENU)[1][2]}
menu.Event(rows["Quit Corvelle"], "clicked", dbus.String("", variant_level=1), dbus.UInt32(0), dbus_interface=MENU)
print("label %r; quit clicked" % label)
