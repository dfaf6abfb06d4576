#!/usr/bin/env bash
# Measures how far the demo's picture is from the sound that comes out, and
# how many distinct pictures a second it shows, on a Phonon backend.
#
# usage: scripts/av-sync.sh [options]
#   --backend gstreamer|vlc   Phonon backend (default: Phonon's own choice)
#   --runs N                  recordings to make (default 2)
#   --seconds S               length of each recording (default 20)
#   --start S                 seconds after the demo starts to begin recording
#                             (default 8: scene 1 stands still at first)
#   --audio-delay MS          passed to ostre3
#   --size WxH                screen size (default 320x180)
#   --fps F                   recording frame rate (default 30)
#   --out DIR                 recordings and results (default build/av-sync/)
#   --cache DIR               reference renders, kept between runs
#                             (default ~/.cache/ostre3-av-sync)
#   --build DIR               the build (default build/)
#   --nice N                  run the demo and everything it is recorded
#                             with at this niceness (e.g. -10 as root, so
#                             that other work on the machine delays it less)
#   --record-only             make the recordings, leave the analysis for later
#   --analyse-only            analyse the recordings already in --out
#
# Each run starts Xvfb at the given size with openbox, a PulseAudio server of
# its own whose only output is a null sink, and ostre3 full screen with its
# own soundtrack. One ffmpeg records the screen (x11grab) and the null sink's
# monitor together, keeping the timestamps both inputs give on one clock
# (-copyts): grab time for the pictures, the time the sink played them for
# the sound. scripts/av_sync.py then finds the scene time of each picture
# and the track position of the sound, and prints one JSON line per run
# (offset_ms: picture minus sound, positive when the picture is ahead) and
# a summary over the runs. The first analysis renders the scene times it
# needs at every millisecond into the cache: about 30 ms a picture on a
# 2-core machine, so some 15 minutes for a 20 s recording.
#
# Needs Xvfb, openbox, pulseaudio, ffmpeg, python3 with numpy, and the build
# (ostre3, ostre3-capture, ostre3-soundtrack, build/share/ostre3/1991.mp3).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
backend="" runs=2 seconds=20 start=8 delay="" size=320x180 fps=30
nice=0 record=1 analyse=1 out="" cache="${XDG_CACHE_HOME:-$HOME/.cache}/ostre3-av-sync" build="$root/build"
while [ $# -gt 0 ]; do
    case "$1" in
    --backend) backend="$2"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --seconds) seconds="$2"; shift 2 ;;
    --start) start="$2"; shift 2 ;;
    --audio-delay) delay="$2"; shift 2 ;;
    --size) size="$2"; shift 2 ;;
    --fps) fps="$2"; shift 2 ;;
    --out) out="$2"; shift 2 ;;
    --cache) cache="$2"; shift 2 ;;
    --build) build="$2"; shift 2 ;;
    --nice) nice="$2"; shift 2 ;;
    --record-only) record=1 analyse=0; shift ;;
    --analyse-only) record=0 analyse=1; shift ;;
    -h|--help) sed -n '2,/^set -e/p' "$0" | sed '$d; s/^# \{0,1\}//'; exit 0 ;;
    *) echo "av-sync: unknown argument '$1'" >&2; exit 2 ;;
    esac
done
case "$backend" in
"") phonon_backend="" ;;
gstreamer) phonon_backend=phonon_gstreamer ;;
vlc) phonon_backend=phonon_vlc_qt5 ;;
*) echo "av-sync: --backend takes gstreamer or vlc" >&2; exit 2 ;;
esac
for tool in Xvfb openbox pulseaudio ffmpeg ffprobe; do
    command -v "$tool" >/dev/null || { echo "av-sync: $tool is not installed" >&2; exit 1; }
done
ostre3="$build/app/ostre3" capture="$build/tools/capture/ostre3-capture"
for f in "$ostre3" "$capture" "$build/tools/soundtrack/ostre3-soundtrack" "$build/share/ostre3/1991.mp3"; do
    [ -e "$f" ] || { echo "av-sync: $f is missing: build first" >&2; exit 1; }
done

python=${PYTHON:-/usr/bin/python3}
"$python" -c 'import numpy' 2>/dev/null || { echo "av-sync: $python has no numpy (set PYTHON)" >&2; exit 1; }

out="${out:-$build/av-sync}"
mkdir -p "$out" "$cache"
out="$(cd "$out" && pwd)" cache="$(cd "$cache" && pwd)"
reference="$cache/soundtrack.wav"
[ -s "$reference" ] || "$build/tools/soundtrack/ostre3-soundtrack" --wav "$reference"

work=$(mktemp -d)
pids=()
cleanup() {
    local p
    for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
    for p in "${pids[@]}"; do wait "$p" 2>/dev/null || true; done
    pids=()
}
trap 'cleanup; rm -rf "$work"' EXIT

# wait_for NAME LOG COMMAND...: runs COMMAND every 0.1 s until it succeeds;
# after 10 s, shows NAME's LOG and gives up.
wait_for() {
    local name="$1" log="$2" tries=0
    shift 2
    until "$@"; do
        tries=$((tries + 1))
        [ "$tries" -le 100 ] || { cat "$log" >&2; echo "av-sync: $name did not start" >&2; exit 1; }
        sleep 0.1
    done
}

# A PulseAudio server of this script's own, its null sink the only output.
start_pulse() {
    export XDG_RUNTIME_DIR="$work/run" PULSE_RUNTIME_PATH="$work/run/pulse" PULSE_STATE_PATH="$work/run/state"
    export PULSE_SERVER="unix:$work/run/pulse/native"
    mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
    nice -n "$nice" pulseaudio --daemonize=no --exit-idle-time=-1 -n --disable-shm \
        --load="module-null-sink sink_name=null" --load=module-native-protocol-unix \
        2>"$work/pulseaudio.log" &
    pids+=($!)
    wait_for pulseaudio "$work/pulseaudio.log" test -S "$work/run/pulse/native"
}

start_x() {
    exec 3>"$work/display"
    nice -n "$nice" Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 2>"$work/xvfb.log" &
    pids+=($!)
    exec 3>&-
    wait_for Xvfb "$work/xvfb.log" test -s "$work/display"
    export DISPLAY=":$(head -n1 "$work/display")"
    nice -n "$nice" openbox >"$work/openbox.log" 2>&1 &
    pids+=($!)
    wait_for openbox "$work/openbox.log" window_manager_runs
}

window_manager_runs() {
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"
}

record_once() {
    local name="$1" rec="$out/$1.nut"
    local args=()
    [ -n "$delay" ] && args+=(--audio-delay "$delay")
    start_pulse
    start_x
    mkdir -p "$work/play"
    # Started where there is no 1991.mp3, it plays the soundtrack the build
    # laid out beside it.
    (cd "$work/play" && exec nice -n "$nice" env ${phonon_backend:+PHONON_BACKEND=$phonon_backend} \
        "$ostre3" "${args[@]}") 2>"$out/$name.stderr" &
    pids+=($!)
    local load_before
    load_before=$(cut -d' ' -f1 /proc/loadavg)
    sleep "$start"
    nice -n "$nice" ffmpeg -loglevel error -y \
        -thread_queue_size 1024 -f x11grab -draw_mouse 0 -framerate "$fps" -video_size "$size" \
        -t "$seconds" -i "$DISPLAY" \
        -thread_queue_size 1024 -f pulse -sample_rate 44100 -channels 2 -fragment_size 1764 \
        -t "$seconds" -i null.monitor \
        -copyts -map 0:v -map 1:a -fps_mode:v passthrough -enc_time_base:v -1 -c:v ffv1 -c:a pcm_s16le -f nut "$rec"
    echo "{\"load_before\": $load_before, \"load_after\": $(cut -d' ' -f1 /proc/loadavg)}" >"$out/$name.load"
    cleanup
    unset PULSE_SERVER DISPLAY
}

tag="${backend:-default}${delay:+-delay$delay}"
[ "$nice" = 0 ] || tag="$tag-nice$nice"
names=()
for run in $(seq 1 "$runs"); do
    names+=("$tag-$run")
done

[ "$record" = 1 ] && for name in "${names[@]}"; do
    echo "av-sync: recording $name ($seconds s)" >&2
    record_once "$name"
done
[ "$analyse" = 1 ] || exit 0

done_names=()
for name in "${names[@]}"; do
    if ! result=$("$python" "$root/scripts/av_sync.py" analyse --capture "$capture" --size "$size" \
        --cache "$cache" --reference "$reference" --skip 1 --frames "$out/$name.frames.json" "$out/$name.nut"); then
        echo "av-sync: $name could not be measured" >&2
        continue
    fi
    echo "$result" | "$python" -c 'import json, sys; r = json.load(sys.stdin); r["load"] = json.load(open(sys.argv[1])); print(json.dumps(r))' "$out/$name.load" \
        | tee "$out/$name.json"
    done_names+=("$out/$name")
done
[ "${#done_names[@]}" -gt 0 ] || exit 1
"$python" "$root/scripts/av_sync.py" summary "${done_names[@]}"
