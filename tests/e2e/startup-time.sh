#!/usr/bin/env bash
# Time from starting the program to its window being shown, under Xvfb:
# five runs, the median printed in milliseconds.
#
#   startup-time.sh PROGRAM [RUNS]
set -uo pipefail
program=${1:?usage: startup-time.sh PROGRAM [RUNS]}
runs=${2:-5}
source "$(dirname "${BASH_SOURCE[0]}")/x-session.sh"

start_x_server
times=()
for ((run = 1; run <= runs; run++)); do
  started=$(date +%s%N)
  start_program "$program"
  # A tight poll: the measured time is what is wanted here. It gives up when
  # the program ends without a window, or after x_timeout seconds.
  polls=$((x_timeout * 200))
  until find_window; do
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(cat "$x_dir/program.log")"
    polls=$((polls - 1))
    [ "$polls" -gt 0 ] || fail "no window appeared"
    sleep 0.005
  done
  shown=$(date +%s%N)
  times+=($(((shown - started) / 1000000)))
  kill "$program_pid"
  wait "$program_pid" 2>/dev/null
  program_pid=
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "runs (ms): ${times[*]}"
echo "median (ms): ${sorted[$((runs / 2))]}"
