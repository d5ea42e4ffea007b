# Shared by scripts/run and scripts/test: installs the Debian packages that
# are missing (as root, with apt-get) and configures and builds a tree.

KXR_ROOT=$(cd "$(dirname "$0")/.." && pwd)

# Packages needed to build the program and its tests.
KXR_BUILD_PACKAGES="cmake ninja-build g++ pkg-config qtbase5-dev qtbase5-dev-tools libqt5serialport5-dev libqt5websockets5-dev libcpp-httplib-dev iproute2 util-linux fonts-dejavu-core fonts-noto-cjk"

ensure_packages() {
    missing=""
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
            missing="$missing $pkg"
        fi
    done
    [ -z "$missing" ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages:$missing (run as root to install them)" >&2
        exit 1
    fi
    echo "Installing:$missing"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    # shellcheck disable=SC2086
    apt-get install -y -qq --no-install-recommends $missing
}

# configure_and_build <build dir> [cmake arguments...]
configure_and_build() {
    dir=$1
    shift
    cmake -S "$KXR_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
    ninja -C "$dir"
}
