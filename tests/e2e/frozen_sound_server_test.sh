# SPDX-License-Identifier: GPL-3.0-or-later
# A sound server that has stopped answering (kill -STOP) cannot hold the
# game: the first matched word gets the error box once, by the connection's
# deadline, while the words go on falling behind it; a later word brings no
# second box; closing the window ends the program within two seconds.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sound_server.sh"

# error_box_open: whether a box captioned with the title is on screen.
error_box_open() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "Zembrot" ] && return 0
  done
  return 1
}

start_sound_server
kill -STOP "$SOUND_PID"

mkdir "$WORK_DIR/lists"
write_practice_list "$WORK_DIR/lists" "apple,苹果" "pear,梨" "tea,茶" "rice,米饭" "milk,牛奶" "egg,鸡蛋" "bread,面包" \
  "fish,鱼" "soup,汤" "cake,蛋糕"
start_game "$WORK_DIR/lists"
find_main_window
press_start

xdotool windowfocus "$window" 2>/dev/null || true
xdotool type --delay 20 apple
enter=$(now_ms)
xdotool key Return
# The connection's one-second deadline, then the match's one-second pause,
# then the box: far from the eighteen seconds and more of a wait without end.
box=
for _ in $(seq 100); do
  error_box_open && { box=$(now_ms); break; }
  sleep 0.05
done
[ -n "$box" ] || fail "no error box within five seconds of the matched word"
echo "error box $((box - enter)) ms after Enter"
[ $((box - enter)) -le 3500 ] || fail "the error box came $((box - enter)) ms after Enter"
# Behind the box the window answers: the next tick shows the score, and
# the words keep falling.
wait_for_caption "$window" "得分:1" 1
expect_words_falling_behind_notice frozen_sound_box
close_dialogs
for _ in $(seq 30); do error_box_open || break; sleep 0.1; done
error_box_open && fail "the error box did not close"

# A later word, the server still frozen: no second box.
type_word pear
wait_for_caption "$window" "得分:2" 15
for _ in $(seq 20); do
  error_box_open && fail "a second error box came up"
  sleep 0.1
done

close_and_time_exit "$window"
echo "the program ended $EXIT_MS ms after its window closed"
[ "$EXIT_MS" -le 2000 ] || fail "the program took $EXIT_MS ms to end after its window closed"
echo "passed"
