# Sourced first, with its arguments, by the end-to-end scripts that start a compositor
# (SCRIPT CORVELLE ARTIFACT_DIR ...). Run as root, as CI runs them, the script runs itself again as
# an unprivileged user, with a folder that user may write in place of ARTIFACT_DIR, copies the
# screenshots saved there into ARTIFACT_DIR and exits with its status. As any other user, nothing.
if [ "$(id -u)" = 0 ]; then
  # XWayland puts its socket in /tmp/.X11-unix, which must be open to every user.
  mkdir -p /tmp/.X11-unix && chmod 1777 /tmp/.X11-unix
  user=corvelle-e2e
  id "$user" >/dev/null 2>&1 || useradd --system --no-create-home --shell /usr/sbin/nologin "$user"
  shots="$(mktemp -d)"; chown "$user" "$shots"
  status=0
  runuser -u "$user" -- "$0" "$1" "$shots" "${@:3}" || status=$?
  cp "$shots"/*.png "$2"/ 2>/dev/null || true
  rm -rf "$shots"
  exit "$status"
fi
