#!/usr/bin/env bash
# Installs every Debian package Ondrix needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev libgl-dev
    libasound2-dev libfluidsynth-dev libcdio-dev libcdio-paranoia-dev timgm6mb-soundfont
    pulseaudio pulseaudio-utils libasound2-plugins
    xvfb xauth
    clang libclang-rt-dev libsndfile1-dev sox
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
