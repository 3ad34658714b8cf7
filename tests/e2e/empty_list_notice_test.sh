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
# The words fall only once there are two of them: wait for the first, then
# for the field to change, which only the second can make it do (both texts
# of a word are alike, so their alternation shows nothing).
wait_until 60 words_on_field || fail "no word came onto the play field"
field_picture "$WORK_DIR/field_a.png"
field_changed() {
  field_picture "$WORK_DIR/field_b.png" 2>/dev/null || return 1
  [ "$(compare -metric AE "$WORK_DIR/field_a.png" "$WORK_DIR/field_b.png" null: 2>&1 || true)" != 0 ]
}
wait_until 60 field_changed || fail "the field never showed a second word"

# 自定义练习内容 is the second command of the menu bar: its notice first,
# then the open dialog.
xdotool mousemove --window "$window" 85 $((client_top / 2)) click 1
explain=$(find_window "Zembrot") || fail "the custom-content notice did not open"
focus_window "$explain"
xdotool key Return
# Qt's own file dialog, captioned "Open".
dialog=$(find_window "Open") || fail "the open dialog did not open"
focus_window "$dialog"
xdotool type --delay 10 "$WORK_DIR/lists/blank.txt"
xdotool key Return

notice=$(find_window "Zembrot") || fail "the empty-list notice did not open"
expect_words_falling_behind_notice "$notice" empty_list_notice

close_notices_and_game "$window"
echo "passed"
