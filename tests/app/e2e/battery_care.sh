#!/usr/bin/env bash
# The battery care clients on a private session bus (run under dbus-run-session): with no daemon
# at all, then against fake UPower and profiles daemons under the current names, then against the
# profiles daemon alone under its older name.
set -euo pipefail
tests="$1"
here="$(cd "$(dirname "$0")" && pwd)"
ready="$(mktemp)"
fake=""
trap '[ -n "$fake" ] && kill "$fake" 2>/dev/null; rm -f "$ready"' EXIT

CORVELLE_POWER_DAEMONS=none "$tests" --gtest_filter='PowerDaemonsOnBus.*'
for run in "with-upower org.freedesktop.UPower.PowerProfiles --upower" "without-upower net.hadess.PowerProfiles"; do
  set -- $run
  : >"$ready"
  /usr/bin/python3 "$here/fake_power_daemons.py" "${@:2}" >"$ready" &
  fake=$!
  for _ in $(seq 200); do [ -s "$ready" ] && break; sleep 0.05; done
  CORVELLE_POWER_DAEMONS="$1" "$tests" --gtest_filter='PowerDaemonsOnBus.*'
  kill "$fake"; wait "$fake" 2>/dev/null || true; fake=""
done
