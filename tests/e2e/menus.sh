#!/usr/bin/env bash
# The menus a player browses: both instruction pages forth and back and the
# records page with the times already recorded, six rounds: back through
# the Back buttons in the first, then through 80 ms Escape taps, as a
# player taps, each going back exactly one page and staying there (page 2
# -> page 1 -> main menu, records -> main menu). The window's close button
# ends the game with status 0 without touching the record file.
#
#   menus.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
printf 'Tempo: 61234 mills\nTempo: 45678 mills\n' >"$E2E_TRABALHO/records.txt"
cp "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes"
e2e_xvfb
e2e_som microfone 60
e2e_jogo_no_menu 150

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
    e2e_clicar_botao BOTAO_INSTRUCOES_PROXIMA
    e2e_esperar_pagina instrucoes2 5 "instrucoes2-$volta"
    voltar_para instrucoes BOTAO_INSTRUCOES2_VOLTAR
    voltar_para menu BOTAO_INSTRUCOES_VOLTAR
    e2e_clicar_botao BOTAO_RECORDES
    e2e_esperar_pagina recordes 5 "recordes-$volta"
    # With two times recorded the records panel is not the empty one.
    vazio=$(e2e_diferenca "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_TRABALHO/graficos/menus/menu_recordes.bmp")
    [ "$vazio" -ge 480 ] || e2e_falhar "a página de recordes não mostra os tempos gravados"
    voltar_para menu BOTAO_RECORDES_VOLTAR
done
e2e_log "toques de Escape de 80 ms: $toques de $toques voltaram exatamente uma página"

# The window's close button in the main menu ends the game like Exit.
e2e_fechar_janela
e2e_fim_limpo 10 "fechar a janela no menu"
cmp -s "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes" \
    || e2e_falhar "navegar nos menus mudou records.txt"
