# SPDX-License-Identifier: GPL-3.0-or-later
# A matched word is heard: with a sound server whose only output is a null
# sink, the game speaks "apple" through flite (its stream runs at flite's
# 16000 Hz; espeak-ng's would run at 22050 Hz) and the sink's monitor
# records speech, not silence.
source "$(dirname "$0")/lib.sh"

SOUND_DIR="$WORK_DIR/sound"
SOUND_PID=
RECORD_PID=
mkdir -p "$SOUND_DIR"
trap 'stop_sound; finish_cleanup' EXIT

stop_sound() {
  for pid in $RECORD_PID $SOUND_PID; do kill "$pid" 2>/dev/null || true; done
}

# A private sound server: its socket lives in our folder, so nothing else on
# the machine talks to it. -n: none of the system's configuration.
cat > "$SOUND_DIR/server.pa" <<PA
load-module module-null-sink sink_name=zembrot_null
set-default-sink zembrot_null
load-module module-native-protocol-unix auth-anonymous=1 socket=$SOUND_DIR/native
PA
export HOME="$SOUND_DIR" XDG_RUNTIME_DIR="$SOUND_DIR" PULSE_RUNTIME_PATH="$SOUND_DIR/runtime"
export PULSE_STATE_PATH="$SOUND_DIR/state" PULSE_SERVER="unix:$SOUND_DIR/native"
pulseaudio -n -F "$SOUND_DIR/server.pa" --daemonize=no --exit-idle-time=-1 --use-pid-file=no \
  --system=no > "$SOUND_DIR/server.log" 2>&1 &
SOUND_PID=$!
sound_server_answers() { pactl info > /dev/null 2>&1; }
wait_until 60 sound_server_answers || fail "the sound server did not start: $(cat "$SOUND_DIR/server.log")"

parec -d zembrot_null.monitor --format=s16le --channels=1 --rate=16000 > "$SOUND_DIR/heard.raw" &
RECORD_PID=$!

mkdir "$WORK_DIR/lists"
write_practice_list "$WORK_DIR/lists" "apple,苹果" "pear,梨" "tea,茶" "rice,米饭" "milk,牛奶" "egg,鸡蛋" "bread,面包" \
  "fish,鱼" "soup,汤" "cake,蛋糕"
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
