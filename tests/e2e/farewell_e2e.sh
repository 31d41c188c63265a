#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# A player who gives no name is shown out with the farewell heard to its end. The built game runs
# on a private X server and a private PulseAudio, both name boxes are answered with Escape, and the
# sink's monitor is recorded from the first box on: the game must end by itself with status 0,
# never show its window, and the recording must hold the whole of bye.wav.
#   farewell_e2e.sh <zuvik executable> <artefact folder> <private_sound_server executable>
# Keeps <artefact folder>/farewell.wav (the recording) and farewell.log. Exit 77: a tool is missing.
set -euo pipefail
here=$(dirname "$0")
source "$here/../support/x_session.sh"
source "$here/../support/sound_server.sh"

exe=$(realpath "$1")
out=$2
server=$3
for tool in Xvfb xdotool pulseaudio pactl pacat parecord sox soxi; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done
mkdir -p "$out"
work=$(mktemp -d)
trap 'stop_started; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    cat "$out/farewell.log" >&2 2>/dev/null || true
    exit 1
}

start_x_server || fail "Xvfb did not start"
start_pulse_server "$server" || fail "PulseAudio did not start"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY
mkdir "$work/cwd"
(cd "$work/cwd" && exec "$exe") >"$out/farewell.log" 2>&1 &
game=$!
started_pids+=("$game")

first=$(find_window '^Зувик$' 30) || fail "no name box"
# The door cue is over before the first box: from here on the sink plays the farewell alone.
record_sink "$out/farewell.wav"
sleep 0.3
type_into "$first" xdotool key Escape
second=$(find_window '^Зувик$' 20 "$first") || fail "no second name box"
type_into "$second" xdotool key Escape
for _ in $(seq 100); do
    kill -0 "$game" 2>/dev/null || break
    if xdotool search --onlyvisible --name '^Игра "Зувик"$' >/dev/null 2>&1; then
        fail "the game's window appeared"
    fi
    sleep 0.1
done
kill -0 "$game" 2>/dev/null && fail "the game was still running 10 s after the second Escape"
status=0
wait "$game" || status=$?
[ "$status" -eq 0 ] || fail "the game ended with status $status"
sleep 0.3
stop_recording

whole=$(audible_seconds "$(dirname "$exe")/bye.wav")
heard=$(audible_seconds "$out/farewell.wav")
echo "bye.wav sounds for $whole s; the recording of the sink holds $heard s of sound"
awk -v heard="$heard" -v whole="$whole" 'BEGIN { exit !(heard >= whole - 0.02 && heard <= whole + 0.05) }' ||
    fail "the farewell was not heard whole"
echo "PASS: shown out with the whole farewell"
