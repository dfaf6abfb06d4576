#!/bin/sh
# Plays ostre3 ($1) through the whole timeline twice, side by side: beside
# music that lasts a little beyond it ($2), with the picture waiting 2 s for
# late sound, so that the music ends before the picture does; and with no
# music at all. Both must exit with 0 once the timeline has passed, the
# first with its last picture at 129063 ms and stderr empty, the second
# naming the missing music in one line. A copy of the program runs, so that
# no soundtrack installed beside the build stands in for the missing music.
set -u
program=$1
music=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# As in a desktop session; without it Qt warns on stderr.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$work/bin" "$work/music" "$work/silent"
cp "$program" "$work/bin/ostre3"
cp "$music" "$work/music/1991.mp3"

# Runs the program in $work/$1 with the options after it, noting its exit
# status and seconds taken.
run() {
    cd "$work/$1" || exit 1
    shift
    start=$(date +%s)
    timeout 200 "$work/bin/ostre3" "$@" 2>stderr.txt
    echo "$? $(($(date +%s) - start))" > result.txt
}
(run music --audio-delay 2000 --frame-log frames.log) &
(run silent) &
wait

failures=0
fail() { echo "FAIL ($1): $2" >&2; failures=$((failures + 1)); }
for name in music silent; do
    read -r status seconds < "$work/$name/result.txt"
    sed "s/^/  $name: /" "$work/$name/stderr.txt" >&2
    [ "$status" -eq 0 ] || fail $name "exit status $status after $seconds s"
    # The timeline lasts 129.064 s; closing much sooner means it skipped ahead.
    [ "$seconds" -ge 129 ] || fail $name "closed after $seconds s"
done
[ ! -s "$work/music/stderr.txt" ] || fail music "stderr is not empty"
last=$(tail -n 1 "$work/music/frames.log" | cut -d' ' -f3)
[ "$last" = 129063 ] || fail music "the last picture shows $last ms, not 129063"
[ "$(wc -l < "$work/silent/stderr.txt")" -eq 1 ] && grep -q '1991\.mp3' "$work/silent/stderr.txt" ||
    fail silent "stderr is not the one line naming 1991.mp3"
[ "$failures" -eq 0 ] || exit 1
echo "PASS: the whole timeline played, with music and without"
