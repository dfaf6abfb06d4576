# Sourced by scripts/install_packages.sh: which Debian release this is, and
# the names its packages have for what Ostre3 builds and plays with. Sets
#   debian_release     12, 13 or 14
#   qt_build_packages  Qt and Phonon for building: Qt 5 on Debian 12 (it has
#                      no Phonon for Qt 6), Qt 6 from Debian 13 on
#   qt_play_packages   what playing needs beside the libraries: Qt's Wayland
#                      plugin, the cursor library Qt 6's X11 plugin loads
#                      (it will not start without), and a Phonon backend with
#                      its decoders and audio output (Phonon for Qt 6 has
#                      only VLC's)
#   qt_test_packages   the other Phonon backends, which the tests play
#                      through as well
# WHO names the script in the one line said about an unknown release.

# Testing and unstable have no VERSION_ID, only a VERSION_CODENAME.
IFS='|' read -r os_version os_codename os_name <<<"$(
    . /etc/os-release 2>/dev/null
    echo "${VERSION_ID:-}|${VERSION_CODENAME:-}|${PRETTY_NAME:-${ID:-unknown}}")"
case "$os_version/$os_codename" in
    12/* | */bookworm) debian_release=12 ;;
    13/* | */trixie) debian_release=13 ;;
    14/* | */forky) debian_release=14 ;;
    *)
        echo "${WHO:-ostre3}: Debian 12, 13 and 14 are supported, this is '$os_name'; trying Debian 14's packages" >&2
        debian_release=14
        ;;
esac

if [ "$debian_release" = 12 ]; then
    qt_build_packages=(qtbase5-dev libphonon4qt5-dev)
    qt_play_packages=(
        qtwayland5 phonon4qt5-backend-gstreamer
        gstreamer1.0-plugins-base gstreamer1.0-plugins-good gstreamer1.0-alsa
    )
    qt_test_packages=(phonon4qt5-backend-vlc vlc-plugin-base)
else
    # phonon4qt6 stands for "some backend" in the Phonon headers' package,
    # which would otherwise bring the null backend, which plays nothing.
    qt_build_packages=(qt6-base-dev libphonon4qt6-dev phonon4qt6)
    qt_play_packages=(qt6-wayland libxcb-cursor0 phonon4qt6-backend-vlc)
    qt_test_packages=()
fi
