#!/usr/bin/env bash
# The window under a dark desktop theme (GTK's Adwaita dark, through Qt's
# gtk3 platform theme) looks as it does under the default one: the same
# pixels outside the graph and the readouts, whose numbers differ from run
# to run; a graph of black on white after teaching; the window background,
# an unchecked radio button's circle and the graph's background in the
# default theme's colours. Exit then ends the program with 0.
#
#   dark-theme-e2e.sh PROGRAM
set -uo pipefail
program=${1:?usage: dark-theme-e2e.sh PROGRAM}
source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"

# Places in the window's client area.
graph=374x246+4+21
step="416 268"
exit_button="480 300"
# Numbers that change with the clock's seed: the graph and the readouts.
varying=(-draw "rectangle 4,21 377,266" -draw "rectangle 0,272 385,298")
# name, x, y: pixels whose colour must not depend on the theme.
samples=(
  "window-background 389 140"
  "radio-button-circle 406 97"
  "graph-background 6 23"
)

shot() {
  import -window "$window" "$1" 2>/dev/null
}

painted() {
  shot "$x_dir/now.png" && [ "$(identify -format %k "$x_dir/now.png" 2>/dev/null)" -gt 16 ]
}

# The window without what varies, in $1.
masked() {
  convert "$x_dir/now.png" -fill black "${varying[@]}" "$1"
}

# True when the window, masked, equals the default theme's.
same_as_default() {
  shot "$x_dir/now.png" && masked "$x_dir/dark.png" || return 1
  local differing
  differing=$(compare -metric AE "$x_dir/default.png" "$x_dir/dark.png" null: 2>&1)
  [ "${differing%% *}" = 0 ]
}

pixel() { # FILE X Y
  convert "$1" -format "%[pixel:p{$2,$3}]" info:
}

graph_changed() {
  import -window "$window" -crop "$graph" +repage "$x_dir/graph-now.png" 2>/dev/null || return 1
  local differing
  differing=$(compare -metric AE "$x_dir/graph.png" "$x_dir/graph-now.png" null: 2>&1)
  [ "${differing%% *}" != 0 ]
}

# Three Steps, each waited for.
teach() {
  for _ in 1 2 3; do
    import -window "$window" -crop "$graph" +repage "$x_dir/graph.png" 2>/dev/null
    xdotool mousemove --window "$window" $step click 1
    wait_until graph_changed || fail "Step did not change the graph"
  done
}

stop_program() {
  kill "$program_pid" 2>/dev/null
  wait "$program_pid" 2>/dev/null
  program_pid=
}

start_x_server

# The default theme first.
env -u QT_QPA_PLATFORMTHEME -u GTK_THEME "$program" >"$x_dir/program.log" 2>&1 &
program_pid=$!
wait_for_window
wait_until painted || fail "the window was never painted"
sleep 0.5
shot "$x_dir/now.png"
masked "$x_dir/default.png"
cp "$x_dir/now.png" "$x_dir/default-full.png"
stop_program

QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark QT_LOGGING_RULES=qt.qpa.theme=true \
  "$program" >"$x_dir/program.log" 2>&1 &
program_pid=$!
wait_for_window
grep -q 'Successfully created platform theme "gtk3"' "$x_dir/program.log" ||
  fail "the gtk3 platform theme did not load (qt6-gtk-platformtheme): $(cat "$x_dir/program.log")"
wait_until painted || fail "the window was never painted"
# Painted once, it differs only while the paint lands: a short wait.
x_timeout=10 wait_until same_as_default ||
  fail "under the dark theme the window differs from the default theme's outside the graph and the readouts"
for sample in "${samples[@]}"; do
  read -r name x y <<<"$sample"
  expected=$(pixel "$x_dir/default-full.png" "$x" "$y")
  got=$(pixel "$x_dir/now.png" "$x" "$y")
  [ "$got" = "$expected" ] || fail "$name is $got under the dark theme, $expected under the default"
done
teach
colours=$(convert "$x_dir/graph-now.png" -unique-colors -depth 8 txt:- | awk 'NR > 1 { print $3 }' | tr '\n' ' ')
[ "$colours" = "#000000 #FFFFFF " ] || fail "the graph's colours after teaching are $colours, not black and white"

xdotool mousemove --window "$window" $exit_button click 1
expect_exit_status_zero
echo "dark theme end to end: passed"
