#!/usr/bin/env bash
# The window's CPU share during quick teaching, without the accessibility bus
# and with one AT-SPI listener on text changes, as a screen reader has one.
# A measurement, not a test: the numbers depend on the machine.
#
#   bench/accessibility-cpu.sh PROGRAM [SECONDS]     (default 20 s each)
#
# Needs Xvfb, xdotool, dbus-daemon, at-spi2-core and python3-pyatspi
# (bash scripts/setup.sh test installs them).
set -uo pipefail
program=${1:?usage: accessibility-cpu.sh PROGRAM [SECONDS]}
seconds=${2:-20}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../tests/e2e/x-session.sh"

quickly="425 301"
bus_pid=
listener_pid=
finish() {
  local status=$?
  [ -n "$listener_pid" ] && kill "$listener_pid" 2>/dev/null
  [ -n "$bus_pid" ] && kill "$bus_pid" 2>/dev/null
  (exit "$status")
  stop_everything
}
trap finish EXIT

# The program's user and system time, in clock ticks.
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$program_pid/stat"
}

# One run: quick teaching for $seconds, then the program's share of a core.
measure() { # LABEL
  start_program "$program"
  wait_for_window
  xdotool mousemove --window "$window" $quickly click 1
  sleep 1
  local before after
  before=$(cpu_ticks)
  sleep "$seconds"
  after=$(cpu_ticks)
  python3 -c "print('%-34s %5.1f %% of a core' % ('$1:', 100.0 * ($after - $before) / $(getconf CLK_TCK) / $seconds))"
  kill "$program_pid" && wait "$program_pid" 2>/dev/null
  program_pid=
}

start_x_server
measure "no accessibility bus"

dbus-daemon --session --nofork --nosyslog --print-address=3 3>"$x_dir/bus" >/dev/null 2>&1 &
bus_pid=$!
wait_until test -s "$x_dir/bus" || fail "no session bus"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$x_dir/bus")
export DBUS_SESSION_BUS_ADDRESS QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
/usr/bin/python3 -c '
import signal, sys, pyatspi
heard = [0]
def count(event):
    heard[0] += 1
def report(*_):
    print("%-34s %5d" % ("text events heard:", heard[0]), flush=True)
    sys.exit(0)
signal.signal(signal.SIGTERM, report)
pyatspi.Registry.registerEventListener(count, "object:text-changed")
pyatspi.Registry.start()
' &
listener_pid=$!
sleep 2
measure "one listener on text changes"
kill "$listener_pid" && wait "$listener_pid" 2>/dev/null
listener_pid=
