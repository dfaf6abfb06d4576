#!/bin/sh
# ostre3 ($1) full screen on a 1920x1080 display scaled by Qt: the picture
# must be the unscaled one, so scene 1's pale band crosses the whole width
# on the same rows at every scale. $2 reads the band's rows off a
# screenshot. Needs a window manager for full screen; skips without.
set -u
program=$1
pale_rows=$2
command -v openbox >/dev/null && command -v python3 >/dev/null || exit 77

dir=$(mktemp -d)
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill $wm; rm -rf "$dir"' EXIT
cd "$dir" || exit 1
sleep 1

# The band's rows at scale $1 in scene 1 (its first 6 s keep the logo well
# inside the screen), once they are $2 or a loaded machine had 6 s to show
# the window.
rows_at() {
    QT_SCALE_FACTOR=$1 "$program" 2>/dev/null &
    demo=$!
    for second in $(seq 6); do
        sleep 1
        xwd -root -silent > screen.xwd
        rows=$(python3 "$pale_rows" screen.xwd)
        case "$rows" in $2) break ;; esac
    done
    kill $demo; wait $demo 2>/dev/null
    echo "$rows"
}

want=$(rows_at 1 '[0-9]*-[0-9]* [0-9]*-[0-9]*')
case "$want" in *none*) echo "FAIL: no band at scale 1 ($want)" >&2; exit 1 ;; esac
failures=0
for scale in 2 1.5; do
    got=$(rows_at $scale "$want")
    if [ "$got" != "$want" ]; then
        echo "FAIL: at scale $scale the band's rows at the left and right edges are $got, not $want" >&2
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] || exit 1
echo "PASS: the band spans rows $want at scales 1, 2 and 1.5"
