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

window=$(find_window "Zembrot 1.01") || fail "no window captioned \"Zembrot 1.01\""
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
client_top=$((HEIGHT - 510))

xdotool mousemove --window "$window" 190 $((client_top + 492)) click 1
wait_for_caption "$window" "得分:0" 10
xdotool windowfocus "$window" 2>/dev/null || true
xdotool type --delay 20 apple
xdotool key Return

notice=$(find_window "Zembrot" 15) || fail "the game-over notice did not open"
sleep 0.5
import -window root "$WORK_DIR/notice_a.png"
sleep 2
import -window root "$WORK_DIR/notice_b.png"
screenshot notice_open
# Only the play field can have changed: the notice itself stands still.
changed=$(compare -metric AE "$WORK_DIR/notice_a.png" "$WORK_DIR/notice_b.png" null: 2>&1 || true)
echo "pixels changed behind the open notice: $changed"
[ "${changed%%.*}" -gt 50 ] 2>/dev/null || fail "the words stood still behind the notice ($changed pixels changed)"
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
