# Sourced by the other scripts: installs the Debian packages the build needs
# when any of them is missing (apt-get update first, a new machine has none).
KL40_PACKAGES="cmake ninja-build g++ pkg-config libgtest-dev googletest libbenchmark-dev \
nlohmann-json3-dev libsimdjson-dev libcli11-dev qt6-base-dev xvfb xauth poppler-utils fonts-liberation \
clang libclang-rt-14-dev hyperfine time dpkg-dev srecord"

kl40_install_deps() {
    local missing=""
    for p in $KL40_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
    done
    if [ -n "$missing" ]; then
        echo "Installing missing packages:$missing"
        local sudo=""
        [ "$(id -u)" -ne 0 ] && sudo="sudo"
        $sudo apt-get update -qq
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends $missing
    fi
}

# kl40_build DIR BUILD_TYPE [extra cmake args...]
kl40_build() {
    local dir="$1" type="$2"
    shift 2
    cmake -S "$KL40_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}
