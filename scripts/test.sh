#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test: first the normal
# build, then the whole suite again under AddressSanitizer and
# UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
# The classes include one another in one direction only (the libraries'
# own layering, Allegro and ALSA kept to the seams, is checked by the build).
bash scripts/verificar-camadas.sh
bash scripts/verificar-formato.sh

JOBS=$(nproc)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$JOBS"
(cd build && ctest --output-on-failure -j"$JOBS")

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DRONCO_SANITIZE=ON -DRONCO_BENCH=OFF
cmake --build build-asan -j"$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
   ctest --output-on-failure -j"$JOBS")
