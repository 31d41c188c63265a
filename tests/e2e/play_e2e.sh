#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Plays the built game in a private X server as a person would: gives a name, answers the
# welcome, starts a new match with F2, opens and closes the rules with F1 and quits with
# Ctrl+F4, then checks that the program ended by itself with status 0.
#   play_e2e.sh <zuvik executable> <artefact folder>
# Keeps <artefact folder>/screenshot.png (the main window), rules.png (the rules box) and
# zuvik.log; on a failure, failure.png of the whole screen. Exit 77: a tool is missing.
set -euo pipefail
source "$(dirname "$0")/../support/x_session.sh"

exe=$(realpath "$1")
out=$2
for tool in Xvfb xdotool import; do
    if ! command -v "$tool" >/dev/null; then
        echo "skipped: $tool is not installed"
        exit 77
    fi
done
if [ ! -x "$exe" ]; then
    echo "FAIL: no executable at $exe"
    exit 1
fi
mkdir -p "$out"
rm -f "$out"/*.png
work=$(mktemp -d)
game=

finish() {
    status=$?
    if [ -n "$game" ] && kill -0 "$game" 2>/dev/null; then
        kill "$game" 2>/dev/null || true
    fi
    stop_started
    rm -rf "$work"
    exit "$status"
}
trap finish EXIT

fail() {
    echo "FAIL: $*" >&2
    import -window root "$out/failure.png" 2>/dev/null || true
    echo "--- zuvik.log" >&2
    cat "$out/zuvik.log" >&2 2>/dev/null || true
    exit 1
}

start_x_server || fail "Xvfb did not start"

# No audio server, so every cue returns at once; an empty folder as the current directory,
# so the rules and the cues come from beside the executable.
export PULSE_SERVER="unix:$work/no-audio-server"
export QT_QPA_PLATFORM=xcb LANG=C.UTF-8 LC_ALL=C.UTF-8
unset WAYLAND_DISPLAY
mkdir "$work/cwd"
(cd "$work/cwd" && exec "$exe") >"$out/zuvik.log" 2>&1 &
game=$!

# The first visible window of the game other than the one given, within a few seconds.
wait_window() {
    local not=${1:-none} id
    for _ in $(seq 100); do
        kill -0 "$game" 2>/dev/null || fail "the game ended early"
        for id in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null || true); do
            if [ "$id" != "$not" ]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

wait_gone() {
    for _ in $(seq 100); do
        xdotool search --onlyvisible --pid "$game" 2>/dev/null | grep -qx "$1" || return 0
        sleep 0.1
    done
    return 1
}

press() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window"
    xdotool key --clearmodifiers --delay 50 "$@"
}

prompt=$(wait_window) || fail "no name prompt"
xdotool windowfocus --sync "$prompt"
xdotool type --delay 40 "Vasya"
press "$prompt" Return
wait_gone "$prompt" || fail "the name prompt stayed open"

welcome=$(wait_window) || fail "no welcome box"
press "$welcome" Return
wait_gone "$welcome" || fail "the welcome box stayed open"

main=$(timeout 10 xdotool search --sync --onlyvisible --name '^Игра "Зувик"$' | head -n 1) ||
    fail "no main window titled Игра \"Зувик\""
[ -n "$main" ] || fail "no main window titled Игра \"Зувик\""
echo "main window $main: $(xdotool getwindowgeometry "$main" | tr '\n' ' ')"

press "$main" F2
sleep 0.5
kill -0 "$game" 2>/dev/null || fail "the game ended after F2"
import -window "$main" "$out/screenshot.png" || fail "no screenshot"

press "$main" F1
rules=$(wait_window "$main") || fail "F1 opened no rules box"
sleep 0.3
import -window "$rules" "$out/rules.png" || true
press "$rules" Return
wait_gone "$rules" || fail "the rules box did not close"

press "$main" ctrl+F4
for _ in $(seq 100); do
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game" 2>/dev/null && fail "the game was still running 10 s after Ctrl+F4"
status=0
wait "$game" || status=$?
game=
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "PASS: played through; screenshot in $out/screenshot.png"
