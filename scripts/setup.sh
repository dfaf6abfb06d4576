#!/usr/bin/env bash
# Installs what Ostre3 needs on Debian 12 or 13 and builds it into build/.
#
#   setup.sh          everything: the program, the tools, the tests and
#                     the test toolchain (what scripts/test.sh needs)
#   setup.sh --play   only what building and playing the demo need
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
play_only=false
case "${1:-}" in
    --play) play_only=true ;;
    "") ;;
    *) echo "usage: $0 [--play]" >&2; exit 2 ;;
esac

# Building and playing: compiler, CMake, Qt (X11 and Wayland), Phonon with
# its GStreamer backend and an audio sink, GL, and lame for the soundtrack.
packages=(
    cmake g++ make pkg-config
    qtbase5-dev libqt5opengl5-dev qtwayland5
    libphonon4qt5-dev phonon4qt5-backend-gstreamer
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-alsa
    libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
    lame
)

# The sanitizer runtime is named after the release's default clang.
release=$(. /etc/os-release 2>/dev/null && echo "${ID:-}-${VERSION_ID:-}")
case "$release" in
    debian-12) clang_runtime=libclang-rt-14-dev ;;
    debian-13) clang_runtime=libclang-rt-19-dev ;;
    *)
        echo "setup: Debian 12 and 13 are supported, this is '$release'; trying Debian 13's packages" >&2
        clang_runtime=libclang-rt-19-dev
        ;;
esac

if ! $play_only; then
    packages+=(
        gstreamer1.0-tools
        googletest libgtest-dev libbenchmark-dev
        xvfb xauth openbox x11-apps python3 libxtst6 weston
        sox libsox-fmt-mp3 ffmpeg desktop-file-utils appstream
        # the music tests write FLAC and Ogg Vorbis files with sox
        libsox-fmt-base
        # the music tests play through each media backend, into a sound
        # server's null sink
        phonon4qt5-backend-vlc vlc-plugin-base pulseaudio
        clang "$clang_runtime" valgrind
    )
fi

source "$root/scripts/install_packages.sh"
install_packages setup "${packages[@]}"

# A play-only set-up leaves the tests out of a fresh build/, but keeps a
# build/ that already has them.
if $play_only; then
    [ -f "$root/build/CMakeCache.txt" ] || tests=-DOSTRE3_BUILD_TESTS=OFF
else
    tests=-DOSTRE3_BUILD_TESTS=ON
fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${tests:+"$tests"} >/dev/null
cmake --build "$root/build" -j"$(nproc)"
