#!/usr/bin/env bash
# Taps during races, as a player taps: three races, each started with a
# 120 ms E tap during the start lights (first gear at the start: checked
# by e2e_iniciar_corrida), each paused four times by an Escape tap and
# resumed by one of 100 to 250 ms; in the first race another window also
# takes the focus for a moment, which pauses it too. The pause page shows
# over the frozen race, the car goes on after each pause, and the pause menu's Quit leads
# back to the main menu without a record. Escape in the main menu ends
# the game with status 0.
#
#   pausa.sh RONCO ASSETS ARTEFACTS EYE CLOSER
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
e2e_som microfone 300
e2e_jogo_no_menu 280

retomadas=0
for corrida in 1 2 3; do
    e2e_iniciar_corrida
    for duracao in 0.10 0.15 0.20 0.25; do
        sleep 1  # the car gets going
        e2e_tecla Escape
        e2e_esperar_pagina pausa 5 pausa
        if [ "$duracao" = 0.10 ]; then
            # Nothing moves behind the pause page (the pointer rests in a corner).
            cp "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.pausa.bmp"
            antes=$progresso
            sleep 1
            e2e_esperar_pagina pausa 2 pausa-depois-de-1s
            mexeu=$(e2e_diferenca "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.pausa.bmp")
            [ "$mexeu" -le 480 ] || e2e_falhar "the race moved during the pause ($mexeu pixels)"
        fi
        e2e_tecla Escape "$duracao"
        sleep 0.5
        e2e_ler_painel && [ "$pagina" != pausa ] && [ "$correndo" = 1 ] \
            || { e2e_guardar_olhada "nao-retomou"; e2e_falhar "a $duracao s tap of Escape did not resume the race"; }
        retomadas=$((retomadas + 1))
    done
    if [ "$corrida" = 1 ]; then
        # Another window takes the focus: the race pauses as with Escape.
        e2e_focar_outra_janela
        sleep 0.3
        e2e_focar_jogo
        e2e_esperar_pagina pausa 5 pausa-foco-perdido
        e2e_tecla Escape
        sleep 0.5
        e2e_ler_painel && [ "$pagina" != pausa ] || e2e_falhar "the race paused by the lost focus did not resume"
    fi
    [ "$progresso" -gt "$antes" ] || e2e_falhar "the car did not move on after the pause ($antes -> $progresso)"
    e2e_ate_o_menu 20
done
e2e_log "3 of 3 races in first gear after an E tap during the lights;" \
    "$retomadas of $retomadas Escape taps of 100 to 250 ms resumed the race"
[ ! -s "$E2E_TRABALHO/records.txt" ] || e2e_falhar "quitting through the pause wrote a record"

# Escape in the main menu ends the game.
e2e_tecla Escape
e2e_fim_limpo 20 "Escape in the main menu"
