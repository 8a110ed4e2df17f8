#!/usr/bin/env bash
# The game started from damaged asset trees: a missing picture, a missing
# sound, a truncated city map, a traffic table without start tiles, a car
# file with letters in it. Each time the console names the bad file, and
# either the game refuses to start with a plain failure status, or it
# reaches the menu, starts a race (or refuses it), goes back to the menu and
# exits with status 0 - never a crash.
#
#   recursos-quebrados.sh RONCO ASSETS ARTEFACTS EYE CLOSER
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
e2e_som microfone 60

# jogar_com_defeito NOME ARQUIVO: the tree already damaged at ARQUIVO.
jogar_com_defeito() {
    local nome=$1 arquivo=$2
    e2e_log "=== $nome: $arquivo"
    e2e_jogo_iniciar 90
    if ! e2e_janela_ou_fim 20; then
        e2e_jogo_esperar_fim 5
        e2e_sem_relatorio_de_sanitizador
        [ "$E2E_STATUS" -ge 1 ] && [ "$E2E_STATUS" -lt 128 ] \
            || e2e_falhar "$nome: the game ended with status $E2E_STATUS before opening its window"
        e2e_log "$nome: the game refused to start (status $E2E_STATUS)"
        conferir_console "$nome" "$arquivo"
        return 0
    fi
    e2e_cortar_abertura 60
    e2e_clicar_botao BOTAO_JOGAR
    # The race starts, or the game refuses it and stays in the menu.
    local t0
    t0=$(date +%s)
    corre_ou_recusa() {
        e2e_jogo_vivo || e2e_falhar "$nome: the game ended after Play"
        e2e_ler_painel || return 1
        [ "$correndo" = 1 ] && sleep 1 && return 0
        # A first Play with a microphone asks to tune it: skipped.
        [ "$pagina" = instrucoes ] && e2e_tecla Return 0.12 && return 1
        [ "$pagina" = menu ] && [ $(($(date +%s) - t0)) -ge 3 ]
    }
    e2e_ate 30 corre_ou_recusa
    e2e_foto "$nome-depois-de-jogar"
    e2e_ate_o_menu 30
    e2e_sair_pelo_menu
    conferir_console "$nome" "$arquivo"
}

# conferir_console NOME ARQUIVO: the run's console names the bad file.
conferir_console() {
    local nome=$1 arquivo=$2
    mv "$E2E_ARTEFACTOS/console.txt" "$E2E_ARTEFACTOS/console-$nome.txt"
    LC_ALL=C grep -qaF -- "$arquivo" "$E2E_ARTEFACTOS/console-$nome.txt" \
        || e2e_falhar "$nome: no console line names $arquivo"
    LC_ALL=C grep -aF -- "$arquivo" "$E2E_ARTEFACTOS/console-$nome.txt" | head -3 | cut -c1-300
}

e2e_arvore_nova
rm "$E2E_TRABALHO/graficos/carros/2.bmp"
jogar_com_defeito falta-imagem "graficos/carros/2.bmp"

e2e_arvore_nova
rm "$E2E_TRABALHO/soms/musicas/musica jogo1.wav"
jogar_com_defeito falta-som "soms/musicas/musica jogo1.wav"

e2e_arvore_nova
mapa=$E2E_TRABALHO/mapas/1.txt
head -c $(( $(stat -c %s "$mapa") / 2 )) "$mapa" >"$mapa.meio" && mv "$mapa.meio" "$mapa"
jogar_com_defeito mapa-truncado "mapas/1.txt"

e2e_arvore_nova
e2e_sem_trafego "$E2E_TRABALHO"
jogar_com_defeito transito-sem-largada "mapas/1trans.txt"

e2e_arvore_nova
echo "trinta sessenta" >"$E2E_TRABALHO/dados/carros/1.car"
jogar_com_defeito carro-com-letras "dados/carros/1.car"
