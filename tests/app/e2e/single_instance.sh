#!/usr/bin/env bash
# One Corvelle per session, on Xvfb without a tray (the status item is our own window): a second
# start ends at once with status 0 and the first shows its panel, or its settings window, first
# through the session bus (run under dbus-run-session), then through the lock file without one;
# a lock left by a killed Corvelle does not keep a new one from starting and serving.
# Usage: single_instance.sh CORVELLE ARTIFACT_DIR
set -euo pipefail
app="$1"; artifacts="$2"
mkdir -p "$artifacts"
source "$(dirname "$0")/session.sh"
fail() { echo "FAIL: $*" >&2; import -window root "$artifacts/failure-single-instance.png" 2>/dev/null || true; exit 1; }
start_xvfb
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LANGUAGE=en

visible() { xdotool search --onlyvisible --name "$1" | grep -q .; }

# Starts the first Corvelle of a round in a fresh home and waits for its status item.
start_first() {
  export HOME="$work/$1" XDG_CONFIG_HOME="$work/$1/.config" XDG_DATA_HOME="$work/$1/.local/share"
  export XDG_RUNTIME_DIR="$work/$1/runtime"
  mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  "$app" >"$work/$1.log" 2>&1 &
  first=$!
  pids+=("$first")
  wait_for 300 visible '^Corvelle status$' || fail "$1: no status item: $(cat "$work/$1.log")"
}

# A later start with these arguments must end with status 0 within 2 s.
second_start() {
  local status=0
  timeout 2 "$app" "$@" || status=$?
  [ "$status" = 0 ] && kill -0 "$first" || fail "a second start ($*) ended with status $status"
}

stop_first() { kill "$first"; wait "$first" || true; }

for round in bus lock; do
  if [ "$round" = lock ]; then export DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-bus"; fi
  start_first "$round"
  second_start
  wait_for 50 visible '^Corvelle$' || fail "$round: the first did not show its panel"
  import -window root "$artifacts/second-start-$round.png"
  second_start --settings
  wait_for 50 visible '^Corvelle Settings$' || fail "$round: the first did not open its settings"
  [ "$round" = lock ] || stop_first
done
[ -e "$XDG_RUNTIME_DIR/io.mirelo.corvelle.lock" ] || fail "no lock file in \$XDG_RUNTIME_DIR"

# A Corvelle killed outright leaves its lock and socket behind; the next one takes them over.
kill -KILL "$first"; wait "$first" || true
"$app" >"$work/after-kill.log" 2>&1 &
first=$!
pids+=("$first")
sleep 2
kill -0 "$first" || fail "a stale lock kept a new Corvelle from running: $(cat "$work/after-kill.log")"
wait_for 300 visible '^Corvelle status$' || fail "after the kill: no status item"
second_start --open processes
wait_for 50 visible '^Corvelle$' || fail "after the kill: the new Corvelle did not show its panel"
stop_first
echo "single instance test passed"
