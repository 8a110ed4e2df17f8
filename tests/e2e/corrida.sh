#!/usr/bin/env bash
# A whole race as a player runs it: Escape cuts the opening, the microphone
# check calls a quiet buzz (peak -24 dBFS) too quiet, C calibrates on it
# (then six presses of - take the throttle down to what the driver steers
# best at), the check calls it good and the settings file keeps it, Play,
# the loading screens and the start lights, the race clock shows zero when
# the race appears and runs on steadily, the engine buzz in the microphone opens the throttle, E shifts up
# to third, the car reaches the finish, and the player closes the window
# during the finish screen: the game ends at once, without waiting out the
# screen's hold, with status 0, and "records.txt" has gained exactly one
# plausible line. The game folder held a damaged ghost file (its last sample
# cut off): one console line names it, the race runs without a ghost, and
# the record run replaces it. With the file-backed microphone the game is
# started again for a second race, which shows the first one's ghost on the
# progress strip and the gap to it under the clock, in red (the driver stays
# in first gear), then is left through the pause menu.
# (The menu coming back after the finish is the no-microphone scenario's,
# the records page the menus scenario's.)
#
# The microphone is a raw file behind ALSA (microfone), or a desktop's sound
# server that the game reaches through ALSA's "default", the sound played
# into a virtual cable at real-time pace: a private PulseAudio (servidor)
# or PipeWire (pipewire), where the game's own capture must be linked to
# the cable (PipeWire records silence from nowhere without a word). There
# the check first hears the same buzz at -12 dB (heard, too quiet for third
# gear) and a talking-like buzz (a voice's pitch through one vowel
# resonance, in syllables: not heard as an engine).
#
# The city's own traffic is on the streets (not through the sound server,
# where the race is about the sound's way in): crossings can pile up with
# crashed cars, which the driver gets through (a knock into neutral and the
# shift after it is its own scenario, batida.sh).
#
#   corrida.sh RONCO ASSETS ARTEFACTS EYE CLOSER [microfone|servidor|pipewire]
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
modo=${6:-microfone}
if [ "$modo" = microfone ]; then e2e_som microfone 440 -24; else e2e_som "$modo" 440; fi
som() {
    sox -D -R -n -r 44100 -c 1 -b 16 -e signed-integer -t raw "$E2E_ARTEFACTOS/$1.raw" synth 10 "${@:2}" repeat 2 \
        || e2e_falhar "sox did not make $1"
}
# Through a sound server the race is about the sound's way in: no traffic.
[ "$modo" != microfone ] && e2e_sem_trafego "$E2E_TRABALHO"
printf 'ronco-ghost 1\ncity 1\ntime 16000\nsamples 2\n0 550 50 0\n40 550 5' >"$E2E_TRABALHO/ghost.txt"
e2e_jogo_no_menu 900

e2e_clicar_botao BOTAO_INSTRUCOES
if [ "$modo" != microfone ]; then
    som ronco-12db square 180:260 bandpass 600 2q tremolo 27 60 gain -n -12
    som fala sawtooth 110:150 bandpass 1200 2q tremolo 4 100 gain -n -1
    e2e_tocar "$E2E_ARTEFACTOS/ronco-12db.raw"
    e2e_esperar_pagina instrucoes 20 veredito-baixo "$VEREDITO_BAIXO_DEMAIS"
    e2e_tocar "$E2E_ARTEFACTOS/fala.raw"
    e2e_esperar_pagina instrucoes 20 veredito-nao-ouvido "$VEREDITO_NAO_OUVIDO"
    e2e_tocar "$MIC_FILE"
fi
if [ "$modo" = microfone ]; then
    e2e_esperar_pagina instrucoes 20 veredito-baixo "$VEREDITO_BAIXO_DEMAIS"
    e2e_tecla c 0.12
    sleep 1
    e2e_foto calibrando
    e2e_esperar_pagina instrucoes 10 calibrado "$VEREDITO_BOM"
    for _ in 1 2 3 4 5 6; do e2e_tecla minus 0.1; sleep 0.05; done
    sleep 0.3
    conf=$XDG_CONFIG_HOME/ronco/ronco.conf
    grep -Eq '^sensitivity = [0-9.]+$' "$conf" 2>/dev/null || e2e_falhar "the calibration was not kept in $conf"
    e2e_log "$(cat "$conf")"
fi
e2e_esperar_pagina instrucoes 20 veredito-bom "$VEREDITO_BOM"
if [ "$modo" = pipewire ]; then
    pw-link -l >"$E2E_ARTEFACTOS/pw-link.txt"
    awk '/^[^ ]/ { cabo = ($1 == "cabo:monitor_MONO") } cabo && /[|]-> ALSA Capture:/ { ok = 1 } END { exit !ok }' \
        "$E2E_ARTEFACTOS/pw-link.txt" || e2e_falhar "the game's ALSA capture is not linked to the cable (pw-link.txt)"
fi
e2e_clicar_botao BOTAO_VOLTAR_PAGINA_1
e2e_esperar_pagina menu 5

# The mark on the progress strip reaches the line a few pixels before the
# car does: the window is closed once the finish screen holds still (the
# race clock stopped), by when the car has surely crossed the line.
fechar_na_chegada() {
    local i
    for i in $(seq 25); do
        cp "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.chegada.bmp"
        sleep 0.2
        e2e_olhada >/dev/null || continue
        cmp -s "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.chegada.bmp" && break
    done
    E2E_CHEGADA_ATE=$(e2e_ms_desde_inicio)
    # The held frame says how the race went: the first in this tree, a record.
    eval "$(e2e_olho painel "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_TRABALHO")"
    e2e_guardar_olhada "linha-de-chegada"
    E2E_LINHA_CHEGADA=$linha
    e2e_fechar_janela
    E2E_MS_FECHO=$(e2e_ms_desde_inicio)
    e2e_log "window closed during the finish"
}
E2E_GANCHO_CHEGADA=fechar_na_chegada
# The race clock, read from the window every few ms from Play until a few
# seconds into the race: it shows zero when the race appears, then runs
# on with the time that passes and never back.
vigiar_relogio() { e2e_olho relogio "$E2E_JANELA" "$E2E_TRABALHO" 16 >"$E2E_ARTEFACTOS/relogio.txt" & }
E2E_GANCHO_JOGAR=vigiar_relogio
e2e_correr 240
wait $!
eval "$(tail -n 1 "$E2E_ARTEFACTOS/relogio.txt")"
e2e_log "race clock: first reading $primeira, $leituras readings, $recuos back, $desvio ms off the time that passed"
[ "$primeira" = 0 ] && [ "$recuos" = 0 ] && [ "$leituras" -ge 20 ] && [ "${desvio#-}" -le 300 ] \
    || e2e_falhar "the race clock did not start at zero and run on steadily (relogio.txt)"
e2e_fim_limpo 15 "closing the window at the finish"
e2e_log "throttle up to $E2E_ACELERADOR_MAX rows; gear up to $E2E_MARCHA_MAX"
[ "$E2E_ACELERADOR_MAX" -ge 8 ] || e2e_falhar "the throttle bar did not fill (at most $E2E_ACELERADOR_MAX rows)"
[ "$E2E_MARCHA_MAX" -ge 3 ] || e2e_falhar "the gear never went past $E2E_MARCHA_MAX"
[ -n "$E2E_MS_CHEGADA" ] || e2e_falhar "the race ended without the finish being seen"
# Closed during the finish screen's five-second hold, the game goes at once
# (the record is written at the line): the end is seen well before the
# hold would have run out, whatever part of it was left.
demora=$((E2E_MS_FIM - E2E_MS_FECHO))
e2e_log "ended $demora ms after the close on the finish screen"
[ "$demora" -le 3000 ] || e2e_falhar "the game took $demora ms to end after the close on the finish screen"
# The first record of this tree is a record (unless a race given up at the
# line wrote one before).
[ "$E2E_LINHA_CHEGADA" = recorde ] || { [ "$E2E_LINHAS_ANTES" -gt 0 ] && [ "$E2E_LINHA_CHEGADA" = melhor ]; } \
    || e2e_falhar "the finish did not say NEW RECORD! (line: ${E2E_LINHA_CHEGADA:-none})"

# Exactly one record line for the race that finished (a race given up
# close to the line may have crossed it while the driver was quitting),
# with the race's time.
recordes=$E2E_TRABALHO/records.txt
[ -f "$recordes" ] || e2e_falhar "records.txt was not created"
cp "$recordes" "$E2E_ARTEFACTOS/records.txt"
linhas=$(( $(wc -l <"$recordes") - E2E_LINHAS_ANTES ))
[ "$linhas" -eq 1 ] || e2e_falhar "the race left $linhas lines in records.txt instead of 1"
linha=$(tail -n 1 "$recordes")
[[ $linha =~ ^Tempo:\ ([0-9]+)\ mills$ ]] || e2e_falhar "unexpected record line: \"$linha\""
tempo=${BASH_REMATCH[1]}
# The race started between two looks and finished between two looks; a
# frame (40 ms) and the renderer's 100 ms pause after the countdown of
# leeway.
minimo=$((E2E_CHEGADA_DE - E2E_LARGADA_ATE - 300))
maximo=$((E2E_CHEGADA_ATE - E2E_LARGADA_DE + 300))
e2e_log "record: $tempo ms (plausible between $minimo and $maximo)"
[ "$tempo" -ge "$minimo" ] && [ "$tempo" -le "$maximo" ] \
    || e2e_falhar "the time $tempo ms does not match the race clock ($minimo to $maximo ms)"

# The damaged ghost file was said once and replaced by the record run.
fantasmas=$(LC_ALL=C grep -c 'ghost\.txt' "$E2E_ARTEFACTOS/console.txt")
[ "$fantasmas" -eq 1 ] || e2e_falhar "$fantasmas console lines name ghost.txt instead of 1"
LC_ALL=C grep -a 'ghost\.txt' "$E2E_ARTEFACTOS/console.txt"
[ "$(head -n 1 "$E2E_TRABALHO/ghost.txt")" = "ronco-ghost 1" ] || e2e_falhar "the record run did not replace ghost.txt"
[ "$modo" = microfone ] || exit 0

# The second race races the first one's ghost.
mv "$E2E_ARTEFACTOS/console.txt" "$E2E_ARTEFACTOS/console-1.txt"
e2e_jogo_no_menu 300
e2e_iniciar_corrida
visto="" fim=$(( $(date +%s) + 15 ))
while [ "$(date +%s)" -lt "$fim" ]; do
    e2e_ler_painel || continue
    e2e_log "ghost at $fantasma, the car at $progresso, gap $diferenca"
    if [ "$fantasma" -gt "$progresso" ] && [ "$diferenca" = atras ]; then
        visto=1
        e2e_guardar_olhada "fantasma-e-diferenca"
        break
    fi
    sleep 0.3
done
[ -n "$visto" ] || e2e_falhar "the second race showed no ghost ahead with the gap in red (last: ghost $fantasma, gap $diferenca)"
e2e_ate_o_menu 20
e2e_sair_pelo_menu
