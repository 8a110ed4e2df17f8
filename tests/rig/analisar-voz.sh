#!/usr/bin/env bash
# Checks the voice analyser from the outside: CSV on stdout, diagnostics on
# stderr, clear refusals of files in the wrong format.
# Usage: analisar-voz.sh PATH/TO/analisar-voz
set -u
ferramenta=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
falhas=0
falhar() { echo "FAIL: $*" >&2; falhas=$((falhas + 1)); }

sox -D -R -n -r 44100 -c 1 -b 16 -e signed-integer "$dir/ronco.wav" \
    synth 4 square 90:220 bandpass 600 2q tremolo 27 60 gain -n -6
"$ferramenta" "$dir/ronco.wav" >"$dir/out.csv" 2>"$dir/err.txt" || falhar "exit status $? on a good file"
cabecalho='frame,slot,mediaA,centroid,spread,desvio,skewness,kurtosis,zeroCrossings,freqFundamental,ronco,nivel,aceleracao'
[ "$(head -n1 "$dir/out.csv")" = "$cabecalho" ] || falhar "header: $(head -n1 "$dir/out.csv")"
[ "$(grep -c '^[0-9]' "$dir/out.csv")" = 100 ] || falhar "expected 100 frames for 4 s"
tail -n1 "$dir/out.csv" | grep -q '^# frames=100 detected=' || falhar "summary: $(tail -n1 "$dir/out.csv")"
grep -q 'antes de start' "$dir/err.txt" || falhar "diagnostics not on stderr"
grep -q 'NIVEL RONCO' "$dir/out.csv" && falhar "diagnostics mixed into the CSV"
detectado=$(tail -n1 "$dir/out.csv" | sed 's/.*detected=\([0-9.]*\)%.*/\1/')
awk -v d="$detectado" 'BEGIN { exit !(d >= 80) }' || falhar "buzz detected on only $detectado% of frames"

# The sensitivity a calibration would set (full throttle with a 10 % margin
# at the median loudness: about 6 for this buzz), and the throttle it gives.
calibrada=$(tail -n1 "$dir/out.csv" | sed 's/.*calibrated_sensitivity=\([0-9.]*\).*/\1/')
awk -v s="$calibrada" 'BEGIN { exit !(s >= 4 && s <= 9) }' || falhar "calibrated sensitivity $calibrada"
"$ferramenta" "$dir/ronco.wav" --sensitivity "$calibrada" 2>/dev/null | tail -n1 |
    awk '{ sub(/.*mean_throttle=/, ""); exit !($1 + 0 >= 0.8) }' || falhar "--sensitivity $calibrada"
"$ferramenta" "$dir/ronco.wav" --sensitivity 0.5 >/dev/null 2>&1 && falhar "--sensitivity 0.5 accepted"

recusar() {  # file, text expected in the message
    "$ferramenta" "$1" >"$dir/out2" 2>"$dir/err2" && falhar "$1 accepted"
    grep -q -- "$2" "$dir/err2" || falhar "$1: message '$(cat "$dir/err2")' lacks '$2'"
    [ -s "$dir/out2" ] && falhar "$1: output on stdout"
}
sox -n -r 44100 -c 2 -b 16 -e signed-integer "$dir/estereo.wav" synth 1 sine 300
recusar "$dir/estereo.wav" "2 channel(s)"
echo "not a wave" >"$dir/texto.wav"
recusar "$dir/texto.wav" "not a WAV file"
recusar "$dir/nao-existe.wav" "cannot open"
sox -n -r 44100 -c 1 -b 16 -e signed-integer "$dir/curto.wav" synth 0.5 sine 300
recusar "$dir/curto.wav" "shorter than one buffer"

[ "$falhas" = 0 ] && echo "analisar-voz: all checks passed"
exit $((falhas > 0))
