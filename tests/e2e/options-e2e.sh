#!/usr/bin/env bash
# The window program's options, through the real program and real X events:
#   without a display, --help and --version print and end with status 0,
#   and a bad argument gives one line on standard error and status 2;
#   --clock C, Quickly from the start in Static, then Stop: the model and
#   the readouts show what varkelon-teach --clock C --regime static prints
#   at that iteration, the iteration readout one more;
#   --language, else the messages locale, picks the captions at start;
#   --scale sizes the window over its size at 96 dpi whatever the desktop's
#   scale (its dpi, QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS), lowers a
#   factor too large for the 1600x1000 screen and says so, and at 1.25 and
#   1.5 every line of the Estimation plot's frame and ticks is two device
#   pixels wide.
#
#   options-e2e.sh PROGRAM PROBE TEACH
set -uo pipefail
program=${1:?usage: options-e2e.sh PROGRAM PROBE TEACH}
probe=${2:?usage: options-e2e.sh PROGRAM PROBE TEACH}
teach=${3:?usage: options-e2e.sh PROGRAM PROBE TEACH}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/x-session.sh"
source "$here/probe.sh"

quickly="425 301"
stop="416 236"

window_gone() { ! find_window; }

end_program() {
  kill "$program_pid" && wait "$program_pid" 2>/dev/null
  program_pid=
  wait_until window_gone || fail "the window stayed"
}

# No display at all: what is printed, and the status, without a window.
# STATUS;FIRST LINE (of standard output for 0, of standard error for 2);ARGUMENTS
while IFS=';' read -r status line arguments; do
  code=0
  # shellcheck disable=SC2086
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb "$program" $arguments \
    >"$x_dir/out" 2>"$x_dir/err" || code=$?
  [ "$code" = "$status" ] || fail "'$arguments' ended with status $code: $(cat "$x_dir/err")"
  if [ "$status" = 0 ]; then
    [ "$(head -n 1 "$x_dir/out")" = "$line" ] || fail "'$arguments' printed: $(head -n 1 "$x_dir/out")"
    [ ! -s "$x_dir/err" ] || fail "'$arguments' said on standard error: $(cat "$x_dir/err")"
  else
    [ "$(cat "$x_dir/err")" = "$line" ] || fail "'$arguments' said: $(cat "$x_dir/err")"
    [ ! -s "$x_dir/out" ] || fail "'$arguments' printed: $(cat "$x_dir/out")"
  fi
done <<'CASES'
0;Usage: varkelon [--clock SECONDS] [--scale FACTOR] [--language en|ru];--help
0;varkelon 1.0;--version
0;varkelon 1.0;-reverse -style fusion --version
2;varkelon: unknown argument '--bogus' (see --help);--bogus
2;varkelon: unknown argument 'lesson.txt' (see --help);lesson.txt
2;varkelon: --clock needs a value;--clock
2;varkelon: --clock expects whole seconds from 0 to 4294967295, not '-5';--clock -5
2;varkelon: --scale expects a factor from 0.5 to 4, such as 1.5, not '5';--scale 5
2;varkelon: --language expects en or ru, not 'fr';--language fr
2;varkelon: --clock may be given only once;--clock=1 --clock 1
0;Usage: varkelon [--clock SECONDS] [--scale FACTOR] [--language en|ru];--language=ru --help
CASES

command -v xrdb >/dev/null || fail "xrdb is not installed (bash scripts/setup.sh test installs it)"
start_x_server 1600x1000

# A lesson replayed: the window's numbers are varkelon-teach's.
clock=1700000000
start_probe "$probe" --clock "$clock" --language en
click "$quickly"
wait_until at_least_iteration 100 || fail "quick teaching did not run"
click "$stop"
wait_until dump_shows timer1Active 0 || fail "Stop did not stop"
take_dump
cycles=$(value iteration)
IFS=, read -r iteration regime _ estimation _ noise < <("$teach" --clock "$clock" --regime static \
  --cycles "$cycles" --quiet | tail -n 1)
[ "$iteration,$regime" = "$cycles,static" ] || fail "varkelon-teach ended at $iteration, $regime"
[ "$(value estimation) $(value noiseLevel)" = "$estimation $noise" ] ||
  fail "the window's model has $(value estimation) $(value noiseLevel) at iteration $cycles," \
    "varkelon-teach $estimation $noise"
readouts=$(python3 -c '
import struct, sys
single = lambda text: struct.unpack("f", struct.pack("f", float(text)))[0]
print("%d %.6g %.6g" % (int(sys.argv[1]) + 1, single(sys.argv[2]), single(sys.argv[3])))' \
  "$cycles" "$estimation" "$noise")
[ "$(value Edit5) $(value Edit6) $(value Edit7)" = "$readouts" ] ||
  fail "the readouts show $(value Edit5) $(value Edit6) $(value Edit7), expected $readouts"
end_program

# The captions at start. ENVIRONMENT|OPTIONS|LANGUAGE BOX|Button1
while IFS='|' read -r environment options box caption; do
  # shellcheck disable=SC2086
  env -u LC_ALL -u LC_MESSAGES -u LANG $environment "$probe" "$dump" $options \
    >"$x_dir/program.log" 2>&1 &
  program_pid=$!
  wait_for_window
  take_dump
  [ "$(value language)|$(value "Button1 caption")" = "$box|$caption" ] ||
    fail "with $environment $options the window starts with '$(value language)'," \
      "'$(value "Button1 caption")'"
  end_program
done <<'CASES'
LC_ALL=ru_RU.UTF-8||Русский|Быстро
LANG=C.UTF-8 LC_MESSAGES=ru_RU.UTF-8||Русский|Быстро
LANG=ru_RU.UTF-8||Русский|Быстро
LC_ALL=C.UTF-8 LANG=ru_RU.UTF-8|||Quickly
LC_ALL=ru_RU.UTF-8|--language en||Quickly
LC_ALL=C.UTF-8|--language ru|Русский|Быстро
CASES

# True when every line of the Estimation plot (its frame and ticks, before
# teaching) is WIDTH device pixels wide at SCALE: the runs of black across
# the lines are WIDTH long, or longer where a tick meets the frame.
plot_lines_are() { # SCALE WIDTH
  convert "$x_dir/shot.png" -depth 8 "$x_dir/shot.ppm" &&
    python3 - "$x_dir/shot.ppm" "$1" "$2" <<'PYTHON'
import math, sys
data = open(sys.argv[1], "rb").read()
header = data.split(maxsplit=4)
width, height = int(header[1]), int(header[2])
pixels = header[4]
scale, line = float(sys.argv[2]), int(sys.argv[3])
# The paint box at 4, 21 (374 x 246), a device pixel in from its edges.
left, top = math.ceil(4 * scale) + 1, math.ceil(21 * scale) + 1
right, bottom = math.floor(378 * scale) - 2, math.floor(267 * scale) - 2
black = lambda x, y: pixels[3 * (y * width + x)] < 80
runs = set()
for fixed, span, is_black in (
        (range(top, bottom), range(left, right + 1), lambda a, b: black(b, a)),
        (range(left, right), range(top, bottom + 1), lambda a, b: black(a, b))):
    for a in fixed:
        run = 0
        for b in span:
            if b < span[-1] and is_black(a, b):
                run += 1
            else:
                if 0 < run < 2 * line:
                    runs.add(run)
                run = 0
sys.exit(0 if runs == {line} else "lines of %s device pixels" % sorted(runs))
PYTHON
}

# The window's size in device pixels: 516 x 326 times the factor; the
# message on standard error; the plot's line width where the factor is not
# whole. The desktop's dpi is the X resources' Xft.dpi (144: a 150% desktop).
# DPI|ENVIRONMENT|OPTIONS|SIZE|MESSAGE|LINE
while IFS='|' read -r dpi environment options size message line; do
  echo "Xft.dpi: $dpi" | xrdb -merge
  # shellcheck disable=SC2086
  start_program env $environment "$program" $options --language en
  wait_for_window
  info=$(xwininfo -id "$window")
  shown="$(sed -n 's/^ *Width: //p' <<<"$info")x$(sed -n 's/^ *Height: //p' <<<"$info")"
  [ "$shown" = "$size" ] || fail "at $dpi dpi with $environment $options the window is $shown, not $size"
  said=$(grep '^varkelon:' "$x_dir/program.log")
  [ "$said" = "$message" ] || fail "with $options the program said '$said', not '$message'"
  if [ -n "$line" ]; then
    scale=${options#--scale }
    xdotool mousemove --window "$window" "$(awk -v s="$scale" 'BEGIN { print int(69 * s) }')" \
      "$(awk -v s="$scale" 'BEGIN { print int(9 * s) }')" click 1
    plot_on_view() {
      import -window "$window" "$x_dir/shot.png" 2>/dev/null && plot_lines_are "$scale" "$line" 2>/dev/null
    }
    wait_until plot_on_view || fail "at $options the plot's $(plot_lines_are "$scale" "$line" 2>&1)"
  fi
  end_program
done <<'CASES'
96|QT_SCALE_FACTOR=1|--scale 1.5|774x489||2
96|QT_SCALE_FACTOR=1|--scale 1.25|645x408||2
96|QT_SCALE_FACTOR=2|--scale 0.5|258x163||
96|QT_SCALE_FACTOR=1.5||774x489||
144|||774x489||
144||--scale 1.5|774x489||2
144||--scale 1|516x326||
144|QT_SCALE_FACTOR=1.5|--scale=1.5|774x489||
96|QT_SCREEN_SCALE_FACTORS=1.5|--scale 1.5|774x489||
96||--scale 3|1548x978||
96||--scale 4|1579x998|varkelon: at --scale 4 the window is larger than the screen; 3.06 is used|
CASES
echo "window options end to end: passed"
