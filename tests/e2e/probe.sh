# Sourced after x-session.sh by the scripts that drive the test-only probe
# window (varkelon-e2e-probe), which dumps its widgets and model on SIGUSR1.
#
#   start_probe PROBE [OPTION...]
#                          starts it with its dump file and the window
#                          program's options; waits for the window
#   click "X Y"            a click at X, Y in the window's client area
#   take_dump              a fresh dump in $dump
#   value KEY              KEY's value in the last dump
#   dump_shows KEY TEXT    true when a fresh dump has KEY = TEXT
#   at_least_iteration N   true when a fresh dump has iteration N or more
#   tab N                  a click on page tab N (0 Graph, 1 Estimation, 2 Table)
#   plot_shot FILE         the paint box area of the page on view, as FILE
#   key KEY...             keys pressed in the window (xdotool's names)
#   numbers_agree PAGE...  the texts of the pages' readouts (and the table)
#                          are the model's numbers formatted; fails otherwise

dump="$x_dir/dump.txt"
# The paint boxes lie 2 pixels inside their panels, which the pages show at 2, 19.
plot=374x246+4+21

start_probe() {
  "$1" "$dump" "${@:2}" >"$x_dir/program.log" 2>&1 &
  program_pid=$!
  wait_for_window
}

click() {
  xdotool mousemove --window "$window" $1 click 1
}

take_dump() {
  rm -f "$dump"
  kill -USR1 "$program_pid" || fail "the program has gone: $(cat "$x_dir/program.log")"
  wait_until test -s "$dump" || fail "no dump"
}

value() {
  awk -F '\t' -v key="$1" '$1 == key { print $2 }' "$dump"
}

dump_shows() {
  take_dump
  [ "$(value "$1")" = "$2" ]
}

plot_shot() {
  import -window "$window" -crop "$plot" +repage "$1" 2>/dev/null
}

at_least_iteration() {
  take_dump
  [ "$(value iteration)" -ge "$1" ]
}

tab() {
  take_dump
  click "$(value "tab $1")"
}

key() {
  xdotool key --window "$window" "$@"
}

numbers_agree() {
  python3 "$(dirname "${BASH_SOURCE[0]}")/check-numbers.py" "$dump" "$@" ||
    fail "the widgets disagree with the model (dump: $(head -c 20000 "$dump"))"
}
