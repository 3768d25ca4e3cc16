#!/usr/bin/env bash
# Installs whatever is missing, builds, then opens the window (run) or passes
# every test (test). Safe to repeat: a second run only rebuilds what changed.
set -euo pipefail
cd "$(dirname "$0")"

usage() {
    echo "usage: $0 run|test" >&2
    exit 2
}
[ $# -eq 1 ] || usage
action=$1

# What the window needs, then what the tests need on top.
# libcanberra-dev, libglib2.0-dev and libxcb-xkb-dev for their headers only: the
# program loads those libraries itself.
run_packages=(cmake ninja-build g++ pkg-config qt6-base-dev libcanberra-dev libglib2.0-dev libxcb-xkb-dev libpng-dev
    sound-theme-freedesktop fonts-dejavu-core librsvg2-bin)
test_packages=("${run_packages[@]}" libgtest-dev libbenchmark-dev clang-tidy cppcheck binutils
    xvfb xauth python3-xlib time desktop-file-utils appstream dpkg-dev file googletest lintian
    libxcb-xtest0-dev binutils-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix wine64 fonts-wine wixl msitools icoutils
    python3 diffoscope-minimal devscripts faketime
    fonts-cantarell fonts-noto-core weston qt6-wayland adwaita-qt6 gsettings-desktop-schemas)

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null | grep -qx installed || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

case "$action" in
run)
    install_missing "${run_packages[@]}"
    cmake --preset app >/dev/null
    cmake --build --preset app
    exec build/app/window/sabot
    ;;
test)
    install_missing "${test_packages[@]}"
    # Every suite in the debug build, then again hardened and optimised (with
    # the checks of the executable's hardening, the install tree and the
    # Windows version resource), then under AddressSanitizer and
    # UndefinedBehaviorSanitizer, then the Windows build (its window and core
    # tests, installer and start-up) under Wine on Xvfb; then the Debian
    # package, installed, started and removed; then the program, the package,
    # sabot.exe and the installer built twice more elsewhere, to be the same
    # bytes; last, the static analysers.
    for preset in dev release asan windows; do
        echo "=== $preset"
        cmake --workflow --preset "$preset"
    done
    echo "=== package"
    cmake --workflow --preset package
    packaging/check_deb.sh "$(ls -t build/app/sabot_*.deb | head -n 1)"
    echo "=== reproducible"
    packaging/check_reproducible.sh
    echo "=== analysis"
    cmake --workflow --preset analysis
    cmake --workflow --preset analysis-windows
    ;;
*) usage ;;
esac
