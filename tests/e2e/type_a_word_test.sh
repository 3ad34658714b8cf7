# SPDX-License-Identifier: GPL-3.0-or-later
# A player starts a game, types a falling word and presses Enter: the score
# in the window caption becomes 1.
source "$(dirname "$0")/lib.sh"

write_ten_word_list "$WORK_DIR/lists"
start_game "$WORK_DIR/lists"

find_main_window

xdotool mousemove --window "$window" 190 $((client_top + 492)) click 1
# The first tick shows the score and spawns the first word: "apple".
wait_for_caption "$window" "得分:0"
type_word apple
wait_for_caption "$window" "得分:1"
screenshot after_match

close_notices_and_game "$window"
echo "passed"
