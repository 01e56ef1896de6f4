#!/usr/bin/env bash
# The StatusNotifierItem against the fake tray of fake_watcher.py on a private session bus (run
# under dbus-run-session): the item's own tests and those of the top bar item and GNOME Shell's
# extensions interface, then the whole program, offscreen, started before the tray, following it
# as it goes and comes back, and quitting from the tray's menu with its usage files saved.
# Usage: status_notifier.sh CORVELLE_APP_TESTS CORVELLE
set -euo pipefail
source "$(dirname "$0")/session.sh"
fail() { echo "FAIL: $*" >&2; cat "$work/app.log" >&2 2>/dev/null; exit 1; }

start_fake fake_watcher.py
CORVELLE_FAKE_WATCHER=1 QT_QPA_PLATFORM=offscreen "$1" --gtest_filter='StatusNotifierOnBus.*:TopBarOnBus.*'

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
# The tray comes up after the program (a panel still starting at login): the item moves to it.
stop_fake
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LANGUAGE=en "$2" >"$work/app.log" 2>&1 &
app=$!
pids+=("$app")
wait_for 300 dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.GetNameOwner \
  string:io.mirelo.corvelle || fail "the program did not start"
sleep 1  # its status window and first title
start_fake fake_watcher.py
# The tray goes away (the item leaves the bus for the status window) and comes back (the item too).
item_on_bus() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.ListNames |
  grep -q StatusNotifierItem-; }
wait_for 300 item_on_bus || fail "the item did not move to the tray"
stop_fake
wait_for 300 bash -c "$(declare -f item_on_bus); ! item_on_bus" || fail "the item stayed without a tray"
start_fake fake_watcher.py
/usr/bin/python3 "$here/quit_from_tray.py" || fail "the tray could not use the item"
wait "$app" || fail "the program did not end normally ($?)"
check_saved "$XDG_DATA_HOME/io.mirelo.corvelle"
echo "status notifier test passed"
