#!/usr/bin/env bash
# The window as assistive technology reads it: the real program in a private
# X server, on a session bus of its own with the AT-SPI registry, read and
# driven by check-accessibility.py; Exit then ends the program with 0.
#
#   accessibility-e2e.sh PROGRAM
set -uo pipefail
program=${1:?usage: accessibility-e2e.sh PROGRAM}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x-session.sh"

for tool in dbus-daemon /usr/bin/python3 /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (bash scripts/setup.sh test installs it)"
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
  fail "python3-pyatspi is not installed (bash scripts/setup.sh test installs it)"

bus_pid=

# The bus starts the accessibility bus and the registry when first asked for
# them, as its children; they end when it does. Waits for all of them.
stop_bus() {
  [ -n "$bus_pid" ] || return 0
  local helpers
  helpers=$(descendants "$bus_pid")
  kill "$bus_pid" 2>/dev/null
  wait "$bus_pid" 2>/dev/null
  for pid in $helpers; do
    wait_until gone "$pid" || kill "$pid" 2>/dev/null
  done
}
descendants() {
  local child
  for child in $(pgrep -P "$1"); do
    echo "$child"
    descendants "$child"
  done
}
gone() { ! kill -0 "$1" 2>/dev/null; }
trap 'status=$?; stop_bus; (exit "$status"); stop_everything' EXIT

start_x_server
dbus-daemon --session --nofork --nosyslog --print-address=3 3>"$x_dir/bus" >"$x_dir/bus.log" 2>&1 &
bus_pid=$!
wait_until test -s "$x_dir/bus" || fail "no session bus: $(cat "$x_dir/bus.log")"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$x_dir/bus")
export DBUS_SESSION_BUS_ADDRESS

export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
# English first whatever the locale: the check switches to Russian itself.
start_program "$program" --language en
wait_for_window
X_TIMEOUT=$x_timeout /usr/bin/python3 "$here/check-accessibility.py" "$program_pid" ||
  fail "the window read through AT-SPI (above); program output: $(cat "$x_dir/program.log")"
expect_exit_status_zero
echo "accessibility end to end: passed"
