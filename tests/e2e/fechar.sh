#!/usr/bin/env bash
# The window's close button ends the game cleanly (status 0, no sanitizer
# report): once in the main menu, once in the middle of a race.
#
#   fechar.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
e2e_som microfone 60

fechar_e_conferir() {
    local onde=$1
    e2e_guardar_olhada "antes-de-fechar-$onde"
    e2e_fechar_janela
    e2e_jogo_esperar_fim 10
    [ "$E2E_STATUS" -eq 0 ] || e2e_falhar "fechar a janela ($onde) terminou o jogo com o estado $E2E_STATUS"
    e2e_sem_relatorio_de_sanitizador
    mv "$E2E_ARTEFACTOS/console.txt" "$E2E_ARTEFACTOS/console-$onde.txt"
}

e2e_jogo_iniciar 60
e2e_janela
e2e_cortar_abertura 60
fechar_e_conferir menu

e2e_jogo_iniciar 90
e2e_janela
e2e_cortar_abertura 60
e2e_iniciar_corrida
sleep 1
fechar_e_conferir corrida
