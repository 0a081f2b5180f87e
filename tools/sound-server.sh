#!/usr/bin/env bash
# A private user-space PulseAudio server with a null sink, so that audio tests have a real sound device
# that plays at real-time pace, even on a machine without a sound card.
#
#   source tools/sound-server.sh          starts the server, exports its environment, stops it on exit
#   tools/sound-server.sh COMMAND [ARGS]  runs one command with the server and stops it afterwards
#
# Exports PULSE_SERVER, PULSE_RUNTIME_PATH, XDG_RUNTIME_DIR, PULSE_STATE_PATH, PULSE_COOKIE and
# ONDRIX_SOUND_SERVER=1 when the server is up. ALSA's "default" device then reaches the null sink through
# the pulse plugin, and its capture side is the sink's monitor, remapped as the default source.
# It never fails: when no server can be started, ONDRIX_SOUND_SERVER stays unset and the tests that need
# it skip with a message.

ondrix_sound_server_stop() {
    if [ -n "${ONDRIX_SOUND_KEEPALIVE_PID:-}" ]; then
        kill "$ONDRIX_SOUND_KEEPALIVE_PID" 2>/dev/null || true
        wait "$ONDRIX_SOUND_KEEPALIVE_PID" 2>/dev/null || true
        unset ONDRIX_SOUND_KEEPALIVE_PID
    fi
    if [ -n "${ONDRIX_SOUND_DIR:-}" ]; then
        local pidfile="$ONDRIX_SOUND_DIR/run/pulse/pid"
        if [ -f "$pidfile" ]; then
            local pid
            pid=$(cat "$pidfile" 2>/dev/null || true)
            if [ -n "$pid" ] && kill "$pid" 2>/dev/null; then
                local i
                for i in $(seq 1 50); do
                    kill -0 "$pid" 2>/dev/null || break
                    sleep 0.1
                done
                kill -9 "$pid" 2>/dev/null || true
            fi
        fi
        rm -rf "$ONDRIX_SOUND_DIR"
        unset ONDRIX_SOUND_DIR
    fi
    unset ONDRIX_SOUND_SERVER
}

ondrix_sound_server_start() {
    if ! command -v pulseaudio >/dev/null 2>&1 || ! command -v pacat >/dev/null 2>&1; then
        echo "sound-server: pulseaudio or pacat is not installed; real-device audio tests will skip." >&2
        return 0
    fi
    ONDRIX_SOUND_DIR=$(mktemp -d "${TMPDIR:-/tmp}/ondrix-sound.XXXXXX") || return 0
    export ONDRIX_SOUND_DIR
    mkdir -p "$ONDRIX_SOUND_DIR/run/pulse" "$ONDRIX_SOUND_DIR/state"
    chmod 700 "$ONDRIX_SOUND_DIR/run" "$ONDRIX_SOUND_DIR/run/pulse"
    cat >"$ONDRIX_SOUND_DIR/server.pa" <<'EOF'
load-module module-native-protocol-unix auth-anonymous=1
load-module module-null-sink sink_name=ondrix_null rate=44100 channels=2
load-module module-remap-source source_name=ondrix_capture master=ondrix_null.monitor
set-default-sink ondrix_null
set-default-source ondrix_capture
EOF
    export XDG_RUNTIME_DIR="$ONDRIX_SOUND_DIR/run"
    export PULSE_RUNTIME_PATH="$ONDRIX_SOUND_DIR/run/pulse"
    export PULSE_STATE_PATH="$ONDRIX_SOUND_DIR/state"
    export PULSE_COOKIE="$ONDRIX_SOUND_DIR/cookie"
    export PULSE_SERVER="unix:$PULSE_RUNTIME_PATH/native"
    if ! pulseaudio --daemonize=yes --exit-idle-time=-1 -n -F "$ONDRIX_SOUND_DIR/server.pa" \
        --disallow-exit --use-pid-file=yes --log-target="file:$ONDRIX_SOUND_DIR/server.log" \
        >/dev/null 2>&1; then
        echo "sound-server: the PulseAudio server did not start; real-device audio tests will skip." >&2
        ondrix_sound_server_stop
        return 0
    fi
    local i
    for i in $(seq 1 50); do
        [ -S "$PULSE_RUNTIME_PATH/native" ] && break
        sleep 0.1
    done
    # Without a stream that keeps the sink running, every new stream waits about two seconds to start.
    pacat --playback --latency-msec=20 /dev/zero >/dev/null 2>&1 &
    ONDRIX_SOUND_KEEPALIVE_PID=$!
    export ONDRIX_SOUND_KEEPALIVE_PID
    sleep 0.3
    if ! kill -0 "$ONDRIX_SOUND_KEEPALIVE_PID" 2>/dev/null; then
        echo "sound-server: the server does not accept streams; real-device audio tests will skip." >&2
        ondrix_sound_server_stop
        return 0
    fi
    # The capture side takes a moment to deliver its first data after the server starts: wait for it here
    # rather than in the first test that records.
    if command -v parec >/dev/null 2>&1 && command -v timeout >/dev/null 2>&1; then
        timeout 5 sh -c 'parec --raw --latency-msec=20 --format=s16le --channels=1 --rate=44100 | head -c 4410' \
            >/dev/null 2>&1 || true
    fi
    export ONDRIX_SOUND_SERVER=1
    echo "sound-server: PulseAudio null sink running ($PULSE_SERVER)." >&2
}

ondrix_sound_server_start
trap ondrix_sound_server_stop EXIT

# Run directly: execute the command with the server, then stop it (the trap does).
if [ "${BASH_SOURCE[0]}" = "$0" ] && [ $# -gt 0 ]; then
    "$@"
    exit $?
fi
