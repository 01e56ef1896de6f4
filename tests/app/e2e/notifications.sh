#!/usr/bin/env bash
# The notification tests on a private session bus (run under dbus-run-session): first with no
# notification service at all, then against the fake service, once reading markup and once not.
set -euo pipefail
tests="$1"
source "$(dirname "$0")/session.sh"

"$tests" --gtest_filter='DBusNotifierTest.WithoutAServiceNothingHappens'
for markup in 1 0; do
  flag=""; [ "$markup" = 0 ] && flag="--no-markup"
  start_fake fake_notifications.py "$work/notify-$markup.log" $flag
  CORVELLE_NOTIFY_LOG="$work/notify-$markup.log" CORVELLE_NOTIFY_MARKUP="$markup" "$tests" --gtest_filter='DBusNotifierTest.ServiceReceives*'
  stop_fake
done
