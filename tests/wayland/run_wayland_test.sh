#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The built game natively on Wayland, under weston at output scale 1 and then 2. Weston runs as a
# window of a private Xvfb, which gives it a seat (a keyboard and a pointer) as a desktop has, with
# a runtime folder of its own; each run plays on a private D-Bus session (see wayland_test.py).
#   run_wayland_test.sh GAME_EXECUTABLE ARTEFACT_FOLDER QT_PLUGIN_FOLDER
# Keeps in ARTEFACT_FOLDER, for each scale, weston's output with the game's window during a deal
# (scale-1.png, scale-2.png), with the window maximized (scale-1-maximized.png, ...), with the box
# that settles the deal over it (scale-1-box.png, ...) and weston's log. Exit 77: weston or Qt's
# Wayland plugin is not installed.
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../support/x_session.sh"

game=$(realpath "$1")
out=$2
plugins=$3
if ! command -v weston >/dev/null; then
    echo "skipped: weston is not installed"
    exit 77
fi
# Qt 6.10 merged its Wayland plugins into one, libqwayland.so.
if [ ! -e "$plugins/platforms/libqwayland-generic.so" ] && [ ! -e "$plugins/platforms/libqwayland.so" ]; then
    echo "skipped: Qt's Wayland plugin (qt6-wayland) is not installed"
    exit 77
fi
for need in /usr/bin/python3 dbus-run-session Xvfb xdotool import /usr/libexec/at-spi-bus-launcher; do
    command -v "$need" >/dev/null || { echo "FAIL: $need not found" >&2; exit 1; }
done
/usr/bin/python3 -c 'import pyatspi' || { echo "FAIL: python3-pyatspi is not installed" >&2; exit 1; }

work=$(mktemp -d)
weston_pid=
stop_weston() {
    if [ -n "$weston_pid" ]; then
        kill "$weston_pid" 2>/dev/null || true
        wait "$weston_pid" 2>/dev/null || true
        weston_pid=
    fi
}
trap 'stop_weston; stop_started; rm -rf "$work"' EXIT
mkdir -p "$out"
rm -f "$out"/scale-*.png "$out"/weston-*.log

# The output's size in logical pixels; weston's X window has it times the scale.
width=800
height=600
start_x_server "$((width * 2))x$((height * 2))"
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
# No sound server: every cue returns at once.
export PULSE_SERVER="unix:$work/no-audio-server" LANG=C.UTF-8 LC_ALL=C.UTF-8

for scale in 1 2; do
    socket=wayland-$scale
    weston --no-config --backend=x11-backend.so --use-pixman --socket="$socket" --idle-time=0 \
        --width="$width" --height="$height" --scale="$scale" >"$out/weston-$scale.log" 2>&1 &
    weston_pid=$!
    for _ in $(seq 100); do
        [ -S "$XDG_RUNTIME_DIR/$socket" ] && break
        sleep 0.1
    done
    [ -S "$XDG_RUNTIME_DIR/$socket" ] || { echo "FAIL: weston did not start" >&2; cat "$out/weston-$scale.log" >&2; exit 1; }
    # Weston passes on the keyboard only while its X window has the X server's: give it at once,
    # as a window manager would, so that the game's windows get the keyboard as they appear.
    timeout 20 xdotool search --sync --class '^Weston Compositor$' windowfocus --sync >/dev/null ||
        { echo "FAIL: weston showed no window" >&2; exit 1; }
    # Debian's pyatspi belongs to the system's python3, whatever python3 comes first in PATH.
    WAYLAND_DISPLAY=$socket dbus-run-session -- /usr/bin/python3 "$here/wayland_test.py" "$game" "$scale" \
        "$out/scale-$scale" 2> >(grep -v -e 'Failed to set fd limit' -e 'Activating service' \
        -e 'Successfully activated' -e 'SpiRegistry daemon' >&2)
    stop_weston
done
echo "screenshots in $out: $(cd "$out" && echo scale-*.png)"
