#!/usr/bin/env bash
# Runs a command under a private Xvfb display, which is stopped afterwards.
# Usage: com-xvfb.sh COMMAND [ARGS...]
set -u
dir=$(mktemp -d)
trap 'kill "$xpid" 2>/dev/null; wait "$xpid" 2>/dev/null; rm -rf "$dir"' EXIT
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$dir/display" 2>"$dir/xvfb.log" &
xpid=$!
for _ in $(seq 100); do
  [ -s "$dir/display" ] && break
  sleep 0.1
done
if [ ! -s "$dir/display" ]; then
  echo "com-xvfb.sh: Xvfb did not start" >&2
  cat "$dir/xvfb.log" >&2
  exit 1
fi
DISPLAY=":$(head -n1 "$dir/display")" "$@"
