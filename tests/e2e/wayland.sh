#!/usr/bin/env bash
# The window on a Wayland desktop, as GNOME and KDE run X11 games: weston
# and Xwayland on a 1920x1080 screen, every key through the compositor's
# keyboard. A x3 saved for a larger screen opens at x1, and F10, with no
# other scale that fits, leaves the window where it is; F11 while the
# opening plays makes the window fullscreen (covering the compositor's
# panel), F11 again gives it back; Escape cuts the opening and Escape in
# the menu quits: status 0.
#
#   wayland.sh RONCO ASSETS ARTEFACTS EYE CLOSER
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb 1920x1080
e2e_som microfone 60
mkdir -p "$XDG_CONFIG_HOME/ronco"
echo 'scale = 3' >"$XDG_CONFIG_HOME/ronco/ronco.conf"
e2e_weston
e2e_jogo_iniciar 60
e2e_janela
e2e_ate 20 e2e_abertura_visivel || e2e_falhar "the opening did not show"
e2e_esperar_janela 0 800 600
lugar="$X $Y"
e2e_tecla F10 0.12
sleep 0.5
e2e_esperar_janela 0 800 600
[ "$X $Y" = "$lugar" ] || e2e_falhar "F10, with no other scale, moved the window from $lugar to $X $Y"
# The whole desktop, as the player sees it: weston's window.
foto_da_tela() { DISPLAY=$E2E_DISPLAY_XVFB import -window "$E2E_JANELA_WESTON" "$E2E_ARTEFACTOS/$1.png"; }
e2e_tecla F11 0.12
e2e_esperar_janela 1 1920 1080
foto_da_tela tela-cheia-weston
e2e_tecla F11 0.12
e2e_esperar_janela 0 800 600
foto_da_tela janela-weston
e2e_tecla Escape
e2e_esperar_pagina menu 15 menu-principal
e2e_tecla Escape
e2e_fim_limpo 10 "Escape in the menu"
