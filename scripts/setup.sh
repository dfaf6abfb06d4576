#!/usr/bin/env bash
# Installs what Ostre3 needs on Debian 12 and builds it into build/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

packages=(
    cmake g++ make pkg-config
    qtbase5-dev libqt5opengl5-dev
    libphonon4qt5-dev phonon4qt5-backend-gstreamer
    gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-tools
    libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth openbox x11-apps python3 libxtst6
    sox libsox-fmt-mp3 lame ffmpeg desktop-file-utils appstream
    # tests only: the music tests write FLAC and Ogg Vorbis files with sox
    libsox-fmt-base
    clang libclang-rt-14-dev valgrind
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    echo "setup: installing ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
fi

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)"
