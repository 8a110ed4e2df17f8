#!/usr/bin/env bash
# The game as a player installs it. Staged into a scratch root with DESTDIR:
# the desktop entry, the AppStream data and the manual page pass their
# checkers, and the .deb shows its files and dependencies and has no lintian
# error or warning. A data folder that cannot be made is one message and status 1.
# Then, through the installed launcher, from a folder the player may not
# write: a first player with a fresh home finishes a race, whose record
# lands in their data folder and nowhere else; a second player (another
# user, XDG_DATA_HOME set, a link left by an older installation) finds the
# link set right and their records page without that record.
#
# The first player races without traffic on a copy of the maps of their
# own (a real folder in the data folder, which the launcher leaves alone):
# the installed files stay as installed.
#
#   instalado.sh RONCO ASSETS ARTEFACTS EYE CLOSER BUILD
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "${@:1:5}"
build=$(readlink -f "$6")
a=$E2E_ARTEFACTOS
e2e_xvfb
e2e_som microfone 440
e2e_usuario_sem_privilegios
[ -n "$E2E_TEMPORARIO" ] || E2E_TEMPORARIO=$(mktemp -d /tmp/ronco-e2e-XXXXXX)
chmod 755 "$E2E_TEMPORARIO"
raiz=$E2E_TEMPORARIO/raiz
DESTDIR=$raiz cmake --install "$build" --prefix /usr >"$a/instalacao.txt" || e2e_falhar "cmake --install failed"
(cd "$raiz" && find . ! -type d | sort) >"$a/arquivos.txt"
u=$raiz/usr/share
lancador=$raiz/usr/games/ronco
desktop-file-validate "$u/applications/ronco.desktop" || e2e_falhar "the desktop entry is invalid"
appstreamcli validate --no-net "$u"/metainfo/*.metainfo.xml >"$a/appstream.txt" 2>&1 \
    || e2e_falhar "the AppStream data is invalid: $(cat "$a/appstream.txt")"
man -l "$u/man/man6/ronco.6.gz" >"$a/man.txt" && grep -q "MICROPHONE CHECK" "$a/man.txt" || e2e_falhar "no manual page"

cpack --config "$build/CPackConfig.cmake" -B "$E2E_TEMPORARIO/pacote" >"$a/cpack.txt" 2>&1 || e2e_falhar "cpack failed"
deb=$(ls "$E2E_TEMPORARIO"/pacote/ronco_*.deb)
dpkg-deb --info "$deb" >"$a/deb-info.txt" && dpkg-deb --contents "$deb" >"$a/deb-conteudo.txt" || e2e_falhar "unreadable package"
grep -Eq '^ Depends: .*liballegro4\.4 .*libasound2 ' "$a/deb-info.txt" && grep -q '^ Section: games$' "$a/deb-info.txt" \
    || e2e_falhar "wrong dependencies or section: $(cat "$a/deb-info.txt")"
[ "$(grep -cE ' \./usr/(games/ronco|lib/games/ronco/ronco|share/games/ronco/mapas/1\.txt|share/man/man6/ronco\.6\.gz|share/icons/hicolor/(48x48|128x128)/apps/ronco\.png)$' \
    "$a/deb-conteudo.txt")" -eq 6 ] || e2e_falhar "files missing from the package (see deb-conteudo.txt)"
# Warnings too: they cover the icons' sizes and the manual page's mark-up.
lintian --fail-on error,warning "$deb" >"$a/lintian.txt" 2>&1 || e2e_falhar "lintian complained: $(cat "$a/lintian.txt")"

saida=$(XDG_DATA_HOME=/dev/null/x "$lancador" 2>&1)
[ $? -eq 1 ] && [ "$(wc -l <<<"$saida")" -eq 1 ] && [[ $saida == *"/dev/null/x/ronco"* ]] \
    || e2e_falhar "a data folder that cannot be made gave: $saida"

# The first player.
unset XDG_DATA_HOME
pasta1=$E2E_TEMPORARIO/casa1/.local/share/ronco
mkdir -p "$pasta1" "$E2E_TEMPORARIO/outro-lugar"
cp -r "$u/games/ronco/mapas" "$pasta1/"
e2e_sem_trafego "$pasta1"
[ "$(id -u)" -eq 0 ] && chown -R 65534:65534 "$E2E_TEMPORARIO/casa1"
export HOME=$E2E_TEMPORARIO/casa1
E2E_RONCO=$lancador E2E_TRABALHO=$pasta1 E2E_PASTA_INICIO=$E2E_TEMPORARIO/outro-lugar
e2e_jogo_no_menu 900
e2e_correr 240
grep -Eqx 'Tempo: [0-9]+ mills' "$pasta1/records.txt" && [ -f "$pasta1/myfile.txt" ] \
    || e2e_falhar "records.txt or myfile.txt is not in the player's folder"
[ -z "$(find "$raiz" "$E2E_TEMPORARIO/outro-lugar" -name records.txt)" ] || e2e_falhar "records.txt outside the player's folder"
[ -L "$pasta1/graficos" ] && [ ! -L "$pasta1/mapas" ] || e2e_falhar "the launcher did not leave the copy of the maps alone"
e2e_clicar_botao BOTAO_RECORDES
e2e_esperar_pagina recordes 5 recordes-jogador-1
cp "$a/.olhada.bmp" "$a/.recordes-1.bmp"
e2e_clicar_botao BOTAO_VOLTAR_RECORDES
e2e_esperar_pagina menu 5
e2e_sair_pelo_menu

# The second player.
export XDG_DATA_HOME=$E2E_TEMPORARIO/casa2/dados
pasta2=$XDG_DATA_HOME/ronco
mkdir -p "$pasta2"
ln -s /usr/share/games/ronco-antigo/graficos "$pasta2/graficos"
[ "$(id -u)" -eq 0 ] && chown -R 65533:65533 "$E2E_TEMPORARIO/casa2" && E2E_PREFIXO[1]=--reuid=65533 E2E_PREFIXO[2]=--regid=65533
export HOME=$E2E_TEMPORARIO/casa2
E2E_TRABALHO=$pasta2
e2e_jogo_no_menu 120
e2e_clicar_botao BOTAO_RECORDES
e2e_esperar_pagina recordes 5 recordes-jogador-2
[ "$(e2e_diferenca "$a/.olhada.bmp" "$a/.recordes-1.bmp")" -ge 480 ] \
    || e2e_falhar "the second player sees the first one's records"
e2e_clicar_botao BOTAO_VOLTAR_RECORDES
e2e_esperar_pagina menu 5
e2e_sair_pelo_menu
[ "$(readlink "$pasta2/graficos")" = "$u/games/ronco/graficos" ] || e2e_falhar "the old link was not set right"
[ ! -e "$pasta2/records.txt" ] && [ "$(wc -l <"$pasta1/records.txt")" -eq 1 ] || e2e_falhar "the records got mixed up"
