#!/usr/bin/env bash
# Sets up a Debian 12 machine for Varkelon, builds it, then either opens the
# program (run) or runs every test (test). Quiet when nothing is missing.
#
#   scripts/setup.sh run     install what is missing, build, open the window
#   scripts/setup.sh test    install what is missing, build, run all tests
set -euo pipefail

mode=${1:-}
case "$mode" in
  run|test) ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

# What building the programs and their packages and running the window need.
build_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-wayland fonts-dejavu-core fonts-liberation
  help2man dpkg-dev
)
# What the tests need on top of that.
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils weston
  clang-14 libclang-rt-14-dev valgrind
  lintian desktop-file-utils appstream
)
packages=("${build_packages[@]}")
if [ "$mode" = test ]; then
  packages+=("${test_packages[@]}")
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}; run this command as root to install them." >&2
    exit 1
  fi
  echo "Installing ${missing[*]} ..."
  log=$(mktemp)
  # Other installs on this machine may hold dpkg's lock: wait for it.
  apt=(apt-get -o DPkg::Lock::Timeout=900)
  if ! { "${apt[@]}" update -qq &&
    DEBIAN_FRONTEND=noninteractive "${apt[@]}" install -y -qq "${missing[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    exit 1
  fi
  rm -f "$log"
fi

# Configures and builds one tree; prints the compiler's output only on failure.
build() {
  local dir=$1
  shift
  local log="$dir.log"
  if ! { cmake -S . -B "$dir" -G Ninja "$@" && cmake --build "$dir"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "Build of $dir failed (log: $log)." >&2
    exit 1
  fi
}

if [ "$mode" = run ]; then
  # No tests and no benchmarks: their libraries belong to the test set-up.
  build build -DCMAKE_BUILD_TYPE=Release -DVARKELON_TESTS=OFF -DVARKELON_BENCH=OFF
  if [ -x build/bin/varkelon ]; then
    exec build/bin/varkelon
  fi
  echo "The window is not built yet; a short varkelon-teach demonstration instead:"
  exec build/bin/varkelon-teach --clock "$(date +%s)" --cycles 20 --regime sin
fi

# Tests, twice: the hardened release build, then the whole suite again built
# with AddressSanitizer and UndefinedBehaviorSanitizer, where any report fails
# the run. Warnings are errors in both.
build build -DCMAKE_BUILD_TYPE=Release -DVARKELON_WERROR=ON -DVARKELON_TESTS=ON -DVARKELON_BENCH=ON
ctest --test-dir build --output-on-failure -j 2

build build-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARKELON_WERROR=ON -DVARKELON_SANITIZE=ON \
  -DVARKELON_TESTS=ON -DVARKELON_BENCH=OFF
# No strict string checks: libxkbcommon-x11 hands strndup a buffer without a
# terminator, which they report although strndup reads no further than its
# bound.
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$top/tests/sanitizer/lsan.supp:print_suppressions=0
# The fuzz targets carry their own sanitizers; they run once, above.
ctest --test-dir build-asan --output-on-failure -j 2 -LE fuzz
