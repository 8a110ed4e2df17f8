#!/usr/bin/env bash
# Builds the readers' fuzz target with clang (libFuzzer, ASan, UBSan) in its
# own build folder and runs it for a bounded time over the seed corpus.
#   run-fuzz.sh <build folder> [seconds]
# New inputs go to <build folder>/corpus; the seeds in the source tree are
# only read. A crash leaves its input in <build folder> and fails the run.
set -euo pipefail
AQUI="$(cd "$(dirname "$0")" && pwd)"
SAIDA="$1"
SEGUNDOS="${2:-30}"

CLANGXX="$(command -v clang++ || true)"
if [ -z "$CLANGXX" ]; then
  echo "run-fuzz.sh: clang++ not found (Debian package clang)" >&2
  exit 1
fi

mkdir -p "$SAIDA/corpus"
cmake -S "$AQUI" -B "$SAIDA/build" -DCMAKE_CXX_COMPILER="$CLANGXX" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$SAIDA/build" -j2

cd "$SAIDA"
# stdout carries the readers' console lines, one per bad input: muted.
exec "$SAIDA/build/fuzz_leitores" -max_total_time="$SEGUNDOS" -close_fd_mask=1 -timeout=10 \
  -rss_limit_mb=1024 -dict="$AQUI/leitores.dict" -print_final_stats=1 \
  "$SAIDA/corpus" "$AQUI/corpus"
