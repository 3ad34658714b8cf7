#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# with_virtual_display.sh <command> [arguments...]: runs the command on a
# virtual X display of its own (1280 x 1024, 24 bits) and ends the display
# afterwards; the command's exit code is the script's.
#
# The server picks a free display number itself and says which once it takes
# connections (-displayfd), so two of these never race for one number. It
# never resets (-noreset): a server that resets when its last client leaves
# refuses whoever connects during the reset, and checks start and end many
# short-lived clients (the game, xdotool, xprop, import).
set -euo pipefail

[ "$#" -gt 0 ] || { echo "usage: $0 <command> [arguments...]" >&2; exit 2; }

scratch=$(mktemp -d)
server=
stop_server() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null || true
    wait "$server" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap stop_server EXIT

Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1280x1024x24 3>"$scratch/display" 2>"$scratch/log" &
server=$!

# The number arrives with a line end once the server answers; a minute is
# far more than any start takes, even on a loaded machine.
number=
for _ in $(seq 600); do
  if [ "$(wc -l < "$scratch/display")" -ge 1 ]; then
    number=$(head -n 1 "$scratch/display")
    break
  fi
  kill -0 "$server" 2>/dev/null || break
  sleep 0.1
done
if [ -z "$number" ]; then
  echo "FAIL: the virtual display did not start: $(cat "$scratch/log")" >&2
  exit 1
fi

status=0
DISPLAY=":$number" "$@" || status=$?
exit "$status"
