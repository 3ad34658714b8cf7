# SPDX-License-Identifier: GPL-3.0-or-later
# A private sound server for the end-to-end scripts that listen, sourced
# after lib.sh: PulseAudio with a null sink as its only output, its socket
# in the test's folder so that nothing else on the machine talks to it.
# start_sound_server exports what points the game at it; the server is
# killed when the script ends, frozen (kill -STOP) or not.

SOUND_DIR="$WORK_DIR/sound"
SOUND_PID=
trap 'stop_sound_server; finish_cleanup' EXIT

stop_sound_server() {
  # SIGKILL ends a stopped process too.
  if [ -n "$SOUND_PID" ]; then kill -9 "$SOUND_PID" 2>/dev/null || true; fi
  SOUND_PID=
}

# -n: none of the system's configuration.
start_sound_server() {
  mkdir -p "$SOUND_DIR"
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
  wait_until 60 sound_server_answers || fail "the sound server did not start: $(cat "$SOUND_DIR/server.log")"
}

sound_server_answers() { pactl info > /dev/null 2>&1; }

# freeze_sound_server: stops the server (kill -STOP) and waits until it is
# stopped.
sound_server_stopped() { [ "$(awk '{ print $3 }' "/proc/$SOUND_PID/stat" 2>/dev/null)" = T ]; }
freeze_sound_server() {
  kill -STOP "$SOUND_PID"
  wait_until 30 sound_server_stopped || fail "the sound server did not stop"
}

# game_stream_playing: whether the game has a stream open on the server.
game_stream_playing() {
  pactl list sink-inputs 2>/dev/null | grep -q 'application.name = "Zembrot"'
}

# now_ms: a clock in milliseconds.
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# close_and_time_exit <window>: closes the window and sets EXIT_MS to how
# many milliseconds the process took to end afterwards (fails after ten
# seconds, or on an exit code other than 0).
close_and_time_exit() {
  local start status=0
  start=$(now_ms)
  "$CLOSE_WINDOW" "$1" > /dev/null || fail "could not send the close request"
  for _ in $(seq 1000); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.01
  done
  kill -0 "$GAME_PID" 2>/dev/null && fail "the program did not end within ten seconds of its window closing"
  EXIT_MS=$(($(now_ms) - start))
  wait "$GAME_PID" || status=$?
  GAME_PID=
  [ "$status" -eq 0 ] || fail "exit code $status: $(cat "$WORK_DIR/stderr")"
}
