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

BUILD=${1:-build/dev}
ROUNDS=${2:-5}
GAME=$(realpath "$BUILD/src/app/Zembrot")
BARE=$(realpath "$BUILD/bench/zembrot_bare_window")
WORK=$(mktemp -d)
XVFB_PID=
PROGRAM_PID=
trap 'for pid in $PROGRAM_PID $XVFB_PID; do kill "$pid" 2>/dev/null || true; done; rm -rf "$WORK"' EXIT

# A display of our own; -noreset keeps it up between the programs.
for number in $(seq 200 239); do
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] && continue
  Xvfb ":$number" -screen 0 1280x1024x24 -noreset -nolisten tcp > "$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done
  if kill -0 "$XVFB_PID" 2>/dev/null && [ -e "/tmp/.X11-unix/X$number" ]; then
    export DISPLAY=":$number"
    break
  fi
  XVFB_PID=
done
[ -n "$XVFB_PID" ] || { echo "no virtual display could be started" >&2; exit 1; }

# The game reads its default list from the current folder.
cp data/食物.txt "$WORK/"

# measure <program> <window caption>: prints "<resident kB> <speech libraries mapped>".
measure() {
  local program=$1 caption=$2 resident mapped
  (cd "$WORK" && exec "$program") > /dev/null 2>&1 &
  PROGRAM_PID=$!
  xdotool search --sync --onlyvisible --name "^$caption\$" > /dev/null
  # Let the first paint and the fonts settle.
  sleep 2
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
