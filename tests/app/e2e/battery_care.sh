#!/usr/bin/env bash
# The battery care clients on a private session bus (run under dbus-run-session): first with no
# daemon at all, then against the fake UPower and profiles daemon under the current name, then
# against the profiles daemon alone under the older name.
set -euo pipefail
tests="$1"
here="$(cd "$(dirname "$0")" && pwd)"
fake=""
cleanup() { [ -n "$fake" ] && kill "$fake" 2>/dev/null || true; }
trap cleanup EXIT

owned() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner "string:$1" 2>/dev/null | grep -q 'true'
}

CORVELLE_POWER_DAEMONS=none "$tests" --gtest_filter='PowerDaemonsOnBus.*'

for setup in "org.freedesktop.UPower.PowerProfiles --upower" "net.hadess.PowerProfiles"; do
  set -- $setup
  /usr/bin/python3 "$here/fake_power_daemons.py" "$@" &
  fake=$!
  upower=without; [ "${2:-}" = --upower ] && upower=with
  for _ in $(seq 100); do
    owned "$1" && { [ "$upower" = without ] || owned org.freedesktop.UPower; } && break
    sleep 0.05
  done
  CORVELLE_POWER_DAEMONS="$upower-upower" "$tests" --gtest_filter='PowerDaemonsOnBus.*'
  kill "$fake"; wait "$fake" 2>/dev/null || true; fake=""
done
