#!/usr/bin/env bash
# End to end under a real Wayland compositor: headless sway (pixman renderer) with XWayland, Waybar's
# tray as the StatusNotifierItem host and a virtual pointer. Corvelle picks XWayland by itself; a
# click on its tray icon and the first row of Waybar's menu each open the panel floating in the
# top-right corner under the bar; once Waybar is gone the status window floats in the corner.
# Without X, the same as native Wayland windows.
# Screenshots (grim) go to ARTIFACT_DIR. Run as root, it runs itself as an unprivileged user.
# Usage: wayland.sh CORVELLE ARTIFACT_DIR
set -euo pipefail
app="$1"; artifacts="$2"
for tool in sway swaymsg waybar grim Xwayland; do
  if ! command -v "$tool" >/dev/null; then
    [ -n "${CI:-}" ] && { echo "FAIL: $tool is missing" >&2; exit 1; }
    echo "SKIP: $tool is not installed"; exit 77
  fi
done
mkdir -p "$artifacts"

source "$(dirname "$0")/unprivileged.sh" "$@"
if [ -z "${CORVELLE_E2E_BUS:-}" ]; then
  CORVELLE_E2E_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

source "$(dirname "$0")/session.sh"
fail() { echo "FAIL: $*" >&2; grim "$artifacts/wayland-failure.png" 2>/dev/null || true; tail -n 20 "$work"/*.log >&2; exit 1; }
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LANGUAGE=en NO_AT_BRIDGE=1
export WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

cat >"$work/sway.conf" <<CONF
output HEADLESS-1 mode 1280x800
xwayland enable
exec env >"$work/sway.env.part" && mv "$work/sway.env.part" "$work/sway.env"
CONF
sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
pids+=($!)
wait_for 100 test -s "$work/sway.env" || fail "sway did not start"
eval "$(grep -E '^(WAYLAND_DISPLAY|DISPLAY|SWAYSOCK)=' "$work/sway.env" | sed 's/^/export /')"

echo '{"layer": "top", "position": "top", "height": 30, "modules-right": ["tray"], "tray": {"icon-size": 20}}' >"$work/waybar.json"
echo 'window#waybar { background: #202020; }' >"$work/waybar.css"
waybar -c "$work/waybar.json" -s "$work/waybar.css" >"$work/waybar.log" 2>&1 &
waybar=$!
pids+=("$waybar")
wait_for 100 gdbus introspect --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher || fail "no Waybar tray"

"$app" >"$work/app.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
registered() {
  gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher -m org.freedesktop.DBus.Properties.Get \
    org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems | grep -q "StatusNotifierItem-$app_pid-"
}
wait_for 200 registered || fail "the item did not register with Waybar"
sleep 1  # the icon is drawn
grim "$artifacts/wayland-tray.png"

coproc pointer { POINTER_WIDTH=1280 POINTER_HEIGHT=800 /usr/bin/python3 "$here/virtual_pointer.py"; }
pids+=("$pointer_PID")
read -r -t 10 _ <&"${pointer[0]}" || fail "no virtual pointer"
point() { echo "$*" >&"${pointer[1]}"; read -r -t 10 _ <&"${pointer[0]}"; }

# "shell floating x y width height" of our window titled $1 in sway's tree (x, y: the top-left
# corner of its frame), or nothing.
window() {
  swaymsg -t get_tree | /usr/bin/python3 -c '
import json, sys
def walk(node, floating):
    if node.get("pid") == int(sys.argv[2]) and node.get("name") == sys.argv[1] and node.get("visible"):
        r, deco = node["rect"], node["deco_rect"]["height"]
        print(node["shell"], floating, r["x"], r["y"] - deco, r["width"], r["height"] + deco)
    for child in node["nodes"]: walk(child, floating)
    for child in node["floating_nodes"]: walk(child, "floating")
walk(json.load(sys.stdin), "tiled")' "$1" "$app_pid"
}
# Waits until window $1 is shown, placed as the rest of the arguments say (a python expression
# over shell, floating, x, y, w, h), then saves a screenshot as $2.
placed() {
  local title="$1" shot="$2" condition="$3" found=""
  for _ in $(seq 40); do
    found="$(window "$title")"
    [ -n "$found" ] && /usr/bin/python3 -c "
import sys; shell, floating, x, y, w, h = sys.argv[1], sys.argv[2], *map(int, sys.argv[3:])
sys.exit(0 if ($condition) else 1)" $found && { grim "$artifacts/$shot"; return 0; }
    sleep 0.1
  done
  fail "$title: expected $condition, got '${found:-no window}'"
}
# The panel: through XWayland, floating, its right edge 4 pixels from the screen's, 4 below the bar.
panel_placed='shell == "xwayland" and floating == "floating" and x + w == 1276 and y == 34'

point move 1268 15  # Waybar's tray icon, at the right end of the bar
sleep 0.3
point click left
placed Corvelle wayland-panel.png "$panel_placed"
sleep 0.6  # not a double click, which GTK reports as two presses
point click left
hidden() { [ -z "$(window Corvelle)" ]; }
wait_for 50 hidden || fail "a second click did not hide the panel"

point click right
sleep 1
grim "$artifacts/wayland-menu.png"
for xy in "1250 22" "1200 28" "1150 32"; do point move $xy; sleep 0.1; done  # onto "Open Corvelle"
sleep 0.3
point click left
placed Corvelle wayland-menu-panel.png "$panel_placed"

# Without a tray the status window floats in the top-right corner, on every workspace.
kill "$waybar"
placed "Corvelle status" wayland-status.png 'shell == "xwayland" and floating == "floating" and x + w == 1280 and y == 0'
# The window may reach the corner (it asks to be placed there) before sway runs the placement command.
sticky() { swaymsg -t get_tree | grep -q '"sticky": true'; }
wait_for 30 sticky || fail "the status window is not sticky"

kill "$app_pid"
wait "$app_pid" || fail "the program ended with status $?"

# Without X: native Wayland windows that float at their own size, placed the same way.
env -u DISPLAY "$app" >"$work/app-native.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
placed "Corvelle status" wayland-native-status.png 'shell == "xdg_shell" and floating == "floating" and x + w == 1280 and y == 0'
env -u DISPLAY "$app" --open >/dev/null 2>&1 || fail "a second start did not open the panel"
placed Corvelle wayland-native-panel.png 'shell == "xdg_shell" and floating == "floating" and x + w >= 1276 and y < 60 and h < 700'
kill "$app_pid"
wait "$app_pid" || fail "the program ended with status $?"
echo "wayland test passed"
