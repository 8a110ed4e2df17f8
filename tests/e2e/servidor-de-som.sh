#!/usr/bin/env bash
# The voice on a desktop: the game records from ALSA's "default" through a
# real PulseAudio server (started and stopped here), the sound played into
# a virtual cable at real-time pace. The microphone check on the first
# instructions page gives three verdicts for three sounds: the engine buzz
# at -1 dB is good; the same buzz at -12 dB is heard but too quiet for
# third gear; a talking-like buzz (a voice's pitch through one vowel
# resonance, in syllables) is not heard as an engine. Then a whole race
# with the -1 dB buzz reaches the finish and leaves its record line, as
# with the file microphone (corrida.sh), in a city without traffic.
#
#   servidor-de-som.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
e2e_som servidor 440
e2e_sem_trafego "$E2E_TRABALHO"
som() {
    sox -D -R -n -r 44100 -c 1 -b 16 -e signed-integer -t raw "$E2E_ARTEFACTOS/$1.raw" synth 10 "${@:2}" repeat 2 \
        || e2e_falhar "o sox não gerou $1"
}
som ronco-12db square 180:260 bandpass 600 2q tremolo 27 60 gain -n -12
som fala sawtooth 110:150 bandpass 1200 2q tremolo 4 100 gain -n -1
e2e_jogo_iniciar 900
e2e_janela
e2e_cortar_abertura 60

e2e_clicar_botao BOTAO_INSTRUCOES
e2e_esperar_pagina instrucoes 5 instrucoes-1
e2e_tocar "$MIC_FILE"
e2e_esperar_veredito BOM 20
e2e_tocar "$E2E_ARTEFACTOS/ronco-12db.raw"
e2e_esperar_veredito BAIXO 20
e2e_tocar "$E2E_ARTEFACTOS/fala.raw"
e2e_esperar_veredito NAO_OUVIDO 20
e2e_clicar_botao BOTAO_INSTRUCOES_VOLTAR
e2e_esperar_pagina menu 5

e2e_tocar "$MIC_FILE"
e2e_correr 240
e2e_conferir_corrida
e2e_sair_pelo_menu
