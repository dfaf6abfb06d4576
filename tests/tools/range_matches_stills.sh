#!/bin/sh
# Frames of a range are the stills of their times, byte for byte, across a
# scene change and at frame rates that do not divide a second evenly.
set -eu
capture=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT

check() {  # fps, then the time of each frame
    fps=$1
    shift
    rm -rf "$dir/frames"
    "$capture" --from 8090 --to 8110 --fps "$fps" --size 64x36 --out "$dir/frames/"
    i=0
    for t in "$@"; do
        name=$(printf 'frame_%06d.png' "$i")
        "$capture" --time "$t" --size 64x36 --out "$dir/still.png"
        cmp "$dir/frames/$name" "$dir/still.png" || { echo "$fps fps: $name is not $t ms"; exit 1; }
        i=$((i + 1))
    done
    count=$(ls "$dir/frames" | wc -l)
    [ "$count" -eq "$#" ] || { echo "$fps fps: $count frames, expected $#"; exit 1; }
}

check 144 8090 8096 8103
check 24 8090
check 1000 8090 8091 8092 8093 8094 8095 8096 8097 8098 8099 8100 8101 8102 8103 8104 8105 8106 8107 8108 8109
