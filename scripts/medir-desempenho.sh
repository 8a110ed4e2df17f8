#!/usr/bin/env bash
# Whole-process figures of the real game under a private X server, with the
# engine buzz as the microphone:
#   - time from start to the main menu, with the opening cut short by Escape
#     the moment it shows (tools/sonda-arranque: it starts the game and reads
#     a few pixels of the window every 10 ms, so the look costs next to
#     nothing), next to the game's own moment (when it had read the menu
#     page, which it does right before drawing its first menu frame);
#   - processor use while racing at 25 frames a second, in per cent of one
#     core (the process's user + system time from /proc/PID/stat over 20
#     seconds of racing with the traffic, from the first look at the race
#     clock, or up to the finish if the car gets there sooner);
#   - peak resident memory (VmHWM from /proc/PID/status) after the race.
#
#   bash scripts/medir-desempenho.sh [BUILD-FOLDER] [RUNS] [x1|x2|fullscreen] [ghost]
#
# BUILD-FOLDER defaults to build (it must hold ronco, jogo/, the end-to-end
# helpers and the start-up probe: cmake --build build). RUNS (default 3) races are run
# and each figure is given for every run, then as the median. The window:
# x1 (default) on a 1024x768 screen; x2, the window doubled on a 2560x1440
# screen; fullscreen, F11 on a 1920x1080 screen (the picture at x1.8). The
# start is timed at x1 only. ghost: the race runs against a ghost that
# drives the avenue's middle lane to the line in 16 s (its car, its mark and
# the gap drawn in every frame).
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "${1:-$raiz/build}")
execucoes=${2:-3}
modo=${3:-x1}
fantasma=${4:-}
case $modo in
    x1) tela=1024x768 ;;
    x2) tela=2560x1440 ;;
    fullscreen) tela=1920x1080 ;;
    *) echo "unknown window mode: $modo (x1, x2 or fullscreen)" >&2; exit 2 ;;
esac

for f in ronco jogo tests/e2e_olho tests/e2e_definicoes tests/e2e_fechar_janela tools/sonda-arranque/sonda-arranque; do
    [ -e "$build/$f" ] || { echo "missing $build/$f: build first (cmake --build $build)" >&2; exit 1; }
done

mediana() { sort -n | awk '{v[NR]=$1} END {print (NR % 2) ? v[(NR+1)/2] : (v[NR/2]+v[NR/2+1])/2}'; }

resultados=$build/desempenho
rm -rf "$resultados"
mkdir -p "$resultados"

for n in $(seq "$execucoes"); do
    (
        source "$raiz/tests/e2e/comum.sh"
        source "$raiz/tests/e2e/jogo.sh"
        set +e
        e2e_preparar "$build/ronco" "$build/jogo" "$resultados/execucao-$n" \
            "$build/tests/e2e_olho" "$build/tests/e2e_fechar_janela"
        e2e_xvfb "$tela"
        e2e_som microfone 440

        # The start, timed by the probe (which also closes the game from
        # the menu); then the game again for the race.
        menu=- game=-
        if [ "$modo" = x1 ]; then
            sonda=$( (cd "$E2E_TRABALHO" && timeout 60 "$build/tools/sonda-arranque/sonda-arranque" \
                "graficos/menus/menu principal.bmp" "$E2E_ARTEFACTOS/console-arranque.txt" "$E2E_RONCO") ) \
                || e2e_falhar "the probe did not see the main menu: $sonda"
            e2e_log "probe: $sonda"
            eval "$sonda"
        fi

        tiques=$(getconf CLK_TCK)
        cpu_ticks() { awk '{print $14 + $15}' "/proc/$E2E_JOGO_PID/stat"; }

        if [ "$fantasma" = ghost ]; then
            awk 'BEGIN { n = 400; print "ronco-ghost 1\ncity 1\ntime 16000\nsamples " n + 1
                for (i = 0; i <= n; i++) printf "%d 550 %.2f 0\n", i * 40, 50 + 9150 * (i / n) ^ 1.5 }' \
                >"$E2E_TRABALHO/ghost.txt"
        fi
        e2e_jogo_no_menu 420
        if [ "$modo" = fullscreen ]; then
            e2e_tecla F11 0.12
            E2E_TELA_CHEIA=1440x1080+240+0
            e2e_esperar_pagina menu 10 tela-cheia
        fi

        e2e_iniciar_corrida
        c0=$(cpu_ticks)
        t0=$(date +%s%N)
        c1=""
        # Should the car finish sooner, the figure stops there: the
        # five-second hold at the finish is not racing.
        e2e_ao_ver_chegada() {
            c1=$(cpu_ticks)
            t1=$(date +%s%N)
        }
        E2E_GANCHO_CHEGADA=e2e_ao_ver_chegada
        e2e_conduzir_ate_o_fim 20
        if [ -z "$c1" ]; then
            c1=$(cpu_ticks)
            t1=$(date +%s%N)
        fi
        pico=$(awk '/^VmHWM:/ {print $2}' "/proc/$E2E_JOGO_PID/status")
        e2e_ate_o_menu 30
        e2e_sair_pelo_menu

        ms=$(( (t1 - t0) / 1000000 ))
        cpu=$(awk -v c=$((c1 - c0)) -v hz="$tiques" -v ms="$ms" 'BEGIN {printf "%.1f", 100 * c / hz / (ms / 1000)}')
        echo "$menu $game $cpu $pico $ms" >"$resultados/execucao-$n.txt"
    ) || { echo "run $n failed (see $resultados/execucao-$n)" >&2; exit 1; }
done

echo
echo "machine load: $(cut -d' ' -f1-3 /proc/loadavg) (cores: $(nproc)); window: $modo on a $tela screen${fantasma:+, with a ghost}"
echo "run       menu-on-screen(ms)  menu-in-game(ms)  cpu-racing(% of one core)  peak-RSS(KiB)  measured(ms)"
for n in $(seq "$execucoes"); do
    read -r a j c p m <"$resultados/execucao-$n.txt"
    printf '%8s  %18s  %16s  %25s  %13s  %12s\n' "$n" "$a" "$j" "$c" "$p" "$m"
done
printf 'median    %18s  %16s  %25s  %13s\n' \
    "$([ "$modo" = x1 ] && cut -d' ' -f1 "$resultados"/execucao-*.txt | mediana || echo -)" \
    "$([ "$modo" = x1 ] && cut -d' ' -f2 "$resultados"/execucao-*.txt | mediana || echo -)" \
    "$(cut -d' ' -f3 "$resultados"/execucao-*.txt | mediana)" \
    "$(cut -d' ' -f4 "$resultados"/execucao-*.txt | mediana)"
