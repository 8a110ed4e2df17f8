#!/usr/bin/env bash
# The menus a player browses, on a large screen (2560x1440) of an X11
# desktop (an EWMH window manager, openbox): a x3 saved for a larger screen
# opens a window at x2 (1600x1200), the largest that fits, and stays saved.
# N switches the music off (what the sound device plays becomes silence)
# and on again; F11 has the window manager make the window fullscreen (it
# carries _NET_WM_STATE_FULLSCREEN), the picture 1920x1440 centred on
# black, whose menus answer clicks, and F11 again gives the window back at
# its place; F10 steps the window to x1 and back to x2 about its centre;
# the settings file keeps each. Then both instruction pages forth and back
# and the records page with the times already recorded, five rounds: back
# through the Back buttons in the first, then through 80 ms Escape taps, as
# a player taps, each going back exactly one page and staying there (page 2
# -> page 1 -> main menu, records -> main menu). Then Right on the main menu
# chooses city 2, which the settings file keeps and whose records page is
# empty; Play starts its race in its own look (downtown's dark asphalt),
# quit from the pause menu. In fullscreen again, the window manager closes
# the game (as Alt+F4 or a taskbar does): status 0, the record files
# untouched.
#
#   menus.sh RONCO ASSETS ARTEFACTS EYE CLOSER
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
printf 'Tempo: 61234 mills\nTempo: 45678 mills\n' >"$E2E_TRABALHO/records.txt"
cp "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes"
e2e_xvfb 2560x1440
e2e_som microfone 60
conf=$XDG_CONFIG_HOME/ronco/ronco.conf
mkdir -p "$(dirname "$conf")"
echo 'scale = 3' >"$conf"
e2e_openbox
# What the game plays goes to a file, where silence can be told from music.
export ALTO_FALANTE=$E2E_ARTEFACTOS/alto-falante.raw
e2e_jogo_no_menu 150
[ "$E2E_ESCALA" = 2 ] && e2e_console_tem "The saved scale x3 does not fit this 2560x1440 screen: x2" \
    || e2e_falhar "a saved x3 opened at x$E2E_ESCALA instead of x2 on a 2560x1440 screen"
timeout 5 import -window "$E2E_JANELA" "$E2E_ARTEFACTOS/janela-x2-1600x1200.png"
e2e_esperar_janela 0 1600 1200
lugar="$X $Y"

# som music|silence: until the last 16 KiB played are music (many byte
# values) or silence (the one sample value of silence: two bytes at most).
toca() {
    valores=$(tail -c 16384 "$ALTO_FALANTE" 2>/dev/null | od -An -v -tu1 | tr -s ' ' '\n' | sed '/^$/d' | sort -u | wc -l)
    if [ "$1" = music ]; then [ "$valores" -gt 16 ]; else [ "$valores" -ge 1 ] && [ "$valores" -le 2 ]; fi
}
som() {
    e2e_ate 10 toca "$1" || e2e_falhar "what the game plays did not turn to $1 in 10 s ($valores byte values in the last 16 KiB)"
}
som music
e2e_tecla n 0.12
som silence
grep -qx 'music = off' "$conf" || e2e_falhar "N did not keep music = off"
e2e_tecla n 0.12
som music
grep -qx 'music = on' "$conf" || e2e_falhar "N again did not keep music = on"
rm -f "$ALTO_FALANTE"
e2e_log "N silenced the music and switched it back on"

# Fullscreen: the picture's height is the screen's, x2.4, centred.
e2e_tecla F11 0.12
e2e_esperar_janela 1 2560 1440
E2E_TELA_CHEIA=1920x1440+320+0
e2e_esperar_pagina menu 5 tela-cheia
timeout 5 import -window root "$E2E_ARTEFACTOS/tela-cheia-2560x1440.png"
for canto in "0,0" "319,1439" "2240,0" "2559,1439"; do
    [ "$(convert "$E2E_ARTEFACTOS/tela-cheia-2560x1440.png" -format "%[pixel:p{$canto}]" info:)" = "srgb(0,0,0)" ] \
        || e2e_falhar "fullscreen is not black at $canto, outside the picture"
done
grep -qx 'fullscreen = true' "$conf" || e2e_falhar "F11 did not keep fullscreen = true"
e2e_clicar_botao BOTAO_INSTRUCOES
e2e_esperar_pagina instrucoes 5 tela-cheia-instrucoes
e2e_clicar_botao BOTAO_VOLTAR_PAGINA_1
e2e_esperar_pagina menu 5 tela-cheia-menu
e2e_tecla F11 0.12
E2E_TELA_CHEIA=""
e2e_esperar_janela 0 1600 1200
[ "$X $Y" = "$lugar" ] || e2e_falhar "out of fullscreen the window came back at $X $Y instead of $lugar"
e2e_esperar_pagina menu 5 janela-de-volta
grep -qx 'fullscreen = false' "$conf" || e2e_falhar "F11 again did not keep fullscreen = false"
# F10: x1, then x2 again (no more fits the screen), about the same centre.
read -r x y <<<"$lugar"
for escala in 1 2; do
    e2e_tecla F10 0.12
    e2e_esperar_janela 0 $((800 * escala)) $((600 * escala))
    [ "$X $Y" = "$((x + (2 - escala) * 400)) $((y + (2 - escala) * 300))" ] \
        || e2e_falhar "F10 to x$escala put the window at $X $Y, off its centre (from $lugar at x2)"
    E2E_ESCALA=$escala
    e2e_esperar_pagina menu 5 "janela-x$escala"
    grep -qx "scale = $escala" "$conf" || e2e_falhar "F10 did not keep scale = $escala"
done

# The records page's first line holds a time: the first of the list is
# written in yellow there, on the panel's dark ground.
primeiro_tempo() {
    local vermelho
    vermelho=$(convert "$E2E_ARTEFACTOS/.olhada.bmp[280x24+250+160]" -scale '1x1!' -format '%[fx:int(255*r)]' info:)
    [ "$vermelho" -gt 40 ]
}

toques=0
# voltar_para PAGINA BOTAO
voltar_para() {
    if [ "$volta" = 0 ]; then
        e2e_clicar_botao "$2"
        e2e_esperar_pagina "$1" 5 "$1-de-volta"
        return
    fi
    toques=$((toques + 1))
    e2e_tecla Escape 0.08
    sleep 0.4
    e2e_jogo_vivo || e2e_falhar "Escape tap $toques ($1 expected) ended the game"
    e2e_ler_painel && [ "$pagina" = "$1" ] \
        || { e2e_guardar_olhada "esc-$toques"; e2e_falhar "Escape tap $toques showed ${pagina:-?} instead of $1"; }
}
for volta in 0 1 2 3 4; do
    e2e_clicar_botao BOTAO_INSTRUCOES
    e2e_esperar_pagina instrucoes 5 "instrucoes-$volta"
    e2e_clicar_botao BOTAO_PROXIMA_PAGINA
    e2e_esperar_pagina instrucoes2 5 "instrucoes2-$volta"
    voltar_para instrucoes BOTAO_VOLTAR_PAGINA_2
    voltar_para menu BOTAO_VOLTAR_PAGINA_1
    e2e_clicar_botao BOTAO_RECORDES
    e2e_esperar_pagina recordes 5 "recordes-$volta"
    # With two times recorded the records panel is not the empty one.
    primeiro_tempo || e2e_falhar "the records page does not show the recorded times"
    voltar_para menu BOTAO_VOLTAR_RECORDES
done
e2e_log "80 ms Escape taps: $toques of $toques went back exactly one page"

# City 2, chosen on the main menu and kept; its records page has no time.
e2e_tecla Right 0.12
grep -qx 'city = 2' "$conf" || e2e_falhar "Right on the main menu did not keep city = 2"
e2e_esperar_pagina menu 5 cidade-2
e2e_clicar_botao BOTAO_RECORDES
e2e_esperar_pagina recordes 5 recordes-cidade-2
primeiro_tempo && e2e_falhar "city 2's records page shows times it never had"
e2e_clicar_botao BOTAO_VOLTAR_RECORDES
e2e_esperar_pagina menu 5
# Its race, in its own look: the road beside the start is downtown's dark
# asphalt (the avenue's is lighter), seen as the race clock first shows.
asfalto=""
olhar_asfalto() {
    asfalto=$(convert "$E2E_ARTEFACTOS/.olhada.bmp" -crop 80x40+520+340 -scale '1x1!' \
        -format '%[fx:int(255*r)] %[fx:int(255*g)] %[fx:int(255*b)]' info:)
    e2e_guardar_olhada corrida-cidade-2
}
E2E_GANCHO_LARGADA=olhar_asfalto
e2e_iniciar_corrida
read -r vermelho _ azul <<<"$asfalto"
[ "$vermelho" -lt 70 ] && [ "$azul" -gt "$vermelho" ] \
    || e2e_falhar "city 2's race does not show downtown's asphalt (mean colour $asfalto)"
e2e_log "city 2's race started on its own asphalt ($asfalto)"
e2e_tecla Escape 0.12
e2e_esperar_pagina pausa 5
e2e_clicar_botao BOTAO_DESISTIR
e2e_esperar_pagina menu 10 menu-depois-da-cidade-2

# The window manager's close, in fullscreen, ends the game like Exit.
e2e_tecla F11 0.12
e2e_esperar_janela 1 2560 1440
wmctrl -c Ronco || e2e_falhar "wmctrl could not close the window"
e2e_fim_limpo 10 "the window manager's close in fullscreen"
cmp -s "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes" \
    || e2e_falhar "browsing the menus changed records.txt"
[ ! -e "$E2E_TRABALHO/records-2.txt" ] || e2e_falhar "a race quit from the pause menu wrote records-2.txt"
