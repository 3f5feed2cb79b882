#!/usr/bin/env bash
# The real program in a real X server, driven as a user drives it:
#   the window appears, captioned "  Varkelon", with a 516 x 326 client area;
#   Step, then Quickly, change the graph; Stop, then Exit end the program with 0.
#
#   window-e2e.sh PROGRAM
set -uo pipefail
program=${1:?usage: window-e2e.sh PROGRAM}
source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"

# Places in the window's client area: the graph's paint box, and the centres
# of the command buttons (GroupBox2 at 392, 208 plus each button's place).
graph=374x246+4+21
step="416 268"
quickly="425 301"
stop="416 236"
exit_button="480 300"

graph_shot() {
  import -window "$window" -crop "$graph" +repage "$1" 2>/dev/null
}

# True when the graph now differs from the picture in $1; keeps the new one.
graph_changed_from() {
  graph_shot "$x_dir/now.png" || return 1
  local differing
  differing=$(compare -metric AE "$1" "$x_dir/now.png" null: 2>&1)
  [ "${differing%% *}" != 0 ]
}

# True once the window has painted its graph: a frame and curves on a plain
# background, not one colour all over.
graph_painted() {
  graph_shot "$x_dir/start.png" || return 1
  [ "$(identify -format %k "$x_dir/start.png" 2>/dev/null)" -gt 1 ]
}

click() {
  xdotool mousemove --window "$window" $1 click 1
}

start_x_server
start_program "$program"
wait_for_window

name=$(xdotool getwindowname "$window")
[ "$name" = "  Varkelon" ] || fail "caption is \"$name\""
info=$(xwininfo -id "$window")
width=$(sed -n 's/^ *Width: //p' <<<"$info")
height=$(sed -n 's/^ *Height: //p' <<<"$info")
[ "$width x $height" = "516 x 326" ] || fail "client area is $width x $height"

# The first picture comes from the window's creation.
wait_until graph_painted || fail "the graph was never painted"
click "$step"
wait_until graph_changed_from "$x_dir/start.png" || fail "Step did not change the graph"
graph_shot "$x_dir/step.png"
click "$quickly"
wait_until graph_changed_from "$x_dir/step.png" || fail "Quickly did not change the graph"

click "$stop"
click "$exit_button"
expect_exit_status_zero
echo "window end to end: passed"
