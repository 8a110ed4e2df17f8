#!/bin/sh
# Starts Ronco for this player. The game reads its pictures, sounds, map and
# car files relative to the folder it runs in and writes its records there,
# so it runs in the player's own data folder, $XDG_DATA_HOME/ronco
# (~/.local/share/ronco by default), made on the first start. The installed
# asset folders are reached from there through symbolic links, set again
# whenever they do not point at this installation (after an upgrade, or an
# installation moved to another prefix). A real folder of the same name is
# the player's own copy and is left alone.
#
# Everything is found relative to this script: it lives one level under the
# installation's prefix (games/ or bin/), so a staged or moved installation
# runs as well as the installed one.
set -u

falhar() {
    echo "ronco: $*" >&2
    exit 1
}

aqui=$(dirname "$(readlink -f "$0")") || falhar "cannot find where the launcher is installed"
prefixo=$(cd "$aqui/.." && pwd -P) || falhar "cannot find the installation's prefix"
jogo=$prefixo/lib/games/ronco/ronco
recursos=$prefixo/share/games/ronco
[ -x "$jogo" ] || falhar "the game is missing: $jogo"
[ -d "$recursos" ] || falhar "the game's files are missing: $recursos"

# A relative XDG_DATA_HOME is to be ignored, as for every other program.
case ${XDG_DATA_HOME:-} in
    /*) base=$XDG_DATA_HOME ;;
    *) [ -n "${HOME:-}" ] || falhar "HOME is not set, so there is no folder for the records"
       base=$HOME/.local/share ;;
esac
pasta=$base/ronco

if ! erro=$(mkdir -p -- "$pasta" 2>&1); then
    falhar "cannot create the data folder $pasta (${erro##*: })"
fi
[ -w "$pasta" ] || falhar "cannot write in the data folder $pasta"

for nome in graficos mapas soms dados; do
    alvo=$recursos/$nome
    ligacao=$pasta/$nome
    if [ -L "$ligacao" ] || [ ! -e "$ligacao" ]; then
        [ "$(readlink -- "$ligacao")" = "$alvo" ] ||
            ln -sfn -- "$alvo" "$ligacao" 2>/dev/null ||
            falhar "cannot link $ligacao to the game's files in $alvo"
    fi
done

cd "$pasta" || falhar "cannot enter the data folder $pasta"
exec "$jogo" "$@"
