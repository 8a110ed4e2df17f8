#!/usr/bin/env bash
# Taps during races, as a player taps: five races, each started with a
# 120 ms E tap during the start lights (first gear at the start: checked
# by e2e_iniciar_corrida). In the first, Escape shows the pause page over
# the frozen race, Escape resumes and the car goes on; in every race,
# Escape taps of 100 to 250 ms resume the paused race each time, and the
# pause menu's Quit leads back to the main menu without a record. Escape
# in the main menu ends the game with status 0.
#
#   pausa.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
e2e_som microfone 300
e2e_jogo_iniciar 280
e2e_janela
e2e_cortar_abertura 60

# e2e_pausar_e_retomar DURACAO: a tap pauses; one of DURACAO seconds
# resumes, and the race runs on.
retomadas=0
e2e_pausar_e_retomar() {
    e2e_tecla Escape
    e2e_esperar_pagina pausa 5 pausa
    e2e_tecla Escape "$1"
    sleep 0.5
    e2e_ler_painel || e2e_falhar "sem imagem depois de retomar"
    [ "$pagina" != pausa ] && [ "$correndo" = 1 ] \
        || { e2e_guardar_olhada "nao-retomou"; e2e_falhar "um toque de $1 s em Escape não retomou a corrida"; }
    retomadas=$((retomadas + 1))
}

for corrida in 1 2 3 4 5; do
    e2e_iniciar_corrida
    if [ "$corrida" = 1 ]; then
        # Let the car get going in first gear.
        sleep 2
        e2e_ler_painel || e2e_falhar "sem imagem da corrida"
        antes=$progresso
        e2e_tecla Escape
        e2e_esperar_pagina pausa 5 pausa
        cp "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.pausa-1.bmp"
        sleep 1.5
        e2e_esperar_pagina pausa 2 pausa-depois-de-1.5s
        # Nothing moves behind the pause page (the pointer rests in a corner).
        mexeu=$(e2e_olho diferenca "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.pausa-1.bmp" 0 0)
        [ "$mexeu" -le 1 ] || e2e_falhar "a corrida mexeu durante a pausa ($mexeu por mil)"
        e2e_tecla Escape
        sleep 0.5
        e2e_foto "corrida-retomada"
        sleep 2
        e2e_ler_painel
        e2e_log "progresso antes da pausa $antes, 2 s depois de retomar $progresso"
        [ "$progresso" -gt "$antes" ] || e2e_falhar "o carro não andou depois da pausa ($antes -> $progresso)"
    fi
    for duracao in 0.10 0.15 0.20 0.25; do e2e_pausar_e_retomar $duracao; done
    # Pause again, then Quit from the pause menu.
    e2e_tecla Escape
    e2e_esperar_pagina pausa 5 pausa-de-novo
    e2e_clicar_botao BOTAO_PAUSA_SAIR
    e2e_esperar_pagina menu 5 menu-depois-de-sair
done
e2e_log "5 de 5 corridas em primeira depois de um toque de E nas luzes;" \
    "$retomadas de $retomadas toques de Escape de 100 a 250 ms retomaram a corrida"
[ ! -s "$E2E_TRABALHO/records.txt" ] || e2e_falhar "sair pela pausa escreveu um recorde"

# Escape in the main menu ends the game.
e2e_tecla Escape
e2e_jogo_esperar_fim 20
[ "$E2E_STATUS" -eq 0 ] || e2e_falhar "o jogo saiu com o estado $E2E_STATUS em vez de 0"
e2e_sem_relatorio_de_sanitizador
