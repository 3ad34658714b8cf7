#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows check: cross-compiles the layers without Qt (base, content and
# speech with the platform speech engine) and their tests with mingw-w64,
# warnings as errors, and runs the tests under Wine twice: with a Chinese
# system code page (936) and with an English one (1252). The game's texts
# are GBK on every Windows, so both runs must pass. Safe to run again: the
# build folder, the locales and the Wine prefix are kept in build/windows.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup-debian.sh --for-tests

build=build/windows
mkdir -p "$build"
build=$(cd "$build" && pwd)

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja --toolchain "$PWD/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZEMBROT_WERROR=ON \
  -DZEMBROT_BUILD_GUI=OFF -DZEMBROT_BUILD_BENCHMARKS=OFF \
  -DZEMBROT_GTEST_SOURCE_DIR=/usr/src/googletest "${launcher[@]}" >"$build/configure.log" ||
  { cat "$build/configure.log"; exit 1; }
cmake --build "$build" -j "$(nproc)"

# Wine takes the system's code page from the locale it starts in; the two
# locales are built here rather than for the whole machine.
export LOCPATH="$build/locales"
mkdir -p "$LOCPATH"
for locale in zh_CN en_US; do
  [ -e "$LOCPATH/$locale.UTF-8" ] || localedef -i "$locale" -f UTF-8 "$LOCPATH/$locale.UTF-8"
done

# A Wine prefix of our own, made once, with no display and no downloads of
# Wine's .NET and browser add-ons.
export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all DISPLAY=
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wine=$(command -v wine64 || echo /usr/lib/wine/wine64)
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  LANG=en_US.UTF-8 "$wine" wineboot --init >"$build/wineboot.log" 2>&1 ||
    { cat "$build/wineboot.log"; exit 1; }
  # The tests start with a server of their own: right after the set-up,
  # Wine's COM services do not answer yet.
  "$wineserver" -w
fi

status=0
for run in "zh_CN.UTF-8 936" "en_US.UTF-8 1252"; do
  read -r locale codepage <<<"$run"
  log="$build/ctest-$locale.log"
  echo "== Windows tests under Wine, $locale (system code page $codepage)"
  if ! LANG=$locale LC_ALL=$locale ZEMBROT_EXPECTED_ACP=$codepage \
      ctest --test-dir "$build" --output-on-failure -V >"$log" 2>&1; then
    grep -E "Failure|FAILED|Test +#" "$log" || true
    echo "   failed; the whole output is in $log"
    status=1
  fi
  # One line per test program: what GoogleTest ran, passed and skipped.
  awk '
    /Test command: / { name = $0; sub(/\.exe.*/, "", name); sub(/.*\//, "", name) }
    /\[==========\] [0-9]+ tests? from .* ran/ { split($0, a, "] "); split(a[2], b, " "); ran[name] = b[1] }
    /\[  PASSED  \] [0-9]+ test/ { split($0, a, "] "); split(a[2], b, " "); passed[name] = b[1] }
    /\[  SKIPPED \] [0-9]+ test/ { split($0, a, "] "); split(a[2], b, " "); skipped[name] = b[1] }
    END {
      for (n in ran) {
        printf "   %-24s %4d ran, %4d passed, %d skipped\n", n, ran[n], passed[n], skipped[n]
        total += ran[n]; ok += passed[n]; skip += skipped[n]
      }
      printf "   %-24s %4d ran, %4d passed, %d skipped\n", "all", total, ok, skip
    }' "$log"
done
"$wineserver" -w 2>/dev/null || true
exit "$status"
