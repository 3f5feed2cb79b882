#!/usr/bin/env bash
# Makes docs/window.png: the window as it opens, under Xvfb, without a
# window manager (so without a frame).
#
#   docs/make-screenshot.sh build/bin/varkelon
set -uo pipefail
program=${1:?usage: make-screenshot.sh PROGRAM}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../tests/e2e/x-session.sh"

start_x_server
# English first whatever the locale (a Russian one would start in Russian),
# and one second for every seeding, so that the picture can be made again.
start_program "$program" --language en --clock 1700000000
wait_for_window
# The first picture is drawn at creation; give the paint a moment to land.
painted() {
  import -window "$window" "$x_dir/shot.png" 2>/dev/null &&
    [ "$(identify -format %k "$x_dir/shot.png")" -gt 16 ]
}
wait_until painted || fail "the window was never painted"
sleep 0.5
import -window "$window" "$here/window.png" || fail "no screenshot"
echo "wrote $here/window.png"
