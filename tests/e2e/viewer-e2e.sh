#!/usr/bin/env bash
# The Viewer's pages in the real window, driven with xdotool as a user drives
# them, and the numbers the widgets show checked against the model's:
#   "Sin + Random", Quickly; the Estimation tab shows the Sliding plot;
#   "Running" shows the Running plot; on the Table tab the numbers follow;
#   Stop: the table's cells and readouts are the model's values formatted;
#   the Estimation tab fills its readouts, and a fresh "Running" leaves the
#   ten positions after the newest blank; the Graph tab shows the stopped run
#   until Step, which starts a fresh run and fills the Graph readouts.
#
#   viewer-e2e.sh PROBE    PROBE: varkelon-e2e-probe, the window with a dump
#                          of its widgets and model on SIGUSR1
set -uo pipefail
probe=${1:?usage: viewer-e2e.sh PROBE}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x-session.sh"
source "$here/probe.sh"

# Places in the window's client area.
sin_random="410 112"
step="416 268"
quickly="425 301"
stop="416 236"
exit_button="480 300"
running="300 283"
sliding="300 299"

# True when the plot area differs from the picture in $1 and passes
# check-plot.py with the rest of the arguments; keeps the picture in now.png.
plot_changed_and() {
  local before=$1
  shift
  plot_shot "$x_dir/now.png" || return 1
  local differing
  differing=$(compare -metric AE "$before" "$x_dir/now.png" null: 2>&1)
  [ "${differing%% *}" != 0 ] || return 1
  convert "$x_dir/now.png" -depth 8 "$x_dir/now.ppm" &&
    python3 "$here/check-plot.py" "$x_dir/now.ppm" "$@" 2>"$x_dir/plot.log"
}


command -v python3 >/dev/null || fail "python3 is not installed"
start_x_server
# English captions, which the table's headers are checked against, also
# where the locale is Russian.
start_probe "$probe" --language en

# Quick teaching on "Sin + Random", until the estimation ring is full.
click "$sin_random"
wait_until dump_shows RadioButton4 1 || fail "\"Sin + Random\" was not selected"
click "$quickly"
wait_until at_least_iteration 200 || fail "quick teaching did not reach 200 cycles"

plot_shot "$x_dir/graph.png" || fail "no screenshot"
tab 1
wait_until plot_changed_and "$x_dir/graph.png" plot ||
  fail "the Estimation tab shows no Sliding plot: $(cat "$x_dir/plot.log")"
cp "$x_dir/now.png" "$x_dir/sliding.png"
click "$running"
wait_until dump_shows RadioButton5 1 || fail "\"Running\" was not selected"
wait_until plot_changed_and "$x_dir/sliding.png" plot ||
  fail "\"Running\" shows no Running plot: $(cat "$x_dir/plot.log")"

# The table follows the teaching once a cycle has run with it on view.
tab 2
wait_until dump_shows page 2 || fail "the Table tab did not open"
not_initial() { take_dump; [ "$(value Edit2)" != 0 ]; }
wait_until not_initial || fail "the table was never refreshed"

click "$stop"
wait_until dump_shows timer1Active 0 || fail "Stop did not stop the timer"
take_dump
numbers_agree table
stopped_at=$(value iteration)
# The other pages' readouts were last written while their page was on view.
for edit in Edit5 Edit8; do
  [ "$(value "$edit")" -lt "$((stopped_at + 1))" ] ||
    fail "$edit shows $(value "$edit") at iteration $stopped_at: a hidden page was written"
done

# The Estimation tab refreshes: its readouts now show the same numbers.
tab 1
wait_until dump_shows Edit8 "$((stopped_at + 1))" || fail "the Estimation tab did not refresh"
numbers_agree table estimation
[ "$(value iteration)" = "$stopped_at" ] || fail "teaching went on after Stop"

# A fresh "Running" clears the area and redraws the ring in full.
plot_shot "$x_dir/before.png" || fail "no screenshot"
click "$sliding"
wait_until dump_shows RadioButton6 1 || fail "\"Sliding\" was not selected"
click "$running"
wait_until dump_shows RadioButton5 1 || fail "\"Running\" was not selected"
newest=$(value estimationIndex)
gap_drawn() {
  plot_shot "$x_dir/now.png" && convert "$x_dir/now.png" -depth 8 "$x_dir/now.ppm" &&
    python3 "$here/check-plot.py" "$x_dir/now.ppm" gap "$newest" 2>"$x_dir/plot.log"
}
wait_until gap_drawn || fail "the Running plot's gap after $newest: $(cat "$x_dir/plot.log")"

# The Graph tab shows the stopped run too; Step after Stop starts a fresh run.
tab 0
wait_until dump_shows page 0 || fail "the Graph tab did not open"
wait_until dump_shows Edit5 "$((stopped_at + 1))" || fail "the Graph tab did not refresh"
numbers_agree graph
click "$step"
wait_until dump_shows iteration 1 || fail "Step after Stop did not start a fresh run"
numbers_agree graph

click "$exit_button"
expect_exit_status_zero
echo "Viewer end to end: passed"
