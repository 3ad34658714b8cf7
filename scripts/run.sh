#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the game needs, builds it and starts it in data/, where the
# shipped practice list "食物.txt" is found. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

# Without a display the game starts on a virtual one, which then needs installing.
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  bash scripts/setup-debian.sh --virtual-display
else
  bash scripts/setup-debian.sh
fi
export LANG=${LANG:-C.UTF-8}

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DZEMBROT_BUILD_TESTS=OFF -DZEMBROT_BUILD_BENCHMARKS=OFF
cmake --build build/release --target zembrot -j "$(nproc)"

cd data
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: running the game on a virtual X display (xvfb-run)." >&2
  # -noreset: the server outlives its clients coming and going.
  exec xvfb-run -a -s "-noreset -screen 0 1280x1024x24" ../build/release/src/app/Zembrot
fi
exec ../build/release/src/app/Zembrot
