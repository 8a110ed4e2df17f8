#!/usr/bin/env bash
# Playing without a working microphone.
#   sem-microfone, sem-som: a machine without a microphone, or without any
#     sound device. The recording error is printed, the game waits for a
#     key on its notice page (F11 twice there, fullscreen and back, is no
#     answer), then plays: the microphone check says there is no microphone, a
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
#   sem-som.sh RONCO ASSETS ARTEFACTS EYE CLOSER sem-microfone|sem-som|microfone-parado
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
modo=${6:?mode: sem-microfone, sem-som or microfone-parado}
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
aviso_e_linha() { e2e_ler_painel && [ "$aviso" = "$1" ] && e2e_console_tem "$2"; }
esperar_aviso() {
    e2e_ate 15 aviso_e_linha "$@" || e2e_falhar "in 15 s, neither the lost microphone's notice at $1 nor the line \"$2\""
}
fechado_sem_w() {
    ler_acelerador 4
    [ "$maior" -eq 0 ] || e2e_falhar "the throttle moved without voice or W ($maior rows)"
}

if [ "$modo" != microfone-parado ]; then
    # The error line (Latin-1) comes before the wait for a key.
    e2e_ate 15 e2e_console_tem "ERROR, placa de som n" || e2e_falhar "the recording error message did not appear"
    # It waits, on its notice page: F11 there makes the window fullscreen
    # and back, and is no answer.
    # (No window manager: fullscreen is a window over the whole screen.)
    for largura in 1024 800; do
        e2e_tecla F11 0.12
        e2e_esperar_janela 0 $largura $((largura * 3 / 4))
        e2e_foto "aviso-$WIDTH"
    done
    e2e_jogo_vivo && [ "$(e2e_diferenca "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_TRABALHO/$AVISO")" -le 2000 ] \
        || e2e_falhar "the game did not wait on its no-microphone notice"
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
        [ "$E2E_ACELERADOR_MAX" -ge 79 ] || e2e_falhar "W did not open the throttle fully ($E2E_ACELERADOR_MAX rows)"
        [ -n "$E2E_MS_CHEGADA" ] || e2e_falhar "the menu came back without the finish being seen"
        [ "$E2E_LINHA_CHEGADA" = melhor ] || e2e_falhar "the finish did not show the best time (line: ${E2E_LINHA_CHEGADA:-none})"
        cmp -s "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes" \
            || e2e_falhar "records.txt changed though it could only be read"
        e2e_console_tem "records.txt" || e2e_falhar "no console line speaks of records.txt"
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
[ "$maior" -gt 0 ] && [ "$aviso" = 0 ] || e2e_falhar "the voice did not open the throttle, or the notice showed ($maior rows)"
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
    || e2e_falhar "with W: throttle $menor rows, progress from $antes to $progresso, clock $correndo"
e2e_soltar_microfone
esperar_aviso 0 "The microphone is back"
ler_acelerador 5
[ "$maior" -gt 0 ] || e2e_falhar "the voice did not open the throttle again"
# A read stuck on the stalled stream does not hold the way out.
e2e_parar_microfone
sleep 4
e2e_ate_o_menu 20
e2e_sair_pelo_menu
