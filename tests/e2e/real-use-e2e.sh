#!/usr/bin/env bash
# The window as a new user meets it, through real X events:
#   returning to a page shows no old drawing: Estimation exactly as a clean
#   full redraw, Graph the last cycle's graph;
#   Ctrl+Tab, Ctrl+PgDn and Ctrl+PgUp change pages as a click on the tabs does;
#   Tab and Shift+Tab leave the table; Left and Right move the speed bar's
#   thumb their way; every command works from the keyboard;
#   in Russian no label is cut and the tabs end left of the title panel;
#   the about box opens centred on the screen;
#   the toolkit's options (-reverse, -style) change nothing, and without a
#   display the program says so in one line and ends with status 1.
#
#   real-use-e2e.sh PROGRAM PROBE
set -uo pipefail
program=${1:?usage: real-use-e2e.sh PROGRAM PROBE}
probe=${2:?usage: real-use-e2e.sh PROGRAM PROBE}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x-session.sh"
source "$here/probe.sh"

# Places in the window's client area.
step="416 268"
quickly="425 301"
stop="416 236"
about="372 8"
running="300 283"
sliding="300 299"
graph_readout="63 285"
grid_cell="81 107"


# True when the paint box on view shows one colour only.
plot_blank() {
  plot_shot "$x_dir/blank.png" && [ "$(identify -format %k "$x_dir/blank.png")" = 1 ]
}

plot_drawn() { ! plot_blank; }
window_gone() { ! find_window; }

same_pictures() {
  local differing
  differing=$(compare -metric AE "$1" "$2" null: 2>&1)
  [ "${differing%% *}" = 0 ]
}

start_x_server 1024x768

# Without a display: one line on standard error, status 1.
status=0
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" 2>"$x_dir/no-display.err" ||
  status=$?
[ "$status" = 1 ] || fail "without a display the program ended with status $status"
[ "$(wc -l <"$x_dir/no-display.err")" = 1 ] ||
  fail "without a display the program said: $(cat "$x_dir/no-display.err")"

# The toolkit's own options change nothing: the command column looks the same.
for arguments in "" "-reverse -style fusion"; do
  # shellcheck disable=SC2086
  start_program "$program" $arguments
  wait_for_window
  import -window "$window" -crop 130x326+386+0 +repage "$x_dir/column-${#arguments}.png" ||
    fail "no screenshot"
  kill "$program_pid" && wait "$program_pid" 2>/dev/null
  program_pid=
  wait_until window_gone || fail "the window stayed"
done
same_pictures "$x_dir/column-0.png" "$x_dir/column-22.png" ||
  fail "-reverse -style fusion changed the window"

# English at start, as the form opens (the Russian locale of this test would
# start it in Russian), so that the keyboard chooses Russian below.
start_probe "$probe" --language en

# Running plot after 25 steps; teaching on the Graph page; back to Estimation.
tab 1
wait_until dump_shows page 1 || fail "the Estimation tab did not open"
click "$running"
wait_until dump_shows RadioButton5 1 || fail "\"Running\" was not selected"
for _ in $(seq 25); do click "$step"; done
wait_until dump_shows iteration 25 || fail "25 steps did not run"
tab 0
wait_until dump_shows page 0 || fail "the Graph tab did not open"
click "$quickly"
wait_until at_least_iteration 100 || fail "quick teaching did not run"
click "$stop"
wait_until dump_shows timer1Active 0 || fail "Stop did not stop"
stopped_at=$(value iteration)
tab 1
wait_until dump_shows Edit8 "$((stopped_at + 1))" || fail "the Estimation tab did not refresh"
plot_shot "$x_dir/returned.png"
click "$sliding"
wait_until dump_shows RadioButton6 1 || fail "\"Sliding\" was not selected"
click "$running"
wait_until dump_shows RadioButton5 1 || fail "\"Running\" was not selected"
clean_redraw() { plot_shot "$x_dir/clean.png" && same_pictures "$x_dir/returned.png" "$x_dir/clean.png"; }
wait_until clean_redraw || fail "the Estimation page came back with old drawings"
tab 0
wait_until dump_shows page 0 || fail "the Graph tab did not open"
wait_until plot_drawn || fail "the Graph page came back blank"

# Keyboard page changes act as tab clicks: Step on Graph, then Ctrl+Tab.
click "$step"
wait_until dump_shows iteration 1 || fail "Step after Stop did not start a fresh run"
click "$graph_readout"
key ctrl+Tab
wait_until dump_shows Edit8 2 || fail "Ctrl+Tab did not refresh the Estimation page"
wait_until plot_drawn || fail "Ctrl+Tab left the Estimation plot blank"
key ctrl+Next
wait_until dump_shows page 2 || fail "Ctrl+PgDn did not turn the page"
key ctrl+Prior
wait_until dump_shows page 1 || fail "Ctrl+PgUp did not turn the page"

# Tab and Shift+Tab leave the table.
key ctrl+Next
wait_until dump_shows page 2 || fail "Ctrl+PgDn did not turn the page"
click "$grid_cell"
wait_until dump_shows focus StringGrid1 || fail "the table took no focus"
key Tab
wait_until dump_shows focus Edit2 || fail "Tab stayed in the table"
key shift+Tab
wait_until dump_shows focus StringGrid1 || fail "Shift+Tab did not return to the table"

# Russian captions through the keyboard: nothing cut, the tabs clear of Panel2.
key Tab Tab Tab Tab
wait_until dump_shows focus ComboBox1 || fail "Tab did not reach the language box"
key Down Down
wait_until dump_shows cut "" || fail "captions are cut: $(value cut)"
[ "$(value tabsEnd)" -lt 160 ] || fail "the tabs end at x = $(value tabsEnd), under Panel2"

# Every command from the keyboard: Tab goes on from the language box to
# Quickly, Exit, the speed bar (which starts continuous teaching), Step,
# Stop, "?" and round to the regime buttons, where Enter clicks Quickly.
key Tab
wait_until dump_shows focus Button1 || fail "Tab did not go on to Quickly: $(value focus)"
key space
wait_until dump_shows lamp "#00ff00" || fail "Space on Quickly did not start quick teaching"
key Tab Tab
wait_until dump_shows lamp "#ffff00" || fail "the speed bar reached by Tab did not start teaching"
key End Left
wait_until dump_shows speed 1600 || fail "Left did not move the thumb left: $(value speed)"
key Right
wait_until dump_shows speed 2000 || fail "Right did not move the thumb right: $(value speed)"
key Tab space
wait_until dump_shows lamp "#0000ff" || fail "Space on Step did not step"
key Tab space
wait_until dump_shows lamp "#ff0000" || fail "Space on Stop did not stop"
key Tab Tab
wait_until dump_shows focus RadioButton1 || fail "Tab did not go round to the regime buttons"
key Down
wait_until dump_shows RadioButton2 1 || fail "Down did not choose \"Sin\""
key Return
wait_until dump_shows lamp "#00ff00" || fail "Enter did not click Quickly"

# The about box, centred on the 1024 x 768 screen; Enter closes it.
click "$about"
find_about() {
  about_box=$(xdotool search --onlyvisible --name '^About$' 2>/dev/null | head -n 1)
  [ -n "$about_box" ]
}
about_gone() { ! find_about; }
wait_until find_about || fail "the about box did not open"
info=$(xwininfo -id "$about_box")
left=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
top=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
[ "$left,$top" = "363,277" ] || fail "the about box is at $left,$top, not centred at 363,277"
xdotool key --window "$about_box" Return
wait_until about_gone || fail "Enter did not close the about box"
echo "real use end to end: passed"
