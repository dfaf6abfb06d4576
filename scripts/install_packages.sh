# Sourced by the other scripts. install_packages WHO PACKAGE...: installs
# with apt whichever of the Debian packages are missing (through sudo when
# not root), saying which, in one line that starts with WHO.
install_packages() {
    local who=$1 p
    shift
    local missing=()
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then sudo=(sudo); fi
    echo "$who: installing ${missing[*]}" >&2
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}
