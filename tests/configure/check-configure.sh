#!/usr/bin/env bash
# Configures the source tree the ways a builder may, and the test helper with
# right and wrong labels, each in a scratch folder; builds nothing.
#   check-configure.sh SOURCE_DIR
set -u
source_dir=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
fail() {
  echo "FAIL $1"
  [ -f "${2:-}" ] && cat "$2"
  status=1
}

# The window asked for (the default) with Qt hidden: the configuration stops
# and says what to do.
log=$scratch/window.log
if cmake -S "$source_dir" -B "$scratch/window" -G Ninja -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON \
  >"$log" 2>&1; then
  fail "the window configured without Qt" "$log"
elif ! grep -q 'The window program needs Qt 6.4 or later' "$log" ||
  ! grep -q -- '-DVARKELON_WINDOW=OFF' "$log"; then
  fail "no message about the missing Qt" "$log"
fi

# The window off with Qt hidden: the model, the lesson, the Viewer,
# varkelon-teach, their tests and benchmarks, and nothing that needs Qt.
log=$scratch/model.log
if ! cmake -S "$source_dir" -B "$scratch/model" -G Ninja -DVARKELON_WINDOW=OFF \
  -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON >"$log" 2>&1; then
  fail "the window off did not configure without Qt" "$log"
else
  ninja=$scratch/model/build.ninja
  for program in varkelon-teach varkelon-model-tests varkelon-tools-tests varkelon-bench-model \
    varkelon-lesson-tests varkelon-view-tests varkelon-bench-view; do
    grep -q "bin/$program:" "$ninja" || fail "the window off builds no $program"
  done
  grep -qi 'qt6' "$ninja" && fail "the window off still uses Qt"
  grep -Eq 'bin/varkelon(-shell-tests)?:' "$ninja" &&
    fail "the window off still builds the window or its tests"
  # The lesson and the Viewer compile and link where no Qt can be found, and
  # their tests pass there.
  log=$scratch/no-qt-build.log
  if ! cmake --build "$scratch/model" --target varkelon-lesson-tests varkelon-view-tests \
    >"$log" 2>&1; then
    fail "the lesson and the Viewer do not build without Qt" "$log"
  elif ! "$scratch/model/bin/varkelon-lesson-tests" >"$log" 2>&1 ||
    ! "$scratch/model/bin/varkelon-view-tests" >>"$log" 2>&1; then
    fail "the lesson's and the Viewer's tests fail without Qt" "$log"
  fi
fi

# The test helper: exactly one of unit, slow and system among the labels.
project=$scratch/labels
mkdir -p "$project"
cat >"$project/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(labels NONE)
include($source_dir/cmake/VarkelonTesting.cmake)
enable_testing()
varkelon_add_test(NAME probe COMMAND true LABELS \${PROBE_LABELS})
CMAKE
while read -r labels accepted; do
  build=$scratch/labels-${labels//;/-}
  log=$build.log
  if cmake -S "$project" -B "$build" "-DPROBE_LABELS=$labels" >"$log" 2>&1; then
    if [ "$accepted" = no ]; then
      fail "labels '$labels' were accepted" "$log"
    elif ! ctest --test-dir "$build" -N -L "^${labels%%;*}\$" | grep -q 'Total Tests: 1'; then
      fail "labels '$labels' do not select the test"
    fi
  elif [ "$accepted" = yes ]; then
    fail "labels '$labels' were refused" "$log"
  elif ! grep -q 'exactly one of unit, slow and system' "$log"; then
    fail "labels '$labels' refused without saying why" "$log"
  fi
done <<'CASES'
unit yes
system yes
system;fuzz yes
slow;python yes
fuzz no
unit;system no
unit;slow no
units no
CASES

[ $status -eq 0 ] && echo "ok"
exit $status
