# Sourced by the other scripts (set WHO first, the script's name): the Debian
# packages Ostre3 needs, one list per purpose, under this release's names
# (scripts/debian_release.sh), and
#
#   install_packages WHO PURPOSE...
#
# which installs with apt whichever packages of those lists are missing
# (through sudo when not root), saying which, in one line that starts with
# WHO. The purposes:
#
#   build    compiling, and what the build runs: lame encodes the
#            soundtrack, Mesa renders the icons headless
#   play     playing the demo: Qt's Wayland plugin, a Phonon backend and
#            its audio output
#   test     the test suite: its frameworks, a headless X server and window
#            manager, a Wayland compositor, sound tools and a sound server
#            with every media backend, the sanitizers and valgrind
#   web      building the web edition: Emscripten and Node.js
#   browser  playing the web edition in its test
#   package  the Debian package: dpkg-shlibdeps (dpkg-dev, file) finds the
#            libraries it depends on
#   arm64    the arm64 cross build and its emulator: the cross compiler,
#            qemu-user, and arm64 GL, GLU and GoogleTest (needs arm64 added
#            with dpkg --add-architecture first)

source "$(dirname "${BASH_SOURCE[0]}")/debian_release.sh"

build_packages=(
    cmake g++ make pkg-config
    "${qt_build_packages[@]}"
    libgl-dev libglu1-mesa-dev libegl-dev libegl-mesa0 libgl1-mesa-dri
    lame
)
play_packages=("${qt_play_packages[@]}")
test_packages=(
    gstreamer1.0-tools
    googletest libgtest-dev libbenchmark-dev
    xvfb xauth openbox x11-apps python3 libxtst6 weston
    sox libsox-fmt-mp3 ffmpeg desktop-file-utils appstream
    # the music tests write FLAC and Ogg Vorbis files with sox
    libsox-fmt-base
    # the music tests play through each media backend, into a sound
    # server's null sink
    "${qt_test_packages[@]}" pulseaudio
    clang libclang-rt-dev valgrind
)
web_packages=(emscripten nodejs)
browser_packages=(chromium)
package_packages=(dpkg-dev file)
arm64_packages=(
    cmake make g++ python3 libgl-dev libglu1-mesa-dev g++-aarch64-linux-gnu qemu-user
    libgl-dev:arm64 libglu1-mesa-dev:arm64 libgtest-dev:arm64
)

install_packages() {
    local who=$1 purpose p
    shift
    local wanted=() missing=()
    for purpose in "$@"; do
        if ! declare -p "${purpose}_packages" >/dev/null 2>&1; then
            echo "$who: no package list for '$purpose'" >&2
            return 1
        fi
        local list="${purpose}_packages[@]"
        wanted+=("${!list}")
    done
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    echo "$who: installing ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}
