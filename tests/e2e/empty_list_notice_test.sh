# SPDX-License-Identifier: GPL-3.0-or-later
# Mid-game the player loads a list of blank lines: the next spawn finds no
# word and says so from inside the fall tick; behind that notice the words
# already on the field go on falling.
source "$(dirname "$0")/lib.sh"

mkdir "$WORK_DIR/lists"
# Both texts alike, so that the alternation cannot change the picture.
write_practice_list "$WORK_DIR/lists" "apple,apple" "pear,pear" "tea,tea"
printf '\r\n   \r\n\r\n' > "$WORK_DIR/lists/blank.txt"
start_game "$WORK_DIR/lists"

find_main_window

press_start
sleep 1.5

# 自定义练习内容 is the second command of the menu bar: its notice first,
# then the open dialog.
xdotool mousemove --window "$window" 85 $((client_top / 2)) click 1
explain=$(find_window "Zembrot" 10) || fail "the custom-content notice did not open"
xdotool windowfocus "$explain" 2>/dev/null || true
xdotool key Return
sleep 1
xdotool type --delay 10 "$WORK_DIR/lists/blank.txt"
xdotool key Return

notice=$(find_window "Zembrot" 15) || fail "the empty-list notice did not open"
expect_words_falling_behind_notice empty_list_notice

close_dialogs
sleep 0.3
close_and_expect_exit_code_0 "$window"
echo "passed"
