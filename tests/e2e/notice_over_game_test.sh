# SPDX-License-Identifier: GPL-3.0-or-later
# A player matches the last word of a one-line list during a game: the
# game-over notice opens, and behind it the words go on falling and new ones
# arrive until the notice is closed.
source "$(dirname "$0")/lib.sh"

mkdir "$WORK_DIR/lists"
# Both texts alike, so that the alternation cannot change the picture: only
# falling and spawning can.
write_practice_list "$WORK_DIR/lists" "apple,apple"
start_game "$WORK_DIR/lists"

find_main_window
press_start
type_word apple

notice=$(find_window "Zembrot") || fail "the game-over notice did not open"
expect_words_falling_behind_notice "$notice" notice_open

# Every further word of the list is matched too, each with its own notice:
# they are closed as they come, and the window with them.
close_notices_and_game "$window"
echo "passed"
