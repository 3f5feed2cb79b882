#!/usr/bin/env bash
# Runs the leak driver under valgrind's memcheck: any definite leak, invalid
# read or write, or use of an uninitialised value fails the test. Leaks that
# system libraries keep for the process's life are suppressed in
# system.supp, by library only.
#   run-memcheck.sh DRIVER SUPPRESSIONS LOG [CYCLES]
set -euo pipefail
driver=$1 suppressions=$2 log=$3 cycles=${4:-1000}

if ! command -v valgrind >/dev/null; then
  echo "valgrind is not installed" >&2
  exit 1
fi

# The suppression of overlaps in __memcpy_chk (see system.supp) holds only
# while our program calls memmove and never __memcpy_chk.
if nm -D --undefined-only "$driver" | grep -q '__memcpy_chk'; then
  echo "$driver calls __memcpy_chk: revisit the memcpy_chk suppression in $suppressions" >&2
  exit 1
fi

status=0
QT_QPA_PLATFORM=offscreen valgrind --tool=memcheck --leak-check=full \
  --errors-for-leak-kinds=definite --error-exitcode=1 --num-callers=40 \
  --suppressions="$suppressions" --log-file="$log" \
  "$driver" "$cycles" || status=$?

# The summary lines, and the full report when something is wrong.
grep -E 'definitely lost|indirectly lost|possibly lost|still reachable|suppressed:|ERROR SUMMARY' "$log" \
  | sed 's/^==[0-9]*== *//'
if [ $status -ne 0 ]; then
  cat "$log"
fi
exit $status
