#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets in fuzz/ with clang (address and undefined-
# behaviour sanitizers on) and runs each for a bounded time, starting from
# the corpus kept in fuzz/corpus/. New inputs the fuzzer finds go to a
# scratch folder, and so do the files the targets write; a crash leaves its input in build/fuzz/ and fails the run.
# ZEMBROT_FUZZ_SECONDS sets the time per target (60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/setup-debian.sh --for-tests

seconds=${ZEMBROT_FUZZ_SECONDS:-60}
jobs=$(nproc)

cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
  -DZEMBROT_FUZZ=ON -DZEMBROT_BUILD_TESTS=OFF -DZEMBROT_BUILD_BENCHMARKS=OFF
cmake --build build/fuzz -j "$jobs" --target zembrot_load_lines_fuzzer zembrot_main_window_fuzzer

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in load_lines main_window; do
  mkdir -p "$scratch/$target" "$scratch/tmp-$target"
  echo "fuzzing $target for ${seconds}s"
  # Qt and fontconfig keep caches until exit; leaks are the sanitizer run's
  # business (scripts/test.sh), not the fuzzer's.
  # Absolute paths: the window target works in a folder of its own.
  # The fuzzer's running commentary goes to a log; its closing figures are
  # shown, and the whole log when it finds something.
  log="$root/build/fuzz/$target.log"
  if ! (cd build/fuzz && TMPDIR="$scratch/tmp-$target" QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 "$PWD/fuzz/zembrot_${target}_fuzzer" \
      -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 -max_len=65536 -detect_leaks=0 \
      -print_final_stats=1 "$scratch/$target" "$root/fuzz/corpus/$target") >"$log" 2>&1; then
    cat "$log"
    exit 1
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::new_units_added)' "$log" || true
done
