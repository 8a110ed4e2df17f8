#!/usr/bin/env bash
# A machine without a microphone (sem-microfone) or without any sound
# device (sem-som): the recording error is printed, the game waits for a
# key, then plays: the menu, the microphone check saying there is no
# microphone, a race whose throttle the voice never moves, the pause menu,
# and Exit with status 0.
#
#   sem-som.sh RONCO JOGO ARTEFACTOS OLHO FECHAR sem-microfone|sem-som
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
modo=${6:?modo: sem-microfone ou sem-som}
e2e_xvfb
e2e_som "$modo"
e2e_jogo_iniciar 90
e2e_janela

# The error line (Latin-1) comes before the wait for a key.
fim=$(( $(date +%s) + 15 ))
until e2e_console_tem "ERROR, placa de som n"; do
    [ "$(date +%s)" -lt "$fim" ] || e2e_falhar "a mensagem de erro de gravação não apareceu"
    e2e_jogo_vivo || e2e_falhar "o jogo terminou sem microfone"
    sleep 0.2
done
e2e_foto "esperando-tecla"
# It waits: still alive a moment later.
sleep 1
e2e_jogo_vivo || e2e_falhar "o jogo terminou em vez de esperar uma tecla"
e2e_tecla space

e2e_cortar_abertura 60
# The microphone check says there is none.
e2e_clicar_botao BOTAO_INSTRUCOES
e2e_esperar_pagina instrucoes 5 sem-microfone "$VEREDITO_SEM_MICROFONE"
e2e_clicar_botao BOTAO_INSTRUCOES_VOLTAR
e2e_esperar_pagina menu 5
e2e_iniciar_corrida
# Without sound input the throttle stays shut.
for i in 1 2 3 4 5; do
    e2e_ler_painel || continue
    [ "$acelerador" -eq 0 ] || e2e_falhar "o acelerador mexeu sem microfone ($acelerador linhas)"
    sleep 0.3
done
e2e_guardar_olhada "corrida-sem-voz"
e2e_ate_o_menu 20
e2e_sair_pelo_menu
