#!/usr/bin/env bash
# A record file the game may not write: the race still ends normally, the
# main menu comes back, one console line names "records.txt", and the file
# keeps exactly what it held. The city has no traffic here: the record
# file is under test, and the whole race with traffic is the race
# scenario's.
#
#   recordes-somente-leitura.sh RONCO JOGO ARTEFACTOS OLHO FECHAR
source "$(dirname "$0")/comum.sh"
source "$(dirname "$0")/jogo.sh"

e2e_preparar "$@"
e2e_xvfb
e2e_som microfone 440
e2e_sem_trafego "$E2E_TRABALHO"
e2e_usuario_sem_privilegios
printf 'Tempo: 61234 mills\n' >"$E2E_TRABALHO/records.txt"
chown 0:0 "$E2E_TRABALHO/records.txt" 2>/dev/null
chmod 444 "$E2E_TRABALHO/records.txt"
cp "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes"

e2e_jogo_iniciar 900
e2e_janela
e2e_cortar_abertura 60
e2e_correr 240
[ -n "$E2E_MS_CHEGADA" ] || e2e_falhar "o menu voltou sem a chegada ter sido vista"

cmp -s "$E2E_TRABALHO/records.txt" "$E2E_ARTEFACTOS/.recordes-antes" \
    || e2e_falhar "records.txt mudou apesar de só poder ser lido"
e2e_console_tem "records.txt" || e2e_falhar "nenhuma linha no console fala de records.txt"
LC_ALL=C grep -a "records.txt" "$E2E_ARTEFACTOS/console.txt" | head -3 | cut -c1-300

e2e_sair_pelo_menu
