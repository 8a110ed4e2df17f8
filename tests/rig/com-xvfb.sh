#!/usr/bin/env bash
# Runs a command under a private Xvfb display (the end-to-end scenarios'
# own), which is stopped afterwards.
# Usage: com-xvfb.sh COMMAND [ARGS...]
source "$(dirname "$0")/../e2e/comum.sh"
E2E_ARTEFACTOS=$(mktemp -d)
trap 'e2e_parar_pid "$E2E_XVFB_PID"; rm -rf "$E2E_ARTEFACTOS"' EXIT
e2e_xvfb >/dev/null || exit 1
"$@"
