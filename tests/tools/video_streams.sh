#!/bin/sh
# Videos hold every frame of the range and the music cut to it, or no
# sound at all, with a warning, when there is no usable music.
set -eu
capture=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

fail() { echo "$*"; exit 1; }
stream() {  # file, stream (v or a), entries
    ffprobe -v error -count_frames -select_streams "$2:0" -show_entries "stream=$3" -of csv=p=0 "$1"
}

ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=20" -c:a libmp3lame tone.mp3

"$capture" --from 3000 --to 13000 --fps 30 --size 320x180 --audio tone.mp3 --out ten.mp4
[ "$(stream ten.mp4 v codec_name,pix_fmt,width,height,nb_read_frames)" = "h264,320,180,yuv420p,300" ] \
    || fail "video stream: $(stream ten.mp4 v codec_name,pix_fmt,width,height,nb_read_frames)"
[ "$(stream ten.mp4 v duration)" = "10.000000" ] || fail "video lasts $(stream ten.mp4 v duration)"
[ "$(stream ten.mp4 a duration)" = "10.000000" ] || fail "audio lasts $(stream ten.mp4 a duration)"

# Before the music starts and after it ends the soundtrack is silence, so it
# still lasts as long as the range.
"$capture" --from -1000 --to 500 --fps 24 --size 64x36 --audio tone.mp3 --out early.mp4
[ "$(stream early.mp4 a duration)" = "1.500000" ] || fail "early audio lasts $(stream early.mp4 a duration)"
[ "$(stream early.mp4 v nb_read_frames)" = "36" ] || fail "early video: $(stream early.mp4 v nb_read_frames) frames"
"$capture" --from 19000 --to 21000 --fps 10 --size 64x36 --audio tone.mp3 --out late.mp4
[ "$(stream late.mp4 a duration)" = "2.000000" ] || fail "late audio lasts $(stream late.mp4 a duration)"

# Music that is missing or not audio: one line, then a silent video.
for music in missing.mp3 tone.txt; do
    echo "not audio" > tone.txt
    "$capture" --from 0 --to 500 --size 64x36 --audio "$music" --out silent.mp4 2> err.txt
    [ "$(wc -l < err.txt)" -eq 1 ] && grep -q "no usable music in $music" err.txt || fail "$(cat err.txt)"
    [ -z "$(stream silent.mp4 a codec_type)" ] || fail "$music: silent video has sound"
    [ "$(stream silent.mp4 v nb_read_frames)" = "30" ] || fail "$music: wrong frame count"
done
