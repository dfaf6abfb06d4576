#!/bin/sh
# Starts ostre3 ($1) in an empty directory: it must name the missing music in
# one line on stderr, play the whole timeline without it and exit with 0.
set -u
program=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir" || exit 1

start=$(date +%s)
timeout 200 "$program" 2>stderr.txt
status=$?
seconds=$(( $(date +%s) - start ))
cat stderr.txt >&2

fail() { echo "FAIL: $*" >&2; exit 1; }
[ "$status" -eq 0 ] || fail "exit status $status after $seconds s"
lines=$(grep -c '1991\.mp3' stderr.txt)
[ "$lines" -eq 1 ] || fail "$lines lines on stderr name 1991.mp3, not 1"
# The timeline lasts 129.064 s; closing much sooner means it skipped ahead.
[ "$seconds" -ge 129 ] || fail "closed after $seconds s"
echo "PASS: silent playback closed after $seconds s"
