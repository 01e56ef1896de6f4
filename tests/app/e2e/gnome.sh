#!/usr/bin/env bash
# End to end under a real GNOME Shell: headless Wayland with a virtual monitor and XWayland, on
# private session and system buses, with Corvelle's extension from EXTENSION_DIR installed for a
# scratch user and the test driver extension beside it; gnome_top_bar.py then plays the scenario.
# Before the shell starts, gnome_extension.js checks the extension's module form under gjs.
# Screenshots go to ARTIFACT_DIR. Run as root, it runs itself as an unprivileged user.
# Usage: gnome.sh CORVELLE ARTIFACT_DIR EXTENSION_DIR
set -euo pipefail
app="$1"; artifacts="$2"; extension="$3"
if ! command -v gnome-shell >/dev/null; then
  [ -n "${CI:-}" ] && { echo "FAIL: gnome-shell is missing" >&2; exit 1; }
  echo "SKIP: gnome-shell is not installed"; exit 77
fi
mkdir -p "$artifacts"

source "$(dirname "$0")/unprivileged.sh" "$@"
if [ -z "${CORVELLE_E2E_BUS:-}" ]; then
  CORVELLE_E2E_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

source "$(dirname "$0")/session.sh"
fail() { echo "FAIL: $*" >&2; tail -n 30 "$work"/*.log >&2; exit 1; }
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share"
export XDG_CACHE_HOME="$work/home/.cache" XDG_RUNTIME_DIR="$work/runtime" LANG=C.UTF-8 LANGUAGE=en NO_AT_BRIDGE=1
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME/gnome-shell/extensions" && chmod 700 "$XDG_RUNTIME_DIR"
# The services the bus starts (dconf, which keeps the settings) live in the scratch home too.
gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus -m org.freedesktop.DBus.UpdateActivationEnvironment \
  "{'HOME': '$HOME', 'XDG_CONFIG_HOME': '$XDG_CONFIG_HOME', 'XDG_DATA_HOME': '$XDG_DATA_HOME', 'XDG_RUNTIME_DIR': '$XDG_RUNTIME_DIR'}" \
  >/dev/null
cp -r "$extension" "$here/gnome-test-driver@mirelo.io" "$XDG_DATA_HOME/gnome-shell/extensions/"

# The shell asks logind on the system bus; a bus of its own answers that nobody is there.
dbus-daemon --session --address="unix:path=$work/system_bus" --nofork >"$work/system-bus.log" 2>&1 &
pids+=($!)
export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/system_bus"
wait_for 50 test -S "$work/system_bus" || fail "no system bus"

# The module form of the extension, which GNOME Shell 45 and later load, under gjs on this bus.
mutter_typelibs="$(dirname "$(ls /usr/lib/*/mutter-*/Clutter-*.typelib | head -n1)")"
GI_TYPELIB_PATH="/usr/lib/gnome-shell:$mutter_typelibs" LD_LIBRARY_PATH="$mutter_typelibs" \
  gjs -m "$here/gnome_extension.js" "$extension" "$work/fake-shell" || fail "the extension's module form"

gsettings set org.gnome.shell enabled-extensions "['gnome-test-driver@mirelo.io']"
gsettings set org.gnome.shell welcome-dialog-last-shown-version '999'
# One plain colour behind the windows: a window not drawn yet shows as that colour alone.
gsettings set org.gnome.desktop.background picture-options 'none'
gsettings set org.gnome.desktop.background primary-color '#3465a4'
gsettings set org.gnome.desktop.background color-shading-type 'solid'

gnome-shell --headless --wayland --virtual-monitor 1280x800 >"$work/shell.log" 2>&1 &
pids+=($!)
CORVELLE_TICK_INTERVAL=1 /usr/bin/python3 "$here/gnome_top_bar.py" "$app" "$artifacts" "$(basename "$extension")" \
  "$work" || fail "the scenario failed"
echo "gnome test passed"
