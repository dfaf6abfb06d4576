#!/usr/bin/env bash
# Builds the web edition: build-web/site/ becomes a folder of static files
# (index.html, player.js, ostre3.js, ostre3.wasm and the music, 1991.mp3)
# that any web server can serve. The music is a 1991.mp3 in the repository's
# root if there is one, else the demo's own soundtrack from the main build
# (build/share/ostre3/1991.mp3), or made by its ostre3-soundtrack, built
# alone where the main build has not made the music yet.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

# Emscripten, and the native build for the soundtrack tool.
WHO=web
source "$root/scripts/install_packages.sh"
install_packages web web build

# Emscripten's optimizer needs Debian's acorn module even when `node` is
# another Node.js than Debian's.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

emcmake cmake -S "$root/web" -B "$root/build-web" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-web" -j"$(nproc)"

site="$root/build-web/site"
if [ -f "$root/1991.mp3" ]; then
    cp "$root/1991.mp3" "$site/1991.mp3"
elif [ -f "$root/build/share/ostre3/1991.mp3" ]; then
    cp "$root/build/share/ostre3/1991.mp3" "$site/1991.mp3"
else
    # A fresh main build is configured as setup.sh --play configures one.
    main="$root/build"
    [ -f "$main/CMakeCache.txt" ] ||
        cmake -S "$root" -B "$main" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DOSTRE3_BUILD_TESTS=OFF >/dev/null
    cmake --build "$main" -j"$(nproc)" --target ostre3-soundtrack
    tool="$main/tools/soundtrack/ostre3-soundtrack"
    [ "$site/1991.mp3" -nt "$tool" ] || "$tool" --out "$site/1991.mp3"
fi
echo "web: the page is in $site; serve it with: cd $site && python3 -m http.server" >&2
