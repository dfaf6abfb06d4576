#!/usr/bin/env bash
# Compares the WebAssembly tracer under Node.js with the native tracer, line
# by line, for every scene at its edges and inner times and at several pane
# sizes (plus the set-up calls and a pane never resized). Prints each frame
# that differs with its first differing lines; exits 1 if any did.
# usage: compare_traces.sh NATIVE_TRACE WASM_TRACE_JS [--wide]
#   --wide: more times and sizes, 4K included (minutes rather than seconds)
set -uo pipefail

native=$1 wasm=$2 wide=${3:-}
ends=(8100 24156 40115 56334 64313 80272 96359 112600 129064)
sizes=(640x480 1920x1080 333x17)
[ "$wide" = --wide ] && sizes+=(1280x720 1024x768 3840x2160 1x1 7680x4320)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

frames=0 differing=0
compare() {
    "$native" "$@" >"$work/native" || { echo "native tracer failed: $*"; differing=$((differing + 1)); return; }
    node "$wasm" "$@" >"$work/wasm" || { echo "wasm tracer failed: $*"; differing=$((differing + 1)); return; }
    frames=$((frames + 1))
    if ! cmp -s "$work/native" "$work/wasm"; then
        differing=$((differing + 1))
        local lines
        lines=$(diff "$work/native" "$work/wasm" | grep -c '^<')
        echo "differs: $* ($lines of $(wc -l <"$work/native") lines)"
        diff "$work/native" "$work/wasm" | head -4
    fi
}

start=0
for end in "${ends[@]}"; do
    times=("$start" $(((start + end) / 2)) $((end - 1)))
    [ "$wide" = --wide ] && times+=($((start + 1)) $((start + (end - start) / 4)) $((end - (end - start) / 4)) $((end - 2)))
    for t in "${times[@]}"; do
        for size in "${sizes[@]}"; do
            compare --time "$t" --size "$size"
        done
    done
    compare --time $(((start + end) / 2)) --size 1920x1080 --unresized
    start=$end
done
compare --time 8100 --size 1280x720 --setup
compare --time -2147483648 --size 640x480
compare --time 129064 --size 640x480

echo "$frames frames compared, $differing differ"
[ "$differing" -eq 0 ]
