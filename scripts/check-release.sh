#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves the README's two commands on a fresh Debian system: builds one of the given release with
# debootstrap (minbase plus git), clones this checkout's HEAD into it, runs scripts/play.sh there
# until the game's name box is on screen, then scripts/test.sh. Needs root.
#   scripts/check-release.sh [--test-only] bookworm|trixie|sid
# Prints one line per step with its time and exits non-zero on any failure. Each step's output,
# and the screenshot of the name box, are kept in build/check-release/RELEASE. The system is made
# under ZUVIK_CHECK_ROOT (default /var/tmp) and removed on exit, whatever ends the script.
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$(pwd)

play=yes
if [ "${1:-}" = --test-only ]; then
    play=no
    shift
fi
release=${1:-}
case "$release" in
bookworm | trixie | sid) ;;
*)
    echo "usage: $0 [--test-only] bookworm|trixie|sid" >&2
    exit 2
    ;;
esac
[ "$(id -u)" -eq 0 ] || { echo "FAIL: making a Debian system and entering it needs root" >&2; exit 1; }
scripts/install-deps.sh release

mirror=http://deb.debian.org/debian
out=$checkout/build/check-release/$release
parent=${ZUVIK_CHECK_ROOT:-/var/tmp}
mkdir -p "$out" "$parent"
rm -f "$out"/*.log "$out"/*.png
free_kib=$(df -Pk "$parent" | awk 'NR == 2 { print $4 }')
((free_kib > 12 * 1024 * 1024)) || { echo "FAIL: $parent has less than 12 GiB free" >&2; exit 1; }
root=$(mktemp -d "$parent/zuvik-$release.XXXXXX")
source scripts/debian_system.sh
trap 'remove_system' EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
# Each step runs as a job of its own: Ctrl-C reaches this script alone, which ends the step's whole
# process group, and the steps' programs see SIGINT as they would in a terminal.
set -m
started=$SECONDS

# step NAME LOG COMMAND...: runs the command with its output in LOG and prints one line with its
# time, and what step_note says.
step() {
    local name=$1 log=$out/$2 begin=$SECONDS status=0
    shift 2
    "$@" >"$log" 2>&1 </dev/null &
    step_pid=$!
    wait "$step_pid" || status=$?
    step_pid=
    printf '%-9s %-46s %3dm%02ds  %s\n' "$release:" "$name" $(((SECONDS - begin) / 60)) \
        $(((SECONDS - begin) % 60)) "${step_note:-}"
    step_note=
    if [ "$status" -ne 0 ]; then
        echo "FAIL: $release: $name (exit $status); the last lines of ${log#"$checkout"/}:" >&2
        tail -n 40 "$log" >&2
        exit 1
    fi
}

download() {
    debootstrap --variant=minbase --include=git "$release" "$root" "$mirror" ||
        { echo "FAIL: could not make a $release system from $mirror"; return 1; }
}

clone() {
    git clone --quiet --no-hardlinks "$checkout" "$root/root/zuvik"
    git -C "$root/root/zuvik" checkout --quiet --detach "$commit"
}

# The game is the play command's last process (it execs the game), so it is ended by that PID.
# Installing and building on a slow mirror and a busy machine may take long, but not an hour.
play_until_name_box() {
    local game_pid window= status deadline=$((SECONDS + 3600))
    in_system DISPLAY=":$display" DBUS_SESSION_BUS_ADDRESS=disabled: \
        PULSE_SERVER=unix:/nonexistent scripts/play.sh &
    game_pid=$!
    while [ -z "$window" ]; do
        if ! kill -0 "$game_pid" 2>/dev/null; then
            wait "$game_pid" && status=0 || status=$?
            echo "FAIL: scripts/play.sh ended (exit $status) before its name box showed"
            return 1
        fi
        ((SECONDS < deadline)) || { echo "FAIL: no name box after an hour"; return 1; }
        sleep 1
        window=$(DISPLAY=":$display" xdotool search --onlyvisible --name '^Зувик$' 2>/dev/null) || true
    done
    sleep 1 # mapped is not yet painted
    DISPLAY=":$display" import -window root "$out/name-box.png"
    echo "the name box (window $window) is on screen"
    kill "$game_pid"
    wait "$game_pid" || true
}

step "debootstrap --variant=minbase --include=git" debootstrap.log download
enter_system
commit=$(git rev-parse HEAD)
[ -z "$(git status --porcelain --untracked-files=no)" ] ||
    echo "note: the checkout has uncommitted changes; the system gets its last commit without them"
step_note="at ${commit:0:12}"
step "git clone of this checkout into the system" clone.log clone
if [ "$play" = yes ]; then
    start_x_server
    step_note="screenshot: ${out#"$checkout"/}/name-box.png"
    step "scripts/play.sh until the name box shows" play.log play_until_name_box
    kill "$x_pid" && wait "$x_pid" || true
    x_pid=
fi
step "scripts/test.sh" test.log in_system scripts/test.sh
grep -E 'tests passed|\(Skipped\)|\(Not Run\)' "$out/test.log" | sed 's/^ */    /'
printf '%-9s %-46s %3dm%02ds\n' "$release:" "all steps passed" $(((SECONDS - started) / 60)) \
    $(((SECONDS - started) % 60))
