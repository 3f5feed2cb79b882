#!/usr/bin/env bash
# The window program as a native Wayland client: starts weston's headless
# backend with a private runtime folder and socket, runs the program there
# with Qt's wayland platform (no X server to fall back to), and checks that
# it comes up and keeps running without a word on standard error. Ends the
# program and weston, and removes the folder, on every way out.
#
#   wayland.sh PROGRAM
set -u

program=$1
settle_seconds=${WAYLAND_SETTLE_SECONDS:-4}
runtime=$(mktemp -d "${TMPDIR:-/tmp}/varkelon-wayland.XXXXXX")
chmod 700 "$runtime"
weston_pid=
program_pid=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Ends a process started here, by its id, and waits for it.
end_process() {
  if [ -n "$1" ] && kill -0 "$1" 2>/dev/null; then
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
  fi
}

cleanup() {
  local status=$?
  end_process "$program_pid"
  end_process "$weston_pid"
  rm -rf "$runtime"
  exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

command -v weston >/dev/null || fail "weston is not installed (bash scripts/setup.sh test installs it)"

export XDG_RUNTIME_DIR=$runtime
socket=varkelon-test
weston --backend=headless-backend.so --socket="$socket" --width=1024 --height=768 \
  --idle-time=0 --no-config --log="$runtime/weston.log" >/dev/null 2>&1 &
weston_pid=$!
for _ in $(seq 300); do
  [ -S "$runtime/$socket" ] && break
  kill -0 "$weston_pid" 2>/dev/null || break
  sleep 0.1
done
[ -S "$runtime/$socket" ] || fail "weston did not open its socket: $(cat "$runtime/weston.log")"

# Wayland only: no X display, no other platform to try.
env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland \
  "$program" >"$runtime/program.out" 2>"$runtime/program.err" &
program_pid=$!
sleep "$settle_seconds"

if ! kill -0 "$program_pid" 2>/dev/null; then
  status=0
  wait "$program_pid" || status=$?
  program_pid=
  fail "the program ended by itself with status $status: $(cat "$runtime/program.err")"
fi
if [ -s "$runtime/program.err" ]; then
  fail "the program wrote to standard error: $(cat "$runtime/program.err")"
fi
echo "ok the program runs under weston (headless) as a Wayland client"

end_process "$program_pid"
program_pid=
end_process "$weston_pid"
weston_pid=
