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

packages=(cmake ninja-build g++ libgtest-dev qt6-base-dev fonts-dejavu-core)

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
    install_missing "${packages[@]}"
    cmake --preset release >/dev/null
    cmake --build --preset release
    exec build/release/window/sabot
    ;;
test)
    install_missing "${packages[@]}"
    cmake --workflow --preset dev
    ;;
*) usage ;;
esac
