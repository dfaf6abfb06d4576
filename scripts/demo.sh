#!/usr/bin/env bash
# Sets everything up, then plays the demo from the repository's root, where
# it looks for "1991.mp3".
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" --play
cd "$root"
# A user's own 1991.mp3 always wins; without one, the demo's own soundtrack
# is made once into build/music/ and played from there.
if [ ! -e 1991.mp3 ]; then
    echo "demo: no 1991.mp3 here, so it plays the demo's own soundtrack (build/music/1991.mp3)" >&2
    tool="$root/build/tools/soundtrack/ostre3-soundtrack"
    mkdir -p "$root/build/music"
    [ "$root/build/music/1991.mp3" -nt "$tool" ] || "$tool" --out "$root/build/music/1991.mp3" || true
    cd "$root/build/music"
fi
exec "$root/build/app/ostre3"
