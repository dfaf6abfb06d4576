#!/bin/sh
# ostre3 ($1) started beside a broken "1991.mp3" of each kind ($2 is a good
# MP3 to break): one line on stderr naming the file, no crash, and a picture
# that keeps moving on the program's own clock. Run on an X display that
# accepts any local client (Xvfb -ac), so the unreadable case can run as
# an unprivileged user when the tests run as root.
set -u
program=$1
good_mp3=$2
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
failures=0

fail() { echo "FAIL ($1): $2" >&2; failures=$((failures + 1)); }

screen() { xwd -root -silent | md5sum; }

# $1 names the case; the rest of the line, if any, runs the program.
check() {
    name=$1; shift
    dir=$work/$name
    (cd "$dir" && exec "$@" "$program" 2>stderr.txt) &
    pid=$!
    sleep 6
    first=$(screen)
    sleep 2
    second=$(screen)
    if ! kill -0 "$pid" 2>/dev/null; then
        wait "$pid"
        fail "$name" "ended early with status $?"
    else
        kill "$pid"; wait "$pid" 2>/dev/null
        [ "$first" != "$second" ] || fail "$name" "the picture stood still"
    fi
    lines=$(grep -c '1991\.mp3' "$dir/stderr.txt")
    [ "$lines" -eq 1 ] || fail "$name" "$lines lines name 1991.mp3, not 1"
    sed "s/^/  $name: /" "$dir/stderr.txt" | grep 1991 >&2
}

make_case() { mkdir -p "$work/$1"; chmod 777 "$work/$1"; }

make_case empty;      : > "$work/empty/1991.mp3"
make_case random;     head -c 200000 /dev/urandom > "$work/random/1991.mp3"
make_case truncated;  head -c 300 "$good_mp3" > "$work/truncated/1991.mp3"
make_case wav;        sox -q -n -r 44100 -c 2 -t wav "$work/wav/1991.mp3" synth 60 sine 330
make_case directory;  mkdir "$work/directory/1991.mp3"
make_case unreadable; cp "$good_mp3" "$work/unreadable/1991.mp3"; chmod 000 "$work/unreadable/1991.mp3"

for name in empty random truncated wav directory; do check "$name"; done
if [ "$(id -u)" -eq 0 ]; then
    # The unprivileged user may not reach the build (a clone under /root,
    # say), so it runs a copy of the program from the work directory.
    cp "$program" "$work/ostre3" && program=$work/ostre3
    check unreadable setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$work/unreadable"
else
    check unreadable
fi

[ "$failures" -eq 0 ] || exit 1
echo "PASS: every broken music file named once, the demo played on"
