#!/usr/bin/env bash
# The real program on a high-density screen: under QT_SCALE_FACTOR=2 the
# window is twice its size (1032 x 652 device pixels for its 516 x 326),
# the controls sit at twice their places, and the graph is drawn sharp: every
# pixel of the 374 x 246 picture is a 2 x 2 block of one colour, pure black
# on the window colour, never smoothed to grey.
#
#   scale2.sh PROGRAM [SCREENSHOT]   SCREENSHOT: where to keep the window's picture
set -uo pipefail
program=${1:?usage: scale2.sh PROGRAM [SCREENSHOT]}
screenshot=${2:-}
source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"

# Device pixels are twice the window's logical ones. PageControl1 lies at
# 0, 0 and shows its page at 2, 19; Panel5 fills the page from 0, 0 with a
# one-pixel border and the paint box inside it at 2, 2: the paint box is at
# logical 4, 21, device 8, 42.
graph=748x492+8+42
# Panel5's border: logical 2, 19 to 379, 268, two device pixels wide.
panel=756x500+4+38
# The lamp, Memo1 at 464, 264 (17 x 17) with a one-pixel sunken frame: its
# red inside is 15 x 15 at 465, 265.
lamp=30x30+930+530

# The distinct colours of a part of the shot, one "#RRGGBB" a line.
colours_of() {
  convert "$x_dir/shot.png" -crop "$1" +repage -unique-colors -depth 8 txt:- |
    sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p'
}

# True once the window has painted its graph: more than one colour.
graph_painted() {
  import -window "$window" "$x_dir/shot.png" 2>/dev/null || return 1
  [ "$(colours_of "$graph" | wc -l)" -gt 1 ]
}

for tool in Xvfb xdotool xwininfo import convert compare; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (bash scripts/setup.sh test installs it)"
done
# A screen larger than the window, so that none of it lies off screen.
start_x_server 1280x1024
export QT_SCALE_FACTOR=2
start_program "$program"
wait_for_window

info=$(xwininfo -id "$window")
width=$(sed -n 's/^ *Width: //p' <<<"$info")
height=$(sed -n 's/^ *Height: //p' <<<"$info")
[ "$width x $height" = "1032 x 652" ] || fail "the window is $width x $height"

wait_until graph_painted || fail "the graph was never painted"
# The first picture is drawn at creation; let the paint land, then look again.
sleep 0.5
import -window "$window" "$x_dir/shot.png" || fail "no screenshot"

# The paint box's top left corner shows the window colour.
background=$(colours_of 1x1+8+42)
[ "$(colours_of "$graph" | sort | tr '\n' ' ')" = "$(printf '#000000\n%s\n' "$background" | sort | tr '\n' ' ')" ] ||
  fail "the graph shows other colours than black and $background: $(colours_of "$graph" | head -n 5 | tr '\n' ' ')"

# Sharp: halving and doubling by sampling gives back the same picture only
# when every 2 x 2 block is one colour.
convert "$x_dir/shot.png" -crop "$graph" +repage "$x_dir/graph.png"
convert "$x_dir/graph.png" -sample 50% -sample 200% "$x_dir/blocks.png"
differing=$(compare -metric AE "$x_dir/graph.png" "$x_dir/blocks.png" null: 2>&1)
[ "${differing%% *}" = 0 ] || fail "$differing device pixels of the graph are not in 2 x 2 blocks"

# The frame's top line, design y = 30 from x = 10 to 363: device rows 60 and
# 61 of the paint box from x = 20 to 727, window colour above, beside and
# below (where nothing else crosses).
at() { echo "$1x$2+$((8 + $3))+$((42 + $4))"; }
[ "$(colours_of "$(at 708 2 20 60)")" = "#000000" ] || fail "the frame's top line is not two black rows"
[ "$(colours_of "$(at 708 1 20 59)")" = "$background" ] || fail "the row above the frame is not clear"
for x in 100 300 500 700; do
  [ "$(colours_of "$(at 1 1 "$x" 62)")" = "$background" ] || fail "the row below the frame is not clear at x = $x"
done
[ "$(colours_of "$(at 2 2 18 60)")" = "$background" ] || fail "the frame's top line starts before x = 10"
[ "$(colours_of "$(at 2 2 728 60)")" = "$background" ] || fail "the frame's top line reaches x = 364"

# Controls at twice their places: Panel5's border two device pixels wide,
# and the lamp's red inside 30 x 30 at twice its corner.
convert "$x_dir/shot.png" -crop "$panel" +repage "$x_dir/panel.png"
for edge in 756x2+0+0 756x2+0+498 2x500+0+0 2x500+754+0; do
  [ "$(convert "$x_dir/panel.png" -crop "$edge" +repage -unique-colors -depth 8 txt:- |
    sed -n 's/.*\(#[0-9A-F]\{6\}\).*/\1/p')" = "#000000" ] || fail "Panel5's border $edge is not black"
done
red_box=$(convert "$x_dir/shot.png" -fill black +opaque '#FF0000' -trim -format '%wx%h%X%Y' info:)
[ "$red_box" = "$lamp" ] || fail "the lamp's red is at $red_box, not $lamp"

if [ -n "$screenshot" ]; then
  cp "$x_dir/shot.png" "$screenshot" || fail "cannot write $screenshot"
fi
echo "window at scale factor 2: passed"
