# SPDX-License-Identifier: GPL-3.0-or-later
# A player matches the last word of a one-line list during a game: the
# game-over notice opens, and behind it the words go on falling and new ones
# arrive until the notice is closed.
source "$(dirname "$0")/lib.sh"

# notice_open: whether a notice (captioned with the title) is on screen.
notice_open() {
  local id
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "Zembrot" ] && return 0
  done
  return 1
}

mkdir "$WORK_DIR/lists"
# Both texts alike, so that the alternation cannot change the picture: only
# falling and spawning can.
write_practice_list "$WORK_DIR/lists" "apple,apple"
start_game "$WORK_DIR/lists"

find_main_window
press_start
type_word apple

notice=$(find_window "Zembrot" 15) || fail "the game-over notice did not open"
expect_words_falling_behind_notice notice_open
xdotool windowfocus "$notice" 2>/dev/null || true

# Every further word of the list is matched too, each with its own notice.
quiet=0
for _ in $(seq 15); do
  if notice_open; then
    quiet=0
    close_dialogs
  else
    quiet=$((quiet + 1))
    [ "$quiet" -ge 3 ] && break
  fi
  sleep 0.6
done
close_and_expect_exit_code_0 "$window"
echo "passed"
