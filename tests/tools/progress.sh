#!/bin/sh
# The progress line appears on a terminal and nowhere else.
set -eu
capture=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

"$capture" --from 0 --to 300 --size 64x36 --out quiet/ 2> err.txt
[ ! -s err.txt ] || { echo "progress written to a file: $(cat err.txt)"; exit 1; }

script -qec "'$capture' --from 0 --to 300 --size 64x36 --out shown/" /dev/null > terminal.txt
grep -q "frame 18/18 .* fps .* left" terminal.txt || { echo "no progress: $(cat terminal.txt)"; exit 1; }
