#!/usr/bin/env bash
# Makes docs/window-dark.png: the window under GTK's dark Adwaita theme
# (through Qt's gtk3 platform theme), on the Estimation page in Running mode
# after 60 Step clicks of "Sin + Random" teaching, under Xvfb without a window
# manager (so without a frame). Every Step waits for the window to change.
#
#   docs/make-dark-screenshot.sh build/bin/varkelon
set -uo pipefail
program=${1:?usage: make-dark-screenshot.sh PROGRAM}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../tests/e2e/x-session.sh"
cycles=60

# Places in the window's client area.
sin_random="410 112"
step="416 268"
estimation_tab="69 9"
running="300 284"

shot() { # FILE
  import -window "$window" "$1" 2>/dev/null
}

changed_from() { # FILE
  shot "$x_dir/now.png" || return 1
  local differing
  differing=$(compare -metric AE "$1" "$x_dir/now.png" null: 2>&1)
  [ "${differing%% *}" != 0 ]
}

click_and_wait() { # X Y
  shot "$x_dir/last.png" || fail "no screenshot"
  xdotool mousemove --window "$window" "$1" "$2" click 1
  wait_until changed_from "$x_dir/last.png" || fail "the click at $1, $2 changed nothing"
  sleep 0.2
}

start_x_server
export QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark
# English first whatever the locale (a Russian one would start in Russian).
start_program "$program" --language en --clock 1700000000
wait_for_window
sleep 0.5
click_and_wait $sin_random
click_and_wait $estimation_tab
click_and_wait $running
for ((cycle = 1; cycle <= cycles; cycle++)); do
  click_and_wait $step
done
shot "$here/window-dark.png" || fail "no screenshot"
echo "wrote $here/window-dark.png"
