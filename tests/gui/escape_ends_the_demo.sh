#!/bin/sh
# A real Escape key press on the display ends ostre3 ($1) with status 0 at
# once. Needs a window manager (full screen and keyboard focus come from it)
# and X's test extension for the key press ($2 presses keys); skips without.
set -u
program=$1
press_key=$2
command -v openbox >/dev/null && command -v python3 >/dev/null || exit 77
python3 -c 'import ctypes; ctypes.CDLL("libXtst.so.6")' 2>/dev/null || exit 77

dir=$(mktemp -d)
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm; rm -rf "$dir"' EXIT
cd "$dir" || exit 1
sleep 1

"$program" 2>stderr.txt &
demo=$!
# Give it a moment to fall back to silent playback; the key waits for focus.
sleep 3
python3 "$press_key" Escape ostre3 || exit 1
# It ends within a second; a machine busy with other tests may take a few
# more, and without the key the timeline runs on for two minutes.
for tenth in $(seq 150); do
    kill -0 $demo 2>/dev/null || break
    sleep 0.1
done
if kill -0 $demo 2>/dev/null; then
    kill $demo
    echo "FAIL: still running 15 s after Escape" >&2
    exit 1
fi
wait $demo
status=$?
[ "$status" -eq 0 ] || { echo "FAIL: exit status $status" >&2; exit 1; }
echo "PASS: Escape ended the demo"
