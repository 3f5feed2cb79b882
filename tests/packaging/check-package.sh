#!/usr/bin/env bash
# Installs the build, checks the desktop files, builds the Debian package with
# cpack, checks its contents and lintian's verdict, unpacks it into a scratch
# root and starts the unpacked program: the window under a private Xvfb when
# the build has one, varkelon-teach otherwise. Touches nothing outside its
# scratch directory, which it removes on exit.
#
#   check-package.sh BUILD_DIR PROGRAM...
set -u

build=$1
shift
programs=("$@")

status=0
fail() { echo "FAIL: $*"; status=1; }
ok() { echo "ok $*"; }
has_program() { [[ " ${programs[*]} " == *" $1 "* ]]; }

scratch=$(mktemp -d "${TMPDIR:-/tmp}/varkelon-package.XXXXXX")
xvfb_pid=
program_pid=
# cmake --install always writes install_manifest.txt into the build tree: the
# one found there before the check is put back, or none.
manifest=$build/install_manifest.txt
[ -e "$manifest" ] && cp -p "$manifest" "$scratch/install_manifest.txt"
cleanup() {
    [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null && wait "$program_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    if [ -e "$scratch/install_manifest.txt" ]; then
        cp -p "$scratch/install_manifest.txt" "$manifest"
    else
        rm -f "$manifest"
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

# The width and height of a PNG, from its header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'; }

# Files every install holds, relative to the prefix; the desktop ones belong
# to the window program.
expected=(share/man/man1/varkelon-teach.1.gz share/doc/varkelon/copyright share/doc/varkelon/changelog.gz)
for program in "${programs[@]}"; do
    expected+=("bin/$program")
done
if has_program varkelon; then
    expected+=(share/man/man1/varkelon.1.gz
        share/icons/hicolor/32x32/apps/varkelon.png
        share/icons/hicolor/128x128/apps/varkelon.png
        share/applications/varkelon.desktop
        share/metainfo/varkelon.metainfo.xml)
fi

# 1. cmake --install into a staging prefix.
stage=$scratch/stage
if ! cmake --install "$build" --prefix "$stage" >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log"
    fail "cmake --install"
    exit 1
fi
for file in "${expected[@]}"; do
    [ -e "$stage/$file" ] || fail "cmake --install did not put $file in place"
done
for program in "${programs[@]}"; do
    [ -x "$stage/bin/$program" ] || fail "bin/$program is not executable"
done
zcat "$stage/share/man/man1/varkelon-teach.1.gz" >"$scratch/teach.1"
grep -q '^varkelon-teach \\- ' "$scratch/teach.1" || fail "the manual page has no NAME line"
for option in clock cycles regime switch neurons quiet; do
    grep -q "^\\\\fB\\\\-\\\\-$option\\\\fR" "$scratch/teach.1" || fail "the manual page lacks --$option"
done
if has_program varkelon; then
    icons=$stage/share/icons/hicolor
    [ "$(png_size "$icons/32x32/apps/varkelon.png")" = 32x32 ] || fail "the 32x32 icon is not 32 x 32"
    [ "$(png_size "$icons/128x128/apps/varkelon.png")" = 128x128 ] || fail "the 128x128 icon is not 128 x 128"

    # Hints (two main categories: Education and Science) are not faults.
    desktop_report=$(desktop-file-validate "$stage/share/applications/varkelon.desktop" 2>&1)
    desktop_status=$?
    [ -n "$desktop_report" ] && echo "$desktop_report"
    if [ $desktop_status -ne 0 ] || grep -Eq ' (error|warning): ' <<<"$desktop_report"; then
        fail "desktop-file-validate"
    else
        ok "desktop-file-validate"
    fi
    # The component id is the desktop entry's name, varkelon: no domain of
    # the project's own exists to build a reverse domain name from.
    if appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
        "$stage/share/metainfo/varkelon.metainfo.xml"; then
        ok "appstreamcli validate"
    else
        fail "appstreamcli validate"
    fi
fi

# 2. The Debian package.
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/cpack" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    fail "cpack"
    exit 1
fi
debs=("$scratch"/cpack/*.deb)
if [ ${#debs[@]} -ne 1 ] || [ ! -f "${debs[0]}" ]; then
    fail "cpack made ${#debs[@]} packages, expected one"
    exit 1
fi
deb=${debs[0]}
ok "cpack made $(basename "$deb")"

[ "$(dpkg-deb -f "$deb" Package)" = varkelon ] || fail "the package is not named varkelon"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# What dpkg-shlibdeps finds for a C++ program, and for the window Qt's widgets.
needed=(libc6 libstdc++6)
has_program varkelon && needed+=(libqt6widgets6 libqt6core6)
depended=$(sed 's/, */\n/g' <<<"$depends" | cut -d' ' -f1)
for package in "${needed[@]}"; do
    grep -Fxq "$package" <<<"$depended" || fail "Depends lacks $package"
done

dpkg-deb -c "$deb" >"$scratch/contents"
for file in "${expected[@]}"; do
    grep -Eq " \./usr/$file$" "$scratch/contents" || fail "the package lacks /usr/$file"
done
grep -Ev ' \./(usr/.*)?$' "$scratch/contents" && fail "the package puts files outside /usr"
grep -Eq ' \./usr/local/' "$scratch/contents" && fail "the package puts files in /usr/local"
grep -Ev '^[-d]r[-w][-x]r-[-x]r-[-x] root/root ' "$scratch/contents" &&
    fail "files not owned by root, or writable by others than root"

# 3. lintian: errors fail the check; warnings and notes are shown.
lintian --fail-on none --info "$deb" >"$scratch/lintian.log" 2>&1
grep -v 'running with root privileges' "$scratch/lintian.log"
tags=$(grep -Ec '^[EWI]: ' "$scratch/lintian.log")
errors=$(grep -Ec '^E: ' "$scratch/lintian.log")
echo "lintian: $tags tags, $errors errors"
[ "$errors" -eq 0 ] || fail "lintian reports errors"

# 4. Unpack into a scratch root and start the unpacked program.
root=$scratch/root
dpkg-deb -x "$deb" "$root" || { fail "dpkg-deb -x"; exit 1; }
for program in "${programs[@]}"; do
    [ -x "$root/usr/bin/$program" ] || fail "the unpacked /usr/bin/$program is not executable"
done

output=$("$root/usr/bin/varkelon-teach" --clock 0 --cycles 3 --regime sin)
if [ "$(head -n 1 <<<"$output")" = "iteration,regime,hiddenCount,estimation,learningRate,noiseLevel" ] &&
    [ "$(wc -l <<<"$output")" -eq 5 ] && [ "$(tail -n 1 <<<"$output" | cut -d, -f1-2)" = "3,sin" ]; then
    ok "the unpacked varkelon-teach teaches"
else
    fail "the unpacked varkelon-teach printed: $output"
fi

if has_program varkelon; then
    # Xvfb picks a free display itself and writes its number to fd 3.
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$scratch/display" 2>"$scratch/xvfb.log" &
    xvfb_pid=$!
    for _ in $(seq 100); do
        [ -s "$scratch/display" ] && break
        sleep 0.1
    done
    display=$(head -n 1 "$scratch/display")
    if [ -z "$display" ]; then
        cat "$scratch/xvfb.log"
        fail "Xvfb did not start"
        exit 1
    fi
    export DISPLAY=:$display
    QT_QPA_PLATFORM=xcb "$root/usr/bin/varkelon" >"$scratch/varkelon.log" 2>&1 &
    program_pid=$!
    if window=$(timeout 30 xdotool search --sync --onlyvisible --name Varkelon 2>/dev/null | head -n 1) &&
        [ -n "$window" ]; then
        ok "the unpacked varkelon opened its window \"$(xdotool getwindowname "$window")\""
    else
        cat "$scratch/varkelon.log"
        fail "the unpacked varkelon showed no window within 30 s"
    fi
    if kill -0 "$program_pid" 2>/dev/null; then
        kill "$program_pid"
        wait "$program_pid" 2>/dev/null
    else
        wait "$program_pid"
        fail "the unpacked varkelon ended by itself with status $?"
    fi
    program_pid=
fi

[ $status -eq 0 ] && echo "package check passed"
exit $status
