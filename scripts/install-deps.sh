#!/usr/bin/env bash
# Installs everything the game, its tools and its tests need on Debian 12.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config git
  liballegro4-dev libasound2-dev alsa-utils libx11-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev clang-format
  xvfb xdotool imagemagick sox x11-utils procps gdb
  zlib1g-dev desktop-file-utils appstream lintian man-db dpkg-dev
  pulseaudio pulseaudio-utils libasound2-plugins
)
# PipeWire for its own end-to-end race, installed without recommends:
# pipewire-alsa conflicts with pulseaudio in Debian 12, so only its ALSA
# plugin is unpacked, into the folder the scenario reads (tests/e2e/comum.sh).
PIPEWIRE_PACKAGES=(pipewire pipewire-bin wireplumber pipewire-pulse dbus)
# The desktops the window is tried on: an EWMH window manager, and a Wayland
# compositor running X11 games through Xwayland.
DESKTOP_PACKAGES=(openbox wmctrl weston xwayland)
PIPEWIRE_ALSA=/opt/ronco-pipewire-alsa

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

updated=""
# install [APT-OPTIONS...] -- PACKAGES...: those not yet installed.
install() {
  local options=() missing=() p
  while [ "$1" != -- ]; do options+=("$1"); shift; done
  shift
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installing: ${missing[*]}"
  [ -n "$updated" ] || $SUDO apt-get update
  updated=1
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y "${options[@]}" "${missing[@]}"
}
install -- "${PACKAGES[@]}"
install --no-install-recommends -- "${PIPEWIRE_PACKAGES[@]}"
install --no-install-recommends -- "${DESKTOP_PACKAGES[@]}"

# The plugin must be the installed PipeWire's own version.
version=$(dpkg-query -W -f='${Version}' pipewire)
if [ "$(cat "$PIPEWIRE_ALSA/version" 2>/dev/null)" != "$version" ]; then
  echo "Unpacking the PipeWire ALSA plugin $version into $PIPEWIRE_ALSA"
  tmp=$(mktemp -d)
  (cd "$tmp" && apt-get -q -o APT::Sandbox::User=root download "pipewire-alsa=$version")
  $SUDO rm -rf "$PIPEWIRE_ALSA"
  $SUDO mkdir -p "$PIPEWIRE_ALSA"
  $SUDO dpkg-deb -x "$tmp"/pipewire-alsa_*.deb "$PIPEWIRE_ALSA"
  echo "$version" | $SUDO tee "$PIPEWIRE_ALSA/version" >/dev/null
  rm -rf "$tmp"
fi
