#!/usr/bin/env bash
# A lesson through real X events, as a teacher runs it:
#   the first click, on the speed bar of the inactive window, starts teaching;
#   the count in the neuron box is the rebuilt network's, and Enter in it
#   applies a typed count before Quickly;
#   after Stop every page shows the stopped run when it comes into view;
#   the pages turn with Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp
#   from the command buttons and the regime buttons too;
#   Ctrl+C copies the selected cells with their titles, the picture's menu
#   copies and saves the plot.
#
#   lesson-e2e.sh PROBE    PROBE: varkelon-e2e-probe
set -uo pipefail
probe=${1:?usage: lesson-e2e.sh PROBE}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x-session.sh"
source "$here/probe.sh"

step="416 268"
quickly="425 301"
stop="416 236"
static="420 49"
neurons="436 160"
grid_cell="81 45"
picture="190 120"
speed="470 241"

plot_drawn() {
  plot_shot "$x_dir/plot.png" && [ "$(identify -format %k "$x_dir/plot.png")" != 1 ]
}
# The menu of the picture on view, then its item N (1 Copy, 2 Save).
picture_menu_item() {
  xdotool mousemove --window "$window" $picture click 3
  sleep 0.5
  local downs
  downs=$(printf 'Down %.0s' $(seq "$1"))
  # shellcheck disable=SC2086
  xdotool key $downs Return
}

start_x_server
start_probe "$probe" --language en

# The first click, on the speed bar of a window not yet active, starts
# continuous teaching as any click on the bar does.
click "$speed"
wait_until dump_shows lamp "#ffff00" || fail "the first click on the speed bar did not start teaching"

# The count in use: 3 set with the arrow keys reaches the network when the
# box loses the focus, and the rebuild after Stop keeps it.
click "$quickly"
wait_until at_least_iteration 20 || fail "quick teaching did not run"
click "$neurons"
key Down Down Down Down
wait_until dump_shows Memo2 3 || fail "Down did not count down in the box: $(value Memo2)"
click "$stop"
wait_until dump_shows hiddenCount 3 || fail "the box's 3 did not reach the network"
click "$quickly"
wait_until dump_shows lamp "#00ff00" || fail "Quickly after Stop did not start"
[ "$(value hiddenCount)" = 3 ] || fail "the rebuild made $(value hiddenCount) neurons, not the box's 3"
[ "$(value Memo2)" = 3 ] || fail "after the rebuild the box says $(value Memo2), not 3"
# Enter in the box after Stop applies the typed count, then clicks Quickly:
# the rebuilt network has the count typed.
click "$stop"
click "$neurons"
key ctrl+a 4 Return
wait_until dump_shows lamp "#00ff00" || fail "Enter in the box did not start quick teaching"
wait_until dump_shows hiddenCount 4 || fail "the rebuild after Enter made $(value hiddenCount) neurons"
[ "$(value Memo2)" = 4 ] || fail "after Enter the box says $(value Memo2), not 4"

# Every page shows the stopped run when it comes into view.
wait_until at_least_iteration 100 || fail "quick teaching did not go on"
click "$stop"
wait_until dump_shows timer1Active 0 || fail "Stop did not stop"
stopped=$(value iteration)
tab 2
wait_until dump_shows Edit2 "$((stopped + 1))" || fail "the Table page shows $(value Edit2)"
numbers_agree table
tab 0
wait_until dump_shows Edit5 "$((stopped + 1))" || fail "the Graph page shows $(value Edit5)"
numbers_agree graph
wait_until plot_drawn || fail "the Graph page came back blank"

# The pages turn from the command buttons and the regime buttons.
turn() {
  key "$1"
  wait_until dump_shows page "$2" || fail "$1 from $(value focus) left page $(value page)"
}
click "$stop"
wait_until dump_shows focus Button4 || fail "Stop took no focus"
turn ctrl+Tab 1
turn ctrl+shift+Tab 0
turn ctrl+Next 1
turn ctrl+Prior 0
click "$static"
wait_until dump_shows focus RadioButton1 || fail "Static took no focus"
turn ctrl+Prior 2
turn ctrl+Next 0

# Copying: one selected cell with its title and channel, then the picture.
tab 2
wait_until dump_shows page 2 || fail "the Table tab did not open"
click "$grid_cell"
key ctrl+c
take_dump
wanted="\\tObject|1\\t$(value 'cell 1 1' | sed 's/^ *//')|"
wait_until dump_shows clipboard "$wanted" || fail "Ctrl+C copied $(value clipboard), not $wanted"
key ctrl+a ctrl+c
take_dump
lines=$(value clipboard | tr -cd '|' | wc -c)
[ "$lines" = 18 ] || fail "the whole table copied as $lines lines: $(value clipboard)"
tab 0
wait_until dump_shows page 0 || fail "the Graph tab did not open"
picture_menu_item 1
wait_until dump_shows clipboardImage 374x246 || fail "Copy picture gave $(value clipboardImage)"
picture_menu_item 2
find_dialog() { xdotool search --onlyvisible --name 'Save picture' >/dev/null 2>&1; }
wait_until find_dialog || fail "Save picture opened no dialog"
sleep 0.5
xdotool key ctrl+a
xdotool type "$x_dir/saved.png"
# The file name's completer may have opened its list while the path was
# typed: Return then takes the list's choice, and the next one saves.
timeout=$x_timeout
x_timeout=3
for _ in 1 2 3; do
  xdotool key Return
  wait_until test -s "$x_dir/saved.png" && break
  find_dialog || break
done
x_timeout=$timeout
test -s "$x_dir/saved.png" || fail "Save picture wrote no file"
[ "$(identify -format %wx%h "$x_dir/saved.png")" = 374x246 ] ||
  fail "the saved picture is $(identify -format %wx%h "$x_dir/saved.png")"
echo "lesson end to end: passed"
