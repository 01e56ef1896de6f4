# Sourced by the end-to-end scripts: a scratch folder $work, removed at exit with the processes
# listed in $pids; $here, this folder; wait_for; start_fake and stop_fake for the fake services;
# start_xvfb, which exports DISPLAY; check_saved for the files a quitting program leaves. A script
# that wants more from fail defines its own after sourcing this.
work="$(mktemp -d)"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to $1 tenths of a second for the command after it to succeed.
wait_for() {
  local tries="$1"; shift
  for _ in $(seq "$tries"); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
  return 1
}

# Starts the fake service $1 of this folder with the arguments after it, as $fake, and waits until
# it prints "ready" (every name it serves is owned).
start_fake() {
  rm -f "$work/ready"
  /usr/bin/python3 "$here/$1" "${@:2}" >"$work/ready" &
  fake=$!
  pids+=("$fake")
  wait_for 300 test -s "$work/ready" || fail "$1 did not start"
}
stop_fake() { kill "$fake"; wait "$fake" 2>/dev/null || true; }

start_xvfb() {
  exec 3>"$work/display"
  Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  pids+=($!)
  wait_for 300 test -s "$work/display" || fail "Xvfb did not start"
  export DISPLAY=":$(head -n1 "$work/display")"
}

# Quitting saved the monitor's files in $1: complete JSON, with no temporary files left behind.
check_saved() {
  local saved=0 file
  for file in "$1"/* "$1"/.[!.]*; do
    [ -e "$file" ] || continue
    case "$file" in
      *.json) /usr/bin/python3 -c 'import json,sys; json.load(open(sys.argv[1]))' "$file" || fail "$file is damaged" ;;
      *) fail "unexpected file left behind: $file" ;;
    esac
    saved=$((saved + 1))
  done
  [ "$saved" -gt 0 ] || fail "nothing was saved on quit"
  ls -l "$1"
}
