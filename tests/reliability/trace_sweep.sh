#!/usr/bin/env bash
# Runs the tracer over every scene's edges and twenty inner times at odd and large
# sizes; any sanitizer report or failure stops the sweep with its command.
set -euo pipefail

trace="$1"
ends=(8100 24156 40115 56334 64313 80272 96359 112600 129064)
times=(-2147483648 -1 0 2147483647)
start=0
for end in "${ends[@]}"; do
    times+=("$start" $((end - 1)))
    start=$end
done
# Twenty more, spread over the timeline off the scene edges.
for i in $(seq 1 20); do times+=($((129064 * i / 21 + 7))); done

for t in "${times[@]}"; do
    for w in 1 640 7680; do
        for h in 1 2 3 480 768 1080 2160 4320; do
            echo "--time $t --size ${w}x${h}"
        done
    done
    echo "--time $t --size 640x480 --unresized"
done | xargs -P "$(nproc)" -L 1 sh -c '"$0" "$@" >/dev/null || { echo "failed: $0 $*" >&2; exit 255; }' "$trace"
echo "sweep: ${#times[@]} times clean"
