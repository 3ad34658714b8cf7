# SPDX-License-Identifier: GPL-3.0-or-later
# 学习统计 as a learner meets it: after a word it opens beside a game that
# goes on: a word typed into the game while the window is open scores and
# is recorded. (The empty record's window is the widget tests' business.)
source "$(dirname "$0")/lib.sh"

export XDG_DATA_HOME="$WORK_DIR/data"
record="$XDG_DATA_HOME/zembrot/progress.sqlite3"
mkdir -p "$WORK_DIR/lists" "$XDG_DATA_HOME"
write_practice_list "$WORK_DIR/lists" "apple,苹果" "pear,梨"

# open_statistics: 设置, then the third item from the bottom (学习统计,
# above 停止记录学习进度 and 删除学习记录…).
open_statistics() {
  xdotool mousemove $((X + 10)) $((Y + 10)) click 1
  sleep 0.8
  xdotool key Up
  sleep 0.2
  xdotool key Up
  sleep 0.2
  xdotool key Up
  sleep 0.2
  xdotool key Return
  find_window "学习统计" 10 > /dev/null || fail "学习统计 opened no window"
}

start_game "$WORK_DIR/lists" --progress
find_main_window
find_window Zembrot 10 > /dev/null || fail "no notice says what the record keeps"
close_dialogs
sleep 0.3

press_start
type_word apple
wait_for_caption "$window" "得分:1" 15
sleep 0.5
close_dialogs  # the notice of a missing sound server, if any
open_statistics
sleep 0.5
screenshot statistics_one_word

# The game goes on behind the window: pear falls and can be typed.
scored=
for _ in $(seq 20); do
  type_word pear
  sleep 0.5
  score=$(xdotool getwindowname "$window")
  score=${score#得分:}
  if [ "$score" -gt 1 ] 2>/dev/null; then scored=yes; break; fi
done
[ -n "$scored" ] || fail "no word scored while 学习统计 was open (caption \"$(xdotool getwindowname "$window")\")"
[ -n "$(xdotool search --onlyvisible --name '^学习统计$' 2>/dev/null)" ] || fail "学习统计 went away"

close_and_expect_exit_code_0 "$window"
reviews=$(sqlite3 "$record" "SELECT count(*) FROM review WHERE outcome IN (1, 2)")
[ "$reviews" -ge 2 ] || fail "$reviews typed words in the record, not 2 or more"
echo "passed"
