#!/usr/bin/env bash
# The notification tests on a private session bus (run under dbus-run-session): first with no
# notification service at all, then against the fake service, once reading markup and once not.
set -euo pipefail
tests="$1"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
fake=""
cleanup() {
  [ -n "$fake" ] && kill "$fake" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

"$tests" --gtest_filter='DBusNotifierTest.WithoutAServiceNothingHappens'

for markup in 1 0; do
  log="$work/notify-$markup.log"
  flag=""; [ "$markup" = 0 ] && flag="--no-markup"
  /usr/bin/python3 "$here/fake_notifications.py" "$log" $flag &
  fake=$!
  for _ in $(seq 100); do
    if dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
         org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications 2>/dev/null | grep -q 'true'; then
      break
    fi
    sleep 0.05
  done
  CORVELLE_NOTIFY_LOG="$log" CORVELLE_NOTIFY_MARKUP="$markup" "$tests" --gtest_filter='DBusNotifierTest.ServiceReceives*'
  kill "$fake"; wait "$fake" 2>/dev/null || true; fake=""
done
