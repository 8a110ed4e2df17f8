#!/usr/bin/env bash
# Pause during a race: Escape shows the pause page over the frozen race,
# Escape resumes and the car goes on, the pause menu's Quit leads back to
# the main menu without a record, and Escape in the main menu ends the game
# with status 0.
#
#   pausa.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
e2e_som microfone 120
e2e_jogo_iniciar 120
e2e_janela
e2e_cortar_abertura 60
e2e_iniciar_corrida

# Let the car get going in first gear.
sleep 2
e2e_ler_painel || e2e_falhar "sem imagem da corrida"
antes=$progresso

e2e_esc_na_corrida
e2e_esperar_pagina pausa 5 pausa
cp "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.pausa-1.bmp"
sleep 1.5
e2e_esperar_pagina pausa 2 pausa-depois-de-1.5s
# Nothing moves behind the pause page (the pointer rests in a corner).
mexeu=$(e2e_olho diferenca "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.pausa-1.bmp" 0 0)
[ "$mexeu" -le 1 ] || e2e_falhar "a corrida mexeu durante a pausa ($mexeu por mil)"

# Resume with Escape: the race view is back and the car moves on.
e2e_esc_na_corrida
fim=$(( $(date +%s) + 5 ))
while :; do
    [ "$(date +%s)" -lt "$fim" ] || e2e_falhar "a corrida não voltou depois de Escape na pausa"
    e2e_ler_painel || continue
    [ "$pagina" != pausa ] && [ "$correndo" = 1 ] && break
done
e2e_guardar_olhada "corrida-retomada"
sleep 2
e2e_ler_painel
e2e_log "progresso antes da pausa $antes, 2 s depois de retomar $progresso"
[ "$progresso" -gt "$antes" ] || e2e_falhar "o carro não andou depois da pausa ($antes -> $progresso)"

# Pause again, then Quit from the pause menu.
e2e_esc_na_corrida
e2e_esperar_pagina pausa 5 pausa-de-novo
e2e_clicar_botao BOTAO_PAUSA_SAIR
e2e_esperar_pagina menu 5 menu-depois-de-sair
[ ! -s "$E2E_TRABALHO/records.txt" ] || e2e_falhar "sair pela pausa escreveu um recorde"

# Escape in the main menu ends the game.
e2e_tecla Escape 0.1
e2e_jogo_esperar_fim 20
[ "$E2E_STATUS" -eq 0 ] || e2e_falhar "o jogo saiu com o estado $E2E_STATUS em vez de 0"
e2e_sem_relatorio_de_sanitizador
