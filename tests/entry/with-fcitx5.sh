#!/usr/bin/env bash
# Runs a test program with a real Japanese input method: an X server (Xvfb), a private
# session bus, and fcitx5 with Mozc as its input method, in a private home folder.
# Fails, saying why, when one of them is missing or does not start.
set -u
program="$1"
# Mozc's conversion server refuses to run as root: as root, run everything as nobody, from
# copies of this script and the program in a folder of nobody's own (nobody may not be able
# to enter the checkout or the build: root's home folder is closed to others).
if [ "$(id -u)" -eq 0 ]; then
    copy=$(mktemp -d -p /tmp)
    trap 'rm -rf "$copy"' EXIT
    if ! cp "$0" "$copy/with-fcitx5.sh" || ! cp "$program" "$copy/${program##*/}" ||
        ! chown -R 65534:65534 "$copy"; then
        echo "with-fcitx5: cannot copy the test for nobody into $copy" >&2
        exit 1
    fi
    (cd "$copy" && TMPDIR="$copy" setpriv --reuid=65534 --regid=65534 --clear-groups \
        "$copy/with-fcitx5.sh" "$copy/${program##*/}")
    exit $?
fi
for tool in xvfb-run dbus-run-session fcitx5 xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "with-fcitx5: $tool is not installed (scripts/install-deps installs it)" >&2
        exit 1
    fi
done
if ! ls /usr/lib/*/fcitx5/libmozc.so /usr/lib/*/fcitx5/fcitx5-mozc.so >/dev/null 2>&1 &&
    ! ls /usr/share/fcitx5/addon/mozc.conf >/dev/null 2>&1; then
    echo "with-fcitx5: fcitx5-mozc is not installed" >&2
    exit 1
fi
if ! ls /usr/lib/*/qt6/plugins/platforminputcontexts/libfcitx5platforminputcontextplugin.so >/dev/null 2>&1; then
    echo "with-fcitx5: fcitx5-frontend-qt6 is not installed" >&2
    exit 1
fi

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
mkdir -p "$home/.config/fcitx5" "$home/runtime"
chmod 700 "$home/runtime"
cat >"$home/.config/fcitx5/profile" <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE

inner=$(cat <<'INNER'
fcitx5 --disable=wayland,kimpanel,notificationitem >"$HOME/fcitx5.log" 2>&1 &
fcitx=$!
for _ in $(seq 50); do
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.ListNames 2>/dev/null | grep -q '"org.fcitx.Fcitx5"' && break
    sleep 0.2
done
if ! dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.ListNames 2>/dev/null | grep -q '"org.fcitx.Fcitx5"'; then
    echo "with-fcitx5: fcitx5 did not start:" >&2
    cat "$HOME/fcitx5.log" >&2
    exit 1
fi
sleep 1
"$PROGRAM"
status=$?
kill "$fcitx" 2>/dev/null
wait "$fcitx" 2>/dev/null
# Mozc's server, started by fcitx5, lives on: end the one of this private home.
for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    if [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = mozc_server ] &&
        tr '\0' '\n' <"$environ" 2>/dev/null | grep -qx "HOME=$HOME"; then
        kill "$pid"
    fi
done
exit $status
INNER
)
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share" \
    XDG_RUNTIME_DIR="$home/runtime" QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx \
    PROGRAM="$program"
xvfb-run -a -s "-screen 0 1280x1024x24" dbus-run-session -- bash -c "$inner"
