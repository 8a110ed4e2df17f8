#!/usr/bin/env bash
# Random play, unattended, for SEGUNDOS: the real game gets random key
# presses (its own keys and a few others, from taps shorter than a frame to
# long holds), clicks at random places and on the buttons, its focus taken
# by another window and given back, microphone stalls (the writer of the
# microphone's pipe stopped, then resumed) and window closes, after which
# it is started again. About half the races are driven towards the finish
# by the scenarios' driver, with a player's distractions on the way; the
# window is closed on the finish screen of about half of those that get
# there. The game must never crash (no signal, no sanitizer report, no
# other status than 0 when closed or quit), never hang (every close ends it
# within the shutdown watchdog's 5 s and 3 s more, without the watchdog
# having to act), records.txt stays parseable, and every finished race (a
# "records.txt: time N mills recorded" console line) left exactly its own
# line there. Prints its seed and a summary.
#
#   aleatorio.sh RONCO ASSETS ARTEFACTS EYE CLOSER SECONDS [SEED]
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
duracao=${6:?SECONDS}
semente=${7:-$(( $(date +%s%N) / 1000 % 32768 ))}
RANDOM=$semente
e2e_log "random play for $duracao s, seed $semente"
fim=$(( $(date +%s) + duracao ))
LIMITE_FECHO_MS=8000

TECLAS=(a d space q e w Return Escape a d space q e w Return Escape x Tab F1 Up BackSpace 1)
BOTOES=(BOTAO_JOGAR BOTAO_JOGAR BOTAO_INSTRUCOES BOTAO_SAIR BOTAO_RECORDES BOTAO_VOLTAR_PAGINA_1
        BOTAO_PROXIMA_PAGINA BOTAO_VOLTAR_PAGINA_2 BOTAO_CONTINUAR BOTAO_DESISTIR)
entradas=0 teclas=0 cliques=0 focos=0 paradas=0 fechos=0 saidas=0 reinicios=0
iniciadas=0 conduzidas=0 chegadas_vistas=0 gravadas=0 falhas=0 trancados=0 fecho_mais_lento=0
fecho_ms="" parado_ate=0 em_corrida=0 decidida=0 n_jogo=1
: >"$E2E_ARTEFACTOS/consoles.txt"

resumo() {
    local linhas
    linhas=$(grep -c . "$E2E_TRABALHO/records.txt" 2>/dev/null)
    e2e_log "SUMMARY seed $semente, $duracao s: inputs $entradas (keys $teclas, clicks $cliques," \
        "focus changes $focos, microphone stalls $paradas, closes $fechos); races started $iniciadas," \
        "driven $conduzidas, finishes seen $chegadas_vistas, finished (recorded) $gravadas;" \
        "restarts $reinicios ($saidas after quitting through the menu); crashes $falhas; hangs $trancados;" \
        "lines lost $(( gravadas > ${linhas:-0} ? gravadas - ${linhas:-0} : 0 )); slowest close $fecho_mais_lento ms"
}
eval "$(declare -f e2e_falhar | sed '1s/e2e_falhar/e2e_falhar_sem_resumo/')"
e2e_falhar() { resumo; e2e_falhar_sem_resumo "$@"; }

# sortear N: s, a whole number from 0 to N-1 (in this shell, so that the
# seed's sequence goes on).
sortear() { s=$((RANDOM % $1)); }
# segundos MS: $seg, the duration in seconds for sleep and xdotool.
segundos() { seg=$(printf '%d.%03d' $(($1 / 1000)) $(($1 % 1000))); }

# A key held 5 to 35 ms (shorter than a frame) or 40 to 600 ms.
tecla_ao_acaso() {
    local tecla
    sortear ${#TECLAS[@]}; tecla=${TECLAS[$s]}
    sortear 60; segundos $(( s < 30 ? s + 5 : (s - 30) * 19 + 40 ))
    timeout 10 xdotool keydown "$tecla" sleep "$seg" keyup "$tecla" 2>/dev/null
    teclas=$((teclas + 1)) entradas=$((entradas + 1))
}

# clicar X Y: the button held 5 to 250 ms at window pixel (X, Y).
clicar() {
    sortear 246; segundos $((s + 5))
    timeout 10 xdotool mousemove --window "$E2E_JANELA" "$1" "$2" mousedown 1 sleep "$seg" mouseup 1 2>/dev/null
    cliques=$((cliques + 1)) entradas=$((entradas + 1))
}

# On a button (seven times in ten) or anywhere.
clique_ao_acaso() {
    local x
    sortear 10
    # shellcheck disable=SC2086
    if [ $s -lt 7 ]; then sortear ${#BOTOES[@]}; x=${BOTOES[$s]}; clicar ${!x}; return; fi
    sortear 800; x=$s; sortear 600; clicar "$x" "$s"
}

# Another X client's window takes the keyboard focus for a while.
trocar_foco() {
    sortear 1800; segundos $((s + 200))
    timeout 10 xdotool windowfocus --sync "$E2E_OUTRA_JANELA" 2>/dev/null
    sleep "$seg"
    timeout 10 xdotool windowfocus --sync "$E2E_JANELA" 2>/dev/null
    focos=$((focos + 1)) entradas=$((entradas + 1))
}

# The microphone's stream stops for 0.5 to 8 s (resumed by soltar_microfone).
parar_microfone() {
    [ "$parado_ate" -gt 0 ] && return
    e2e_parar_microfone
    sortear 7500; parado_ate=$(( $(e2e_ms_desde_inicio) + 500 + s ))
    paradas=$((paradas + 1)) entradas=$((entradas + 1))
}
soltar_microfone() {
    [ "$parado_ate" -gt 0 ] && [ "$(e2e_ms_desde_inicio)" -ge "$parado_ate" ] || return 0
    e2e_soltar_microfone
    parado_ate=0
}

# The close button (of a window that may have just gone, the game quit),
# and the wait for the game to go.
fechar() {
    ASAN_OPTIONS=detect_leaks=0 timeout 10 "$E2E_FECHAR" "$E2E_JANELA" 2>/dev/null || return 0
    fecho_ms=$(e2e_ms_desde_inicio)
    fechos=$((fechos + 1)) entradas=$((entradas + 1))
    fim_do_jogo
}

# The game has ended or is ending (closed, or quit through the menu, or
# fallen): judged and its console kept. E2E_JOGO_PID is empty afterwards.
fim_do_jogo() {
    local status dt=""
    if ! e2e_ate $((LIMITE_FECHO_MS / 1000)) e2e_jogo_acabou; then
        trancados=$((trancados + 1))
        e2e_fios && mv "$E2E_ARTEFACTOS/fios.txt" "$E2E_ARTEFACTOS/fios-jogo-$n_jogo.txt"
        e2e_log "HANG: game $n_jogo did not end within $LIMITE_FECHO_MS ms (its threads in fios-jogo-$n_jogo.txt)"
        kill -KILL "$E2E_JOGO_PID"
    fi
    wait "$E2E_JOGO_PID"
    status=$?
    if [ -n "$fecho_ms" ]; then
        dt=$(( $(e2e_ms_desde_inicio) - fecho_ms ))
        [ "$dt" -gt "$fecho_mais_lento" ] && fecho_mais_lento=$dt
    fi
    e2e_parar_pid "$E2E_VIGIA_PID"
    E2E_JOGO_PID="" E2E_VIGIA_PID="" E2E_JANELA=""
    # 70: the watchdog's forced exit (VigiaEncerramento::STATUS_FORCADO).
    if [ "$status" -eq 70 ] || e2e_console_tem "Shutting down took more than"; then
        trancados=$((trancados + 1))
        e2e_log "HANG: game $n_jogo needed the shutdown watchdog (status $status)"
    elif [ "$status" -ne 0 ] || e2e_relatorio_de_sanitizador; then
        falhas=$((falhas + 1))
        cp "$E2E_ARTEFACTOS/console.txt" "$E2E_ARTEFACTOS/console-queda-$n_jogo.txt"
        e2e_log "CRASH: game $n_jogo ended with status $status (console-queda-$n_jogo.txt)"
    elif [ -z "$fecho_ms" ]; then
        saidas=$((saidas + 1))
    fi
    e2e_log "game $n_jogo ended (status $status${dt:+, $dt ms after the close})"
    i=$(LC_ALL=C grep -c 'records.txt: time [0-9]* mills recorded' "$E2E_ARTEFACTOS/console.txt")
    gravadas=$((gravadas + i))
    cat "$E2E_ARTEFACTOS/console.txt" >>"$E2E_ARTEFACTOS/consoles.txt"
    fecho_ms="" em_corrida=0 decidida=0
}

reiniciar() {
    n_jogo=$((n_jogo + 1)) reinicios=$((reinicios + 1))
    parado_ate=0
    e2e_soltar_microfone
    e2e_jogo_iniciar $(( fim - $(date +%s) + 300 ))
    e2e_janela
}

# Distractions during a driven race, before some of the driver's looks.
distrair() {
    soltar_microfone
    sortear 8
    [ $s -eq 0 ] || return 0
    sortear 5
    case $s in
        0) tecla_ao_acaso ;;
        1) clique_ao_acaso ;;
        2) trocar_foco ;;
        3) parar_microfone ;;
        *) # pause, then resume with Escape or the Resume button
            timeout 10 xdotool keydown Escape sleep 0.08 keyup Escape
            sortear 1500; segundos $((s + 200)); sleep "$seg"
            teclas=$((teclas + 1)) entradas=$((entradas + 1))
            sortear 2
            if [ $s -eq 0 ]; then clicar $BOTAO_CONTINUAR
            else timeout 10 xdotool keydown Escape sleep 0.08 keyup Escape; teclas=$((teclas + 1)) entradas=$((entradas + 1)); fi ;;
    esac
}

# On the finish screen, sometimes the window is closed.
talvez_fechar_na_chegada() {
    chegadas_vistas=$((chegadas_vistas + 1))
    sortear 2
    [ $s -eq 0 ] && fechar
}

# The scenarios' driver takes the race from here (after one more tap of E,
# in case random taps left the car in reverse).
conduzir() {
    conduzidas=$((conduzidas + 1))
    timeout 10 xdotool keydown e sleep 0.1 keyup e
    E2E_MS_LARGADA=$(e2e_ms_desde_inicio)
    E2E_SEM_AVANCO=20
    E2E_GANCHO_CONDUCAO=distrair E2E_GANCHO_CHEGADA=talvez_fechar_na_chegada
    e2e_conduzir_ate_o_fim 90 || e2e_log "the driver gave this race up"
    E2E_GANCHO_CONDUCAO="" E2E_GANCHO_CHEGADA=""
}

e2e_xvfb
e2e_som microfone-cano 440
e2e_outra_janela
e2e_jogo_iniciar $(( duracao + 300 ))
e2e_janela

while [ "$(date +%s)" -lt "$fim" ]; do
    if [ -z "$E2E_JOGO_PID" ]; then reiniciar; continue; fi
    e2e_jogo_vivo || { fim_do_jogo; continue; }
    soltar_microfone
    if e2e_ler_painel; then
        case $pagina in
            menu|instrucoes|instrucoes2|recordes) em_corrida=0 decidida=0 ;;
            *)
                if [ "$em_corrida" = 0 ] && { [ "$luzes" -gt 0 ] || [ "$correndo" = 1 ] || [ "$pagina" = pausa ]; }; then
                    em_corrida=1 iniciadas=$((iniciadas + 1))
                fi
                # Half the races, once running, are driven.
                if [ "$correndo" = 1 ] && [ "$decidida" = 0 ]; then
                    decidida=1
                    sortear 2
                    [ $s -eq 0 ] && [ $((fim - $(date +%s))) -ge 40 ] && conduzir
                    continue
                fi
                ;;
        esac
    fi
    sortear 100
    # In the main menu, Play more often than its share of the buttons.
    if [ "${pagina:-}" = menu ] && [ $s -lt 25 ]; then clicar $BOTAO_JOGAR
    elif [ $s -lt 50 ]; then tecla_ao_acaso
    elif [ $s -lt 70 ]; then clique_ao_acaso
    elif [ $s -lt 74 ]; then trocar_foco
    elif [ $s -lt 79 ]; then parar_microfone
    elif [ $s -lt 80 ] || { [ $s -lt 81 ] && [ "$em_corrida" = 1 ]; }; then fechar
    else sortear 1300; segundos $((s + 200)); sleep "$seg"
    fi
done
e2e_soltar_microfone
e2e_jogo_vivo && fechar
[ -n "$E2E_JOGO_PID" ] && fim_do_jogo

# Every finished race left exactly its own line, and nothing else is there.
recordes=$E2E_TRABALHO/records.txt
touch "$recordes"
cp "$recordes" "$E2E_ARTEFACTOS/records.txt"
LC_ALL=C grep -vqE '^Tempo: [0-9]+ mills$' "$recordes" && e2e_falhar "records.txt holds lines that are not records"
# (The game's console lines may run on from one without a line end.)
LC_ALL=C sed -n 's/.*records.txt: time \([0-9]*\) mills recorded$/Tempo: \1 mills/p' "$E2E_ARTEFACTOS/consoles.txt" \
    >"$E2E_ARTEFACTOS/.gravadas.txt"
cmp -s "$E2E_ARTEFACTOS/.gravadas.txt" "$recordes" \
    || e2e_falhar "records.txt does not hold exactly one line per finished race (see records.txt and consoles.txt)"
resumo
[ "$falhas" -eq 0 ] && [ "$trancados" -eq 0 ] || e2e_falhar "$falhas crashes and $trancados hangs"
