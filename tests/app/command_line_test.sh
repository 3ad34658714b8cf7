# SPDX-License-Identifier: GPL-3.0-or-later
# The real program's command line: --help, --version and --stats answer in
# a terminal with no display at all; anything Qt does not take is refused with exit 2.
set -euo pipefail
PROGRAM=$1
OUT=$(mktemp)
ERR=$(mktemp)
trap 'rm -f "$OUT" "$ERR"' EXIT
failures=0

stderr_has() {
  if [ -z "$1" ]; then [ ! -s "$ERR" ]; else grep -qxF -- "$1" "$ERR"; fi
}

# expect <exit code> <first line of stdout> <line of stderr, or "" for none> <arguments...>
# (Qt may add its own warnings to stderr once it runs.)
expect() {
  local code=$1 out=$2 err=$3 status=0
  shift 3
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ${PLATFORM:+QT_QPA_PLATFORM=$PLATFORM} \
    timeout 20 "$PROGRAM" "$@" > "$OUT" 2> "$ERR" < /dev/null || status=$?
  if [ "$status" != "$code" ] || [ "$(head -n 1 "$OUT")" != "$out" ] || ! stderr_has "$err"; then
    echo "FAIL: zembrot $*: exit $status (want $code)" >&2
    echo "  stdout: $(head -n 1 "$OUT") (want: $out)" >&2
    echo "  stderr: $(cat "$ERR") (want: $err)" >&2
    failures=$((failures + 1))
  fi
}

PLATFORM=
expect 0 "Usage: zembrot [OPTION]" "" --help
expect 0 "Usage: zembrot [OPTION]" "" -h
expect 0 "Zembrot 1.01" "" --version
expect 0 "Zembrot 1.01" "" --version --help
expect 0 "Usage: zembrot [OPTION]" "" -style fusion --help

# The record's summary needs no display either; without a record it says so.
export XDG_DATA_HOME="$(mktemp -d)"
trap 'rm -f "$OUT" "$ERR"; rm -rf "$XDG_DATA_HOME"' EXIT
expect 1 "" "zembrot: no learning record at $XDG_DATA_HOME/zembrot/progress.sqlite3 (start the game with --progress to keep one)" --stats
[ -z "$(ls -A "$XDG_DATA_HOME")" ] || { echo "FAIL: --stats made files" >&2; failures=$((failures + 1)); }

# Refusing needs the application to have taken Qt's options first.
PLATFORM=offscreen
expect 2 "" "zembrot: unknown argument '--frobnicate'" --frobnicate
expect 2 "" "zembrot: unknown argument 'list.txt'" -platform offscreen list.txt
expect 2 "" "zembrot: unknown argument '--'" -- --help

[ "$failures" -eq 0 ] || exit 1
echo "command line: all cases passed"
