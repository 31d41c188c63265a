# SPDX-License-Identifier: MIT
# Sourced by the tests that start the game on a private X server.
# start_x_server [WIDTHxHEIGHT]: starts Xvfb (1024x768 unless told) on the first free display,
#   exports DISPLAY and sets the keymap the tests type with.
# find_window NAME [SECONDS [IDS]]: prints the id of a visible window whose title matches NAME,
#   other than the windows IDS (a blank-separated list).
# type_into WINDOW COMMAND...: gives the window the keyboard, as a click would where no window
#   manager does it, then runs the xdotool COMMAND that types or presses keys.
# stop_started: ends every process whose PID is in started_pids, start_x_server's among them
#   (call it on exit).

started_pids=()

stop_started() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    for pid in "${started_pids[@]}"; do
        wait "$pid" 2>/dev/null || true
    done
    started_pids=()
}

start_x_server() {
    local size=${1:-1024x768} fifo display
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    # -displayfd lets the server pick a free display itself, so tests running at once never collide.
    # -noreset: by default the server resets whenever its last client leaves (an xdotool call, the
    # accessibility bus launcher), and a program connecting during the reset is turned away.
    Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$fifo" 2>/dev/null &
    started_pids+=($!)
    read -r -t 20 display <"$fifo" || {
        rm -f "$fifo"
        echo "FAIL: Xvfb did not start" >&2
        return 1
    }
    rm -f "$fifo"
    export DISPLAY=":$display"
    # xdotool presses the modifiers of the first way the keymap offers to reach a key. Since Debian
    # unstable's keyboard data (2.48) that is Alt for F1 to F12, so the game got Alt+F1 for F1:
    # give the function keys plain levels, as the keymaps of Debian 12 and 13 reach them.
    setxkbmap -option srvrkeys:none
}

find_window() {
    local name=$1 seconds=${2:-20} not=" ${3:-} " id
    local deadline=$((SECONDS + seconds))
    while ((SECONDS < deadline)); do
        for id in $(xdotool search --onlyvisible --name "$name" 2>/dev/null); do
            # A box just answered can stay mapped for a moment: it is not the next one.
            if [[ "$not" != *" $id "* ]]; then
                echo "$id"
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}

# With no window manager nobody gives a new dialog the focus: give it, then type.
type_into() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.3
    "$@"
}
