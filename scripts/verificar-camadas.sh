#!/usr/bin/env bash
# Fails when the game's classes include one another in a circle: class A's
# header or source includes B's header while B's, directly or through
# others, includes A's. (Which libraries may include Allegro's and ALSA's
# headers is enforced by the build itself: see src/CMakeLists.txt.)
#   bash scripts/verificar-camadas.sh
set -euo pipefail
cd "$(dirname "$0")/../src"

arestas=$(for arquivo in *.h *.cpp; do
    classe=${arquivo%.*}
    sed -nE 's/^#include "([A-Za-z_0-9]+)\.h".*/\1/p' "$arquivo" | while read -r incluida; do
        [ "$incluida" = "$classe" ] || echo "$classe $incluida"
    done
done | sort -u)
if ! erro=$(tsort <<<"$arestas" 2>&1 >/dev/null) || [ -n "$erro" ]; then
    echo "Include circle among these classes (each includes the next, the last the first):" >&2
    sed -n 's/^tsort: \([A-Za-z_0-9]*\)$/  \1/p' <<<"$erro" >&2
    exit 1
fi
echo "No include circles among $(wc -l <<<"$arestas") includes between the game's classes."
