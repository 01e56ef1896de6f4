#!/usr/bin/env bash
# The StatusNotifierItem against the fake tray of fake_watcher.py on a private session bus (run
# under dbus-run-session): the item's own tests, then the whole program, offscreen, quitting from
# the tray's menu with its usage files saved.
# Usage: status_notifier.sh CORVELLE_APP_TESTS CORVELLE
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
pids=()
trap 'kill "${pids[@]}" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; cat "$work/app.log" >&2 2>/dev/null; exit 1; }

/usr/bin/python3 "$here/fake_watcher.py" >"$work/ready" &
pids+=($!)
for _ in $(seq 300); do [ -s "$work/ready" ] && break; sleep 0.1; done
CORVELLE_FAKE_WATCHER=1 QT_QPA_PLATFORM=offscreen "$1" --gtest_filter='StatusNotifierOnBus.*'

export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
mkdir -p "$HOME"
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 LANGUAGE=en "$2" >"$work/app.log" 2>&1 &
app=$!
pids+=("$app")
/usr/bin/python3 "$here/quit_from_tray.py" || fail "the tray could not use the item"
for _ in $(seq 300); do kill -0 "$app" 2>/dev/null || break; sleep 0.1; done
wait "$app" || fail "the program did not end normally ($?)"
saved=("$XDG_DATA_HOME"/io.mirelo.corvelle/*.json)
[ -e "${saved[0]}" ] || fail "nothing was saved on quit"
for file in "${saved[@]}"; do /usr/bin/python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$file" || fail "$file"; done
echo "status notifier test passed"
