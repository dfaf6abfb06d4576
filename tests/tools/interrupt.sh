#!/bin/sh
# Ctrl-C on the terminal (SIGINT to the whole process group) stops a
# capture at the next frame: the frames written so far are whole, the
# video is closed and plays, the tool says how far it got and fails.
set -u
capture=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cd "$dir"

fail() { echo "$*"; cat err.txt; exit 1; }

# Starts a long capture in a process group of its own, waits for `ready`,
# then interrupts the whole group as a terminal would.
interrupt() {  # ready-test, capture arguments...
    ready=$1
    shift
    setsid "$capture" "$@" 2> err.txt &
    pid=$!
    for _ in $(seq 600); do
        sh -c "$ready" && break
        sleep 0.1
    done
    kill -INT "-$pid"
    wait "$pid"
    status=$?
    [ "$status" -ne 0 ] || fail "interrupted capture exited 0"
    [ "$(wc -l < err.txt)" -eq 1 ] || fail "expected one line"
    grep -q "interrupted: .* holds [0-9]* of [0-9]* frames" err.txt || fail "no account of the frames"
    sed 's/.* holds \([0-9]*\) of.*/\1/' err.txt
}

held=$(interrupt "test -e frames/frame_000003.png" --fps 1000 --size 64x36 --out frames/) || exit 1
[ "$(ls frames | wc -l)" -eq "$held" ] || fail "$held frames announced, $(ls frames | wc -l) found"
[ -z "$(ls frames | grep -v '^frame_[0-9]\{6\}\.png$')" ] || fail "leftovers: $(ls frames)"
last=$(printf 'frame_%06d.png' $((held - 1)))
[ "$(tail -c 8 "frames/$last" | od -An -tx1 | tr -d ' \n')" = "49454e44ae426082" ] || fail "$last is cut short"

# The soundtrack ends with the pictures, not with the range.
ffmpeg -v error -f lavfi -i "sine=frequency=440:duration=140" -c:a libmp3lame tone.mp3
held=$(interrupt "test -s video.mp4.partial-*" --fps 1000 --size 64x36 --audio tone.mp3 --out video.mp4) || exit 1
[ -z "$(ls | grep '\.partial-')" ] || fail "partial file left: $(ls)"
probe() {
    ffprobe -v error -count_frames -select_streams "$1:0" -show_entries "stream=$2" -of csv=p=0 video.mp4
}
[ "$(probe v nb_read_frames)" -eq "$held" ] || fail "$held frames announced, the video plays $(probe v nb_read_frames)"
awk -v v="$(probe v duration)" -v a="$(probe a duration)" 'BEGIN { exit !(a - v < 0.1 && v - a < 0.1) }' \
    || fail "video lasts $(probe v duration) s, its sound $(probe a duration) s"

# An ffmpeg that stops reading: after Ctrl-C it has a while to finish, a
# second Ctrl-C ends that at once; then it is ended, its file removed and
# the old video kept.
mkdir bin
printf '#!/bin/sh\necho $$ > ffmpeg.pid\nexec sleep 600\n' > bin/ffmpeg
chmod +x bin/ffmpeg
stuck() {  # interrupts, what the line says
    rm -f ffmpeg.pid
    echo old > old.mp4
    PATH="$dir/bin:$PATH" setsid "$capture" --fps 1000 --size 64x36 --audio tone.mp3 --out old.mp4 2> err.txt &
    pid=$!
    for _ in $(seq 100); do test -s ffmpeg.pid && break; sleep 0.1; done
    sleep 1  # its pipe is full by now
    for _ in $(seq "$1"); do kill -INT "-$pid"; sleep 0.2; done
    wait "$pid"
    status=$?
    [ "$status" -eq 130 ] || fail "status $status after $1 interrupts of a stuck ffmpeg"
    [ "$(wc -l < err.txt)" -eq 1 ] || fail "expected one line"
    grep -q "interrupted: ffmpeg stopped reading its frames, so it was ended $2; old.mp4 was not written" err.txt \
        || fail "no account of the stuck ffmpeg"
    ! kill -0 "$(cat ffmpeg.pid)" 2>/dev/null || fail "the stuck ffmpeg is still running"
    [ "$(cat old.mp4)" = old ] || fail "the old video was overwritten"
    [ -z "$(ls | grep '\.partial-')" ] || fail "partial file left: $(ls)"
}
stuck 1 "10 s after the interrupt"
stuck 2 "at the second interrupt"
