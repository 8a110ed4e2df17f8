# Shared pieces of the end-to-end scenarios: a private X server, a sound
# set-up, the game started in a scratch copy of its asset tree, and the few
# things a player does (hold a key, click, look at the screen).
#
# A scenario script sources this file and calls e2e_preparar first:
#   source comum.sh
#   e2e_preparar RONCO ASSETS ARTEFACTS EYE CLOSER
# RONCO is the game's executable, ASSETS the asset tree the build generated,
# ARTEFACTS the folder that keeps the screenshots and the console output,
# EYE the screenshot reader (olho.cpp; e2e_definicoes, built beside it,
# gives the game's button places and colours), CLOSER the close-button
# sender.
# Everything started here is stopped on exit, whatever way the script ends.

set -u

E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

E2E_XVFB_PID=""
E2E_SOM_PIDS=()
E2E_CARIMBO=()
E2E_SOM_DIR=""
E2E_DESKTOP_DIR=""
E2E_DISPLAY_XVFB=""
E2E_PACAT_PID=""
E2E_JOGO_PID=""
E2E_VIGIA_PID=""
E2E_ESCRITOR_PID=""
E2E_PULSOS_PID=""
E2E_OUTRA_PID=""
E2E_OUTRA_JANELA=""
E2E_JANELA=""
E2E_ESCALA=1
E2E_TELA_CHEIA=""
E2E_STATUS=""
E2E_INICIO_JOGO=0
E2E_LIMITE_JOGO=120
E2E_REINICIOS=0
E2E_PREFIXO=()
E2E_TEMPORARIO=""
E2E_SUPRESSOES=$E2E_DIR/lsan-bibliotecas.supp

e2e_log() { echo "[$(date +%H:%M:%S.%N | cut -c1-12)] $*"; }

# e2e_ate SEGUNDOS COMANDO...: runs COMANDO (a function too) every 0.1 s
# until it succeeds; status 1 when SEGUNDOS passed first.
e2e_ate() {
    local fim=$(($(date +%s%N) + $1 * 1000000000))
    shift
    until "$@"; do
        [ "$(date +%s%N)" -lt "$fim" ] || return 1
        sleep 0.1
    done
}

e2e_falhar() {
    echo "FAILED: $*" >&2
    [ -n "$E2E_JANELA" ] && e2e_jogo_vivo && e2e_foto "falha" >/dev/null 2>&1
    exit 1
}

# Kill one process we started: politely first, then for sure.
e2e_parar_pid() {
    [ -n "$1" ] && kill -TERM "$1" 2>/dev/null || return 0
    timeout 3 tail --pid="$1" -s 0.1 -f /dev/null || kill -KILL "$1" 2>/dev/null
}

e2e_encerrar() {
    local rc=$?
    trap - EXIT INT TERM
    e2e_parar_pid "$E2E_VIGIA_PID"
    e2e_parar_pid "$E2E_JOGO_PID"
    e2e_parar_pid "$E2E_OUTRA_PID"
    e2e_parar_pid "$E2E_PACAT_PID"
    local pid
    for pid in "${E2E_SOM_PIDS[@]}"; do e2e_parar_pid "$pid"; done
    e2e_parar_pid "$E2E_XVFB_PID"
    [ -n "$E2E_ESCRITOR_PID" ] && kill -KILL -- "-$E2E_ESCRITOR_PID" 2>/dev/null
    # shellcheck disable=SC2086
    kill -KILL $E2E_PULSOS_PID 2>/dev/null
    wait 2>/dev/null
    [ -n "$E2E_TEMPORARIO" ] && rm -rf "$E2E_TEMPORARIO"
    [ -n "$E2E_SOM_DIR" ] && rm -rf "$E2E_SOM_DIR"
    [ -n "$E2E_DESKTOP_DIR" ] && rm -rf "$E2E_DESKTOP_DIR"
    if [ $rc -eq 0 ]; then
        e2e_log "scenario passed; artefacts in $E2E_ARTEFACTOS"
    else
        e2e_log "scenario failed ($rc); artefacts in $E2E_ARTEFACTOS" >&2
        if [ -f "$E2E_ARTEFACTOS/console.txt" ]; then
            echo "--- the game's console (its end) ---" >&2
            tail -c 3000 "$E2E_ARTEFACTOS/console.txt" >&2
            echo >&2
        fi
    fi
    exit $rc
}

# e2e_preparar RONCO ASSETS ARTEFACTS EYE CLOSER
# Checks the tools, makes a fresh artefact folder and a scratch copy of the
# asset tree (so the records of a test never mix with a player's).
e2e_preparar() {
    [ $# -ge 5 ] || { echo "usage: $0 RONCO ASSETS ARTEFACTS EYE CLOSER [...]" >&2; exit 2; }
    E2E_RONCO=$(readlink -f "$1")
    E2E_JOGO_ORIGEM=$(readlink -f "$2")
    E2E_ARTEFACTOS=$3
    E2E_OLHO=$(readlink -f "$4")
    E2E_FECHAR=$(readlink -f "$5")
    local f
    for f in Xvfb xdotool import convert identify stdbuf sox; do
        command -v "$f" >/dev/null || { echo "missing program: $f (scripts/install-deps.sh)" >&2; exit 1; }
    done
    [ -x "$E2E_RONCO" ] || { echo "the game was not built: $1" >&2; exit 1; }
    [ -d "$E2E_JOGO_ORIGEM" ] || { echo "no asset tree at $2" >&2; exit 1; }
    # The buttons' places and the colours to look for, from the game's own
    # definitions (see jogo.sh), by the program built beside the eye.
    local definicoes
    definicoes=$(ASAN_OPTIONS=detect_leaks=0 "$(dirname "$E2E_OLHO")/e2e_definicoes" "$E2E_JOGO_ORIGEM") \
        || { echo "no definitions of the game from e2e_definicoes beside $4" >&2; exit 1; }
    eval "$definicoes"
    rm -rf "$E2E_ARTEFACTOS"
    mkdir -p "$E2E_ARTEFACTOS"
    E2E_ARTEFACTOS=$(readlink -f "$E2E_ARTEFACTOS")
    E2E_TRABALHO=$E2E_ARTEFACTOS/jogo
    # The player's settings file goes with the scenario, never the tester's.
    export XDG_CONFIG_HOME=$E2E_ARTEFACTOS/config
    e2e_arvore_nova
    trap e2e_encerrar EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
    E2E_FOTO_N=0
}

# A fresh scratch copy of the asset tree, without records.
e2e_arvore_nova() {
    rm -rf "$E2E_TRABALHO"
    cp -r "$E2E_JOGO_ORIGEM" "$E2E_TRABALHO"
    rm -f "$E2E_TRABALHO/records.txt" "$E2E_TRABALHO/myfile.txt"
}

# The display answers a client (xdotool connects, asks, leaves).
e2e_display_responde() { timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1; }

# e2e_xvfb [WIDTHxHEIGHT]: starts a private X server with a screen of that
# size (1024x768 by default: the game's window is then at x1); DISPLAY
# points at it afterwards, once it answers. -noreset: without it the server
# resets whenever its last client leaves, and a game connecting during a
# reset (while the window search polls with short-lived clients) can be
# refused.
e2e_xvfb() {
    local arq=$E2E_ARTEFACTOS/.display tamanho=${1:-1024x768}
    : >"$arq"
    Xvfb -displayfd 3 -screen 0 "${tamanho}x24" -nolisten tcp -noreset 3>"$arq" \
        >"$E2E_ARTEFACTOS/xvfb.txt" 2>&1 &
    E2E_XVFB_PID=$!
    e2e_ate 10 test -s "$arq" || e2e_falhar "Xvfb gave no display number in 10 s"
    export DISPLAY=:$(tr -d '\n' <"$arq")
    unset XAUTHORITY
    e2e_ate 5 e2e_display_responde || e2e_falhar "Xvfb on $DISPLAY does not answer"
    e2e_log "Xvfb on $DISPLAY"
}

# The engine buzz the voice detector accepts, as raw mono 16-bit samples at
# 44100 Hz, made once per build folder (never committed), SEGUNDOS long,
# since the capture reads the file once, peaking at DB dBFS. The rig's
# reference buzz, revving from 180 to 260 Hz every ten seconds instead of 90
# to 220 once, and by default louder (peak at -1 dB instead of -6 dB): the
# analyser accepts about 95 % of its windows and the throttle it gives at
# sensitivity 1 (about 0.39) carries the car into third gear's speed band.
# Sets MIC_FILE.
e2e_ronco_de_motor() {
    local segundos=${1:-120} db=${2:--1}
    local arq=$E2E_ARTEFACTOS/../ronco-motor-${segundos}s${db}db.raw
    if [ ! -s "$arq" ]; then
        local tmp
        tmp=$(mktemp "$arq.XXXXXX")
        sox -D -R -n -r 44100 -c 1 -b 16 -e signed-integer -t raw "$tmp" \
            synth 10 square 180:260 bandpass 600 2q tremolo 27 60 gain -n "$db" \
            repeat $(( (segundos + 9) / 10 - 1 )) \
            || e2e_falhar "sox did not make the engine buzz"
        mv -f "$tmp" "$arq"
    fi
    MIC_FILE=$(readlink -f "$arq")
    export MIC_FILE
}

# e2e_servidor NOME PRONTO COMANDO...: starts one daemon of a sound set-up
# or a desktop (its output in NOME.txt) and waits up to 10 s until the
# shell command PRONTO answers. The daemons (E2E_SOM_PIDS) are stopped on
# exit, the last started first.
e2e_servidor() {
    local nome=$1 pronto=$2
    shift 2
    "$@" </dev/null >"$E2E_ARTEFACTOS/$nome.txt" 2>&1 &
    E2E_SOM_PIDS=("$!" "${E2E_SOM_PIDS[@]}")
    e2e_ate 10 timeout 5 sh -c "{ $pronto; } >/dev/null 2>&1" && return 0
    e2e_falhar "$nome did not answer in 10 s (see $nome.txt; packages: scripts/install-deps.sh)"
}

# An X11 desktop's EWMH window manager (openbox) on the X server: it
# decorates, places and focuses the game's window, and closes it as Alt+F4
# or a taskbar does (wmctrl -c).
e2e_openbox() {
    e2e_servidor openbox "wmctrl -m" openbox --sm-disable
}

# A Wayland desktop as GNOME and KDE run X11 games: a compositor (weston,
# shown in a window of the X server) and Xwayland, whose display weston
# picks itself (its log names it). DISPLAY then names Xwayland's display,
# where the game runs; E2E_DISPLAY_XVFB keeps the X server's, where
# weston's window (E2E_JANELA_WESTON, the whole desktop) takes the keyboard
# (e2e_tecla sends there) once the pointer is over it.
e2e_weston() {
    local log=$E2E_ARTEFACTOS/weston-log.txt n largura altura
    E2E_DESKTOP_DIR=$(mktemp -d /tmp/ronco-weston-XXXXXX)
    chmod 700 "$E2E_DESKTOP_DIR"
    read -r largura altura < <(xdotool getdisplaygeometry)
    e2e_servidor weston "grep -q 'xserver listening on display' '$log'" env XDG_RUNTIME_DIR="$E2E_DESKTOP_DIR" \
        weston --backend=x11-backend.so --use-pixman --xwayland --width="$largura" --height="$altura" \
        --socket=ronco --log="$log"
    n=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$log" | head -1)
    E2E_JANELA_WESTON=$(timeout 10 xdotool search --sync --class '^Weston Compositor$' | head -1)
    [ -n "$E2E_JANELA_WESTON" ] || e2e_falhar "weston's window did not appear"
    xdotool mousemove --sync $((largura / 2)) $((altura / 2))
    E2E_DISPLAY_XVFB=$DISPLAY
    export DISPLAY=$n
    e2e_log "weston's Xwayland on $DISPLAY"
}

# The virtual cable of a running sound server: the sound played into the
# sink "cabo" (e2e_tocar) comes out of its monitor, the default source, the
# microphone the game hears; "alto", the speakers, discards.
e2e_cabo() {
    pactl load-module module-null-sink sink_name=alto >/dev/null &&
        pactl load-module module-null-sink sink_name=cabo rate=44100 channels=1 >/dev/null &&
        pactl set-default-source cabo.monitor && pactl set-default-sink alto &&
        pactl info | grep -q '^Default Source: cabo.monitor$' || e2e_falhar "the virtual cable was not set up"
}

# A desktop's sound server: a private PulseAudio with the virtual cable.
# ALSA's "default" reaches it through its pulse plugin (the system's ALSA
# configuration: ALSA_CONFIG_PATH is unset). Its socket lives under /tmp,
# since a socket's path must be short.
e2e_pulseaudio() {
    E2E_SOM_DIR=$(mktemp -d /tmp/ronco-pulse-XXXXXX)
    export PULSE_SERVER=unix:$E2E_SOM_DIR/pulse/native PULSE_CLIENTCONFIG=$E2E_DIR/pulse-cliente.conf
    unset ALSA_CONFIG_PATH
    e2e_servidor pulseaudio "pactl info" env HOME="$E2E_SOM_DIR" XDG_RUNTIME_DIR="$E2E_SOM_DIR" \
        pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit \
        -L "module-native-protocol-unix auth-anonymous=1"
    e2e_cabo
}

# Where scripts/install-deps.sh unpacks the PipeWire ALSA plugin (its
# package cannot be installed beside PulseAudio).
E2E_PIPEWIRE_ALSA=${RONCO_PIPEWIRE_ALSA:-/opt/ronco-pipewire-alsa}

# Debian 12 desktops' sound server: a private, headless PipeWire (its
# session bus, WirePlumber, its PulseAudio side for the virtual cable), each
# daemon's state and settings in a scratch folder. The game records from
# ALSA's "default" through the pipewire plugin, given by an ALSA
# configuration of its own: the system's would send "default" to the
# PulseAudio side instead.
e2e_pipewire() {
    local plugin
    plugin=$(ls -d "$E2E_PIPEWIRE_ALSA"/usr/lib/*/alsa-lib 2>/dev/null | head -1)
    [ -f "$plugin/libasound_module_pcm_pipewire.so" ] \
        || e2e_falhar "no PipeWire ALSA plugin in $E2E_PIPEWIRE_ALSA (scripts/install-deps.sh unpacks it)"
    E2E_SOM_DIR=$(mktemp -d /tmp/ronco-pw-XXXXXX)
    local d=$E2E_SOM_DIR
    mkdir -m 700 "$d/rt"
    export XDG_RUNTIME_DIR=$d/rt DBUS_SESSION_BUS_ADDRESS=unix:path=$d/rt/bus
    export PULSE_SERVER=unix:$d/rt/pulse/native PULSE_CLIENTCONFIG=$E2E_DIR/pulse-cliente.conf
    unset PULSE_RUNTIME_PATH
    local xdg=(env XDG_STATE_HOME="$d/state" XDG_CONFIG_HOME="$d/config")
    e2e_servidor dbus "dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.GetId" \
        dbus-daemon --session --address="$DBUS_SESSION_BUS_ADDRESS" --nofork --nopidfile
    e2e_servidor pipewire "pw-cli info 0" "${xdg[@]}" pipewire
    e2e_servidor wireplumber "pw-cli ls Metadata | grep -q 'metadata.name = \"default\"'" "${xdg[@]}" wireplumber
    e2e_servidor pipewire-pulse "pactl info" "${xdg[@]}" pipewire-pulse
    e2e_cabo
    export ALSA_CONFIG_PATH=$E2E_ARTEFACTOS/asound-pipewire.conf
    cat >"$ALSA_CONFIG_PATH" <<FIM
pcm_type.pipewire { lib "$plugin/libasound_module_pcm_pipewire.so" }
ctl_type.pipewire { lib "$plugin/libasound_module_ctl_pipewire.so" }
pcm.!default { type pipewire playback_node "-1" capture_node "-1" }
ctl.!default { type pipewire }
FIM
}

# e2e_tocar ARQUIVO: the raw sound (signed 16-bit mono, 44100 Hz) goes into
# the cable at real-time pace, in place of what played before.
e2e_tocar() {
    e2e_parar_pid "$E2E_PACAT_PID"
    pacat --playback -d cabo --format=s16le --rate=44100 --channels=1 --raw "$1" \
        </dev/null >>"$E2E_ARTEFACTOS/pacat.txt" 2>&1 &
    E2E_PACAT_PID=$!
}

# e2e_som microfone|microfone-cano|servidor|pipewire|sem-microfone|sem-som
# [SEGUNDOS [DB]] (all but the last two: the engine buzz, peaking at DB
# dBFS, plays from the start; servidor is PulseAudio). microfone-cano: the
# buzz reaches the game through a pipe, written by a process group (led by
# E2E_ESCRITOR_PID) that e2e_parar_microfone stalls like a microphone whose
# stream stops, and e2e_soltar_microfone resumes. It starts the buzz over
# for each reader that opens the pipe, so a game that gives the device up
# and opens it again, or a game started anew, finds the microphone again,
# as it would a real one.
e2e_som() {
    case $1 in
        servidor|pipewire)
            if [ "$1" = servidor ]; then e2e_pulseaudio; else e2e_pipewire; fi
            e2e_ronco_de_motor "${2:-120}" "${3:--1}"
            e2e_tocar "$MIC_FILE"
            ;;
        microfone|microfone-cano)
            export ALSA_CONFIG_PATH=$E2E_DIR/asound-filemic.conf
            e2e_ronco_de_motor "${2:-120}" "${3:--1}"
            if [ "$1" = microfone-cano ]; then
                mkfifo "$E2E_ARTEFACTOS/microfone.cano" || e2e_falhar "mkfifo failed"
                # A process group of its own, stopped and resumed whole.
                setsid bash -c 'while :; do cat "$0" >"$1"; sleep 0.05; done' \
                    "$MIC_FILE" "$E2E_ARTEFACTOS/microfone.cano" </dev/null >/dev/null 2>&1 &
                E2E_ESCRITOR_PID=$!
                export MIC_FILE=$E2E_ARTEFACTOS/microfone.cano
            fi
            ;;
        sem-microfone)
            export ALSA_CONFIG_PATH=$E2E_DIR/asound-sem-microfone.conf
            unset MIC_FILE
            ;;
        sem-som)
            export ALSA_CONFIG_PATH=$E2E_DIR/asound-sem-som.conf
            unset MIC_FILE
            ;;
        *) e2e_falhar "unknown sound set-up: $1" ;;
    esac
}

# The microphone's stream (microfone-cano) stops, and resumes.
e2e_parar_microfone() { kill -STOP -- "-$E2E_ESCRITOR_PID" 2>/dev/null; }
e2e_soltar_microfone() { kill -CONT -- "-$E2E_ESCRITOR_PID" 2>/dev/null; }

# The game runs as an unprivileged user from here on (when the tests run as
# root, who may write any file whatever its permissions). Its tree, its
# executable, the sound set-up and the microphone file move to a fresh
# folder under /tmp that the user can reach (call it after e2e_som);
# E2E_TRABALHO then names the moved tree.
e2e_usuario_sem_privilegios() {
    [ "$(id -u)" -eq 0 ] || return 0
    command -v setpriv >/dev/null || e2e_falhar "missing program: setpriv"
    E2E_TEMPORARIO=$(mktemp -d /tmp/ronco-e2e-XXXXXX)
    chmod 755 "$E2E_TEMPORARIO"
    cp "$E2E_RONCO" "$E2E_TEMPORARIO/ronco"
    E2E_RONCO=$E2E_TEMPORARIO/ronco
    cp -r "$E2E_TRABALHO" "$E2E_TEMPORARIO/jogo"
    E2E_TRABALHO=$E2E_TEMPORARIO/jogo
    if [ -n "${MIC_FILE:-}" ]; then
        cp "$MIC_FILE" "$E2E_TEMPORARIO/microfone.raw"
        export MIC_FILE=$E2E_TEMPORARIO/microfone.raw
    fi
    cp "$E2E_SUPRESSOES" "$E2E_TEMPORARIO/lsan.supp"
    E2E_SUPRESSOES=$E2E_TEMPORARIO/lsan.supp
    if [ -n "${ALSA_CONFIG_PATH:-}" ]; then
        cp "$ALSA_CONFIG_PATH" "$E2E_TEMPORARIO/asound.conf"
        export ALSA_CONFIG_PATH=$E2E_TEMPORARIO/asound.conf
    fi
    export XDG_CONFIG_HOME=$E2E_TEMPORARIO/config
    mkdir -p "$XDG_CONFIG_HOME"
    chmod -R a+rX "$E2E_TEMPORARIO"
    chown -R 65534:65534 "$E2E_TRABALHO" "$XDG_CONFIG_HOME"
    E2E_PREFIXO=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    export HOME=$E2E_TRABALHO
}

# e2e_jogo_iniciar LIMITE_SEGUNDOS
# Starts the game in the scratch tree (or in E2E_PASTA_INICIO, when set)
# with its console in console.txt
# (unbuffered, so that a crash loses nothing), through the command
# E2E_CARIMBO when one is set (each line stamped with when it came). A
# watchdog ends it after LIMITE seconds in any case.
e2e_jogo_iniciar() {
    local limite=${1:-120}
    E2E_LIMITE_JOGO=$limite
    local preload=""
    if ldd "$E2E_RONCO" 2>/dev/null | grep -q libasan; then
        # stdbuf is preloaded; the sanitizer runtime then is not first in
        # the library list, which it accepts when told so. The leak checker
        # skips the system's sound libraries (lsan-bibliotecas.supp), whose
        # Allegro module is preloaded so that it keeps its name at exit.
        export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
        export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$E2E_SUPRESSOES:print_suppressions=0"
        preload=$(ls /usr/lib/*/allegro/4.4*/alleg-alsadigi.so 2>/dev/null | head -1)
    fi
    local console=$E2E_ARTEFACTOS/console.txt
    if [ ${#E2E_CARIMBO[@]} -gt 0 ]; then
        rm -f "$E2E_ARTEFACTOS/.console.cano"
        mkfifo "$E2E_ARTEFACTOS/.console.cano" || e2e_falhar "mkfifo failed"
        "${E2E_CARIMBO[@]}" <"$E2E_ARTEFACTOS/.console.cano" >"$console" &
        console=$E2E_ARTEFACTOS/.console.cano
    fi
    # The module goes to the game only (stdbuf and the shell cannot load
    # it), in front of stdbuf's own preload.
    (cd "${E2E_PASTA_INICIO:-$E2E_TRABALHO}" && exec "${E2E_PREFIXO[@]}" stdbuf -o0 -e0 \
        sh -c 'LD_PRELOAD="$0${LD_PRELOAD:+:$LD_PRELOAD}" exec "$1"' "$preload" "$E2E_RONCO") \
        >"$console" 2>&1 </dev/null &
    E2E_JOGO_PID=$!
    E2E_INICIO_JOGO=$(date +%s%N)
    # The watchdog's sleep goes when the watchdog is stopped: left behind,
    # it would keep what the scenario holds open (the shared end-to-end
    # lock) until it ran out, long after the scenario.
    (trap 'kill "$espera" 2>/dev/null; exit 0' TERM
     sleep "$limite" & espera=$!
     wait "$espera"
     echo "WATCHDOG: the game ran past $limite s and was ended" >>"$E2E_ARTEFACTOS/console.txt"
     kill -TERM "$E2E_JOGO_PID" 2>/dev/null
     sleep 5; kill -KILL "$E2E_JOGO_PID" 2>/dev/null) >/dev/null 2>&1 &
    E2E_VIGIA_PID=$!
    e2e_log "game started (pid $E2E_JOGO_PID, limit $limite s)"
}

e2e_jogo_vivo() { kill -0 "$E2E_JOGO_PID" 2>/dev/null; }
e2e_jogo_acabou() { ! e2e_jogo_vivo; }

# Milliseconds since the game was started.
e2e_ms_desde_inicio() { echo $(( ($(date +%s%N) - E2E_INICIO_JOGO) / 1000000 )); }

# Where each of the game's threads waits (and whether the process is only
# a zombie), in fios.txt, for whoever reads a failure.
e2e_fios() {
    { ps -o pid,stat,etime,cmd -p "$E2E_JOGO_PID"; timeout 60 gdb -p "$E2E_JOGO_PID" -batch -ex 'thread apply all bt'; } \
        >"$E2E_ARTEFACTOS/fios.txt" 2>&1
    return 0
}

# e2e_jogo_esperar_fim SEGUNDOS -> sets E2E_STATUS to the exit status and
# E2E_MS_FIM to when the end was seen (ms since the game was started).
e2e_jogo_esperar_fim() {
    e2e_ate "$1" e2e_jogo_acabou
    e2e_jogo_vivo && e2e_fios && e2e_falhar "the game did not end in $1 s (its threads in fios.txt)"
    wait "$E2E_JOGO_PID"
    E2E_STATUS=$?
    E2E_MS_FIM=$(e2e_ms_desde_inicio)
    E2E_JOGO_PID=""
    E2E_JANELA=""
    e2e_parar_pid "$E2E_VIGIA_PID"
    E2E_VIGIA_PID=""
    e2e_log "game ended with status $E2E_STATUS"
    ! e2e_console_tem "Shutting down took more than" || e2e_log "WARNING: the game's shutdown did not finish by itself"
}

# Finds the game's window (the library names its class "allegro") and
# gives it the keyboard focus: with no window manager, keys go nowhere else.
e2e_janela() {
    e2e_janela_ou_fim "${1:-20}" || e2e_falhar "the game ended before opening its window"
}

# The game ended before its window because the library found no X server,
# though one was answering a moment before: the scenario is not about that,
# so the game is started once more, after noting what the server said.
e2e_reiniciar_se_sem_display() {
    [ "$E2E_REINICIOS" -eq 0 ] && e2e_console_tem "Cannot start the game library" || return 1
    E2E_REINICIOS=1
    wait "$E2E_JOGO_PID" 2>/dev/null
    e2e_parar_pid "$E2E_VIGIA_PID"
    if e2e_display_responde; then
        e2e_log "WARNING: the game did not reach the X server on $DISPLAY, which answers; trying again"
    else
        e2e_log "WARNING: the X server on $DISPLAY stopped answering; trying again"
    fi
    sed 's/^/  xvfb: /' "$E2E_ARTEFACTOS/xvfb.txt"
    mv "$E2E_ARTEFACTOS/console.txt" "$E2E_ARTEFACTOS/console-tentativa-1.txt"
    e2e_display_responde || { e2e_parar_pid "$E2E_XVFB_PID"; e2e_xvfb; }
    e2e_jogo_iniciar "$E2E_LIMITE_JOGO"
}

# e2e_janela_ou_fim SEGUNDOS: like e2e_janela, but the game may also end
# before showing a window (it refuses to start): then returns 1.
e2e_janela_ou_fim() {
    local limite=${1:-20} i w
    for i in $(seq $((limite * 10))); do
        if ! e2e_jogo_vivo; then
            e2e_reiniciar_se_sem_display || return 1
            continue
        fi
        w=$(xdotool search --onlyvisible --class allegro 2>/dev/null | head -1)
        if [ -n "$w" ]; then
            E2E_JANELA=$w
            # A compositor gives the focus itself, as it pleases.
            [ -n "$E2E_DISPLAY_XVFB" ] || timeout 10 xdotool windowfocus --sync "$w" \
                || e2e_falhar "could not focus the window"
            e2e_medir_janela
            e2e_log "window $w (x$E2E_ESCALA) after $(e2e_ms_desde_inicio) ms"
            return 0
        fi
        sleep 0.1
    done
    e2e_falhar "the game's window did not appear in $limite s"
}

# A key held for DURACAO seconds (0.1 by default, a player's tap) in one
# xdotool call (under a compositor, through its keyboard).
e2e_tecla() {
    local tecla=$1 duracao=${2:-0.1}
    DISPLAY=${E2E_DISPLAY_XVFB:-$DISPLAY} timeout 10 xdotool keydown "$tecla" sleep "$duracao" keyup "$tecla" \
        || e2e_falhar "xdotool did not send the key $tecla"
}

# Another X client's window, made once, that can take the keyboard focus
# from the game (a player switching windows): e2e_focar_outra_janela moves
# the focus there, e2e_focar_jogo back.
e2e_outra_janela() {
    [ -n "${E2E_OUTRA_JANELA:-}" ] && return 0
    xev -geometry 16x16+1000+740 -name outra-janela >/dev/null 2>&1 &
    E2E_OUTRA_PID=$!
    E2E_OUTRA_JANELA=$(timeout 10 xdotool search --sync --name '^outra-janela$' 2>/dev/null | head -1)
    [ -n "$E2E_OUTRA_JANELA" ] || e2e_falhar "the other window did not appear"
}
e2e_focar_outra_janela() {
    e2e_outra_janela
    timeout 10 xdotool windowfocus --sync "$E2E_OUTRA_JANELA" || e2e_falhar "could not focus the other window"
}
e2e_focar_jogo() {
    timeout 10 xdotool windowfocus --sync "$E2E_JANELA" || e2e_falhar "could not focus the game's window"
}

# The window's close button, pressed the way a window manager does.
e2e_fechar_janela() {
    E2E_JANELA_FECHADA=1
    ASAN_OPTIONS=detect_leaks=0 timeout 10 "$E2E_FECHAR" "$E2E_JANELA" \
        || e2e_falhar "could not send the close to the window"
}

# The window's scale (its width in 800-pixel pictures): the scenarios'
# pixels are the picture's, the window's are as many times larger.
e2e_medir_janela() {
    local largura
    largura=$(xwininfo -id "$E2E_JANELA" 2>/dev/null | awk '/Width:/ {print $2}')
    E2E_ESCALA=$(( ${largura:-800} / 800 ))
    [ "$E2E_ESCALA" -ge 1 ] || E2E_ESCALA=1
}

# e2e_esperar_janela CHEIA LARGURA ALTURA: until the game's window has
# that size and its window manager says it is fullscreen (1) or not (0),
# within 5 s; sets X, Y, WIDTH and HEIGHT (xdotool getwindowgeometry).
e2e_janela_esta() {
    eval "$(xdotool getwindowgeometry --shell "$E2E_JANELA")"
    xprop -id "$E2E_JANELA" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN && cheia=1 || cheia=0
    [ "$cheia $WIDTH $HEIGHT" = "$1 $2 $3" ]
}
e2e_esperar_janela() {
    local cheia
    e2e_ate 5 e2e_janela_esta "$@" || e2e_falhar "the window is ${WIDTH}x$HEIGHT, fullscreen $cheia, instead of $2x$3, fullscreen $1"
}

# The pointer's place on the screen for picture pixel (X, Y), as xdotool's
# mousemove takes it: in the window (times its scale), or in fullscreen on
# the whole screen (within E2E_TELA_CHEIA, the picture's WxH+X+Y there).
e2e_ponto() {
    if [ -n "$E2E_TELA_CHEIA" ]; then
        local w h x y
        IFS='x+' read -r w h x y <<<"$E2E_TELA_CHEIA"
        echo "$((x + (2 * $1 + 1) * w / 1600)) $((y + (2 * $2 + 1) * h / 1200))"
    else
        echo "--window $E2E_JANELA $(($1 * E2E_ESCALA)) $(($2 * E2E_ESCALA))"
    fi
}

e2e_mover_rato() {
    # shellcheck disable=SC2046
    timeout 10 xdotool mousemove $(e2e_ponto "$1" "$2") || e2e_falhar "xdotool did not move the mouse"
}

# e2e_clicar X Y [DURACAO]: button held on picture pixel (X, Y).
e2e_clicar() {
    local duracao=${3:-0.15}
    # shellcheck disable=SC2046
    timeout 10 xdotool mousemove $(e2e_ponto "$1" "$2") sleep 0.05 mousedown 1 sleep "$duracao" mouseup 1 \
        || e2e_falhar "xdotool did not click at $1,$2"
}

# A screenshot of the game's window as BMP (what the eye reads), always into
# one scratch file, for the frequent looks of a loop. -> its path. A look
# takes well under a second; one at a window that goes away meanwhile can
# hang until its timeout. An enlarged window is sampled back to the
# picture's 800x600; in fullscreen (E2E_TELA_CHEIA, the picture's
# WxH+X+Y on the screen) the picture is cut out of the whole screen first.
e2e_olhada() {
    local arq=$E2E_ARTEFACTOS/.olhada.bmp
    [ -n "$E2E_JANELA" ] || return 1
    if [ -n "$E2E_TELA_CHEIA" ]; then
        timeout 5 import -window root -crop "$E2E_TELA_CHEIA" miff:- 2>/dev/null \
            | convert - +repage -sample '800x600!' "bmp3:$arq" 2>/dev/null || return 1
    elif [ "$E2E_ESCALA" -gt 1 ]; then
        timeout 5 import -window "$E2E_JANELA" miff:- 2>/dev/null | convert - -sample 800x600 "bmp3:$arq" 2>/dev/null \
            || return 1
    else
        timeout 5 import -window "$E2E_JANELA" "bmp3:$arq" 2>/dev/null || return 1
    fi
    echo "$arq"
}

# Keeps the last look as NN-NOME.png in the artefacts.
e2e_guardar_olhada() {
    E2E_FOTO_N=$((E2E_FOTO_N + 1))
    convert "$E2E_ARTEFACTOS/.olhada.bmp" \
        "$(printf '%s/%02d-%s.png' "$E2E_ARTEFACTOS" "$E2E_FOTO_N" "$1")" 2>/dev/null
}

# A fresh screenshot kept as NN-NOME.png.
e2e_foto() {
    e2e_olhada >/dev/null && e2e_guardar_olhada "$1"
}

# e2e_console_tem TEXTO: the console output so far contains TEXTO (bytes,
# so the Latin-1 messages match too).
e2e_console_tem() {
    LC_ALL=C grep -qF -- "$1" "$E2E_ARTEFACTOS/console.txt"
}
