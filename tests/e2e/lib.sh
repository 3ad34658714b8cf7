# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers shared by the end-to-end scripts. Each script runs under its own
# Xvfb display (1280 x 1024) and gets the program and the close helper as $1, $2.
set -euo pipefail

PROGRAM=$(realpath "$1")
CLOSE_WINDOW=$(realpath "$2")
SCREEN_WIDTH=1280
SCREEN_HEIGHT=1024
WORK_DIR=$(mktemp -d)
GAME_PID=
trap 'finish_cleanup' EXIT

finish_cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then kill -9 "$GAME_PID" 2>/dev/null || true; fi
  rm -rf "$WORK_DIR"
}

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${ZEMBROT_E2E_SCREENSHOTS:-}" ]; then import -window root "$ZEMBROT_E2E_SCREENSHOTS/failure.png" || true; fi
  exit 1
}

# write_practice_list <folder> <utf-8 lines...>: "食物.txt" in GBK with CR LF.
write_practice_list() {
  local folder=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t GBK > "$folder/食物.txt"
}

# start_game <folder> [arguments...]: starts the program with that folder as
# current directory.
start_game() {
  local folder=$1
  shift
  (cd "$folder" && exec "$PROGRAM" "$@") > "$WORK_DIR/stdout" 2> "$WORK_DIR/stderr" &
  GAME_PID=$!
}

# find_window <exact caption> [seconds]: prints the id of the window with that caption.
find_window() {
  local caption=$1 seconds=${2:-30} id
  for _ in $(seq $((seconds * 10))); do
    for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
      if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$caption" ]; then
        echo "$id"
        return 0
      fi
    done
    kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended before showing \"$caption\": $(cat "$WORK_DIR/stderr")"
    sleep 0.1
  done
  return 1
}

# wait_for_caption <window> <caption> [seconds]
wait_for_caption() {
  local window=$1 caption=$2 seconds=${3:-30}
  for _ in $(seq $((seconds * 10))); do
    [ "$(xdotool getwindowname "$window" 2>/dev/null)" = "$caption" ] && return 0
    sleep 0.1
  done
  fail "caption \"$caption\" never came; it is \"$(xdotool getwindowname "$window" 2>/dev/null)\""
}

# close_dialogs: closes every open notice or error box (captioned with the
# title, which comes from the executable's name: "Zembrot").
close_dialogs() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "Zembrot" ]; then "$CLOSE_WINDOW" "$id" || true; fi
  done
}

# close_and_expect_exit_code_0 <window>
close_and_expect_exit_code_0() {
  "$CLOSE_WINDOW" "$1" || fail "could not send the close request"
  local status=0
  for _ in $(seq 100); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$GAME_PID" 2>/dev/null && fail "the program did not end after its window was closed"
  wait "$GAME_PID" || status=$?
  GAME_PID=
  [ "$status" -eq 0 ] || fail "exit code $status: $(cat "$WORK_DIR/stderr")"
}

screenshot() {
  if [ -n "${ZEMBROT_E2E_SCREENSHOTS:-}" ]; then import -window root "$ZEMBROT_E2E_SCREENSHOTS/$1.png"; fi
}

# find_main_window: sets $window to the main window, X, Y, WIDTH and HEIGHT
# to its geometry and $client_top to what lies above its 510-pixel client
# area (the menu bar).
find_main_window() {
  window=$(find_window "Zembrot 1.01") || fail "no window captioned \"Zembrot 1.01\""
  sleep 0.5
  eval "$(xdotool getwindowgeometry --shell "$window")"
  client_top=$((HEIGHT - 510))
}

# press_start: clicks the Start button (152,480, 81 x 25 in the client area);
# the first tick shows the score.
press_start() {
  xdotool mousemove --window "$window" 190 $((client_top + 492)) click 1
  wait_for_caption "$window" "得分:0" 10
}

# type_word <text>: types the text into the main window and presses Enter.
type_word() {
  xdotool windowfocus "$window" 2>/dev/null || true
  xdotool type --delay 20 "$1"
  xdotool key Return
}

# expect_words_falling_behind_notice <screenshot name>: two pictures of the
# screen two seconds apart differ, while the open notice itself stands still.
expect_words_falling_behind_notice() {
  local changed
  sleep 0.5
  import -window root "$WORK_DIR/notice_a.png"
  sleep 2
  import -window root "$WORK_DIR/notice_b.png"
  screenshot "$1"
  changed=$(compare -metric AE "$WORK_DIR/notice_a.png" "$WORK_DIR/notice_b.png" null: 2>&1 || true)
  echo "pixels changed behind the open notice: $changed"
  [ "${changed%%.*}" -gt 50 ] 2>/dev/null || fail "the words stood still behind the notice ($changed pixels changed)"
}
