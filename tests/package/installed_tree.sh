#!/bin/sh
# An install into a scratch prefix holds the programs, the soundtrack, the
# menu entry, the icons, the AppStream data and the man pages, and each of
# them is what it claims to be.
set -eu
build=$1
app=io.github.ostre3.Ostre3
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "installed tree: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
cd "$prefix"

for tool in ostre3 ostre3-capture ostre3-trace ostre3-soundtrack; do
    [ -x "bin/$tool" ] || fail "no bin/$tool"
    gzip -t "share/man/man1/$tool.1.gz" || fail "bad man page of $tool"
done
for tool in ostre3-bench ostre3_unit_tests; do
    [ ! -e "bin/$tool" ] || fail "bin/$tool is installed"
done

# The encoder's own header frame: the soundtrack, not a stray file.
head -c 4096 share/ostre3/1991.mp3 | grep -q LAME || fail "share/ostre3/1991.mp3 is no MP3 from lame"

# PNG width and height are the IHDR's first eight bytes.
for size in 32 48 64 128 256 512; do
    icon=share/icons/hicolor/${size}x$size/apps/$app.png
    [ -f "$icon" ] || fail "no $icon"
    expected=$(printf '%08x%08x' "$size" "$size")
    [ "$(od -An -tx1 -j16 -N8 "$icon" | tr -d ' \n')" = "$expected" ] || fail "$icon is not $size pixels square"
done

desktop-file-validate "share/applications/$app.desktop" || fail "the desktop entry does not validate"
grep -q "^Icon=$app$" "share/applications/$app.desktop" || fail "the desktop entry names another icon"
appstreamcli validate --no-net "share/metainfo/$app.metainfo.xml" >/dev/null \
    || fail "the AppStream data does not validate: $(appstreamcli validate --no-net "share/metainfo/$app.metainfo.xml")"
[ -s share/doc/ostre3/copyright ] || fail "no copyright file"
