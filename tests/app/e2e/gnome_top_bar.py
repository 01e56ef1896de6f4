#!/usr/bin/python3
"""Corvelle under the real GNOME Shell that gnome.sh starts. Without the extension: the status
window is drawn within a second of being mapped, stays below a maximized window's title bar, and
the notice about the top bar comes. With the extension turned on through the shell's extensions
interface (as the settings button does): the item shows the live title in the top bar in place of
the window, a left click opens the panel under it, a right click shows Corvelle's menu, whose
first row opens the panel too, and the item goes with the program and comes back with it.
Screenshots go to ARTIFACTS.
Usage: gnome_top_bar.py CORVELLE ARTIFACTS UUID WORK"""
import json
import os
import subprocess
import sys
import time

import dbus

app, artifacts, uuid, work = sys.argv[1:5]
bus = dbus.SessionBus()
PRIMARY, SECONDARY = 1, 3


def shot(name, area=None):
    """A screenshot, saved in ARTIFACTS, or of an area in WORK."""
    path = os.path.join(work if area else artifacts, name)
    screenshot = bus.get_object("org.gnome.Shell.Screenshot", "/org/gnome/Shell/Screenshot")
    if area:
        screenshot.ScreenshotArea(*area, False, path, dbus_interface="org.gnome.Shell.Screenshot")
    else:
        screenshot.Screenshot(False, False, path, dbus_interface="org.gnome.Shell.Screenshot")
    return path


def fail(message):
    try:
        shot("gnome-failure.png")
    finally:
        sys.exit("FAIL: " + message)


def ev(code):
    """The value of JavaScript `code` in the shell (through the driver's unsafe mode)."""
    ok, result = bus.get_object("org.gnome.Shell", "/org/gnome/Shell").Eval(code, dbus_interface="org.gnome.Shell")
    if not ok:
        raise RuntimeError(str(result) or "Eval refused")
    return json.loads(result) if result else None


def until(what, check, seconds=20.0):
    """The first true value of `check` within `seconds`; fails with `what` otherwise."""
    deadline = time.time() + seconds
    while True:
        try:
            value = check()
        except (dbus.DBusException, RuntimeError):
            value = None
        if value:
            return value
        if time.time() > deadline:
            fail(what)
        time.sleep(0.05)


def windows():
    """The shell's windows, bottom first: title and frame rectangle (x, y, width, height)."""
    return ev("""global.display.sort_windows_by_stacking(global.get_window_actors().map(a => a.meta_window))
        .map(w => { const r = w.get_frame_rect(); return {title: w.get_title(), rect: [r.x, r.y, r.width, r.height]}; })""")


def window(title):
    return next((w for w in windows() if w["title"] == title), None)


def colours(path):
    return int(subprocess.check_output(["convert", path, "-format", "%k", "info:"]))


def item():
    """Corvelle's item in the top bar: its rectangle and the title it shows, or None."""
    return ev("""(() => {
        const button = Main.panel.statusArea['%s'];
        if (!button || !button.visible) return null;
        const shown = [];
        const walk = actor => {
            if (actor instanceof imports.gi.St.Label && actor.opacity > 0 && actor.visible) shown.push(actor.text);
            actor.get_children().forEach(walk);
        };
        walk(button);
        const [x, y] = button.get_transformed_position();
        const [width, height] = button.get_transformed_size();
        if (!(width > 0)) return null;  // not laid out yet
        return {rect: [x, y, width, height].map(Math.round), title: shown.join(' ')};
    })()""" % uuid)


def click(x, y, button=PRIMARY):
    ev("testDriver.click(%d, %d, %d)" % (x, y, button))


def start(language="en"):
    return subprocess.Popen([app], stdout=open(os.path.join(work, "app.log"), "a"), stderr=subprocess.STDOUT,
                            env=dict(os.environ, LANGUAGE=language))


def menu_rows():
    click(*item_centre(), SECONDARY)
    until("a right click did not open the menu", lambda: ev("Main.panel.statusArea['%s'].menu.isOpen" % uuid))
    time.sleep(0.3)  # the menu's opening animation
    return ev("Main.panel.statusArea['%s'].menu._getMenuItems().map(i => i.label && i.label.text || '-')" % uuid)


def published():
    """The title the program publishes for the item."""
    return str(bus.get_object("io.mirelo.corvelle.TopBarItem", "/io/mirelo/corvelle/TopBarItem").Get(
        "io.mirelo.corvelle.TopBarItem", "Label", dbus_interface="org.freedesktop.DBus.Properties"))


def item_centre():
    x, y, width, height = item()["rect"]
    return x + width // 2, y + height // 2


def stop(program):
    program.terminate()
    if program.wait(20) != 0:
        fail("the program ended with status %d" % program.returncode)


until("the shell did not start", lambda: ev("Main.layoutManager._startingUp === false"), 60)
ev("Main.overview.hide()")
until("the overview stayed", lambda: not ev("Main.overview.visible"))
for name in ("DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY"):
    os.environ[name] = ev("imports.gi.GLib.getenv('%s')" % name)

# Without the extension: Corvelle's own window in the corner, drawn at once, under other windows.
program = start()
mapped = until("no status window", lambda: window("Corvelle status"))
seen = time.time()
area = mapped["rect"]
until("the status window was not drawn within a second",
      lambda: colours(shot("status-window-area.png", area)) > 1, 1.0)
print("status window drawn %.2f s after it was mapped" % (time.time() - seen))
shot("gnome-status-window.png")
until("no notice about the top bar", lambda: ev("""Main.messageTray.getSources().flatMap(s => s.notifications)
      .some(n => n.title === 'Corvelle can go in the top bar')"""))
logo = subprocess.Popen(["xlogo"])
until("no xlogo window", lambda: window("xlogo"))
ev("global.get_window_actors().map(a => a.meta_window).find(w => w.get_title() === 'xlogo')"
   ".maximize(imports.gi.Meta.MaximizeFlags.BOTH)")
until("xlogo was not maximized", lambda: window("xlogo")["rect"][2] == 1280)
order = [w["title"] for w in windows()]
if order.index("Corvelle status") > order.index("xlogo"):
    fail("the status window is above the maximized window: %s" % order)
# The shell shows a resized X11 window's content only after it next redraws the screen.
ev("global.stage.queue_redraw()")
time.sleep(0.5)
shot("gnome-maximized.png")
logo.terminate()

# The extension on: the item replaces the window, and no second item goes to any tray.
if not bus.get_object("org.gnome.Shell", "/org/gnome/Shell").EnableExtension(
        uuid, dbus_interface="org.gnome.Shell.Extensions"):
    fail("the shell did not enable the extension")
# The title the item shows is the one the program publishes at that moment (it may tick between).
shown = until("no item with the program's live title in the top bar",
              lambda: item() if (item() or {}).get("title", "").startswith("CPU ") and item()["title"] == published()
              else None)
until("the status window stayed", lambda: not window("Corvelle status"))
names = bus.get_object("org.freedesktop.DBus", "/org/freedesktop/DBus").ListNames(dbus_interface="org.freedesktop.DBus")
if any(name.startswith("org.kde.StatusNotifierItem") for name in names):
    fail("a StatusNotifierItem was registered beside the top bar item")
shot("gnome-top-bar.png")

x, y, width, height = item()["rect"]
click(*item_centre())
panel = until("a left click did not open the panel", lambda: window("Corvelle"))
seen = time.time()
until("the panel was not drawn within a second", lambda: colours(shot("panel-area.png", panel["rect"])) > 1, 1.0)
print("panel drawn %.2f s after it was mapped" % (time.time() - seen))
px, py, pwidth, pheight = panel["rect"]
workarea = ev("(() => { const r = Main.layoutManager.getWorkAreaForMonitor(0); return [r.x, r.y, r.width, r.height]; })()")
expected_x = min(max(x + width / 2 - pwidth / 2, workarea[0]), workarea[0] + workarea[2] - pwidth)
if abs(px - expected_x) > 2 or not 0 <= py - (y + height + 4) <= 2:
    fail("the panel at %s is not under the item at %s" % (panel["rect"], item()["rect"]))
shot("gnome-panel.png")
click(*item_centre())
until("a second left click did not hide the panel", lambda: not window("Corvelle"))

rows = menu_rows()
if rows != ["Open Corvelle", "-", "Settings\u2026", "Check for Updates\u2026", "-", "Quit Corvelle"]:
    fail("the menu has %s" % rows)
shot("gnome-menu.png")
row = ev("""(() => { const row = Main.panel.statusArea['%s'].menu._getMenuItems()[0];
    const [x, y] = row.get_transformed_position(); const [w, h] = row.get_transformed_size();
    return [x + w / 2, y + h / 2].map(Math.round); })()""" % uuid)
click(*row)
until("the menu's first row did not open the panel", lambda: window("Corvelle"))

stop(program)
until("the item stayed after the program quit", lambda: item() is None, 5)
shot("gnome-without-corvelle.png")
program = start("es")
until("the item did not come back", lambda: (item() or {}).get("title", "").startswith("CPU "))
rows = menu_rows()
if rows != ["Abrir Corvelle", "-", "Ajustes\u2026", "Buscar actualizaciones\u2026", "-", "Salir de Corvelle"]:
    fail("the Spanish menu has %s" % rows)
shot("gnome-menu-es.png")
stop(program)
print("gnome top bar: %r" % shown["title"])
