#!/usr/bin/env bash
# Builds a libFuzzer target with clang (address and undefined-behaviour
# sanitizers on) and runs it for a bounded number of executions from its
# committed corpus.
#   run-fuzzer.sh SOURCE_DIR WORK_DIR TARGET RUNS SOURCES_OR_DEFINITIONS...
# (a definition is -DNAME=VALUE)
set -euo pipefail
source_dir=$1 work_dir=$2 target=$3 runs=$4
shift 4

clang=$(command -v clang++-14 || command -v clang++ || true)
if [ -z "$clang" ]; then
  echo "clang++ is not installed" >&2
  exit 1
fi

mkdir -p "$work_dir"
binary="$work_dir/$target"
sources=()
for source in "$@"; do
  case $source in
    -D*) sources+=("$source") ;;
    *) sources+=("$source_dir/$source") ;;
  esac
done
"$clang" -std=c++20 -O1 -g -ffp-contract=off -Wall -Wextra -Werror \
  -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
  -I"$source_dir" "${sources[@]}" -o "$binary"

# New inputs go to a scratch folder; the committed corpus is only read.
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
log="$work_dir/$target.log"
status=0
"$binary" -runs="$runs" -seed=1 -max_len=256 -print_final_stats=1 \
  -artifact_prefix="$work_dir/$target-" "$scratch" "$source_dir/tests/fuzz/corpus/$target" \
  >"$log" 2>&1 || status=$?
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
else
  grep -E '^(Done|stat::number_of_executed_units)' "$log"
fi
exit $status
