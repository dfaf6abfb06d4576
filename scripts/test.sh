#!/usr/bin/env bash
# Sets everything up, then runs every test. Widget tests start their own
# Xvfb, so no display is needed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$root/scripts/setup.sh"
cd "$root/build"
ctest --output-on-failure -j"$(nproc)"
