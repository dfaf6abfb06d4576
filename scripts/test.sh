#!/usr/bin/env bash
# Sets everything up, then runs every test: first the normal build, then
# the same suite built with AddressSanitizer and UndefinedBehaviorSanitizer
# (clang), with a sweep of the tracer and a minute of fuzzing. Widget tests
# start their own Xvfb, so no display is needed.
#
#   test.sh                   both builds
#   test.sh --no-sanitizers   the normal build alone
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sanitizers=true
case "${1:-}" in
    --no-sanitizers) sanitizers=false ;;
    "") ;;
    *) echo "usage: $0 [--no-sanitizers]" >&2; exit 2 ;;
esac

# The web edition's tests (tests/web) need Emscripten, Node.js and Chromium;
# installed here, before the build is configured, so that CMake finds them.
WHO=test
source "$root/scripts/install_packages.sh"
install_packages test web browser

"$root/scripts/setup.sh"
# Every test beside a sound server with a null sink, as on a desktop: Phonon's
# VLC backend (the only one on Qt 6) needs one to play at all.
sink="$root/tests/gui/with_null_sink.sh"
(cd "$root/build" && sh "$sink" ctest --output-on-failure -j"$(nproc)")
$sanitizers || exit 0

CC=clang CXX=clang++ cmake -S "$root" -B "$root/build-sanitize" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTRE3_SANITIZE=ON -DOSTRE3_FUZZ=ON >/dev/null
cmake --build "$root/build-sanitize" -j"$(nproc)"
# Tests that judge what is seen within seconds (label "timing") run in the
# normal build alone: under the sanitizers a frame costs several times as
# much, and on a busy machine scene 1 was over before the window showed it.
(cd "$root/build-sanitize" && sh "$sink" ctest --output-on-failure -j"$(nproc)" -LE timing)
