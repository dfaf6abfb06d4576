#!/usr/bin/env bash
# Sets everything up, then plays the demo from the repository's root, where
# it looks for "1991.mp3".
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh" --play
cd "$root"
# A user's own 1991.mp3 here always wins; without one, ostre3 plays the
# soundtrack the build made beside it (build/share/ostre3/1991.mp3) and
# says so.
exec "$root/build/app/ostre3"
