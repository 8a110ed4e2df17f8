#!/usr/bin/env bash
# The menus a player browses: both instruction pages forth and back, the
# records page with the times already recorded, and Exit ending the game
# with status 0 without touching the record file.
#
#   menus.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
printf 'Tempo: 61234 mills\nTempo: 45678 mills\n' >"$E2E_TRABALHO/records.txt"
cp "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes"
e2e_xvfb
e2e_som microfone 60
e2e_jogo_iniciar 90
e2e_janela
e2e_cortar_abertura 60

e2e_clicar_botao BOTAO_INSTRUCOES
e2e_esperar_pagina instrucoes 5 instrucoes-1
e2e_clicar_botao BOTAO_INSTRUCOES_PROXIMA
e2e_esperar_pagina instrucoes2 5 instrucoes-2
e2e_clicar_botao BOTAO_INSTRUCOES2_VOLTAR
e2e_esperar_pagina instrucoes 5 instrucoes-1-de-volta
e2e_clicar_botao BOTAO_INSTRUCOES_VOLTAR
e2e_esperar_pagina menu 5 menu-de-volta

# The records page: with two times recorded its panel is not the empty one.
e2e_clicar_botao BOTAO_RECORDES
e2e_esperar_pagina recordes 5 recordes
vazio=$(e2e_olho diferenca "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_TRABALHO/graficos/menus/menu_recordes.bmp" 0 0)
[ "$vazio" -ge 1 ] || e2e_falhar "a página de recordes não mostra os tempos gravados"
e2e_clicar_botao BOTAO_RECORDES_VOLTAR
e2e_esperar_pagina menu 5 menu-final

e2e_sair_pelo_menu
cmp -s "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes" \
    || e2e_falhar "navegar nos menus mudou records.txt"
