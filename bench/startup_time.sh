#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Start-up of the game: the time from starting it to its window being mapped
# and its resident memory then (bench/time_to_window.cpp), as the median of
# several rounds on a virtual display of our own, without and with a learning
# record (a synthetic year of 36,500 reviews, bench/make_synthetic_record).
# Given a second program (the game built from another commit), both are
# started alternately and compared, with the shared libraries each loads and
# the size of their tables of start-up initialisers.
#
# Usage: bash bench/startup_time.sh [build folder] [rounds] [baseline program]
# Needs Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${1:-build/dev}
ROUNDS=${2:-15}
GAME=$(realpath "$BUILD/src/app/Zembrot")
BASELINE=${3:+$(realpath "$3")}
TIMER=$(realpath "$BUILD/bench/zembrot_time_to_window")
MAKE_RECORD=$(realpath "$BUILD/bench/make_synthetic_record")
WORK=$(mktemp -d)
XVFB_PID=
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; rm -rf "$WORK"' EXIT

for number in $(seq 240 279); do
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

cp data/食物.txt "$WORK/"
mkdir -p "$WORK/plain" "$WORK/recording"
XDG_DATA_HOME="$WORK/recording" "$MAKE_RECORD" > /dev/null

programs=("$GAME")
[ -n "$BASELINE" ] && programs+=("$BASELINE")

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

for setting in plain recording; do
  for p in "${!programs[@]}"; do : > "$WORK/$setting.$p"; done
  for _ in $(seq "$ROUNDS"); do
    for p in "${!programs[@]}"; do
      (cd "$WORK" && XDG_DATA_HOME="$WORK/$setting" "$TIMER" "Zembrot 1.01" "${programs[$p]}") \
        >> "$WORK/$setting.$p" 2>> "$WORK/stderr"
    done
  done
done

for p in "${!programs[@]}"; do
  echo "${programs[$p]}"
  for setting in plain recording; do
    echo "  $setting: $(cut -d' ' -f1 "$WORK/$setting.$p" | median) ms to the window," \
         "$(cut -d' ' -f2 "$WORK/$setting.$p" | median) kB resident (medians of $ROUNDS)"
  done
  init_array=$(objdump -h "${programs[$p]}" | awk '$2 == ".init_array" { print $3 }')
  echo "  start-up initialisers: $((0x${init_array:-0} / 8)) entries in .init_array;" \
       "shared libraries: $(ldd "${programs[$p]}" | wc -l)"
done
if [ -n "$BASELINE" ]; then
  if diff <(ldd "$GAME" | awk '{ print $1 }' | sort) <(ldd "$BASELINE" | awk '{ print $1 }' | sort) > /dev/null; then
    echo "both load the same shared libraries"
  else
    echo "the shared libraries differ:"
    diff <(ldd "$GAME" | awk '{ print $1 }' | sort) <(ldd "$BASELINE" | awk '{ print $1 }' | sort) || true
  fi
fi
