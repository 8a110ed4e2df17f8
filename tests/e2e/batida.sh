#!/usr/bin/env bash
# A head-on knock: the only traffic enters on the avenue a few blocks ahead,
# driving against the player. The knock (or the pile-up that follows)
# drops the player's car into neutral; E puts it back in first gear and
# the voice pulls it again. Then the window's close button, mid-race, ends
# the game cleanly (status 0, no sanitizer report).
#
#   batida.sh RONCO ASSETS ARTEFACTS EYE CLOSER
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

# e2e_um_carro_de_frente ARVORE: the traffic table keeps one start tile,
# on the avenue's middle lane (row 8, where the player starts) at column
# 25, heading left, towards the player.
e2e_um_carro_de_frente() {
    local tabela=$1/mapas/1trans.txt
    awk 'NR == 1 { print; next }
         { for (i = 1; i <= NF; i++) if ($i >= 868 && $i <= 871) $i = 0 }
         NR == 10 { $26 = 870 }
         { print }' "$tabela" >"$tabela.novo" && mv "$tabela.novo" "$tabela" \
        || e2e_falhar "could not rewrite the traffic table"
    [ "$(grep -oE '\b(868|869|870|871)\b' "$tabela" | wc -l)" -eq 1 ] \
        || e2e_falhar "the traffic table was not left with exactly one start tile"
}

e2e_preparar "$@"
e2e_xvfb
e2e_som microfone 120
e2e_um_carro_de_frente "$E2E_TRABALHO"
e2e_jogo_no_menu 120
e2e_iniciar_corrida

# Drive on in first gear until the car is seen in neutral after a gear.
fim=$(( $(date +%s) + 40 ))
marcha_ant=-1
while :; do
    [ "$(date +%s)" -lt "$fim" ] || e2e_falhar "no knock put the car in neutral in 40 s (gear $marcha_ant)"
    e2e_jogo_vivo || e2e_falhar "the game ended before the knock"
    e2e_ler_painel || continue
    [ "$correndo" = 1 ] || continue
    if [ "$marcha" = 0 ] && [ "$marcha_ant" -ge 1 ] 2>/dev/null; then break; fi
    marcha_ant=$marcha
done
e2e_guardar_olhada "neutro-depois-da-batida"
e2e_log "neutral after the knock (it was in $marcha_ant)"
e2e_console_tem "inserido NPC em 0" || e2e_falhar "the oncoming car did not enter the map"

# E again: first gear shows (pushed against the stalled car, another knock
# may put it back in neutral: then E once more, three presses at most).
em_primeira() { e2e_ler_painel && [ "$marcha" = 1 ]; }
for tentativa in 1 2 3 4; do
    [ $tentativa -le 3 ] || e2e_falhar "E did not engage first gear again after the knock (gear $marcha)"
    e2e_tecla e 0.1
    e2e_ate 3 em_primeira && break
done
e2e_guardar_olhada "primeira-de-novo"
e2e_log "first gear engaged again after the knock (attempt $tentativa)"

sleep 1
e2e_fechar_janela
e2e_fim_limpo 10 "closing the window mid-race"
