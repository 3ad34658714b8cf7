#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages Zembrot needs. Without options: what building
# and playing the game needs, nothing more. Options add to that:
#   --virtual-display  an X server without a screen (xvfb-run), for starting
#                      the game on a machine that has no display
#   --for-tests        everything the tests need as well: GoogleTest and
#                      Google Benchmark, the end-to-end tools (Xvfb, xdotool,
#                      ImageMagick, a sound server, a window manager), the
#                      package checks, clang for the fuzzers, and mingw-w64
#                      and Wine for the Windows check
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

# Building and playing: compiler and build tools, Qt with its SQLite driver
# (the learning record), the speech engines and their audio output, the
# icon renderer the build draws the icon with, and fonts with Chinese glyphs.
play_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libqt6sql6-sqlite
  libespeak-ng-dev espeak-ng-data
  flite1-dev libpcaudio-dev
  librsvg2-bin
  fonts-arphic-uming fonts-wqy-zenhei
)

virtual_display_packages=(
  xvfb xauth
)

test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev googletest
  libx11-dev xvfb xauth xdotool x11-utils imagemagick sqlite3
  pulseaudio pulseaudio-utils
  locales
  dpkg-dev lintian appstream desktop-file-utils icewm
  clang-14 libfuzzer-14-dev libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine wine64
)

packages=("${play_packages[@]}")
for option in "$@"; do
  case "$option" in
    --virtual-display) packages+=("${virtual_display_packages[@]}") ;;
    --for-tests) packages+=("${test_packages[@]}") ;;
    *)
      echo "usage: $0 [--virtual-display] [--for-tests]" >&2
      exit 2
      ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
