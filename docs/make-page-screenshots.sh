#!/usr/bin/env bash
# Makes docs/{graph,estimation,table}-{en,ru}.png: the three pages after 300
# cycles of "Sin + Random" teaching, in English and in Russian, under Xvfb
# without a window manager (so without a frame).
#
#   docs/make-page-screenshots.sh build/bin/varkelon
#
# Every seeding reads one second (--clock), so a second run makes the same
# pictures. Every page shows the model as it is when it comes into view, so
# all six pictures show cycle 300. Every Step is clicked by itself, and the
# next one waits until the window has changed, so that no click is lost.
set -uo pipefail
program=${1:?usage: make-page-screenshots.sh PROGRAM}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../tests/e2e/x-session.sh"
cycles=300

# Places in the window's client area.
sin_random="410 112"
step="416 268"
combo="334 61"          # ComboBox1, on the Table page
english_tabs=(19 69 116) # centres of the Graph, Estimation and Table tabs
russian_tabs=(23 71 120)
tab_row=9

click() { # WINDOW X Y
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

shot() { # WINDOW FILE
  import -window "$1" "$2" 2>/dev/null
}

# True when WINDOW differs from the picture in FILE; keeps the new picture.
changed_from() { # WINDOW FILE
  shot "$1" "$x_dir/now.png" || return 1
  local differing
  differing=$(compare -metric AE "$2" "$x_dir/now.png" null: 2>&1)
  [ "${differing%% *}" != 0 ] || return 1
  mv "$x_dir/now.png" "$2"
}

# Clicks at X Y in WINDOW and waits until the window has changed.
click_and_wait() { # WINDOW X Y
  shot "$1" "$x_dir/last-$1.png" || fail "no screenshot"
  click "$@"
  wait_until changed_from "$1" "$x_dir/last-$1.png" || fail "the click at $2, $3 changed nothing"
  # A paint that lands in pieces: give the rest of it a moment.
  sleep 0.2
}

choose_russian() { # WINDOW, on its Table page
  click "$1" $combo
  sleep 0.5
  xdotool key Down Down Return
  sleep 0.5
}

start_x_server
start_program "$program" --language en --clock 1700000000
wait_for_window
a=$window

click_and_wait "$a" $sin_random
for ((cycle = 1; cycle <= cycles; cycle++)); do
  click_and_wait "$a" $step
done
shot "$a" "$here/graph-en.png" || fail "no screenshot"
click_and_wait "$a" "${english_tabs[1]}" $tab_row
shot "$a" "$here/estimation-en.png" || fail "no screenshot"
click_and_wait "$a" "${english_tabs[2]}" $tab_row
shot "$a" "$here/table-en.png" || fail "no screenshot"

choose_russian "$a"
shot "$a" "$here/table-ru.png" || fail "no screenshot"
click_and_wait "$a" "${russian_tabs[0]}" $tab_row
shot "$a" "$here/graph-ru.png" || fail "no screenshot"
click_and_wait "$a" "${russian_tabs[1]}" $tab_row
shot "$a" "$here/estimation-ru.png" || fail "no screenshot"
echo "wrote $here/{graph,estimation,table}-{en,ru}.png"
