# SPDX-License-Identifier: MIT
# Sourced by the tests that listen to the built game, after x_session.sh (whose started_pids and
# stop_started it shares).
# start_pulse_server PROGRAM: starts a private PulseAudio with one null sink, "zuviktest", through
#   PROGRAM (private_sound_server, which the C++ sound tests' server is), and exports PULSE_SERVER;
#   a silent stream keeps the sink at low latency (idle, a null sink runs seconds behind).
# record_sink FILE: records what the sink plays, as 44.1 kHz mono WAV, until stop_recording.
# audible_seconds FILE: the stretch of FILE between its first and its last audible sample.

start_pulse_server() {
    local fifo address
    fifo=$(mktemp -u)
    mkfifo "$fifo"
    "$1" pulseaudio >"$fifo" &
    started_pids+=($!)
    read -r -t 30 address <"$fifo" || {
        rm -f "$fifo"
        echo "FAIL: pulseaudio did not start" >&2
        return 1
    }
    rm -f "$fifo"
    export PULSE_SERVER=$address
    pacat --playback --device=zuviktest --latency-msec=20 --channels=2 --rate=44100 \
        --format=s16le </dev/zero &
    started_pids+=($!)
}

recorder_pid=

record_sink() {
    parecord --device=zuviktest.monitor --channels=1 --rate=44100 --format=s16le \
        --latency-msec=10 --file-format=wav "$1" &
    recorder_pid=$!
    started_pids+=($!)
}

stop_recording() {
    # SIGINT lets parecord finish the file's header.
    kill -INT "$recorder_pid" 2>/dev/null || true
    wait "$recorder_pid" 2>/dev/null || true
}

audible_seconds() {
    local trimmed
    trimmed=$(mktemp --suffix=.wav)
    sox "$1" "$trimmed" silence 1 0.001 0.5% reverse silence 1 0.001 0.5% reverse
    soxi -D "$trimmed"
    rm -f "$trimmed"
}
