#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs, from Debian's own archive, whatever the game needs and is not yet installed.
#   scripts/install-deps.sh play   what building and playing needs
#   scripts/install-deps.sh test   that, plus what the tests, checks and packaging need
#   scripts/install-deps.sh web    what building and serving the web page needs
#   scripts/install-deps.sh release  what check-release.sh needs to make and watch a fresh system
set -euo pipefail

build_packages=(
    librsvg2-bin
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-svg-dev qt6-qpa-plugins qt6-wayland qt6-translations-l10n
    gnome-cards-data
    libpulse-dev libsndfile1-dev
)
test_packages=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang-format clang libclang-rt-dev
    xvfb xauth xdotool x11-apps x11-utils imagemagick
    pulseaudio pulseaudio-utils sox
    pipewire pipewire-pulse wireplumber
    desktop-file-utils appstream dpkg-dev file librsvg2-bin strace man-db
    python3 python3-pyatspi at-spi2-core dbus orca speech-dispatcher openbox
    weston
    emscripten node-acorn chromium chromium-driver python3-selenium
)
# The web page: Debian's emscripten (and its node-acorn), the host's compiler and libsndfile for
# the cue generator, the deck, python3 to serve it.
web_packages=(
    emscripten node-acorn g++ cmake ninja-build libsndfile1-dev gnome-cards-data gzip python3
)
release_packages=(debootstrap xvfb xdotool imagemagick procps)

case "${1:-play}" in
play) wanted=("${build_packages[@]}") ;;
test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
web) wanted=("${web_packages[@]}") ;;
release) wanted=("${release_packages[@]}") ;;
*)
    echo "usage: $0 play|test|web|release" >&2
    exit 2
    ;;
esac

missing=()
for package in "${wanted[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
