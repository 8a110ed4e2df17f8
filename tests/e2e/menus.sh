#!/usr/bin/env bash
# The menus a player browses, on a large screen (2560x1440): the game opens
# a window at x2 (1600x1200). N switches the music off (what the sound
# device plays becomes silence) and on again; F11 fills the screen with the
# picture (1920x1440, centred on black), whose menus answer clicks, and
# F11 again gives the window back; F10 steps the window to x1 and back to
# x2; the settings file keeps each. Then both instruction pages forth and
# back and the records page with the times already recorded, six rounds:
# back through the Back buttons in the first, then through 80 ms Escape
# taps, as a player taps, each going back exactly one page and staying there
# (page 2 -> page 1 -> main menu, records -> main menu). The window's close
# button ends the game with status 0 without touching the record file.
#
#   menus.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
printf 'Tempo: 61234 mills\nTempo: 45678 mills\n' >"$E2E_TRABALHO/records.txt"
cp "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes"
e2e_xvfb 2560x1440
e2e_som microfone 60
# What the game plays goes to a file, where silence can be told from music.
export ALTO_FALANTE=$E2E_ARTEFACTOS/alto-falante.raw
e2e_jogo_no_menu 150
[ "$E2E_ESCALA" = 2 ] || e2e_falhar "numa tela de 2560x1440 a janela abriu em x$E2E_ESCALA em vez de x2"
timeout 5 import -window "$E2E_JANELA" "$E2E_ARTEFACTOS/janela-x2-1600x1200.png"
conf=$XDG_CONFIG_HOME/ronco/ronco.conf

# som tocando|calado: until the last 16 KiB played are music (many byte
# values) or silence (the one sample value of silence: two bytes at most).
som() {
    local i valores=0
    for i in $(seq 50); do
        valores=$(tail -c 16384 "$ALTO_FALANTE" 2>/dev/null | od -An -v -tu1 | tr -s ' ' '\n' | sed '/^$/d' | sort -u | wc -l)
        if [ "$1" = tocando ] && [ "$valores" -gt 16 ]; then return 0; fi
        if [ "$1" = calado ] && [ "$valores" -ge 1 ] && [ "$valores" -le 2 ]; then return 0; fi
        sleep 0.2
    done
    e2e_falhar "o som não ficou $1 em 10 s ($valores valores de byte nos últimos 16 KiB)"
}
som tocando
e2e_tecla n 0.12
som calado
grep -qx 'music = off' "$conf" || e2e_falhar "N não guardou music = off"
e2e_tecla n 0.12
som tocando
grep -qx 'music = on' "$conf" || e2e_falhar "N outra vez não guardou music = on"
rm -f "$ALTO_FALANTE"
e2e_log "N calou a música e voltou a ligá-la"

# Fullscreen: the picture's height is the screen's, x2.4, centred.
e2e_tecla F11 0.12
E2E_TELA_CHEIA=1920x1440+320+0
e2e_esperar_pagina menu 5 tela-cheia
timeout 5 import -window root "$E2E_ARTEFACTOS/tela-cheia-2560x1440.png"
for canto in "0,0" "319,1439" "2240,0" "2559,1439"; do
    [ "$(convert "$E2E_ARTEFACTOS/tela-cheia-2560x1440.png" -format "%[pixel:p{$canto}]" info:)" = "srgb(0,0,0)" ] \
        || e2e_falhar "a tela cheia não é preta em $canto, fora da figura"
done
grep -qx 'fullscreen = true' "$conf" || e2e_falhar "F11 não guardou fullscreen = true"
e2e_clicar_botao BOTAO_INSTRUCOES
e2e_esperar_pagina instrucoes 5 tela-cheia-instrucoes
e2e_clicar_botao BOTAO_VOLTAR_PAGINA_1
e2e_esperar_pagina menu 5 tela-cheia-menu
e2e_tecla F11 0.12
E2E_TELA_CHEIA=""
# As a window manager would, the window that comes back gets the keyboard.
timeout 10 xdotool windowfocus --sync "$E2E_JANELA" || e2e_falhar "não foi possível focar a janela de volta"
e2e_medir_janela
[ "$E2E_ESCALA" = 2 ] || e2e_falhar "depois da tela cheia a janela voltou em x$E2E_ESCALA"
e2e_esperar_pagina menu 5 janela-de-volta
grep -qx 'fullscreen = false' "$conf" || e2e_falhar "F11 outra vez não guardou fullscreen = false"
# F10: x1, then x2 again (no more fits the screen).
for escala in 1 2; do
    e2e_tecla F10 0.12
    sleep 0.5
    timeout 10 xdotool windowfocus --sync "$E2E_JANELA" || e2e_falhar "não foi possível focar a janela após F10"
    e2e_medir_janela
    [ "$E2E_ESCALA" = "$escala" ] || e2e_falhar "F10 deu x$E2E_ESCALA em vez de x$escala"
    e2e_esperar_pagina menu 5 "janela-x$escala"
    grep -qx "scale = $escala" "$conf" || e2e_falhar "F10 não guardou scale = $escala"
done

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
    e2e_jogo_vivo || e2e_falhar "o toque $toques de Escape ($1 esperada) terminou o jogo"
    e2e_ler_painel && [ "$pagina" = "$1" ] \
        || { e2e_guardar_olhada "esc-$toques"; e2e_falhar "o toque $toques de Escape mostrou ${pagina:-?} em vez de $1"; }
}
for volta in 0 1 2 3 4 5; do
    e2e_clicar_botao BOTAO_INSTRUCOES
    e2e_esperar_pagina instrucoes 5 "instrucoes-$volta"
    e2e_clicar_botao BOTAO_PROXIMA_PAGINA
    e2e_esperar_pagina instrucoes2 5 "instrucoes2-$volta"
    voltar_para instrucoes BOTAO_VOLTAR_PAGINA_2
    voltar_para menu BOTAO_VOLTAR_PAGINA_1
    e2e_clicar_botao BOTAO_RECORDES
    e2e_esperar_pagina recordes 5 "recordes-$volta"
    # With two times recorded the records panel is not the empty one.
    vazio=$(e2e_diferenca "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_TRABALHO/graficos/menus/menu_recordes.bmp")
    [ "$vazio" -ge 480 ] || e2e_falhar "a página de recordes não mostra os tempos gravados"
    voltar_para menu BOTAO_VOLTAR_RECORDES
done
e2e_log "toques de Escape de 80 ms: $toques de $toques voltaram exatamente uma página"

# The window's close button in the main menu ends the game like Exit.
e2e_fechar_janela
e2e_fim_limpo 10 "fechar a janela no menu"
cmp -s "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes" \
    || e2e_falhar "navegar nos menus mudou records.txt"
