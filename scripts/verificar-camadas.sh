#!/usr/bin/env bash
# Checks how the game's classes include one another:
#   - no circles: class A's header or source includes B's header while B's,
#     directly or through others, includes A's;
#   - no include across the layers: a class includes only headers of its
#     own library (src/CMakeLists.txt) or of the libraries it links, directly
#     or through those (header-only headers are listed in their library too).
# (Which libraries may include Allegro's and ALSA's headers is enforced by
# the build itself: see src/CMakeLists.txt.)
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

# Each library's classes and the libraries it links, from its
# ronco_biblioteca(NAME ... FONTES files... USA libraries...) call.
declare -A biblioteca usa
while read -r nome resto; do
    modo=""
    for palavra in $resto; do
        case $palavra in
            FONTES | USA | COSTURA) modo=$palavra ;;
            *) if [ "$modo" = FONTES ]; then biblioteca[${palavra%.*}]=$nome
               elif [ "$modo" = USA ] && [[ $palavra == ronco_* ]]; then usa[$nome]+=" $palavra"; fi ;;
        esac
    done
done < <(awk '/^ronco_biblioteca\(/ { dentro = 1; bloco = "" }
              dentro { bloco = bloco " " $0; if ($0 ~ /\)[[:space:]]*$/) { dentro = 0; print bloco } }' CMakeLists.txt |
         sed -E 's/ronco_biblioteca\(//; s/\)[[:space:]]*$//')
# The libraries a library may include: itself and all it links, however deep.
abaixo() {
    local fila=("$1") vistas=" $1 " b
    while [ ${#fila[@]} -gt 0 ]; do
        b=${fila[0]}
        fila=("${fila[@]:1}")
        for u in ${usa[$b]:-}; do
            [[ $vistas == *" $u "* ]] || { vistas+="$u "; fila+=("$u"); }
        done
    done
    echo "$vistas"
}
falhas=0
while read -r classe incluida; do
    [ "$classe" = main ] && continue
    de=${biblioteca[$classe]:-} para=${biblioteca[$incluida]:-}
    if [ -z "$de" ] || [ -z "$para" ]; then
        echo "In no library of src/CMakeLists.txt: $([ -z "$de" ] && echo "$classe" || echo "$incluida")" >&2
        falhas=1
    elif [[ $(abaixo "$de") != *" $para "* ]]; then
        echo "Across the layers: $classe ($de) includes $incluida.h ($para), a library $de does not link" >&2
        falhas=1
    fi
done <<<"$arestas"
[ $falhas -eq 0 ] || exit 1
echo "No include circles, and none across the layers, among $(wc -l <<<"$arestas") includes between the game's classes."
