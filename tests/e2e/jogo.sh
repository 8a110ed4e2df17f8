# What the scenarios know about the game: where the buttons are, how to
# read its screens (through the eye, olho.cpp), and the moves a player makes
# (cut the opening short, start a race, drive it to the finish, pause).
# Sourced after comum.sh.

# What the game itself defines is not written down here: e2e_preparar
# (comum.sh) has e2e_definicoes (definicoes.cpp, linked with the game's
# code) print it and sets, in picture pixels and as the eye reads colours:
#   BOTAO_JOGAR, BOTAO_INSTRUCOES, BOTAO_SAIR, BOTAO_RECORDES,
#   BOTAO_VOLTAR_PAGINA_1, BOTAO_PROXIMA_PAGINA, BOTAO_VOLTAR_PAGINA_2,
#   BOTAO_VOLTAR_RECORDES, BOTAO_CONTINUAR, BOTAO_DESISTIR: the centres
#     ("x y") of the menu buttons (NomesAssets' rectangles);
#   VEREDITO_BOM, _BAIXO_DEMAIS, _NAO_OUVIDO, _SEM_MICROFONE, _SO_SILENCIO:
#     the microphone check's verdict box colours (PainelMicrofone::getCor);
#   RATO_PARADO: where the mouse rests between clicks, a corner no button
#     covers;
#   AVISO: the no-microphone notice's page;
#   PROGRESSO_CHEGADA: the finish line's column on the progress strip.

e2e_olho() { ASAN_OPTIONS=detect_leaks=0 "$E2E_OLHO" "$@"; }

# e2e_ler_painel: one look at the window; sets pagina, correndo, luzes,
# marcha, acelerador and progresso (see olho.cpp). Fails when no
# screenshot could be taken.
e2e_ler_painel() {
    local foto saida
    foto=$(e2e_olhada) || return 1
    saida=$(e2e_olho painel "$foto" "$E2E_TRABALHO") || return 1
    eval "$saida"
}

# e2e_ler_painel_datado: e2e_ler_painel, and when the panel was read, sets
# E2E_OLHADA_ANTERIOR to when the previous look that was read began (the
# caller sets E2E_OLHADA_INICIO before the first) and E2E_OLHADA_INICIO to
# when this one began.
e2e_ler_painel_datado() {
    local inicio
    inicio=$(e2e_ms_desde_inicio)
    e2e_ler_painel || return 1
    E2E_OLHADA_ANTERIOR=$E2E_OLHADA_INICIO
    E2E_OLHADA_INICIO=$inicio
}

e2e_clicar_botao() {
    local nome=$1
    # shellcheck disable=SC2086
    e2e_clicar ${!nome}
    e2e_mover_rato $RATO_PARADO
}

# e2e_esperar_pagina PAGINA SEGUNDOS [NOME [VEREDITO]]: looks until the page
# shows (with the microphone check's verdict box in colour VEREDITO, if
# given) and keeps that screenshot (as NOME, the page's name by default).
e2e_mostra_pagina() {
    e2e_jogo_vivo || e2e_falhar "the game ended while waiting for the page $1"
    e2e_ler_painel && [ "$pagina" = "$1" ] && [ "${2:-$veredito}" = "$veredito" ]
}
e2e_esperar_pagina() {
    local quer=$1 limite=$2 nome=${3:-$1} cor=${4:-}
    if e2e_ate "$limite" e2e_mostra_pagina "$quer" "$cor"; then
        e2e_guardar_olhada "$nome"
        return 0
    fi
    e2e_guardar_olhada "$nome-nao-apareceu"
    e2e_falhar "the page $quer $cor did not show in $limite s (last seen: ${pagina:-?} ${veredito:-})"
}

# Escape cuts the opening short (tapped once the opening shows something:
# before that it does not listen yet); the main menu does not take that
# press for its own. A tap after the title fades only lets the opening run
# to its end.
e2e_abertura_visivel() {
    e2e_jogo_vivo || e2e_falhar "the game ended before its opening"
    e2e_ler_painel && [ "$vazia" = 0 ]
}
e2e_cortar_abertura() {
    e2e_mover_rato $RATO_PARADO
    e2e_ate "${1:-60}" e2e_abertura_visivel
    [ "$pagina" = menu ] || e2e_tecla Escape
    e2e_esperar_pagina menu 15 menu-principal
    e2e_log "main menu after $(e2e_ms_desde_inicio) ms"
}

# e2e_jogo_no_menu LIMITE: the game started (e2e_jogo_iniciar LIMITE), its
# window found and its opening cut: the main menu shows.
e2e_jogo_no_menu() {
    e2e_jogo_iniciar "$1"
    e2e_janela
    e2e_cortar_abertura 60
}

# e2e_diferenca FOTO FOTO: how many pixels of two screenshots (or of one and
# a full-window page of the asset tree) differ beyond a small tolerance.
e2e_diferenca() { compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1; }

# e2e_iniciar_corrida: from the main menu, Play (skipping with Enter the
# microphone tuning a first Play asks for); watches the loading screens
# and the start lights (tapping E into first gear once a light shows) and
# returns once the race clock shows, in first gear. Sets
# E2E_CARREGANDO_VISTO (looks at a loading screen), E2E_LUZES_VISTAS (most
# lit lights seen), E2E_MS_JOGAR,
# E2E_MS_LARGADA, and E2E_LARGADA_DE and _ATE, between which the race
# started (all ms since the game started). Calls $E2E_GANCHO_JOGAR, if set,
# right after Play, and $E2E_GANCHO_LARGADA, if set, when the race clock is
# first seen.
e2e_iniciar_corrida() {
    e2e_clicar_botao BOTAO_JOGAR
    E2E_MS_JOGAR=$(e2e_ms_desde_inicio)
    [ -n "${E2E_GANCHO_JOGAR:-}" ] && "$E2E_GANCHO_JOGAR"
    E2E_LUZES_VISTAS=0
    E2E_CARREGANDO_VISTO=0
    local engatou=0 afinacao=0 fim=$(( $(date +%s) + 40 )) ta
    E2E_OLHADA_INICIO=$E2E_MS_JOGAR
    while [ "$(date +%s)" -lt "$fim" ]; do
        e2e_jogo_vivo || e2e_falhar "the game ended while loading or during the start"
        e2e_ler_painel_datado || continue
        ta=$(e2e_ms_desde_inicio)
        if [ "$correndo" = 1 ]; then
            e2e_guardar_olhada "corrida-comecou"
            [ "$marcha" = 1 ] || e2e_falhar "E tapped during the lights did not engage first gear (gear $marcha)"
            # The race started after the last look without the clock and
            # before this one was taken.
            E2E_LARGADA_DE=$E2E_OLHADA_ANTERIOR
            E2E_LARGADA_ATE=$ta
            E2E_MS_LARGADA=$ta
            [ -n "${E2E_GANCHO_LARGADA:-}" ] && "$E2E_GANCHO_LARGADA"
            e2e_log "race started after $E2E_MS_LARGADA ms; lights seen: $E2E_LUZES_VISTAS"
            return 0
        fi
        if [ "$luzes" -gt 0 ]; then
            [ "$luzes" -lt "$E2E_LUZES_VISTAS" ] && {
                e2e_guardar_olhada "luzes-apagaram"
                e2e_falhar "a start light went out: $luzes lit after $E2E_LUZES_VISTAS"
            }
            if [ "$luzes" -gt "$E2E_LUZES_VISTAS" ]; then
                E2E_LUZES_VISTAS=$luzes
                e2e_guardar_olhada "largada-$luzes-luzes"
            fi
            # The gear is set during the countdown: a tap, most likely while
            # a light holds the screen for 500 ms.
            if [ $engatou -eq 0 ]; then
                e2e_tecla e 0.12
                engatou=1
            fi
        elif [ "$pagina" = instrucoes ] && [ "$afinacao" = 0 ]; then
            # A first Play with a microphone asks to tune it: skipped.
            e2e_guardar_olhada "primeira-afinacao"
            e2e_tecla Return 0.12
            afinacao=1
        elif [ "$E2E_LUZES_VISTAS" -eq 0 ] && [ "$pagina" = nenhuma ]; then
            E2E_CARREGANDO_VISTO=$((E2E_CARREGANDO_VISTO + 1))
            [ "$E2E_CARREGANDO_VISTO" -le 3 ] && e2e_guardar_olhada "carregando"
        fi
    done
    e2e_guardar_olhada "largada-nao-terminou"
    e2e_falhar "the race did not start within 40 s of Play"
}

# e2e_ler_posicao: where the player's car is (see olho.cpp), from the last
# look; sets x, y, angulo (radians, 0 facing right, growing clockwise) and
# erro (how far, in radians, it heads from the way towards the finish along
# the streets; positive when it must turn clockwise).
e2e_ler_posicao() {
    local saida
    saida=$(e2e_olho posicao "$E2E_ARTEFACTOS/.olhada.bmp" "$E2E_TRABALHO" "${vy:--1}" "${E2E_LINHA:-8}" \
        2>/dev/null) || return 1
    eval "$saida"
    # A poor fit of the map means a wrong corner: search everywhere next time.
    [ "$ajuste" -ge 700 ] || vy=""
}

# e2e_volante ERRO ANGULO ANTERIOR MS: one steering correction: D (the
# angle grows) or A held for a moment in proportion to the error. The wheel
# comes back slowly once released and the car keeps turning meanwhile, so
# the error is judged where the present turn (from ANTERIOR, the angle MS
# ms before ANGULO; none when empty) will have taken it half a second from
# now.
e2e_volante() {
    local comando
    comando=$(awk -v e="$1" -v a="$2" -v b="$3" -v ms="$4" 'BEGIN {
        pi = 3.14159265
        if (b != "" && ms > 0) {
            d = a - b
            while (d > pi) d -= 2 * pi
            while (d < -pi) d += 2 * pi
            e -= d * 1000 / ms * 0.5
        }
        m = e < 0 ? -e : e
        if (m < 0.06) { print "nada"; exit }
        t = 0.08 + m * 0.4
        if (t > 0.8) t = 0.8
        printf "%s %.2f\n", (e > 0 ? "d" : "a"), t
    }')
    [ "$comando" = nada ] && return 0
    # shellcheck disable=SC2086
    e2e_tecla $comando
}

# e2e_manobrar MARCHA ERRO: the car stands against a wall, or faces the
# wrong way too slowly to turn (only a gear inside its speed band pulls,
# and only a pulling car turns): down to reverse, back away turning towards
# the right heading (the wheel turns the car the same way in reverse), then
# first gear again. Stuck again at the same place (crashed traffic piles up
# at crossings near the player), it tries another lane of the avenue.
E2E_LINHAS_DE_DESVIO=(8 7 9 6 10)
e2e_manobrar() {
    local marcha=$1 erro=$2 i lado=d
    if [ -n "${E2E_X_MANOBRA:-}" ] && [ $((x - E2E_X_MANOBRA)) -lt 300 ]; then
        E2E_DESVIO=$(( (${E2E_DESVIO:-0} + 1) % ${#E2E_LINHAS_DE_DESVIO[@]} ))
    else
        E2E_DESVIO=0
    fi
    E2E_X_MANOBRA=$x
    E2E_LINHA=${E2E_LINHA_PREFERIDA:-${E2E_LINHAS_DE_DESVIO[$E2E_DESVIO]}}
    e2e_log "manoeuvre (gear $marcha, x $x, y $y, angle $angulo, heading error $erro, lane $E2E_LINHA)"
    e2e_guardar_olhada "manobra"
    awk -v e="$erro" 'BEGIN { exit !(e < 0) }' && lado=a
    for i in $(seq 0 "$marcha"); do e2e_tecla q; sleep 0.05; done
    e2e_tecla "$lado" 1.0
    e2e_tecla e; sleep 0.05
    e2e_tecla e
}

# e2e_conduzir_ate_o_fim SEGUNDOS: drives the race with the voice (the
# microphone file) or W (see e2e_correr), the gear keys and the steering keys until the main menu
# comes back after the finish. Shifts up when the speed fits the next gear,
# shifts again when a knock has put the car in neutral, steers along the
# streets towards the finish, and backs away from a wall it got stuck on.
# Gives up after SEGUNDOS, or sooner when the car has gained no ground for
# E2E_SEM_AVANCO seconds: a car still gaining ground is given the whole
# SEGUNDOS, so it seldom crosses the line unseen while the driver quits.
# Sets E2E_ACELERADOR_MAX (rows of the throttle bar), E2E_MARCHA_MAX,
# E2E_MS_CHEGADA (finish first seen), E2E_CHEGADA_DE and _ATE (between
# which the car crossed the line), E2E_LINHA_CHEGADA (the finish screen's
# line as the eye reads it, recorde or melhor; empty when unseen). Calls
# $E2E_GANCHO_CHEGADA, if set, when the finish is first seen; a game that
# ends after that (its window closed by the hook) also ends the drive.
# Calls $E2E_GANCHO_CONDUCAO, if set, before each look (a player's
# distractions).
E2E_SEM_AVANCO=40
e2e_conduzir_ate_o_fim() {
    local limite=$1
    local fim=$(( $(date +%s) + limite ))
    E2E_ACELERADOR_MAX=0
    E2E_MARCHA_MAX=0
    E2E_MS_CHEGADA=""
    E2E_LINHA_CHEGADA=""
    local x_ref=-1 y_ref=0 t_ref=0 vel=0 guardada=0 t parado_desde="" erro
    local angulo_ant="" t_angulo=0 melhor=-1 t_melhor
    vy=""
    E2E_LINHA=${E2E_LINHA_PREFERIDA:-8}
    E2E_X_MANOBRA=""
    E2E_OLHADA_INICIO=$E2E_MS_LARGADA
    while [ "$(date +%s)" -lt "$fim" ]; do
        if ! e2e_jogo_vivo; then
            [ -n "$E2E_MS_CHEGADA" ] && return 0  # ended during the finish screen (closed)
            e2e_falhar "the game ended during the race"
        fi
        [ -n "${E2E_GANCHO_CONDUCAO:-}" ] && "$E2E_GANCHO_CONDUCAO"
        e2e_ler_painel_datado || continue
        t=$(e2e_ms_desde_inicio)
        if [ "$pagina" = menu ]; then
            e2e_guardar_olhada "menu-depois-da-corrida"
            e2e_log "menu back after $t ms"
            return 0
        fi
        [ "$correndo" = 1 ] || continue
        [ "$acelerador" -gt "$E2E_ACELERADOR_MAX" ] && E2E_ACELERADOR_MAX=$acelerador
        # A driver who has gained no ground for a long while gives up.
        if [ "$progresso" -gt "$melhor" ]; then
            melhor=$progresso
            t_melhor=$t
        elif [ -z "$E2E_MS_CHEGADA" ] && [ $((t - t_melhor)) -ge $((E2E_SEM_AVANCO * 1000)) ]; then
            break
        fi
        if [ "$progresso" -ge "$PROGRESSO_CHEGADA" ] && [ -z "$E2E_MS_CHEGADA" ]; then
            E2E_MS_CHEGADA=$t
            E2E_CHEGADA_DE=$E2E_OLHADA_ANTERIOR
            E2E_CHEGADA_ATE=$t
            # The finish is held five seconds before the menu.
            fim=$(( $(date +%s) + 20 ))
            e2e_guardar_olhada "chegada"
            e2e_log "finish seen after $t ms"
            E2E_JANELA_FECHADA=""
            [ -n "${E2E_GANCHO_CHEGADA:-}" ] && "$E2E_GANCHO_CHEGADA"
            # A window closed by the hook is not looked at again: a capture
            # of a window that goes away in the middle waits out its whole
            # timeout, which would be taken for a slow end.
            [ -n "$E2E_JANELA_FECHADA" ] && return 0
        fi
        # The finish screen's line, once it shows (the hook may read it too).
        if [ -n "$E2E_MS_CHEGADA" ] && [ "$linha" != nenhuma ] && [ -z "$E2E_LINHA_CHEGADA" ]; then
            E2E_LINHA_CHEGADA=$linha
            e2e_guardar_olhada "linha-de-chegada"
        fi
        [ -n "$E2E_MS_CHEGADA" ] && continue
        if [ $((t - guardada)) -ge 4000 ]; then
            e2e_guardar_olhada "corrida-p$progresso-m$marcha-a$acelerador"
            guardada=$t
        fi
        e2e_ler_posicao || continue
        # Speed in the car's units (16 map pixels a second), any direction.
        if [ "$x_ref" -lt 0 ]; then
            x_ref=$x; y_ref=$y; t_ref=$t
        elif [ $((t - t_ref)) -ge 700 ]; then
            vel=$(awk -v dx=$((x - x_ref)) -v dy=$((y - y_ref)) -v ms=$((t - t_ref)) \
                'BEGIN { printf "%d\n", sqrt(dx * dx + dy * dy) * 1000 / ms / 16 }')
            x_ref=$x; y_ref=$y; t_ref=$t
        fi
        case $marcha in
            1|2|3) [ "$marcha" -gt "$E2E_MARCHA_MAX" ] && E2E_MARCHA_MAX=$marcha ;;
        esac
        # Stuck for two seconds in gear, or slow and facing the wrong way.
        if [ "$vel" -le 1 ] && [ "$marcha" -ge 1 ] 2>/dev/null && [ "$marcha" -le 3 ]; then
            [ -z "$parado_desde" ] && parado_desde=$t
            if [ $((t - parado_desde)) -ge 2000 ] || \
               awk -v e="$erro" 'BEGIN { exit !(e > 1.2 || e < -1.2) }'; then
                e2e_manobrar "$marcha" "$erro"
                parado_desde=""
                x_ref=-1
                angulo_ant=""
                continue
            fi
        else
            parado_desde=""
        fi
        # Up to the gear whose band holds the speed, one press per gear
        # (the game shifts once per press: released between presses); down
        # again, a little below the band, when the car has slowed (a gear
        # above its band hardly pulls).
        local quer=1 baixar=1 i
        [ "$vel" -ge 8 ] && quer=2
        [ "$vel" -ge 19 ] && quer=3
        [ "$vel" -ge 5 ] && baixar=2
        [ "$vel" -ge 15 ] && baixar=3
        if [ "$marcha" -ge 0 ] 2>/dev/null && [ "$marcha" -lt "$quer" ]; then
            e2e_log "E: gear $marcha to $quer, speed ~$vel, x $x, y $y, throttle $acelerador"
            for i in $(seq $((marcha + 1)) "$quer"); do
                e2e_tecla e 0.1
                sleep 0.1
            done
        elif [ "$marcha" -gt "$baixar" ] 2>/dev/null && [ "$marcha" -le 3 ]; then
            e2e_log "Q: gear $marcha to $baixar, speed ~$vel"
            for i in $(seq $((baixar + 1)) "$marcha"); do
                e2e_tecla q 0.1
                sleep 0.1
            done
        fi
        # The car's turn from the last two looks (none yet after a manoeuvre).
        e2e_volante "$erro" "$angulo" "$angulo_ant" $((t - t_angulo))
        angulo_ant=$angulo
        t_angulo=$t
    done
    # A look at a window that went away under it (closed on the finish
    # screen, the game gone once its hold was over) waits out its timeout
    # and can use up the time left: that the game ended is what counts.
    [ -n "$E2E_MS_CHEGADA" ] && ! e2e_jogo_vivo && return 0
    e2e_guardar_olhada "corrida-nao-terminou"
    e2e_log "the race did not finish (progress $progresso of $PROGRESSO_CHEGADA, no ground gained since $melhor)"
    return 1
}

# e2e_correr SEGUNDOS: from the main menu, a whole race to the finish and
# back to the menu. A driver stuck against a wall or among piled-up traffic
# quits through the pause menu and starts again (twice at most): the
# scenario tests the game, not the test's driving. With E2E_ACELERAR_COM_W
# set, the throttle is W (a game without a working microphone), pressed in
# bursts 40 % of the time all through each drive: about the throttle the
# voice gives, which the steering is tuned to (held down, the car is too
# fast for it). Sets E2E_LINHAS_ANTES, the lines "records.txt" had when the
# finished race began.
e2e_correr() {
    local limite=$1 tentativa chegou
    for tentativa in 1 2 3; do
        E2E_LINHAS_ANTES=$(cat "$E2E_TRABALHO/records.txt" 2>/dev/null | wc -l)
        e2e_iniciar_corrida
        [ "$E2E_CARREGANDO_VISTO" -ge 1 ] || e2e_falhar "no loading screen was seen"
        [ "$E2E_LUZES_VISTAS" -ge 3 ] || e2e_falhar "only $E2E_LUZES_VISTAS start lights were seen lit"
        if [ -n "${E2E_ACELERAR_COM_W:-}" ]; then
            while xdotool keydown w sleep 0.4 keyup w sleep 0.6; do :; done &
            E2E_PULSOS_PID=$!
        fi
        e2e_conduzir_ate_o_fim "$limite"
        chegou=$?
        # The burst under way ends with its own keyup.
        [ -n "$E2E_PULSOS_PID" ] && kill "$E2E_PULSOS_PID" && E2E_PULSOS_PID=""
        [ $chegou -eq 0 ] && return 0
        [ -z "$E2E_MS_CHEGADA" ] || { e2e_jogo_vivo && e2e_fios; e2e_falhar "the game neither went back to the menu nor ended after the finish (fios.txt)"; }
        e2e_log "giving this race up through the pause menu (attempt $tentativa)"
        e2e_ate_o_menu 20
    done
    e2e_falhar "none of three races reached the finish in $limite s"
}

# e2e_relatorio_de_sanitizador: the console holds a report of the sanitizers.
e2e_relatorio_de_sanitizador() {
    LC_ALL=C grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer)|runtime error:|SUMMARY: (Address|Undefined|Leak)' \
        "$E2E_ARTEFACTOS/console.txt"
}

# The console must hold no report of the sanitizers.
e2e_sem_relatorio_de_sanitizador() {
    ! e2e_relatorio_de_sanitizador || e2e_falhar "a sanitizer reported an error (see console.txt)"
}

# e2e_fim_limpo SEGUNDOS COMO: the game ends within SEGUNDOS, with status 0
# and no sanitizer report; COMO (what ended it) goes into the failure.
e2e_fim_limpo() {
    e2e_jogo_esperar_fim "$1"
    [ "$E2E_STATUS" -eq 0 ] || e2e_falhar "$2 ended the game with status $E2E_STATUS instead of 0"
    e2e_sem_relatorio_de_sanitizador
}

# From the main menu out through Exit.
e2e_sair_pelo_menu() {
    # shellcheck disable=SC2086
    e2e_clicar $BOTAO_SAIR
    e2e_fim_limpo 20 "Exit"
}

# e2e_sem_trafego ARVORE: the tree's traffic table loses its start tiles
# (codes 868 to 871): no traffic enters the city.
e2e_sem_trafego() {
    local tabela=$1/mapas/1trans.txt
    sed -i -E 's/(^|[^0-9])(868|869|870|871)([^0-9]|$)/\10\3/g; s/(^|[^0-9])(868|869|870|871)([^0-9]|$)/\10\3/g' \
        "$tabela"
    ! grep -qE '(^|[^0-9])(868|869|870|871)([^0-9]|$)' "$tabela" \
        || e2e_falhar "the traffic table still has start tiles"
}

# e2e_ate_o_menu SEGUNDOS: from wherever the game is (race, countdown,
# loading, pause or a menu page), back to the main menu the way a player
# would: pause and quit, or Back.
e2e_passo_ao_menu() {
    e2e_jogo_vivo || e2e_falhar "the game ended before going back to the menu"
    e2e_ler_painel || return 1
    case $pagina in
        menu) return 0 ;;
        pausa) e2e_clicar_botao BOTAO_DESISTIR; sleep 0.3 ;;
        recordes) e2e_clicar_botao BOTAO_VOLTAR_RECORDES; sleep 0.3 ;;
        instrucoes2) e2e_clicar_botao BOTAO_VOLTAR_PAGINA_2; sleep 0.3 ;;
        instrucoes) e2e_clicar_botao BOTAO_VOLTAR_PAGINA_1; sleep 0.3 ;;
        *)
            # Racing or counting down: Escape pauses. While loading it
            # would only pause the countdown to come: wait for that.
            if [ "$correndo" = 1 ] || [ "$luzes" -gt 0 ]; then
                e2e_tecla Escape
                sleep 0.4
            else
                sleep 0.3
            fi
            ;;
    esac
    return 1
}
e2e_ate_o_menu() {
    e2e_ate "$1" e2e_passo_ao_menu && return 0
    e2e_guardar_olhada "menu-nao-voltou"
    e2e_falhar "could not go back to the main menu in $1 s"
}
