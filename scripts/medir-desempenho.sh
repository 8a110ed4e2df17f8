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
#   bash scripts/medir-desempenho.sh [BUILD-FOLDER] [RUNS] [x1|x2|fullscreen] [CITY] [ghost]
#   (CITY and ghost in either order)
#
# BUILD-FOLDER defaults to build (it must hold ronco, jogo/, the end-to-end
# helpers and the start-up probe: cmake --build build). RUNS (default 3) races are run
# and each figure is given for every run, then as the median. The window:
# x1 (default) on a 1024x768 screen; x2, the window doubled on a 2560x1440
# screen; fullscreen, F11 on a 1920x1080 screen (the picture at x1.8). The
# start is timed at x1 only. CITY (default 1): the city raced, by its map
# number, chosen through the settings file; the scripted driver heads for
# its finish along the streets. ghost: the race runs against a ghost that
# drives the city's route (the list's cells, from the start) to the line, in
# 16 s on the avenue and as much longer as the route is (its car, its mark
# and the gap drawn in every frame).
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "${1:-$raiz/build}")
execucoes=${2:-3}
modo=${3:-x1}
cidade=1
fantasma=
for a in "${@:4}"; do
    if [ "$a" = ghost ]; then fantasma=ghost; else cidade=$a; fi
done
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
        mkdir -p "$XDG_CONFIG_HOME/ronco"
        echo "city = $cidade" >"$XDG_CONFIG_HOME/ronco/ronco.conf"
        export E2E_CIDADE=$cidade
        [ "$cidade" = 1 ] || export E2E_LINHA_PREFERIDA=-1

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
            # Corners: the start, then each route cell's centre after the
            # first, as the car keeps them (down, across).
            awk -v mapa="$cidade" -F ' = ' '
                $1 == "map" { este = ($2 == mapa) }
                este && $1 == "start" { split($2, l, " "); ny = 1; y[1] = l[2]; x[1] = l[1] }
                este && $1 == "route" { n = split($2, c, " ")
                    for (k = 2; k <= n; k++) { split(c[k], rc, ","); ny++; y[ny] = rc[1] * 64 + 32; x[ny] = rc[2] * 64 + 32 } }
                END {
                    for (k = 2; k <= ny; k++) { d[k] = sqrt((y[k] - y[k-1]) ^ 2 + (x[k] - x[k-1]) ^ 2); total += d[k] }
                    q = int(400 * total / 9150); printf "ronco-ghost 1\ncity %d\ntime %d\nsamples %d\n", mapa, q * 40, q + 1
                    k = 2; feito = 0
                    for (i = 0; i <= q; i++) {
                        s = total * (i / q) ^ 1.5
                        while (k < ny && s > feito + d[k]) { feito += d[k]; k++ }
                        f = (s - feito) / d[k]
                        printf "%d %.2f %.2f %.4f\n", i * 40, y[k-1] + f * (y[k] - y[k-1]), x[k-1] + f * (x[k] - x[k-1]),
                            atan2(y[k] - y[k-1], x[k] - x[k-1])
                    }
                }' "$build/jogo/mapas/cidades.txt" >"$E2E_TRABALHO/$([ "$cidade" = 1 ] && echo ghost.txt || echo "ghost-$cidade.txt")"
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
echo "machine load: $(cut -d' ' -f1-3 /proc/loadavg) (cores: $(nproc)); window: $modo on a $tela screen; city $cidade${fantasma:+, with a ghost}"
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
