#!/usr/bin/env bash
# Builds the renderer, the tracer and the unit tests for arm64 with Debian's
# cross toolchain into build-arm64/, runs the unit tests under qemu-user
# (every trace digest among them), and compares the arm64 tracer's output
# with this machine's, byte for byte, over a sample of frames
# (tests/cross/compare_tracers.py). The Qt window, Phonon and the capture
# tool are not built for arm64.
#
#   arm64-test.sh           the tests and the sample
#   arm64-test.sh --wide    the wide sample (923 frames, minutes)
#
# Adds arm64 as a foreign architecture to dpkg (through sudo when not
# root), for arm64 GL, GLU and GoogleTest.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
wide=()
case "${1:-}" in
    --wide) wide=(--wide) ;;
    "") ;;
    *) echo "usage: $0 [--wide]" >&2; exit 2 ;;
esac

sudo=()
if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    echo "arm64-test: adding arm64 as a foreign architecture" >&2
    "${sudo[@]}" dpkg --add-architecture arm64
fi
WHO=arm64-test
source "$root/scripts/install_packages.sh"
install_packages arm64-test arm64

jobs=$(nproc)
cmake -S "$root" -B "$root/build-arm64" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/aarch64-linux-gnu.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTRE3_RENDERER_ONLY=ON >/dev/null
cmake --build "$root/build-arm64" -j"$jobs"
# The reference: this machine's tracer, in a build of its own with the same
# options, so that it does not depend on build/.
cmake -S "$root" -B "$root/build-trace" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTRE3_RENDERER_ONLY=ON \
    -DOSTRE3_BUILD_TESTS=OFF >/dev/null
cmake --build "$root/build-trace" -j"$jobs" --target ostre3-trace

(cd "$root/build-arm64" && ctest --output-on-failure -j"$jobs")
python3 "$root/tests/cross/compare_tracers.py" "$root/build-trace/tools/trace/ostre3-trace" \
    "qemu-aarch64 -L /usr/aarch64-linux-gnu $root/build-arm64/tools/trace/ostre3-trace" "${wide[@]}"
