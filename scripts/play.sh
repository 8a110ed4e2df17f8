#!/usr/bin/env bash
# Installs what is needed, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"

if [ ! -x build/ronco ]; then
  echo "Built the game's library, tools and tests, but the game itself is not playable yet:"
  echo "the main program has not been written."
  exit 0
fi

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: the game needs a window. Run it under a virtual X server with:"
  echo "  xvfb-run -s '-screen 0 1024x768x24' bash scripts/play.sh"
  exit 1
fi

cd build/jogo
exec ../ronco
