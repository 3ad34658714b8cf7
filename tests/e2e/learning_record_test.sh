# SPDX-License-Identifier: GPL-3.0-or-later
# The learning record as a learner meets it. A plain start makes no file.
# With --progress the game says what it keeps and where; a word typed is in
# the record after the window has closed; a plain start then opens the record
# too, and 设置 has the record's items. (That no notice comes at the later
# start is the widget tests' business.)
source "$(dirname "$0")/lib.sh"

export XDG_DATA_HOME="$WORK_DIR/data"
record="$XDG_DATA_HOME/zembrot/progress.sqlite3"
mkdir -p "$XDG_DATA_HOME"
write_ten_word_list "$WORK_DIR/lists"

# settings_height: opens 设置, prints the height of its drop-down and closes
# it again.
settings_height() {
  local height
  xdotool mousemove $((X + 10)) $((Y + 10)) click 1
  wait_until 30 drop_down_open || fail "the 设置 drop-down did not open"
  height=$(xwininfo -id "$(drop_down_window)" | awk '/Height:/ { print $2 }')
  xdotool key Escape
  wait_until 30 drop_down_closed || fail "Escape did not close the 设置 drop-down"
  echo "$height"
}

# record_open: the game holds its record open (the record's thread opened
# it; whatever it has to say about it is on its way to the window).
record_open() { ls -l "/proc/$GAME_PID/fd" 2>/dev/null | grep -q "$record"; }

start_game "$WORK_DIR/lists"
find_main_window
plain_height=$(settings_height)
close_and_expect_exit_code_0 "$window"
[ -z "$(ls -A "$XDG_DATA_HOME")" ] || fail "a plain start made files: $(ls -R "$XDG_DATA_HOME")"

start_game "$WORK_DIR/lists" --progress
find_main_window
find_window Zembrot > /dev/null || fail "no notice says what the record keeps"
screenshot record_notice
close_dialogs
wait_until 30 no_notice_open || fail "the notice did not close"
press_start
type_word apple
wait_for_caption "$window" "得分:1"
# Without a sound server the game says so once; that box goes too.
close_notices_and_game "$window"

reviews=$(sqlite3 "$record" "SELECT w.english || ',' || w.chinese || ',' || r.outcome || ',' || r.grade || ',' || r.shown
                            FROM review r JOIN word w ON w.id = r.word_id")
echo "reviews: $reviews"
[ "$reviews" = "apple,苹果,1,3,chinese" ] || fail "the record holds \"$reviews\", not apple recalled"
games=$(sqlite3 "$record" "SELECT count(*) FROM game WHERE ended_ms >= started_ms")
[ "$games" = 1 ] || fail "$games ended games in the record, not 1"

start_game "$WORK_DIR/lists"
find_main_window
wait_until 60 record_open || fail "a later start does not open the record"
recording_height=$(settings_height)
screenshot record_menu
echo "设置 drop-down: $plain_height pixels without the record, $recording_height with it"
# Four more entries: a separator and three items of at least 15 pixels.
[ "$recording_height" -ge $((plain_height + 45)) ] || fail "设置 has no items of the record"
close_and_expect_exit_code_0 "$window"
echo "passed"
