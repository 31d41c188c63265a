#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How fast the game's first window reaches the screen, and how much memory it takes, next to a
# plain Qt window with the same controls (benchmarks/bare_window), measured in the same run on
# the same private X server (Xvfb).
#
#   scripts/measure_startup.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR defaults to <repo>/build-measure (configured and built here, -O2); given an
# existing build folder, only the two programs are (re)built in it. RUNS defaults to 7; the
# table shows medians.
#
# What is measured, per run:
#   bare window   process start -> first paint of its window has been flushed
#   zuvik         process start -> first paint of the first window the player sees, the
#                 greeting's name box (the window itself only appears once a name is given)
#   zuvik window  the greeting answered by xdotool (a name, Enter, Enter on the welcome):
#                 the last Enter -> first paint of the game's window
# Peak memory is the maximum resident set size (GNU time) at the moment each program ends,
# which is right after the paint it reports. Sound is left out on purpose (PULSE_SERVER points
# nowhere, so every cue fails at once): with a sound server the greeting also waits for the
# "door" cue, and the game window for the "kn" cue, for as long as each cue lasts.
# The programs print the paint time themselves when ZUVIK_REPORT_FIRST_PAINT is set (see
# ui/first_paint_reporter.h); that variable changes nothing else in the game.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build-measure}
runs=${2:-7}

for need in Xvfb xdotool /usr/bin/time cmake; do
    command -v "$need" >/dev/null || { echo "measure_startup: $need is needed" >&2; exit 1; }
done

if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF >/dev/null
fi
cmake --build "$build" --target zuvik zuvik_bare_window -j2 >&2
bin=$build/bin

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 1 100); do
    [[ -s $work/display ]] && break
    sleep 0.05
done
display_number=$(<"$work/display")
export DISPLAY=:$display_number
export PULSE_SERVER=unix:$work/no-sound-server
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

micros() { local t=${1/./}; echo $((10#$t)); } # $EPOCHREALTIME -> microseconds

# run_to_paint WINDOW PROGRAM -> "<milliseconds from start> <max RSS KiB>"
run_to_paint() {
    local window=$1 program=$2 start out
    start=$EPOCHREALTIME
    out=$(ZUVIK_REPORT_FIRST_PAINT=$window /usr/bin/time -f %M -o "$work/rss" "$program")
    local painted=${out##* }
    echo "$(( (painted - $(micros "$start")) / 1000 )).$(( (painted - $(micros "$start")) % 1000 / 100 )) $(<"$work/rss")"
}

# Waits for a new visible window titled exactly "Зувик" (the game's boxes) other than $1.
wait_for_box() {
    local previous=${1:-} id
    for _ in $(seq 1 200); do
        for id in $(xdotool search --onlyvisible --name '^Зувик$' 2>/dev/null); do
            [[ $id != "$previous" ]] && { echo "$id"; return; }
        done
        sleep 0.02
    done
    echo "measure_startup: no box appeared" >&2
    return 1
}

# The game played up to its window: the greeting answered as a player would.
run_to_window() {
    ZUVIK_REPORT_FIRST_PAINT=Form1 /usr/bin/time -f %M -o "$work/rss" "$bin/zuvik" >"$work/out" &
    local game=$! name_box welcome enter
    name_box=$(wait_for_box)
    xdotool type --delay 20 "Vasya"
    xdotool key Return
    welcome=$(wait_for_box "$name_box")
    sleep 0.2 # let the box take the keyboard focus
    enter=$EPOCHREALTIME
    xdotool key Return
    wait "$game"
    local painted
    painted=$(awk '{print $3}' "$work/out")
    echo "$(( (painted - $(micros "$enter")) / 1000 )).$(( (painted - $(micros "$enter")) % 1000 / 100 )) $(<"$work/rss")"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One warm-up of each, so the first measured run does not pay for a cold disk cache.
run_to_paint 1 "$bin/zuvik_bare_window" >/dev/null
run_to_paint 1 "$bin/zuvik" >/dev/null

: >"$work/bare" >"$work/greeting" >"$work/window"
for run in $(seq 1 "$runs"); do
    run_to_paint 1 "$bin/zuvik_bare_window" >>"$work/bare"
    run_to_paint 1 "$bin/zuvik" >>"$work/greeting"
    run_to_window >>"$work/window"
    echo "run $run: bare $(tail -1 "$work/bare"), name box $(tail -1 "$work/greeting")," \
         "window $(tail -1 "$work/window")  (ms KiB)" >&2
done

row() {
    local label=$1 file=$2 ms rss
    ms=$(awk '{print $1}' "$file" | median)
    rss=$(awk '{print $2}' "$file" | median)
    printf '%-48s %10s %14s\n' "$label" "$ms" "$(awk -v k="$rss" 'BEGIN {printf "%.1f", k / 1024}')"
}

echo
echo "Start-up on Xvfb ($DISPLAY), Qt platform xcb, medians of $runs runs"
printf '%-48s %10s %14s\n' "" "ms" "max RSS MiB"
row "bare Qt window: start -> window painted" "$work/bare"
row "zuvik: start -> name box painted" "$work/greeting"
row "zuvik: greeting's last Enter -> window painted" "$work/window"
