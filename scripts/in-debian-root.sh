#!/usr/bin/env bash
# Runs a command in a fresh Debian root (trixie unless OSTRE3_RELEASE says
# otherwise: bookworm, trixie or forky) holding a copy of this repository at
# /src, as root:
#
#   sudo bash scripts/in-debian-root.sh bash scripts/test.sh
#
# The root is made with debootstrap (minbase) and thrown away afterwards.
# The bare root and the packages downloaded into it are kept under
# /var/cache/ostre3/ to save the next run the download; without that cache
# everything is fetched again from the mirror.
set -euo pipefail

release=${OSTRE3_RELEASE:-trixie}
mirror=${OSTRE3_MIRROR:-http://deb.debian.org/debian}
cache=${OSTRE3_ROOT_CACHE:-/var/cache/ostre3}
root_repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"

if (($# == 0)); then
    echo "usage: $0 COMMAND [ARG...]  (runs in /src of a fresh $release root)" >&2
    exit 2
fi
if [ "$(id -u)" -ne 0 ]; then
    echo "in-debian-root: needs root (debootstrap, chroot, mounts)" >&2
    exit 2
fi
for tool in debootstrap chroot tar; do
    command -v "$tool" >/dev/null || { echo "in-debian-root: $tool is missing (apt-get install debootstrap)" >&2; exit 2; }
done

dir=$(mktemp -d /var/tmp/ostre3-root.XXXXXX)
mounts=()
cleanup() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount -l "${mounts[i]}" 2>/dev/null || true
    done
    # Only remove the root once nothing is mounted inside it any more.
    if ! grep -q " $dir/" /proc/mounts; then
        rm -rf --one-file-system "$dir"
    else
        echo "in-debian-root: $dir still has mounts; left in place" >&2
    fi
}
trap cleanup EXIT
trap 'exit 130' INT TERM

mnt() { # mount's arguments, the mount point last
    mount "$@"
    mounts+=("${!#}")
}

base="$cache/$release-minbase.tar"
mkdir -p "$cache/apt-$release"
if [ -s "$base" ] && tar -xf "$base" -C "$dir" 2>/dev/null; then
    echo "in-debian-root: $release root from $base" >&2
else
    rm -rf --one-file-system "$dir" && mkdir -p "$dir"
    echo "in-debian-root: making a $release root with debootstrap (a few minutes)" >&2
    # An older debootstrap may not know a release that came after it yet;
    # testing and unstable are made alike.
    script=/usr/share/debootstrap/scripts/$release
    [ -e "$script" ] || script=/usr/share/debootstrap/scripts/sid
    debootstrap --variant=minbase "$release" "$dir" "$mirror" "$script" >"$dir.log" 2>&1 ||
        { tail -20 "$dir.log" >&2; rm -f "$dir.log"; exit 1; }
    rm -f "$dir.log"
    # Cache the bare root, written aside and renamed so a broken run
    # never leaves half a tarball behind.
    tar -cf "$base.part" -C "$dir" . && mv "$base.part" "$base" ||
        { rm -f "$base.part"; echo "in-debian-root: could not cache the root in $cache" >&2; }
fi

# Testing's Release file on a mirror may be past its Valid-Until date (a
# stable release's never expires): apt would refuse it.
case "$release" in
    bookworm | trixie) ;;
    *) echo 'Acquire::Check-Valid-Until "false";' >"$dir/etc/apt/apt.conf.d/99ostre3-valid-until" ;;
esac

mkdir -p "$dir/proc" "$dir/sys" "$dir/dev"
mnt -t proc proc "$dir/proc"
mnt -t sysfs sysfs "$dir/sys"
# The host's /dev with what is mounted in it (pts, shm), as a slave so that
# nothing mounted inside the root shows up on the host.
mnt --rbind /dev "$dir/dev"
mount --make-rslave "$dir/dev"
# A /dev/shm of its own, as a machine of its own has: libraries keep state
# there (JACK's metadata database, opened through GStreamer's JACK sink), and
# the host's, written by another release's build of them, makes them complain.
mnt -t tmpfs -o mode=1777 tmpfs "$dir/dev/shm"
# Packages downloaded by earlier runs, linked in rather than shared, so that
# roots running side by side do not fight over apt's lock.
cp -l "$cache/apt-$release"/*.deb "$dir/var/cache/apt/archives/" 2>/dev/null ||
    cp "$cache/apt-$release"/*.deb "$dir/var/cache/apt/archives/" 2>/dev/null || true
cp /etc/resolv.conf "$dir/etc/resolv.conf" 2>/dev/null || true

# The repository as committed plus uncommitted changes, without build output.
mkdir -p "$dir/src"
tar -C "$root_repo" --exclude='./build' --exclude='./build-*' -cf - . | tar -C "$dir/src" -xf -

set +e
chroot "$dir" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /bin/sh -c 'cd /src && exec "$@"' sh "$@"
status=$?
set -e
for deb in "$dir"/var/cache/apt/archives/*.deb; do
    if [ -e "$deb" ] && [ ! -e "$cache/apt-$release/${deb##*/}" ]; then
        cp -l "$deb" "$cache/apt-$release/" 2>/dev/null || cp "$deb" "$cache/apt-$release/" || true
    fi
done
exit "$status"
