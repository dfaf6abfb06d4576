#!/bin/sh
# ostre3 ($1) started beside a "1991.mp3" of each kind in one group ($3) of
# cases; $2 is a good MP3 to break or wrap. In every case the picture keeps
# moving and the program runs on.
#   broken:   files that cannot play: one line naming the file and why.
#   playable: every format the media framework plays, behind the name
#             1991.mp3: nothing on stderr at all.
#   special:  a FIFO and a socket, which must never be opened: their line
#             within a second.
#   lookup:   the program in an install tree of its own, which holds the
#             soundtrack: played with a line naming it when the working
#             directory has no music, passed over when it has.
# Run on an X display that accepts any local client (Xvfb -ac), so the
# unreadable case can run as an unprivileged user when the tests run as root.
set -u
program=$1
good_mp3=$2
group=$3
work=$(mktemp -d)
chmod 755 "$work"
trap 'rm -rf "$work"' EXIT
failures=0
# As in a desktop session; without it Qt warns on stderr.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

fail() { echo "FAIL ($1): $2" >&2; failures=$((failures + 1)); }

screen() { xwd -root -silent | md5sum; }

# $1 names the case; $2 is what stderr must hold: "quiet" for nothing at
# all, else text in the one line that names 1991.mp3. The rest of the line,
# if any, runs the program.
check() {
    name=$1; expect=$2; shift 2
    dir=$work/$name
    (cd "$dir" && exec "$@" "$program" 2>stderr.txt) &
    pid=$!
    sleep 1
    early=$(grep -c '1991\.mp3' "$dir/stderr.txt")
    sleep 5
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
    if [ "$expect" = quiet ]; then
        [ ! -s "$dir/stderr.txt" ] || fail "$name" "stderr is not empty"
    else
        lines=$(grep -c '1991\.mp3' "$dir/stderr.txt")
        [ "$lines" -eq 1 ] || fail "$name" "$lines lines name 1991.mp3, not 1"
        grep '1991\.mp3' "$dir/stderr.txt" | grep -qF -- "$expect" ||
            fail "$name" "no line says \"$expect\""
        [ "$group" != special ] || [ "$early" -eq 1 ] || fail "$name" "not named within a second"
    fi
    sed "s/^/  $name: /" "$dir/stderr.txt" >&2
}

make_case() { mkdir -p "$work/$1"; chmod 777 "$work/$1"; }

# $1 names the case; sox writes a minute of tone there as file type $2.
make_tone() {
    make_case "$1"
    sox -q -n -r 44100 -c 2 -t "$2" "$work/$1/1991.mp3" synth 60 sine 330
}

# $1 names the case; lame encodes a minute of tone at rate $2 Hz with $3
# channels there, with its options from $4 on.
make_mp3() {
    name=$1; rate=$2; channels=$3; shift 3
    make_case "$name"
    sox -q -n -r "$rate" -c "$channels" "$work/$name/tone.wav" synth 60 sine 330
    lame --quiet "$@" "$work/$name/tone.wav" "$work/$name/1991.mp3"
    rm "$work/$name/tone.wav"
}

case $group in
broken)
    make_case empty;      : > "$work/empty/1991.mp3"
    make_case random;     head -c 200000 /dev/urandom > "$work/random/1991.mp3"
    make_case truncated;  head -c 300 "$good_mp3" > "$work/truncated/1991.mp3"
    make_case directory;  mkdir "$work/directory/1991.mp3"
    make_case unreadable; cp "$good_mp3" "$work/unreadable/1991.mp3"; chmod 000 "$work/unreadable/1991.mp3"
    check empty "the file is empty"
    check random "cannot play"
    check truncated "cannot play"
    check directory "it is a directory"
    if [ "$(id -u)" -eq 0 ]; then
        # The unprivileged user may not reach the build (a clone under /root,
        # say), so it runs a copy of the program from the work directory.
        cp "$program" "$work/ostre3" && program=$work/ostre3
        check unreadable "permission denied" \
            setpriv --reuid=65534 --regid=65534 --clear-groups env HOME="$work/unreadable"
    else
        check unreadable "permission denied"
    fi
    ;;
playable)
    make_tone flac flac
    make_tone ogg vorbis
    make_tone wav wav
    make_mp3 vbr 44100 2 -V 4
    # 22.05 kHz mono makes an MPEG-2 layer III stream.
    make_mp3 mpeg2 22050 1 -m m
    # A 2 MB cover picture in an ID3v2.3 tag ahead of the audio.
    make_case cover
    python3 - "$good_mp3" "$work/cover/1991.mp3" <<'PY'
import os, sys
def syncsafe(n): return bytes((n >> s) & 0x7F for s in (21, 14, 7, 0))
picture = b"\xff\xd8\xff\xe0" + os.urandom(2_000_000)
apic = b"\x00image/jpeg\x00\x03\x00" + picture
frame = b"APIC" + len(apic).to_bytes(4, "big") + b"\x00\x00" + apic
tag = b"ID3\x03\x00\x00" + syncsafe(len(frame)) + frame
with open(sys.argv[2], "wb") as out, open(sys.argv[1], "rb") as audio:
    out.write(tag + audio.read())
PY
    for name in flac ogg wav vbr mpeg2 cover; do check "$name" quiet; done
    ;;
special)
    make_case fifo;   mkfifo "$work/fifo/1991.mp3"
    make_case socket; python3 -c 'import socket, sys; socket.socket(socket.AF_UNIX).bind(sys.argv[1])' "$work/socket/1991.mp3"
    check fifo "not a regular file"
    check socket "not a regular file"
    ;;
lookup)
    mkdir -p "$work/prefix/bin" "$work/prefix/share/ostre3"
    cp "$program" "$work/prefix/bin/ostre3"
    cp "$good_mp3" "$work/prefix/share/ostre3/1991.mp3"
    program=$work/prefix/bin/ostre3
    make_case installed
    make_case own; : > "$work/own/1991.mp3"
    check installed "playing the demo's own soundtrack $work/prefix/share/ostre3/1991.mp3"
    check own "cannot play 1991.mp3: the file is empty"
    ;;
*)
    echo "unknown group $group" >&2; exit 2 ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "PASS: every $group music file handled, the demo played on"
