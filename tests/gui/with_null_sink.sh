#!/bin/sh
# Runs a command ($@) beside a PulseAudio server of its own whose one output
# is a null sink: a sound server as on a desktop, without a sound card. The
# command reaches it through PULSE_SERVER. Without pulseaudio the command
# runs as it is.
set -u
if ! command -v pulseaudio >/dev/null; then
    exec "$@"
fi
runtime=$(mktemp -d)
export XDG_RUNTIME_DIR="$runtime" PULSE_RUNTIME_PATH="$runtime/pulse" PULSE_STATE_PATH="$runtime/state"
export PULSE_SERVER="unix:$runtime/pulse/native"
# It warns that it should not run as root, which the tests may be.
pulseaudio --daemonize=no --exit-idle-time=-1 -n --disable-shm \
    --load="module-null-sink sink_name=null" --load=module-native-protocol-unix \
    2>"$runtime/pulseaudio.log" &
server=$!
trap 'kill "$server" 2>/dev/null; wait "$server" 2>/dev/null; rm -rf "$runtime"' EXIT
tries=0
until [ -S "$runtime/pulse/native" ]; do
    tries=$((tries + 1))
    if [ "$tries" -gt 100 ] || ! kill -0 "$server" 2>/dev/null; then
        echo "with_null_sink: pulseaudio did not start:" >&2
        cat "$runtime/pulseaudio.log" >&2
        exit 1
    fi
    sleep 0.1
done
"$@"
