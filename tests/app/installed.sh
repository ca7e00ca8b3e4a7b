#!/usr/bin/env bash
# Installs the build into a temporary prefix with `cmake --install` and checks what a desktop
# finds there: the program, a valid desktop entry with the program's Japanese name naming
# the installed program and its icon, the icon in the hicolor theme as SVG and at each PNG
# size, and a program that starts away from the checkout and reads nothing from it.
#   installed.sh BUILD_DIR SOURCE_DIR [CMAKE]
set -euo pipefail
build=$(cd "$1" && pwd -P)
source=$(cd "$2" && pwd -P)
cmake=${3:-cmake}
fail() {
    echo "install: $*" >&2
    exit 1
}
command -v desktop-file-validate >/dev/null ||
    fail "desktop-file-validate is missing (Debian package desktop-file-utils)"

place=$(mktemp -d)
program_pid=
cleanup() {
    if [ -n "$program_pid" ]; then
        kill -9 "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
    fi
    rm -rf "$place"
}
trap cleanup EXIT
prefix=$place/prefix
"$cmake" --install "$build" --prefix "$prefix" >"$place/install.log" 2>&1 ||
    fail "cmake --install failed: $(cat "$place/install.log")"

program=$prefix/bin/ruviro
[ -x "$program" ] || fail "no program at $program"

entry=$prefix/share/applications/ruviro.desktop
[ -f "$entry" ] || fail "no desktop entry at $entry"
report=$(desktop-file-validate "$entry" 2>&1) || fail "invalid desktop entry: $report"
# Hints are suggestions only (MedicalSoftware could also stand under Science).
if grep -v ': hint: ' <<<"$report" | grep -q .; then
    fail "desktop entry warnings: $report"
fi
for line in "Name=Sarnet意見書" "Exec=$program" "TryExec=$program" "Icon=ruviro" "Type=Application"; do
    grep -qxF "$line" "$entry" || fail "the desktop entry lacks the line $line"
done

icons=$prefix/share/icons/hicolor
[ -s "$icons/scalable/apps/ruviro.svg" ] || fail "no scalable icon"
for size in 16 24 32 48 64 128 256; do
    png=$icons/${size}x${size}/apps/ruviro.png
    [ -s "$png" ] || fail "no $size x $size icon"
    # The PNG header's width and height, big-endian at bytes 16 to 23.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ print $1*16777216 + $2*65536 + $3*256 + $4, $5*16777216 + $6*65536 + $7*256 + $8 }')
    [ "$width $height" = "$size $size" ] || fail "$png is $width x $height"
done

# Nothing of the source or the build tree is needed at run time: no library search path
# into them, and no path into them compiled in except the names of source files.
if readelf -d "$program" | grep -E 'R(UN)?PATH' | grep -qE "$source|$build"; then
    fail "the program searches libraries in the checkout: $(readelf -d "$program" | grep PATH)"
fi
named=$(readelf -p .rodata "$program" 2>/dev/null | grep -oE "($source|$build)/[^[:space:]]*" |
    grep -vE '\.(cpp|h)$' | sort -u || true)
[ -z "$named" ] || fail "the program names files of the checkout: $named"

# It starts from its installed place, in a fresh home away from the checkout: the data
# folder is made and the program is still running, waiting for the user.
home=$place/home
mkdir -p "$home"
(
    cd "$home"
    exec env -i HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
        XDG_RUNTIME_DIR="$place" PATH=/usr/bin:/bin LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen \
        ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=0}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
        "$program" >"$place/run.log" 2>&1
) &
program_pid=$!
data=$home/.local/share/Dizur/Ruviro.mdb
for _ in $(seq 600); do
    [ -f "$data" ] && break
    kill -0 "$program_pid" 2>/dev/null || break
    sleep 0.1
done
[ -f "$data" ] || fail "the installed program did not make its data file: $(cat "$place/run.log")"
sleep 2
kill -0 "$program_pid" 2>/dev/null ||
    fail "the installed program ended at start-up: $(cat "$place/run.log")"
echo "install: $prefix holds the program, its desktop entry and icons; it starts from there"
