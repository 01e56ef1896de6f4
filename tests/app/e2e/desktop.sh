#!/usr/bin/env bash
# End to end on a real X server: starts Xvfb (and, in "tray" mode, the trayer tray host), runs
# corvelle on a private session bus with its own home, then clicks the status item: a left click
# shows the panel, a second hides it, a right click opens the menu, and its last row quits.
# Usage: desktop.sh CORVELLE ARTIFACT_DIR tray|bare
set -euo pipefail
app="$1"; artifacts="$2"; mode="$3"
mkdir -p "$artifacts"
source "$(dirname "$0")/session.sh"
fail() { echo "FAIL ($mode): $*" >&2; import -window root "$artifacts/failure-$mode.png" 2>/dev/null || true; exit 1; }
start_xvfb

if [ "$mode" = tray ]; then
  # A tray host that dies while starting is started once more.
  for attempt in 1 2; do
    trayer --edge top --align right --widthtype request --height 32 --SetDockType true --transparent false \
      >"$work/trayer.log" 2>&1 &
    pids+=($!)
    wait_for 300 xdotool search --classname trayer && break
    [ "$attempt" = 2 ] && fail "trayer did not start: $(cat "$work/trayer.log")"
  done
fi

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LANGUAGE=en
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
"$app" >"$work/app.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")

# The status item: the icon embedded in the tray, or our own status window.
status_geometry() {
  local id
  if [ "$mode" = tray ]; then
    # The icon window embedded in the tray: small, of class corvelle, on screen.
    read -r WIDTH HEIGHT X Y < <(xwininfo -root -tree |
      sed -nE 's/.*\("corvelle" "Corvelle"\) +([0-9]+)x([0-9]+)[+-][0-9-]+[+-][0-9-]+ +\+([0-9]+)\+([0-9]+).*/\1 \2 \3 \4/p' |
      awk '$1 < 64 && $2 < 64' | head -n1) || return 1
  else
    id="$(xdotool search --onlyvisible --name '^Corvelle status$' | head -n1)"
    [ -n "$id" ] || return 1
    eval "$(xdotool getwindowgeometry --shell "$id")"
  fi
  [ "${WIDTH:-0}" -gt 4 ] || return 1
  CX=$((X + WIDTH / 2)); CY=$((Y + HEIGHT / 2))
}
# The tray host may still move or resize the icon while embedding it: wait until it stays put.
settled_geometry() {
  status_geometry || return 1
  local before="$CX $CY"
  sleep 0.5
  status_geometry && [ "$CX $CY" = "$before" ]
}
wait_for 300 settled_geometry || fail "no status item"
sleep 1  # the first tick's title

panel_visible() { xdotool search --onlyvisible --name '^Corvelle$' | grep -q .; }

# A click that lands while the tray host is still busy with the icon is lost; try three times.
for attempt in 1 2 3; do
  settled_geometry || true
  xdotool mousemove "$CX" "$CY" click 1
  wait_for 50 panel_visible && break
  [ "$attempt" = 3 ] && fail "a left click did not show the panel"
done
sleep 0.3
import -window root "$artifacts/panel-$mode.png"
xdotool mousemove "$CX" "$CY" click 1
wait_for 150 bash -c "! xdotool search --onlyvisible --name '^Corvelle\$' | grep -q ." || fail "a second left click did not hide the panel"

windows_before="$(xdotool search --onlyvisible --classname corvelle | wc -l)"
xdotool mousemove "$CX" "$CY" click 3
wait_for 150 bash -c "[ \$(xdotool search --onlyvisible --classname corvelle | wc -l) -gt $windows_before ]" ||
  fail "a right click did not open the menu"
sleep 0.3
import -window root "$artifacts/menu-$mode.png"
# The last row is "Quit Corvelle".
xdotool key Up
sleep 0.2
xdotool key Return
for _ in $(seq 100); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "Quit did not end the program"
wait "$app_pid" || fail "the program ended with status $? $(cat "$work/app.log")"

check_saved "$XDG_DATA_HOME/io.mirelo.corvelle"
echo "desktop test ($mode) passed"
