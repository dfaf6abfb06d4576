#!/bin/sh
# ostre3 ($1) as a native client of a Wayland compositor (weston, 1920x1080,
# in a window on the X display, so that it has a seat like a desktop):
# full screen with scene 1's band across the whole width on the rows it has
# under X11, a picture that keeps moving, and the end of the timeline
# closing it with status 0. $2 reads the band's rows off a screenshot.
# With $3 "escape", an Escape pressed through X must end the demo instead.
# Skips without weston, the Wayland plugin of Qt $OSTRE3_QT (5 unless set)
# or ffmpeg.
set -u
program=$1
pale_rows=$2
mode=${3:-}
command -v weston >/dev/null && command -v weston-screenshooter >/dev/null &&
    command -v ffmpeg >/dev/null && command -v python3 >/dev/null || exit 77
ls /usr/lib/*/qt"${OSTRE3_QT:-5}"/plugins/platforms/libqwayland*.so >/dev/null 2>&1 || exit 77

XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR
chmod 700 "$XDG_RUNTIME_DIR"
cd "$XDG_RUNTIME_DIR" || exit 1
# --debug lets weston-screenshooter take pictures.
weston --backend=x11-backend.so --use-pixman --width=1920 --height=1080 \
    --socket=ostre3 --idle-time=0 --debug --log=weston.log 2>/dev/null &
compositor=$!
trap 'kill $compositor; wait $compositor; rm -rf "$XDG_RUNTIME_DIR"' EXIT
for tenth in $(seq 50); do [ -S ostre3 ] && break; sleep 0.1; done

fail() { echo "FAIL: $*" >&2; exit 1; }
shot() {
    rm -f wayland-screenshot*.png
    WAYLAND_DISPLAY=ostre3 timeout 10 weston-screenshooter &&
        ffmpeg -loglevel error -i wayland-screenshot*.png -pix_fmt bgra -y "$1"
}

start=$(date +%s)
WAYLAND_DISPLAY=ostre3 QT_QPA_PLATFORM=wayland timeout 200 "$program" 2>stderr.txt &
demo=$!
# Scene 1 lasts 8 s, the silent clock starting with the program; a loaded
# machine may take a few to show the window.
for second in $(seq 12); do
    sleep 1
    shot first.xwd || fail "no screenshot"
    rows=$(python3 "$pale_rows" first.xwd)
    [ "$rows" = "182-900 182-900" ] && break
done
[ "$rows" = "182-900 182-900" ] || fail "the band's rows at the left and right edges are $rows, not 182-900"
for second in $(seq 10); do
    sleep 1
    shot second.xwd || fail "no screenshot"
    cmp -s first.xwd second.xwd || break
done
cmp -s first.xwd second.xwd && fail "the picture stood still for 10 s"

if [ "$mode" = escape ]; then
    # No window manager: the key goes to the window under the pointer,
    # weston's, which hands it to the focused client.
    python3 -c '
import ctypes
x11, xtest = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x11.XOpenDisplay(None))
code = x11.XKeysymToKeycode(display, ctypes.c_ulong(0xFF1B))
xtest.XTestFakeKeyEvent(display, code, 1, ctypes.c_ulong(0))
xtest.XTestFakeKeyEvent(display, code, 0, ctypes.c_ulong(0))
x11.XCloseDisplay(display)' || fail "no key press"
    for tenth in $(seq 150); do kill -0 $demo 2>/dev/null || break; sleep 0.1; done
    kill -0 $demo 2>/dev/null && { kill $demo; fail "still running 15 s after Escape"; }
fi
wait $demo
status=$?
seconds=$(( $(date +%s) - start ))
grep -v '1991\.mp3\|requestActivate' stderr.txt >&2
[ "$status" -eq 0 ] || fail "exit status $status after $seconds s"
if [ "$mode" = escape ]; then
    echo "PASS: full screen on Wayland, the band in place, the picture moving, Escape closed it"
    exit 0
fi
[ "$seconds" -ge 129 ] || fail "closed after $seconds s"
echo "PASS: full screen on Wayland, the band in place, the picture moving, closed after $seconds s"
