# SPDX-License-Identifier: GPL-3.0-or-later
# A sound server that has stopped answering (kill -STOP) cannot hold the
# game: the first matched word gets the error box once, by the connection's
# deadline, while the words go on falling behind it; a later word brings no
# second box; closing the window ends the program within two seconds.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sound_server.sh"

start_sound_server
freeze_sound_server

write_ten_word_list "$WORK_DIR/lists"
start_game "$WORK_DIR/lists"
find_main_window
press_start

focus_window "$window"
xdotool type --delay 20 apple
enter=$(now_ms)
xdotool key Return
# The connection's one-second deadline, then the match's one-second pause,
# then the box: far from the eighteen seconds and more of a wait without end.
box=
box_came() { notice_open && box=$(now_ms); }
wait_until 60 box_came || fail "no error box within a minute of the matched word"
echo "error box $((box - enter)) ms after Enter"
[ $((box - enter)) -le 3500 ] || fail "the error box came $((box - enter)) ms after Enter"
# Behind the box the window answers: the next tick shows the score, and
# the words keep falling.
wait_for_caption "$window" "得分:1"
expect_words_falling_behind_notice "$(window_captioned Zembrot)" frozen_sound_box
close_dialogs
box_closed() { ! notice_open; }
wait_until 30 box_closed || fail "the error box did not close"

# A later word, the server still frozen: no second box. Its match is done
# once the score shows it; a box would come with it, so the next two seconds
# are watched (an absence can only be watched for a while).
type_word pear
wait_for_caption "$window" "得分:2"
for _ in $(seq 20); do
  notice_open && fail "a second error box came up"
  sleep 0.1
done

close_and_time_exit "$window"
echo "the program ended $EXIT_MS ms after its window closed"
[ "$EXIT_MS" -le 2000 ] || fail "the program took $EXIT_MS ms to end after its window closed"
echo "passed"
