#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Memory at start: the game's resident memory once its window shows,
# against a bare Qt window of the same size and menu (bench/bare_window.cpp),
# both started alternately on one virtual display; the medians of several
# rounds and their ratio (the goal: at most 1.2). Also says whether any
# speech library is mapped before a word has been spoken (it must not be).
#
# Usage: bash bench/startup_memory.sh [build folder] [rounds]
# Needs Xvfb and xdotool; prints one line per program and the ratio.
set -euo pipefail
cd "$(dirname "$0")/.."

# A display of our own, which never resets between the programs.
if [ -z "${ZEMBROT_STARTUP_MEMORY_DISPLAY:-}" ]; then
  exec env ZEMBROT_STARTUP_MEMORY_DISPLAY=1 bash tests/e2e/with_virtual_display.sh bash "$0" "$@"
fi

BUILD=${1:-build/dev}
ROUNDS=${2:-5}
GAME=$(realpath "$BUILD/src/app/Zembrot")
BARE=$(realpath "$BUILD/bench/zembrot_bare_window")
WORK=$(mktemp -d)
PROGRAM_PID=
trap 'if [ -n "$PROGRAM_PID" ]; then kill "$PROGRAM_PID" 2>/dev/null || true; fi; rm -rf "$WORK"' EXIT

source tests/e2e/wait_until.sh

# The game reads its default list from the current folder.
cp data/食物.txt "$WORK/"

# painted <caption>: the window with that caption is on screen and painted
# (its picture holds more than one colour: the menu bar's text at least).
painted() {
  local window colours
  window=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || return 1
  [ -n "$window" ] || return 1
  colours=$(import -window "$window" png:- 2>/dev/null | identify -format '%k' - 2>/dev/null) || return 1
  [ "${colours:-1}" -gt 1 ]
}

# measure <program> <window caption>: prints "<resident kB> <speech libraries mapped>",
# taken once the window is painted with its fonts.
measure() {
  local program=$1 caption=$2 resident mapped
  (cd "$WORK" && exec "$program") > /dev/null 2>&1 &
  PROGRAM_PID=$!
  wait_until 60 painted "$caption" || { echo "\"$caption\" never showed" >&2; exit 1; }
  resident=$(awk '/^VmRSS:/ { print $2 }' "/proc/$PROGRAM_PID/status")
  mapped=$(grep -cE 'libflite|libespeak|libpcaudio|zembrot_speech_engines' "/proc/$PROGRAM_PID/maps" || true)
  kill "$PROGRAM_PID"
  wait "$PROGRAM_PID" 2>/dev/null || true
  PROGRAM_PID=
  echo "$resident $mapped"
}

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

: > "$WORK/game" && : > "$WORK/bare"
game_mapped=0
for _ in $(seq "$ROUNDS"); do
  read -r resident mapped < <(measure "$GAME" "Zembrot 1.01")
  echo "$resident" >> "$WORK/game"
  [ "$mapped" -gt "$game_mapped" ] && game_mapped=$mapped
  read -r resident _ < <(measure "$BARE" "Bare window")
  echo "$resident" >> "$WORK/bare"
done
game=$(median < "$WORK/game")
bare=$(median < "$WORK/bare")
echo "game:        $game kB resident (median of $ROUNDS: $(tr '\n' ' ' < "$WORK/game"))"
echo "bare window: $bare kB resident (median of $ROUNDS: $(tr '\n' ' ' < "$WORK/bare"))"
echo "speech library mappings in the game before any word: $game_mapped"
awk -v g="$game" -v b="$bare" 'BEGIN { printf "ratio: %.2fx (goal: at most 1.20x)\n", g / b }'
