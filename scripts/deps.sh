# Installs the Debian 12 packages the build and the tests need (sourced by run and test).
quarten_install_deps() {
    local packages=(build-essential cmake ninja-build pkg-config ccache
        libhidapi-dev libudev-dev libgtest-dev libgmock-dev libbenchmark-dev
        qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
        libglib2.0-dev gsettings-desktop-schemas
        desktop-file-utils appstream udev dpkg-dev file clang libclang-rt-14-dev
        xvfb xauth xdotool x11-utils fonts-liberation fonts-wqy-microhei fonts-dejavu-core dbus
        openbox trayer dunst weston qt6-wayland imagemagick x11-xserver-utils
        locales)
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$p")
    done
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    if [ ${#missing[@]} -ne 0 ]; then
        export DEBIAN_FRONTEND=noninteractive
        $sudo apt-get update
        $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
    # A locale with a decimal comma, for the tests of numbers in files KDE reads (`locale -a`
    # spells it de_DE.utf8).
    if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
        $sudo sed -i 's/^# *de_DE.UTF-8/de_DE.UTF-8/' /etc/locale.gen
        $sudo locale-gen
    fi
}

quarten_configure() {
    local build_dir=$1
    shift
    local generator=()
    command -v ninja >/dev/null && generator=(-G Ninja)
    if [ ! -f "$build_dir/CMakeCache.txt" ]; then
        cmake -S . -B "$build_dir" "${generator[@]}" "$@"
    else
        cmake -S . -B "$build_dir" "$@"
    fi
}

# The fuzz build: clang, the whole tree instrumented for libFuzzer, ASan and UBSan.
quarten_configure_fuzz() {
    CC=clang CXX=clang++ quarten_configure build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DQUARTEN_FUZZ=ON -DQUARTEN_BUILD_TESTS=OFF -DQUARTEN_BUILD_BENCH=OFF >/dev/null
    cmake --build build-fuzz --target quarten_fuzzers -j2
}
