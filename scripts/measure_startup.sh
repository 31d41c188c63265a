#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# How fast the game's first window reaches the screen, and how much memory it has taken by then,
# next to a plain Qt window with the same menu and controls (benchmarks/bare_window), measured
# from outside both programs, in one run that alternates between them on one private X server.
#
#   scripts/measure_startup.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR defaults to <repo>/build/measure (configured here at the project's default
# optimisation); the two programs are built in it. RUNS defaults to 11; the table shows medians.
#
# Per run and program: the time from starting the process to the X server mapping its first
# top-level window (the game's first is the greeting's name box: its main window only comes once a
# name is given), the peak resident memory (VmHWM) at that moment, and the processor time its
# threads had used by then, which other work on the machine disturbs far less than the time. A watcher reading the X
# server's map events (xev) takes both as the map happens, then ends the program. Sound is left
# out on purpose (PULSE_SERVER points nowhere): with a sound server the name box also waits for
# the door cue, for as long as the cue lasts.
set -euo pipefail

repo=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$repo/build/measure}
runs=${2:-11}

for need in Xvfb xev stdbuf cmake; do
    command -v "$need" >/dev/null || { echo "measure_startup: $need is needed" >&2; exit 1; }
done

if [[ ! -f $build/CMakeCache.txt ]]; then
    cmake -S "$repo" -B "$build" -G Ninja -DBUILD_TESTING=OFF -DZUVIK_BENCHMARKS=ON >/dev/null
fi
cmake --build "$build" --target zuvik zuvik_bare_window >&2
bin=$(cd "$build" && pwd)/bin

work=$(mktemp -d)
pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap cleanup EXIT

# A display of our own: Xvfb picks a free number and writes it to fd 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do
    [[ -s $work/display ]] && break
    sleep 0.05
done
export DISPLAY=:$(<"$work/display")
export PULSE_SERVER=unix:$work/no-sound-server QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$work/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"

micros() { local t=${1/./}; echo $((10#$t)); } # $EPOCHREALTIME -> microseconds

# The watcher: on the first map after a program has started (its pid and start time are in
# $work/current), writes "<ms from start> <VmHWM KiB>" to $work/result and ends the program.
mkfifo "$work/events"
stdbuf -oL xev -root -event substructure >"$work/events" 2>/dev/null &
pids+=($!)
{
    while IFS= read -r line; do
        [[ $line == MapNotify* ]] || continue
        now=$EPOCHREALTIME
        [[ -s $work/current ]] || continue
        read -r pid start <"$work/current"
        : >"$work/current"
        # Stopped at once, so that what it does after the map does not count; read with builtins
        # only, as a command started here would take longer than the program's next steps.
        kill -STOP "$pid" 2>/dev/null || true
        hwm=0
        while read -r key value _; do
            [[ $key == VmHWM: ]] && hwm=$value
        done <"/proc/$pid/status"
        cpu=0 # nanoseconds on a processor, all threads: a busy machine stretches it far less
        for task in /proc/"$pid"/task/*/schedstat; do
            read -r ran _ <"$task" && cpu=$((cpu + ran))
        done
        kill -KILL "$pid" 2>/dev/null || true
        elapsed=$(($(micros "$now") - $(micros "$start")))
        printf '%d.%d %s %d.%d\n' $((elapsed / 1000)) $((elapsed % 1000 / 100)) "$hwm" \
            $((cpu / 1000000)) $((cpu % 1000000 / 100000)) >"$work/result"
    done <"$work/events"
} &
pids+=($!)
sleep 0.5 # let xev select the events before the first program starts

# run_to_map PROGRAM -> "<ms> <KiB> <CPU ms>"
run_to_map() {
    local start pid
    : >"$work/result"
    start=$EPOCHREALTIME
    (cd "$work" && exec "$1") >/dev/null 2>&1 &
    pid=$!
    echo "$pid $start" >"$work/current"
    # A program that never maps a window is not waited for beyond this.
    (sleep 20 && kill -KILL "$pid" 2>/dev/null) &
    local watchdog=$!
    wait "$pid" 2>/dev/null || true
    kill "$watchdog" 2>/dev/null || true
    for _ in $(seq 50); do
        [[ -s $work/result ]] && break
        sleep 0.01
    done
    [[ -s $work/result ]] || { echo "measure_startup: $1 ended without a window" >&2; exit 1; }
    cat "$work/result"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

# One warm-up of each, so the first measured run does not pay for a cold disk cache.
run_to_map "$bin/zuvik_bare_window" >/dev/null
run_to_map "$bin/zuvik" >/dev/null

: >"$work/bare" >"$work/game"
for run in $(seq 1 "$runs"); do
    run_to_map "$bin/zuvik_bare_window" >>"$work/bare"
    run_to_map "$bin/zuvik" >>"$work/game"
    echo "run $run: bare $(tail -1 "$work/bare"), game $(tail -1 "$work/game")  (ms KiB CPU-ms)" >&2
done

column() { awk -v c="$1" '{print $c}' "$2" | median; }
bare_ms=$(column 1 "$work/bare") bare_kib=$(column 2 "$work/bare") bare_cpu=$(column 3 "$work/bare")
game_ms=$(column 1 "$work/game") game_kib=$(column 2 "$work/game") game_cpu=$(column 3 "$work/game")
echo
echo "Start to first window on Xvfb ($DISPLAY), Qt platform xcb, medians of $runs alternating runs"
printf '%-24s %8s %14s %8s\n' "" "ms" "peak RSS MiB" "CPU ms"
row() { printf '%-24s %8s %14.1f %8s\n' "$1" "$2" "$(awk -v k="$3" 'BEGIN {print k / 1024}')" "$4"; }
row "bare Qt window" "$bare_ms" "$bare_kib" "$bare_cpu"
row "zuvik (its name box)" "$game_ms" "$game_kib" "$game_cpu"
awk -v gm="$game_ms" -v bm="$bare_ms" -v gk="$game_kib" -v bk="$bare_kib" -v gc="$game_cpu" \
    -v bc="$bare_cpu" 'BEGIN {printf "%-24s %8.2f %14.2f %8.2f\n", "zuvik / bare", gm / bm, gk / bk, gc / bc}'
