# Sourced by the end-to-end scripts: a private X server and the program in it.
#
#   start_x_server         starts Xvfb on a free display and exports DISPLAY
#   start_program PROGRAM [ARG...]
#                          starts the window program; sets program_pid
#   wait_for_window        waits for the main window; sets window
#   stop_everything        ends the program and the server (installed as the
#                          EXIT trap, so it runs on every way out)
#
# Waiting loops give up after $x_timeout seconds; nothing else depends on time.

x_timeout=${X_TIMEOUT:-60}
x_dir=$(mktemp -d)
xvfb_pid=
program_pid=
window=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

stop_everything() {
  local status=$?
  if [ -n "$program_pid" ] && kill -0 "$program_pid" 2>/dev/null; then
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null
  fi
  if [ -n "$xvfb_pid" ] && kill -0 "$xvfb_pid" 2>/dev/null; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  rm -rf "$x_dir"
  exit "$status"
}
trap stop_everything EXIT
trap 'exit 130' INT TERM

# Runs "$@" every 0.1 s until it succeeds; fails after x_timeout seconds.
wait_until() {
  local tries=$((x_timeout * 10))
  while ! "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

# start_x_server [SCREEN]: SCREEN is WIDTHxHEIGHT, 1024x768 unless given.
start_x_server() {
  local screen=${1:-1024x768}
  if [ -n "${LC_ALL:-}" ] && [ "$(LC_ALL=$LC_ALL locale charmap 2>/dev/null)" != UTF-8 ]; then
    fail "the locale $LC_ALL is missing (bash scripts/setup.sh test generates it)"
  fi
  for tool in Xvfb xdotool xwininfo import compare identify; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (bash scripts/setup.sh test installs it)"
  done
  # Xvfb picks a free display number itself and writes it to the descriptor
  # once it accepts connections. -noreset: by default the server resets when
  # its last client leaves, and refuses connections meanwhile, so a program
  # starting just after an xdotool call could fail to connect.
  Xvfb -displayfd 3 -screen 0 "${screen}x24" -nolisten tcp -noreset 3>"$x_dir/display" \
    >"$x_dir/xvfb.log" 2>&1 &
  xvfb_pid=$!
  wait_until test -s "$x_dir/display" || fail "Xvfb did not start: $(cat "$x_dir/xvfb.log")"
  DISPLAY=:$(head -n 1 "$x_dir/display")
  export DISPLAY
  unset WAYLAND_DISPLAY
  export QT_QPA_PLATFORM=xcb
}

start_program() {
  "$@" >"$x_dir/program.log" 2>&1 &
  program_pid=$!
}

# Waits for the program to end by itself (after a click on Exit) and fails
# unless its status is 0.
expect_exit_status_zero() {
  program_ended() { ! kill -0 "$program_pid" 2>/dev/null; }
  wait_until program_ended || fail "Exit did not end the program"
  local status=0
  wait "$program_pid" || status=$?
  program_pid=
  [ "$status" = 0 ] || fail "the program ended with status $status: $(cat "$x_dir/program.log")"
}

find_window() {
  window=$(xdotool search --onlyvisible --name '^  Varkelon$' 2>/dev/null | head -n 1)
  [ -n "$window" ]
}

wait_for_window() {
  wait_until find_window || fail "no window appeared: $(cat "$x_dir/program.log")"
}
