#!/usr/bin/env bash
# Installs the build, checks the desktop files, builds the Debian package with
# cpack twice and compares the two, checks its contents and lintian's verdict,
# unpacks it into a scratch root and starts the unpacked program: the window
# under a private Xvfb when the build has one, varkelon-teach otherwise.
# Touches nothing outside its scratch directory, which it removes on exit.
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
icon_sizes=(16 22 24 32 48 64 128 256)
if has_program varkelon; then
    expected+=(share/man/man1/varkelon.1.gz
        share/icons/hicolor/scalable/apps/varkelon.svg
        share/applications/varkelon.desktop
        share/metainfo/varkelon.metainfo.xml)
    for size in "${icon_sizes[@]}"; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/varkelon.png")
    done
fi
# The browser page, where the WebAssembly build made it (VARKELON_PAGE).
if [ -n "${VARKELON_PAGE:-}" ] && [ -e "$VARKELON_PAGE" ]; then
    expected+=(share/varkelon/varkelon.html share/lintian/overrides/varkelon)
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
    zcat "$stage/share/man/man1/varkelon.1.gz" >"$scratch/varkelon.1"
    grep -q '^varkelon \\- ' "$scratch/varkelon.1" || fail "the window's manual page has no NAME line"
    for option in clock scale language help version; do
        grep -q "^\\\\fB\\\\-\\\\-$option\\\\fR" "$scratch/varkelon.1" ||
            fail "the window's manual page lacks --$option"
    done
    grep -q '^\.SH "REPLAYING A LESSON"' "$scratch/varkelon.1" ||
        fail "the window's manual page does not explain replaying a lesson"
    icons=$stage/share/icons/hicolor
    for size in "${icon_sizes[@]}"; do
        icon=$icons/${size}x${size}/apps/varkelon.png
        [ "$(png_size "$icon")" = "${size}x${size}" ] || fail "the ${size}x${size} icon is $(png_size "$icon")"
    done
    # The SVG: the same 32-unit drawing, with the shapes of the PNGs in it.
    svg=$icons/scalable/apps/varkelon.svg
    grep -q '<svg' "$svg" && grep -q 'viewBox="0 0 32 32"' "$svg" && grep -q '<path' "$svg" ||
        fail "the scalable icon is not the 32-unit SVG drawing"
    # Every pixel size is the same picture: each, shrunk to 16 pixels, is
    # close to the 16-pixel icon.
    if command -v compare >/dev/null; then
        for size in 64 128 256; do
            difference=$(convert "$icons/${size}x${size}/apps/varkelon.png" -resize 16x16 png:- |
                compare -metric RMSE - "$icons/16x16/apps/varkelon.png" null: 2>&1 | sed -E 's/.*\((.*)\)/\1/')
            awk -v d="$difference" 'BEGIN { exit !(d < 0.1) }' ||
                fail "the ${size}x${size} icon is not the 16x16 one enlarged (RMSE $difference)"
        done
    fi

    # Not even a hint: one main category, the rest additional ones.
    desktop_report=$(desktop-file-validate "$stage/share/applications/varkelon.desktop" 2>&1)
    desktop_status=$?
    if [ $desktop_status -ne 0 ] || [ -n "$desktop_report" ]; then
        echo "$desktop_report"
        fail "desktop-file-validate"
    else
        ok "desktop-file-validate"
    fi
    grep -q '^Name\[ru\]=\|^GenericName\[ru\]=' "$stage/share/applications/varkelon.desktop" ||
        fail "the desktop entry lost its Russian names"
    grep -q '<project_license>MIT</project_license>' "$stage/share/metainfo/varkelon.metainfo.xml" ||
        fail "the metainfo does not name the MIT licence"
    # The component id is the desktop entry's name, varkelon: no domain of
    # the project's own exists to build a reverse domain name from.
    if appstreamcli validate --no-net --override=cid-desktopapp-is-not-rdns=info \
        "$stage/share/metainfo/varkelon.metainfo.xml"; then
        ok "appstreamcli validate"
    else
        fail "appstreamcli validate"
    fi
fi

# 2. The Debian packages, made twice from the same build: the same bytes.
for run in 1 2; do
    if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/cpack$run" >"$scratch/cpack.log" 2>&1; then
        cat "$scratch/cpack.log"
        fail "cpack"
        exit 1
    fi
done
debs=("$scratch"/cpack1/*.deb)
deb=$(ls "$scratch"/cpack1/varkelon_*_*.deb 2>/dev/null)
if [ -z "$deb" ] || [ "$(wc -l <<<"$deb")" -ne 1 ]; then
    fail "cpack made no varkelon_<version>_<architecture>.deb: ${debs[*]##*/}"
    exit 1
fi
ok "cpack made ${debs[*]##*/}"
for first in "${debs[@]}"; do
    second=$scratch/cpack2/$(basename "$first")
    sums=$(sha256sum "$first" "$second" 2>&1 | cut -d' ' -f1)
    echo "sha256 $(basename "$first"): $(tr '\n' ' ' <<<"$sums")"
    if [ "$(sort -u <<<"$sums" | wc -l)" -eq 1 ] && [ -f "$second" ]; then
        ok "two cpack runs give the same $(basename "$first")"
    else
        fail "two cpack runs give different $(basename "$first")"
    fi
done

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
copyright=$(dpkg-deb --fsys-tarfile "$deb" | tar -xOf - ./usr/share/doc/varkelon/copyright)
[ "$(head -n 1 <<<"$copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] &&
    grep -q '^License: Expat$' <<<"$copyright" || fail "the copyright file does not grant the MIT (Expat) licence"

# 3. lintian, on every package: clean, not even an informational tag.
for package in "${debs[@]}"; do
    lintian --fail-on none --display-info --info "$package" >"$scratch/lintian.log" 2>&1
    grep -v 'running with root privileges' "$scratch/lintian.log"
    tags=$(grep -Ec '^[EWIXP]: ' "$scratch/lintian.log")
    echo "lintian $(basename "$package"): $tags tags"
    [ "$tags" -eq 0 ] || fail "lintian finds fault with $(basename "$package")"
done

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

# The Python module's package, where the build made one: it depends on the
# Python it was built for and on NumPy, and its module imports from anywhere.
python_deb=$(ls "$scratch"/cpack1/python3-varkelon_*_*.deb 2>/dev/null)
if [ -n "$python_deb" ]; then
    depends=$(dpkg-deb -f "$python_deb" Depends)
    grep -q 'python3-numpy' <<<"$depends" && grep -q 'python3 (>= 3\.[0-9]*~), python3 (<< 3\.' <<<"$depends" ||
        fail "python3-varkelon's Depends lacks NumPy or its Python version: $depends"
    dpkg-deb -x "$python_deb" "$root" || fail "dpkg-deb -x $python_deb"
    if imported=$(cd / && PYTHONPATH="$root/usr/lib/python3/dist-packages" /usr/bin/python3 -c \
        'import varkelon; print(varkelon.__version__, varkelon.teach(0, 3, "sin")["iteration"][-1])'); then
        ok "the unpacked module imports: $imported"
    else
        fail "the unpacked python3-varkelon does not import"
    fi
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
