#!/usr/bin/env bash
# Installs what the game needs (Debian 12), builds it with its assets and
# starts it in a window. Run from anywhere: bash scripts/play.sh
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ]; then
  echo "Note: no display here (DISPLAY is not set); the game will be built but cannot be shown."
fi
bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

if [ ! -x build/ronco ] || [ ! -d build/jogo ]; then
  echo "The build did not produce the game (build/ronco) and its files (build/jogo/)." >&2
  exit 1
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: the game opens an 800x600 window and there is no X display here."
  echo "Run it on a desktop, or under a virtual X server (nothing will be visible,"
  echo "but it plays; take screenshots with 'import -window root shot.png'):"
  echo "  xvfb-run -a -s '-screen 0 1024x768x24' bash scripts/play.sh"
  exit 1
fi

echo "Starting Ronco. Hum or buzz like an engine into the microphone to accelerate;"
echo "A and D steer, Space brakes, E and Q shift up and down, Esc pauses. Times go to build/jogo/records.txt."
cd build/jogo
exec ../ronco
