#!/usr/bin/env bash
# Installs everything the game, its tools and its tests need on Debian 12.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git
  liballegro4-dev libasound2-dev alsa-utils
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  xvfb xdotool imagemagick sox x11-utils procps gdb
  zlib1g-dev desktop-file-utils appstream lintian man-db dpkg-dev
  pulseaudio pulseaudio-utils libasound2-plugins
)

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${missing[@]}"
fi
