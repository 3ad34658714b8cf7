# SPDX-License-Identifier: GPL-3.0-or-later
# A matched word is heard: with a sound server whose only output is a null
# sink, the game speaks "apple" through flite (its stream runs at flite's
# 16000 Hz; espeak-ng's would run at 22050 Hz) and the sink's monitor
# records speech, not silence.
source "$(dirname "$0")/lib.sh"

source "$(dirname "$0")/sound_server.sh"
RECORD_PID=
trap 'if [ -n "$RECORD_PID" ]; then kill "$RECORD_PID" 2>/dev/null || true; fi; stop_sound_server; finish_cleanup' EXIT
start_sound_server

parec -d zembrot_null.monitor --format=s16le --channels=1 --rate=16000 > "$SOUND_DIR/heard.raw" &
RECORD_PID=$!

write_ten_word_list "$WORK_DIR/lists"
start_game "$WORK_DIR/lists"

find_main_window
press_start
type_word apple
wait_for_caption "$window" "得分:1"

# The game's stream: flite's rate, and no error box about the sound.
stream=""
game_stream_open() {
  stream=$(pactl list sink-inputs 2>/dev/null | grep -E "Sample Spec|application.name" || true)
  echo "$stream" | grep -q "Zembrot"
}
wait_until 60 game_stream_open || true
echo "$stream" | grep -q 'application.name = "Zembrot"' || fail "the game opened no sound stream: $stream"
echo "$stream" | grep -q "s16le 1ch 16000Hz" || fail "the word was not played at flite's rate: $stream"

# Samples louder than a whisper, at 16000 a second: "apple" gives about two
# thousand, a silent sink none. Counted as the recording grows.
loud=0
speech_heard() {
  loud=$(od -An -v -td2 -w2 "$SOUND_DIR/heard.raw" | awk '{ v = $1 < 0 ? -$1 : $1; if (v > 1000) n++ } END { print n + 0 }')
  [ "$loud" -gt 800 ]
}
wait_until 60 speech_heard ||
  fail "the sink heard no speech ($loud loud samples of $(($(stat -c %s "$SOUND_DIR/heard.raw") / 2)))"
kill "$RECORD_PID" 2>/dev/null || true
wait "$RECORD_PID" 2>/dev/null || true
RECORD_PID=
notice_open && fail "an error box came up: $(cat "$WORK_DIR/stderr")"

close_notices_and_game "$window"
echo "passed ($loud loud samples)"
