#!/usr/bin/env bash
# Sets up a Debian 12 machine for Varkelon, builds it, then either opens the
# program (run), builds the browser page (web) or runs every test (test).
# Quiet when nothing is missing.
#
#   scripts/setup.sh run     install what is missing, build, open the window
#   scripts/setup.sh web     install what is missing, build varkelon.html (one
#                            file that opens offline in a browser) and print
#                            where it is
#   scripts/setup.sh test    install what is missing, build (natively and as
#                            WebAssembly), run all tests
set -euo pipefail

mode=${1:-}
case "$mode" in
  run|test|web) ;;
  *) echo "usage: $0 run|test|web" >&2; exit 2 ;;
esac

top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$top"

# What building the programs and their packages and running the window need.
build_packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-wayland qt6-translations-l10n fonts-dejavu-core fonts-liberation
  help2man dpkg-dev pybind11-dev python3-dev python3-numpy
)
# What the tests need on top of that.
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool imagemagick x11-utils x11-xserver-utils weston locales
  qt6-gtk-platformtheme dbus at-spi2-core python3-pyatspi procps
  clang-14 clang-format-14 libclang-rt-14-dev valgrind
  lintian desktop-file-utils appstream python3-pytest
  python3-matplotlib python3-pandas python3-distributed mypy python3-venv python3-pip
  python3-setuptools python3-wheel jupyter-nbconvert python3-ipykernel python3-nbformat
  python3-nbclient
  emscripten nodejs chromium chromium-driver python3-selenium
)
# What the browser page alone needs.
web_packages=(cmake ninja-build emscripten nodejs)
packages=("${build_packages[@]}")
if [ "$mode" = test ]; then
  packages+=("${test_packages[@]}")
elif [ "$mode" = web ]; then
  packages=("${web_packages[@]}")
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

# The window's tests run it under a locale with a decimal comma as well.
if [ "$mode" = test ] && ! locale -a 2>/dev/null | grep -qx 'ru_RU.utf8'; then
  if [ "$(id -u)" -ne 0 ]; then
    echo "The ru_RU.UTF-8 locale is missing; run this command as root to generate it." >&2
    exit 1
  fi
  localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi

# Configures and builds one preset of CMakePresets.json (all of it, or the
# targets named after the log); prints the compiler's output only on failure.
build() {
  local preset=$1 log=$2
  shift 2
  local targets=()
  if [ $# -gt 0 ]; then
    targets=(--target "$@")
  fi
  if ! { cmake --preset "$preset" && cmake --build --preset "$preset" "${targets[@]}"; } >"$log" 2>&1; then
    cat "$log" >&2
    echo "Build of preset $preset failed (log: $log)." >&2
    exit 1
  fi
}

if [ "$mode" = web ]; then
  build wasm build-wasm.log varkelon-page
  echo "$top/build-wasm/bin/varkelon.html"
  exit 0
fi

if [ "$mode" = run ]; then
  build release build.log
  if [ -x build/bin/varkelon ]; then
    exec build/bin/varkelon
  fi
  echo "The window is not built yet; a short varkelon-teach demonstration instead:"
  exec build/bin/varkelon-teach --clock "$(date +%s)" --cycles 20 --regime sin
fi

# Tests, twice: the hardened release build (build/), then the whole suite
# again built with AddressSanitizer and UndefinedBehaviorSanitizer
# (build-asan/), where any report fails the run. Warnings are errors in both.
build ci build.log
# The WebAssembly build, before the native tests, which compare
# varkelon-teach with it and open its varkelon.html in Chromium; its own tests (the model's, the vector kernels'
# among them) run in node. The wasm presets set the NODE_PATH through which
# emscripten's tools find their JavaScript libraries.
build wasm build-wasm.log
ctest --preset wasm
ctest --preset ci

build sanitizer build-asan.log
# The sanitizer test preset sets ASAN_OPTIONS, UBSAN_OPTIONS and LSAN_OPTIONS
# and leaves out the fuzz targets, which carry their own sanitizers and ran
# once, above. No strict string checks: libxkbcommon-x11 hands strndup a
# buffer without a terminator, which they report although strndup reads no
# further than its bound.
ctest --preset sanitizer
