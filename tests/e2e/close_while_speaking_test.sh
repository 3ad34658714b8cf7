# SPDX-License-Identifier: GPL-3.0-or-later
# Closing the window ends the program within two seconds, whatever the
# speech thread is doing: speaking a long word, analysing a word of ten
# thousand letters, or waiting on a sound server that stopped answering in
# the middle of a word.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/sound_server.sh"

# letters <count>: a word of that many letters, "abcdefghij" over and over.
letters() {
  local ten=abcdefghij word=
  while [ ${#word} -lt "$1" ]; do word+=$ten; done
  echo "${word:0:$1}"
}

# match_long_word <word>: starts the game on a list led by the word, types
# it and presses Enter; returns once the match is counted.
match_long_word() {
  local word=$1
  mkdir -p "$WORK_DIR/lists"
  write_practice_list "$WORK_DIR/lists" "$word,长" "pear,梨" "tea,茶" "rice,米饭" "milk,牛奶" "egg,鸡蛋" "bread,面包"
  start_game "$WORK_DIR/lists"
  find_main_window
  press_start
  printf '%s' "$word" > "$WORK_DIR/word.txt"
  focus_window "$window"
  xdotool type --delay 0 --file "$WORK_DIR/word.txt"
  xdotool key Return
  wait_for_caption "$window" "得分:1"
}

# speech_engines_loaded: the game has loaded flite, which it does for its
# first word, to speak it.
speech_engines_loaded() { grep -q libflite "/proc/$GAME_PID/maps" 2>/dev/null; }

# expect_quick_exit <what>: closes the main window; the program must end
# within two seconds.
expect_quick_exit() {
  close_and_time_exit "$window"
  echo "$1: the program ended $EXIT_MS ms after its window closed"
  [ "$EXIT_MS" -le 2000 ] || fail "$1: the program took $EXIT_MS ms to end"
}

start_sound_server

# A hundred letters make twenty seconds of speech.
match_long_word "$(letters 100)"
wait_until 60 game_stream_playing || fail "the long word is not being played"
expect_quick_exit "a long word being spoken"

# flite analyses a word of ten thousand letters for a minute and more
# before its first sound: closed once flite is at it.
match_long_word "$(letters 10000)"
wait_until 60 speech_engines_loaded || fail "the game never loaded flite to speak the word"
expect_quick_exit "a word of ten thousand letters"

# The server stops answering in the middle of a word.
match_long_word "$(letters 100)"
wait_until 60 game_stream_playing || fail "the long word is not being played"
freeze_sound_server
expect_quick_exit "a server frozen in the middle of a word"
echo "passed"
