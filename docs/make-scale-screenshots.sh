#!/usr/bin/env bash
# Makes docs/window-scale1.25.png and docs/window-scale1.5.png: the window as
# it opens with --scale 1.25 and --scale 1.5, in English, under Xvfb on a
# 1024 x 768 screen, without a window manager (so without a frame), every
# seeding reading one second so that the pictures can be made again.
#
#   docs/make-scale-screenshots.sh build/bin/varkelon
set -uo pipefail
program=${1:?usage: make-scale-screenshots.sh PROGRAM}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../tests/e2e/x-session.sh"

start_x_server 1024x768
painted() {
  import -window "$window" "$x_dir/shot.png" 2>/dev/null &&
    [ "$(identify -format %k "$x_dir/shot.png")" -gt 16 ]
}
window_gone() { ! find_window; }
for scale in 1.25 1.5; do
  start_program "$program" --scale "$scale" --language en --clock 1700000000
  wait_for_window
  # The first picture is drawn at creation; give the paint a moment to land.
  wait_until painted || fail "the window was never painted"
  sleep 0.5
  import -window "$window" "$here/window-scale$scale.png" || fail "no screenshot"
  kill "$program_pid" && wait "$program_pid" 2>/dev/null
  program_pid=
  wait_until window_gone || fail "the window stayed"
  echo "wrote $here/window-scale$scale.png"
done
