#!/bin/sh
# ostre3 ($1) plays music ($2, a steady tone) through a PulseAudio server of
# this script's own, on a small virtual display, through the media backend
# PHONON_BACKEND picks. The server goes away for 3 s and comes back, as it
# does when it is restarted: the music must be heard again afterwards, the
# picture must never step back, and a stall must be said in one line, with
# one more line once the music plays again. Skips without pulseaudio, parec
# or python3.
set -u
command -v pulseaudio >/dev/null && command -v parec >/dev/null && command -v python3 >/dev/null || exit 77
program=$1
music=$2
work=$(mktemp -d)
export XDG_RUNTIME_DIR="$work/runtime" PULSE_RUNTIME_PATH="$work/runtime/pulse" PULSE_STATE_PATH="$work/state"
export PULSE_SERVER="unix:$work/runtime/pulse/native"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$work/demo"
cp "$music" "$work/demo/1991.mp3"
server=
demo=
cleanup() {
    [ -n "$demo" ] && kill "$demo" 2>/dev/null
    [ -n "$server" ] && kill "$server" 2>/dev/null
    wait
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; sed 's/^/  ostre3: /' "$work/stderr.txt" >&2; exit 1; }

start_server() {
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --disable-shm \
        --load="module-null-sink sink_name=null" --load=module-native-protocol-unix \
        2>>"$work/pulseaudio.log" &
    server=$!
    for tenth in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/pulse/native" ] && return; sleep 0.1; done
    fail "pulseaudio did not start"
}

start_server
cd "$work/demo" || exit 1
"$program" --frame-log "$work/frames.log" 2>"$work/stderr.txt" &
demo=$!
sleep 6
kill "$server"; wait "$server" 2>/dev/null
sleep 3
start_server
# A backend takes a few seconds to try its output again.
sleep 6
timeout 2 parec --device=null.monitor --raw --format=s16le --channels=1 --rate=8000 >"$work/heard.raw"
kill -INT "$demo"; wait "$demo"
status=$?
demo=
[ "$status" -eq 0 ] || fail "exit status $status"

python3 - "$work/heard.raw" "$work/frames.log" "$work/stderr.txt" <<'PY' || fail "see above"
import array, math, sys
samples = array.array("h", open(sys.argv[1], "rb").read())
loudness = math.sqrt(sum(s * s for s in samples) / max(len(samples), 1))
pictures = [int(line.split()[2]) for line in open(sys.argv[2]) if not line.startswith("#")]
back = [(a, b) for a, b in zip(pictures, pictures[1:]) if b < a]
lines = [line for line in open(sys.argv[3]) if "1991.mp3" in line]
stalls = [line for line in lines if "stopped playing" in line]
again = [line for line in lines if "plays again from" in line]
problems = []
if loudness < 100:
    problems.append(f"the music is not heard after the server came back (RMS {loudness:.0f} of 32767)")
if back:
    problems.append(f"the picture stepped back: {back[:3]}")
if len(stalls) > 1 or len(again) != len(stalls) or len(lines) != len(stalls) + len(again):
    problems.append(f"lines on stderr: {lines}")
for problem in problems:
    print("FAIL:", problem)
print(f"heard at RMS {loudness:.0f}; {len(pictures)} pictures, none back; {len(stalls)} stall(s) said")
sys.exit(1 if problems else 0)
PY
echo "PASS: the music came back after its sound server did, the picture never stepped back"
