#!/usr/bin/env bash
# The StatusNotifierItem on a private session bus (run under dbus-run-session) against the fake
# tray of fake_watcher.py: first the item's own tests, then the whole program, offscreen: it
# registers exactly one item whose label is the title, and its menu's "Quit Corvelle" ends it
# with the usage files saved.
# Usage: status_notifier.sh CORVELLE_APP_TESTS CORVELLE
set -euo pipefail
tests="$1"; app="$2"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/app.log" >&2 2>/dev/null || true; exit 1; }

/usr/bin/python3 "$here/fake_watcher.py" >"$work/ready" &
pids+=($!)
for _ in $(seq 300); do [ -s "$work/ready" ] && break; sleep 0.1; done
[ -s "$work/ready" ] || fail "the fake watcher did not start"

CORVELLE_FAKE_WATCHER=1 QT_QPA_PLATFORM=offscreen "$tests" --gtest_filter='StatusNotifierOnBus.*'

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LANGUAGE=en "$app" >"$work/app.log" 2>&1 &
app_pid=$!
pids+=("$app_pid")
/usr/bin/python3 "$here/quit_from_tray.py" || fail "the tray could not use the item"
for _ in $(seq 300); do kill -0 "$app_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$app_pid" 2>/dev/null && fail "Quit did not end the program"
wait "$app_pid" || fail "the program ended with status $?"

data="$XDG_DATA_HOME/io.mirelo.corvelle"
ls "$data"/*.json >/dev/null 2>&1 || fail "nothing was saved on quit"
for file in "$data"/*.json; do
  /usr/bin/python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$file" || fail "$file is damaged"
done
echo "status notifier test passed"
