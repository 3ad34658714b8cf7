# SPDX-License-Identifier: GPL-3.0-or-later
# Helpers shared by the end-to-end scripts. Each script runs on its own
# virtual display (1280 x 1024) and gets the program and the close helper as
# $1, $2.
#
# Every check waits for the state it looks at (a caption, a window on
# screen, a picture that changes), polling with a generous upper bound,
# never for a fixed time: a loaded machine only makes a check slower.
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

source "$(dirname "${BASH_SOURCE[0]}")/wait_until.sh"

# write_practice_list <folder> <utf-8 lines...>: "食物.txt" in GBK with CR LF.
write_practice_list() {
  local folder=$1
  shift
  printf '%s\r\n' "$@" | iconv -f UTF-8 -t GBK > "$folder/食物.txt"
}

# write_ten_word_list <folder>: makes the folder and writes it a list of ten
# foods, enough that "apple" does not come round again while a test types it.
write_ten_word_list() {
  mkdir -p "$1"
  write_practice_list "$1" "apple,苹果" "pear,梨" "tea,茶" "rice,米饭" "milk,牛奶" "egg,鸡蛋" "bread,面包" \
    "fish,鱼" "soup,汤" "cake,蛋糕"
}

# start_game <folder> [arguments...]: starts the program with that folder as
# current directory.
start_game() {
  local folder=$1
  shift
  (cd "$folder" && exec "$PROGRAM" "$@") > "$WORK_DIR/stdout" 2> "$WORK_DIR/stderr" &
  GAME_PID=$!
}

game_running() { kill -0 "$GAME_PID" 2>/dev/null; }
game_ended() { ! game_running; }

# window_captioned <exact caption>: prints the id of a visible window with
# that caption; fails if there is none.
window_captioned() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ]; then
      echo "$id"
      return 0
    fi
  done
  return 1
}

# find_window <exact caption> [seconds]: prints the id of the window with
# that caption once it is on screen.
find_window() {
  local caption=$1 seconds=${2:-60} deadline id
  deadline=$((SECONDS + seconds))
  until id=$(window_captioned "$caption"); do
    game_running || fail "the program ended before showing \"$caption\": $(cat "$WORK_DIR/stderr")"
    [ "$SECONDS" -lt "$deadline" ] || return 1
    sleep 0.1
  done
  wait_until 30 window_viewable "$id" || return 1
  echo "$id"
}

window_viewable() { xwininfo -id "$1" 2>/dev/null | grep -q "Map State: IsViewable"; }

caption_is() { [ "$(xdotool getwindowname "$1" 2>/dev/null)" = "$2" ]; }

# wait_for_caption <window> <caption> [seconds]
wait_for_caption() {
  local window=$1 caption=$2 seconds=${3:-60}
  wait_until "$seconds" caption_is "$window" "$caption" ||
    fail "caption \"$caption\" never came; it is \"$(xdotool getwindowname "$window" 2>/dev/null)\""
}

# focus_window <window>: gives the window the keyboard focus and waits until
# it has it, so that what is typed next goes there.
has_focus() {
  xdotool windowfocus "$1" 2>/dev/null || true
  [ "$(xdotool getwindowfocus 2>/dev/null)" = "$1" ]
}
focus_window() {
  wait_until 30 has_focus "$1" || fail "window $1 never took the keyboard focus"
}

# notice_open: whether a notice or error box (captioned with the title,
# which comes from the executable's name: "Zembrot") is on screen.
notice_open() { window_captioned "Zembrot" > /dev/null; }
no_notice_open() { ! notice_open; }

# drop_down_window: prints the id of the program's open drop-down menu, a
# window of its own beside the main window; fails if none is open.
drop_down_window() { xdotool search --onlyvisible --pid "$GAME_PID" 2>/dev/null | grep -vx "$window" | head -n 1 | grep .; }
drop_down_open() { drop_down_window > /dev/null; }
drop_down_closed() { ! drop_down_open; }

# close_dialogs: closes every open notice or error box.
close_dialogs() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "Zembrot" ]; then "$CLOSE_WINDOW" "$id" 2>/dev/null || true; fi
  done
}

# expect_exit_code_0: the program has ended with exit code 0.
expect_exit_code_0() {
  local status=0
  wait_until 60 game_ended || fail "the program did not end after its window was closed"
  wait "$GAME_PID" || status=$?
  GAME_PID=
  [ "$status" -eq 0 ] || fail "exit code $status: $(cat "$WORK_DIR/stderr")"
}

# close_and_expect_exit_code_0 <window>: no notice may be open.
close_and_expect_exit_code_0() {
  "$CLOSE_WINDOW" "$1" || fail "could not send the close request"
  expect_exit_code_0
}

# close_notices_and_game <window>: closes whatever notices are open (more may
# come while the game runs) and the main window, until the program ends;
# a notice is modal, so the main window closes only once none is open.
close_notices_and_game_once() {
  close_dialogs
  notice_open || "$CLOSE_WINDOW" "$1" 2>/dev/null || true
  game_ended
}
close_notices_and_game() {
  wait_until 60 close_notices_and_game_once "$1" || fail "the program did not end with its notices and window closed"
  expect_exit_code_0
}

screenshot() {
  if [ -n "${ZEMBROT_E2E_SCREENSHOTS:-}" ]; then import -window root "$ZEMBROT_E2E_SCREENSHOTS/$1.png"; fi
}

# find_main_window: sets $window to the main window, X, Y, WIDTH and HEIGHT
# to its geometry and $client_top to what lies above its 510-pixel client
# area (the menu bar).
find_main_window() {
  window=$(find_window "Zembrot 1.01") || fail "no window captioned \"Zembrot 1.01\""
  eval "$(xdotool getwindowgeometry --shell "$window")"
  client_top=$((HEIGHT - 510))
}

# press_start: clicks the Start button (152,480, 81 x 25 in the client area);
# the first tick shows the score and spawns the first word.
press_start() {
  xdotool mousemove --window "$window" 190 $((client_top + 492)) click 1
  wait_for_caption "$window" "得分:0"
}

# field_picture <file>: the play field (847 x 450 at the top of the client
# area) inside its frame.
field_picture() { import -window "$window" -crop 843x446+2+$((client_top + 2)) +repage "$1"; }

# words_on_field: the play field shows more than its background colour.
words_on_field() {
  local colours
  colours=$(field_picture png:- 2>/dev/null | identify -format '%k' - 2>/dev/null) || return 1
  [ "${colours:-1}" -gt 1 ]
}

# type_word <text>: types the text into the main window and presses Enter.
type_word() {
  focus_window "$window"
  xdotool type --delay 20 "$1"
  xdotool key Return
}

# expect_words_falling_behind_notice <notice> <screenshot name>: once the
# open notice is painted and stands still, the screen behind it changes,
# while the notice itself stays as it was.
notice_settled() {
  import -window "$1" "$WORK_DIR/notice_now.png" 2>/dev/null || return 1
  if [ -f "$WORK_DIR/notice_before.png" ] &&
    [ "$(compare -metric AE "$WORK_DIR/notice_before.png" "$WORK_DIR/notice_now.png" null: 2>&1 || true)" = 0 ]; then
    return 0
  fi
  mv "$WORK_DIR/notice_now.png" "$WORK_DIR/notice_before.png"
  return 1
}
screen_changed() {
  import -window root "$WORK_DIR/screen_b.png" 2>/dev/null || return 1
  changed=$(compare -metric AE "$WORK_DIR/screen_a.png" "$WORK_DIR/screen_b.png" null: 2>&1 || true)
  [ "${changed%%.*}" -gt 50 ] 2>/dev/null
}
expect_words_falling_behind_notice() {
  local notice=$1 still
  changed=
  rm -f "$WORK_DIR/notice_before.png"
  wait_until 30 notice_settled "$notice" || fail "the notice never stood still"
  import -window root "$WORK_DIR/screen_a.png"
  wait_until 30 screen_changed || fail "the words stood still behind the notice ($changed pixels changed)"
  echo "pixels changed behind the open notice: $changed"
  screenshot "$2"
  import -window "$notice" "$WORK_DIR/notice_after.png"
  still=$(compare -metric AE "$WORK_DIR/notice_before.png" "$WORK_DIR/notice_after.png" null: 2>&1 || true)
  [ "$still" = 0 ] || fail "the notice itself changed ($still pixels) while the words fell"
}
