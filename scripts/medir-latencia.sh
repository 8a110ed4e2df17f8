#!/usr/bin/env bash
# How late the real game's voice detector follows an engine buzz that
# starts and stops. The engine buzz plays in 2.5 s bursts with 2.5 s of
# silence between them, at real-time pace, into the game's recording while
# the game shows the microphone check page (which analyses every frame);
# for each burst the game's console tells when the detector first heard it
# ("heard"), when the level first passed 0.5 ("level > 0.5"), and, after
# the burst, when the level fell back below 0.5 ("back < 0.5"). Every time
# is taken on one monotonic clock (tools/latencia-som): each console line
# when it arrives, each burst's edges when the writer hands them on.
#
# Sources: file (ALSA's file plugin reading a pipe that the writer feeds),
# pulse and pipewire (the writer feeds pacat --latency-msec=10 into the
# virtual cable of a private PulseAudio or PipeWire; the game records from
# ALSA's "default"). Through a sound server, parec --latency-msec=10 on the
# cable's monitor times when the server hands each burst's edges to a
# recording client: the floor, measured in the same run.
#
#   bash scripts/medir-latencia.sh [BUILD-FOLDER] [file|pulse|pipewire|all] [BURSTS]
#
# Defaults: build, all, 10. Prints one row per source: medians in ms, each
# from the writer's burst edge / from the floor's; the floor column is its
# onset / offset after the writer's. "back < 0.5" is when the level fell to
# stay below until the next burst. A burst whose floor shows a gap in its
# first second (the server dropped sound) is left out: "bursts" counts those
# measured of those played. Each burst's figures and the logs stay in
# BUILD-FOLDER/latencia/SOURCE/ (pulsos.txt, console.txt, escritor.txt,
# chao.txt).
set -euo pipefail
raiz=$(cd "$(dirname "$0")/.." && pwd)
build=$(readlink -f "${1:-$raiz/build}")
fontes=${2:-all}
pulsos=${3:-10}
[ "$fontes" = all ] && fontes="file pulse pipewire"
ferramenta=$build/tools/latencia-som/latencia-som

for f in ronco jogo tests/e2e_olho tests/e2e_definicoes tests/e2e_fechar_janela tools/latencia-som/latencia-som; do
    [ -e "$build/$f" ] || { echo "missing $build/$f: build first (cmake --build $build)" >&2; exit 1; }
done
for fonte in $fontes; do
    case $fonte in file|pulse|pipewire) ;; *) echo "unknown source: $fonte (file, pulse, pipewire or all)" >&2; exit 2 ;; esac
done

# medir FONTE: one game, one source; the source's row goes to linha.txt.
medir() (
    source "$raiz/tests/e2e/comum.sh"
    source "$raiz/tests/e2e/jogo.sh"
    set +e +o pipefail
    exec >&2
    e2e_preparar "$build/ronco" "$build/jogo" "$build/latencia/$1" \
        "$build/tests/e2e_olho" "$build/tests/e2e_fechar_janela"
    local a=$E2E_ARTEFACTOS chao=()
    e2e_xvfb
    e2e_ronco_de_motor 60
    mkfifo "$a/som.cano"
    # The writer starts once something reads its pipe.
    "$ferramenta" play "$MIC_FILE" "$pulsos" "$a/escritor.txt" "$a/som.cano" &
    E2E_ESCRITOR_PID=$!
    if [ "$1" = file ]; then
        e2e_som microfone 60
        export MIC_FILE=$a/som.cano
    else
        if [ "$1" = pulse ]; then e2e_pulseaudio; else e2e_pipewire; fi
        local formato=(--format=s16le --rate=44100 --channels=1 --raw --latency-msec=10)
        pacat --playback -d cabo "${formato[@]}" <"$a/som.cano" >"$a/pacat.txt" 2>&1 &
        E2E_PACAT_PID=$!
        mkfifo "$a/chao.cano"
        parec -d cabo.monitor "${formato[@]}" >"$a/chao.cano" 2>"$a/parec.txt" &
        E2E_SOM_PIDS=("$!" "${E2E_SOM_PIDS[@]}")
        "$ferramenta" onsets <"$a/chao.cano" >"$a/chao.txt" &
        chao=("$a/chao.txt")
    fi
    E2E_CARIMBO=("$ferramenta" stamp)
    e2e_jogo_no_menu $((pulsos * 5 + 120))
    e2e_clicar_botao BOTAO_INSTRUCOES
    e2e_esperar_pagina instrucoes 20
    kill -USR1 "$E2E_ESCRITOR_PID"
    e2e_log "$pulsos bursts through $1"
    local fim=$(($(date +%s) + pulsos * 5 + 30))
    until grep -q "^[0-9.]* end $pulsos\$" "$a/escritor.txt"; do
        [ "$(date +%s)" -lt "$fim" ] || e2e_falhar "the writer did not play its bursts"
        e2e_jogo_vivo || e2e_falhar "the game ended during the measurement"
        sleep 0.5
    done
    sleep 3  # the last burst's silence reaching the detector
    e2e_clicar_botao BOTAO_VOLTAR_PAGINA_1
    e2e_esperar_pagina menu 5
    e2e_sair_pelo_menu
    "$ferramenta" report "$1" "$a/escritor.txt" "$a/console.txt" "${chao[@]}" 2>"$a/pulsos.txt" >"$a/linha.txt"
)

echo "Voice detector latency, medians in ms (from the writer's burst edge / from the floor's)"
printf '%-9s %-9s %-13s %-13s %-13s %-13s\n' source bursts floor heard "level > 0.5" "back < 0.5"
mkdir -p "$build/latencia"
for fonte in $fontes; do
    if medir "$fonte" 2>"$build/latencia/$fonte.log"; then
        cat "$build/latencia/$fonte/linha.txt"
    else
        echo "$fonte: failed (see $build/latencia/$fonte.log)"
    fi
done
