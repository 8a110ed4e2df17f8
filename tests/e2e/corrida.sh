#!/usr/bin/env bash
# A whole race as a player runs it: Escape cuts the opening, the records
# page is empty, the microphone check calls the buzz good, Play, the
# loading screens and the start lights, the engine buzz in the microphone
# opens the throttle, E shifts up to third, the car reaches the finish, the last frame is held, the menu comes back,
# "records.txt" has gained exactly one plausible line, the records page now
# lists it, and Exit ends the game with status 0.
#
# The city has no traffic here. Crashed traffic near the player is never
# taken off the map, so crossings can jam for good and a scripted driver
# finished only some races; a test that passes by luck proves nothing.
# Traffic is driven through in the pause and close-button scenarios, and
# a knock into neutral and the shift after it in batida.sh.
#
#   corrida.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
e2e_som microfone 440
e2e_sem_trafego "$E2E_TRABALHO"
e2e_jogo_iniciar 900
e2e_janela
e2e_cortar_abertura 60

# The records page before any race.
e2e_clicar_botao BOTAO_RECORDES
e2e_esperar_pagina recordes 5 recordes-antes
cp "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.recordes-antes.bmp"
e2e_clicar_botao BOTAO_RECORDES_VOLTAR
e2e_esperar_pagina menu 5

# The microphone check hears the buzz as an engine loud enough for third
# gear; the race after it must go as any other.
e2e_clicar_botao BOTAO_INSTRUCOES
e2e_esperar_pagina instrucoes 5 instrucoes-1
e2e_esperar_veredito BOM 15
e2e_clicar_botao BOTAO_INSTRUCOES_VOLTAR
e2e_esperar_pagina menu 5

e2e_correr 240
e2e_conferir_corrida

# The records page lists it now: its panel changed.
e2e_clicar_botao BOTAO_RECORDES
e2e_esperar_pagina recordes 5 recordes-depois
mudou=$(e2e_olho diferenca "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_ARTEFACTOS/.recordes-antes.bmp" 0 0)
[ "$mudou" -ge 1 ] || e2e_falhar "a página de recordes não mudou depois da corrida"
e2e_clicar_botao BOTAO_RECORDES_VOLTAR
e2e_esperar_pagina menu 5 menu-final

e2e_sair_pelo_menu
