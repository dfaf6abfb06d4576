#!/usr/bin/env bash
# Builds the Debian package: installs what the build needs, builds a release
# without the tests into build-package/ and writes
# dist/ostre3_<version>_<arch>.deb.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

WHO=package
source "$root/scripts/install_packages.sh"
install_packages package build package

# Debian's hardening for the programs it ships: fortified calls, stack
# protection, read-only relocations bound at start.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
CXXFLAGS="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
LDFLAGS="$(dpkg-buildflags --get LDFLAGS)"
export CXXFLAGS LDFLAGS

# RelWithDebInfo optimises as the tested build does (-O2); CPack strips the
# debugging information from the packaged programs.
build="$root/build-package"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTRE3_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"
rm -f "$root"/dist/ostre3_*.deb
(cd "$build" && cpack >/dev/null)
ls "$root"/dist/ostre3_*.deb
