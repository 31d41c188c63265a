# SPDX-License-Identifier: MIT
# Sourced by the tests that listen to the built game, after x_session.sh (whose started_pids and
# stop_started it shares).
# start_pulse_server DIR: starts a private PulseAudio with one null sink, "zuviktest", under DIR,
#   and exports PULSE_SERVER; a silent stream keeps the sink at low latency (idle, a null sink
#   runs seconds behind).
# record_sink FILE: records what the sink plays, as 44.1 kHz mono WAV, until stop_recording.
# audible_seconds FILE: the stretch of FILE between its first and its last audible sample.

start_pulse_server() {
    local dir=$1
    mkdir -p "$dir/home" "$dir/runtime/pulse"
    chmod 700 "$dir/runtime" "$dir/runtime/pulse"
    HOME=$dir/home XDG_RUNTIME_DIR=$dir/runtime PULSE_RUNTIME_PATH=$dir/runtime/pulse \
        DBUS_SESSION_BUS_ADDRESS=unix:path=/nonexistent \
        pulseaudio --daemonize=no -n --system=no --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=no --realtime=no --high-priority=no --log-target=stderr \
        --load="module-null-sink sink_name=zuviktest rate=44100 norewinds=1" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$dir/runtime/pulse/native" \
        2>"$dir/pulseaudio.log" &
    started_pids+=($!)
    export PULSE_SERVER=unix:$dir/runtime/pulse/native
    local _
    for _ in $(seq 100); do
        pactl info >/dev/null 2>&1 && break
        sleep 0.1
    done
    pactl info >/dev/null 2>&1 || { echo "FAIL: pulseaudio did not start" >&2; return 1; }
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
