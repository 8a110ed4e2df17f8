#!/usr/bin/env bash
# Playing without a working microphone.
#   sem-microfone, sem-som: a machine without a microphone, or without any
#     sound device. The recording error is printed, the game waits for a
#     key, then plays: the microphone check says there is no microphone, a
#     race's throttle stays shut without W; without a microphone, W opens
#     it fully and drives the whole race, whose record cannot be written
#     (records.txt is read-only, the game runs unprivileged): the console
#     says so and the record already there (an unbeatable second) stays as
#     it was; the finish screen shows that best time and how far behind.
#   microfone-parado: the microphone's stream stops mid-race (the writer of
#     its pipe is stopped): the notice shows, the voice no longer opens the
#     throttle, W does and the race goes on; the writer resumes: the notice
#     goes and the voice drives again. Stopped once more, the game still
#     leaves at once.
# Every mode ends through Exit with status 0.
#
#   sem-som.sh RONCO JOGO ARTEFACTOS OLHO FECHAR sem-microfone|sem-som|microfone-parado
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
modo=${6:?modo: sem-microfone, sem-som ou microfone-parado}
e2e_xvfb
e2e_sem_trafego "$E2E_TRABALHO"
if [ "$modo" = microfone-parado ]; then e2e_som microfone-cano 440; else e2e_som "$modo"; fi
if [ "$modo" = sem-microfone ]; then
    # The race's record cannot be written: a player's file that only root
    # may change, the game run by someone else.
    e2e_usuario_sem_privilegios
    printf 'Tempo: 1000 mills\n' >"$E2E_TRABALHO/records.txt"
    chown 0:0 "$E2E_TRABALHO/records.txt" 2>/dev/null
    chmod 444 "$E2E_TRABALHO/records.txt"
    cp "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes"
fi
e2e_jogo_iniciar 560
e2e_janela

# ler_acelerador VEZES: that many looks; sets menor and maior (rows of the
# throttle bar) besides what the last look read.
ler_acelerador() {
    menor=80 maior=0
    for _ in $(seq "$1"); do
        e2e_ler_painel && menor=$((acelerador < menor ? acelerador : menor)) maior=$((acelerador > maior ? acelerador : maior))
        sleep 0.2
    done
}
# esperar_aviso 0|1 LINHA: until the lost microphone's notice shows (1) or
# goes (0), and the console has LINHA.
esperar_aviso() {
    local fim=$(( $(date +%s) + 15 ))
    until e2e_ler_painel && [ "$aviso" = "$1" ] && e2e_console_tem "$2"; do
        [ "$(date +%s)" -lt "$fim" ] || e2e_falhar "em 15 s, nem aviso de microfone perdido em $1 nem a linha \"$2\""
    done
}
fechado_sem_w() {
    ler_acelerador 4
    [ "$maior" -eq 0 ] || e2e_falhar "o acelerador mexeu sem voz nem W ($maior linhas)"
}

if [ "$modo" != microfone-parado ]; then
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
    e2e_clicar_botao BOTAO_VOLTAR_PAGINA_1
    e2e_esperar_pagina menu 5
    E2E_GANCHO_LARGADA=fechado_sem_w
    if [ "$modo" = sem-microfone ]; then
        E2E_ACELERAR_COM_W=1
        e2e_correr 240
        [ "$E2E_ACELERADOR_MAX" -ge 79 ] || e2e_falhar "W não abriu o acelerador todo ($E2E_ACELERADOR_MAX linhas)"
        [ -n "$E2E_MS_CHEGADA" ] || e2e_falhar "o menu voltou sem a chegada ter sido vista"
        [ "$E2E_LINHA_CHEGADA" = melhor ] || e2e_falhar "a chegada não mostrou o melhor tempo (linha: ${E2E_LINHA_CHEGADA:-nenhuma})"
        cmp -s "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes" \
            || e2e_falhar "records.txt mudou apesar de só poder ser lido"
        e2e_console_tem "records.txt" || e2e_falhar "nenhuma linha no console fala de records.txt"
    else
        e2e_iniciar_corrida
        e2e_ate_o_menu 20
    fi
    e2e_sair_pelo_menu
    exit 0
fi

e2e_cortar_abertura 60
e2e_iniciar_corrida
ler_acelerador 5
[ "$maior" -gt 0 ] && [ "$aviso" = 0 ] || e2e_falhar "a voz não abriu o acelerador, ou o aviso apareceu ($maior linhas)"
e2e_parar_microfone
esperar_aviso 1 "The microphone has stopped sending sound"
fechado_sem_w
# W drives on: full throttle, and the race runs.
antes=$progresso
xdotool keydown w sleep 0.3
ler_acelerador 8
xdotool keyup w
e2e_guardar_olhada "microfone-perdido-com-w"
[ "$menor" -ge 79 ] && [ "$correndo" = 1 ] && [ "$progresso" -gt "$antes" ] \
    || e2e_falhar "com W: acelerador $menor linhas, progresso de $antes a $progresso, relógio $correndo"
e2e_soltar_microfone
esperar_aviso 0 "The microphone is back"
ler_acelerador 5
[ "$maior" -gt 0 ] || e2e_falhar "a voz não voltou a abrir o acelerador"
# A read stuck on the stalled stream does not hold the way out.
e2e_parar_microfone
sleep 4
e2e_ate_o_menu 20
e2e_sair_pelo_menu
