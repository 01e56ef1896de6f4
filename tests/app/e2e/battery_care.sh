#!/usr/bin/env bash
# The battery care clients on a private session bus (run under dbus-run-session): with no daemon
# at all, then against fake UPower and profiles daemons under the current names, then against the
# profiles daemon alone under its older name.
set -euo pipefail
tests="$1"
source "$(dirname "$0")/session.sh"

CORVELLE_POWER_DAEMONS=none "$tests" --gtest_filter='PowerDaemonsOnBus.*'
for run in "with-upower org.freedesktop.UPower.PowerProfiles --upower" "without-upower net.hadess.PowerProfiles"; do
  set -- $run
  start_fake fake_power_daemons.py "${@:2}"
  CORVELLE_POWER_DAEMONS="$1" "$tests" --gtest_filter='PowerDaemonsOnBus.*'
  stop_fake
done
