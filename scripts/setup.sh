#!/usr/bin/env bash
# Installs what Ostre3 needs on Debian 12, 13 or 14 and builds it into build/.
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

# Building and playing; unless --play, the tests as well.
WHO=setup
source "$root/scripts/install_packages.sh"
purposes=(build play)
$play_only || purposes+=(test)
install_packages setup "${purposes[@]}"

# A play-only set-up leaves the tests out of a fresh build/, but keeps a
# build/ that already has them.
if $play_only; then
    [ -f "$root/build/CMakeCache.txt" ] || tests=-DOSTRE3_BUILD_TESTS=OFF
else
    tests=-DOSTRE3_BUILD_TESTS=ON
fi
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo ${tests:+"$tests"} >/dev/null
cmake --build "$root/build" -j"$(nproc)"
