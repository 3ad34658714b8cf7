#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the build needs, builds everything with warnings as errors,
# runs every test through CTest, checks the Debian package, runs the suites
# again under AddressSanitizer and UndefinedBehaviorSanitizer, fuzzes for a
# bounded time and runs the Windows check under Wine. Safe to run again.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh --for-tests
export LANG=C.UTF-8

jobs=$(nproc)

cmake -S . -B build/test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBROT_WERROR=ON
cmake --build build/test -j "$jobs"
ctest --test-dir build/test --output-on-failure -j "$jobs"
bash scripts/test-package.sh build/test

# The sanitizer build runs the unit, widget and game suites (not the
# benchmarks, and not the end-to-end tests, which drive the release program).
cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEMBROT_WERROR=ON \
  -DZEMBROT_SANITIZE=ON -DZEMBROT_BUILD_BENCHMARKS=OFF
cmake --build build/sanitize -j "$jobs"
# ALSA and D-Bus keep what they allocated until the process ends; nothing
# else may leak.
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS=suppressions="$PWD/tests/speech/lsan_suppressions.txt" \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs" -LE e2e

bash scripts/fuzz.sh
bash scripts/test-windows.sh  # base, content and speech for Windows, tests under Wine
