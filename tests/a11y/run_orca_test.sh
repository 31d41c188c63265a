#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Gives Orca and the game what a desktop session gives them, all private to this test and all
# stopped by their PIDs: an X server with a window manager (openbox), a D-Bus session, the
# accessibility bus, a speech server that speaks into its dummy module, and Orca itself, whose
# debug file is where the test hears what a player would hear.
#   run_orca_test.sh GAME_EXECUTABLE [TRANSCRIPT]
set -euo pipefail
here=$(dirname "$(realpath "$0")")
source "$here/../support/x_session.sh"
work=$(mktemp -d "${TMPDIR:-/tmp}/zuvik-orca.XXXXXX")
finish() {
    stop_started
    rm -rf "$work"
}
trap finish EXIT

for need in /usr/bin/python3 dbus-daemon xdotool Xvfb openbox orca speech-dispatcher \
    /usr/libexec/at-spi-bus-launcher; do
    command -v "$need" >/dev/null || { echo "FAIL: $need not found" >&2; exit 1; }
done

# Orca, the speech server and GLib keep their settings and sockets under these: none of the
# machine's own sessions is touched, and none of theirs reaches this one.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run XDG_CONFIG_HOME=$work/home/.config \
    XDG_DATA_HOME=$work/home/.local/share XDG_CACHE_HOME=$work/home/.cache GSETTINGS_BACKEND=memory
mkdir -p "$HOME" "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY SESSION_MANAGER

start_x_server 1024x768

# start_in_background LOG COMMAND...: runs COMMAND, remembers its PID for stop_started.
start_in_background() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 &
    started_pids+=($!)
}

bus_fifo=$work/bus
mkfifo "$bus_fifo"
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$bus_fifo" >/dev/null 2>&1 &
started_pids+=($!)
read -r -t 20 DBUS_SESSION_BUS_ADDRESS <"$bus_fifo" || { echo "FAIL: no D-Bus session" >&2; exit 1; }
export DBUS_SESSION_BUS_ADDRESS

start_in_background "$work/openbox.log" openbox --sm-disable
# The launcher owns the accessibility bus and ends it, and the registry on it, when it ends.
start_in_background "$work/at-spi.log" /usr/libexec/at-spi-bus-launcher --launch-immediately

cat >"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'EOF'
AddModule "dummy" "sd_dummy" ""
DefaultModule dummy
AudioOutputMethod "libao"
EOF
[ -n "${ZUVIK_ORCA_NO_SPEECH:-}" ] || start_in_background "$work/speechd.log" speech-dispatcher --run-single --timeout 0 \
    --config-dir "$XDG_CONFIG_HOME/speech-dispatcher" --log-dir "$work"

debug_log=$work/orca-debug.out
start_in_background "$work/orca.log" /usr/bin/python3 "$here/private_orca.py" --user-prefs "$work/orca-prefs" --debug-file "$debug_log"

status=0
/usr/bin/python3 "$here/orca_test.py" "$1" "$debug_log" "${2:-}" || status=$?
# ZUVIK_ORCA_DEBUG_COPY=FILE keeps Orca's whole debug file, to see why it said what it said.
[ -z "${ZUVIK_ORCA_DEBUG_COPY:-}" ] || cp "$debug_log" "$work/orca.log" "$(dirname "$ZUVIK_ORCA_DEBUG_COPY")/"
exit "$status"
