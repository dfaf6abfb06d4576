#!/usr/bin/env bash
# Sets everything up, then plays the demo from the repository's root, where
# it looks for "1991.mp3".
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
cd "$root"
if [ ! -e 1991.mp3 ]; then
    echo "demo: no 1991.mp3 here, so it plays to a placeholder click track" >&2
    tmp="$(mktemp -d)"
    trap 'rm -rf "$tmp"' EXIT
    # One click per beat of 498.71875 ms (to the nearest sample), 130 s.
    sox -q -n -r 44100 -c 2 "$tmp/beat.wav" synth 0.01 sine 1000 pad 0 0.48871875 repeat 260
    lame --quiet "$tmp/beat.wav" "$tmp/1991.mp3"
    mv "$tmp/1991.mp3" 1991.mp3
fi
exec "$root/build/app/ostre3"
