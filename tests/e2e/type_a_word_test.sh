# SPDX-License-Identifier: GPL-3.0-or-later
# A player starts a game, types a falling word and presses Enter: the score
# in the window caption becomes 1.
source "$(dirname "$0")/lib.sh"

mkdir "$WORK_DIR/lists"
# Enough other lines that "apple" does not come round again while we type.
write_practice_list "$WORK_DIR/lists" "apple,苹果" "pear,梨" "tea,茶" "rice,米饭" "milk,牛奶" "egg,鸡蛋" "bread,面包" \
  "fish,鱼" "soup,汤" "cake,蛋糕"
start_game "$WORK_DIR/lists"

window=$(find_window "Zembrot 1.01") || fail "no window captioned \"Zembrot 1.01\""
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
client_top=$((HEIGHT - 510))

# The Start button lies at 152,480 (81 x 25) in the client area.
xdotool mousemove --window "$window" 190 $((client_top + 492)) click 1
# The first tick shows the score and spawns the first word: "apple".
wait_for_caption "$window" "得分:0" 10
xdotool windowfocus "$window" 2>/dev/null || true
xdotool type --delay 20 apple
xdotool key Return
wait_for_caption "$window" "得分:1" 15
screenshot after_match

close_dialogs
sleep 0.3
close_and_expect_exit_code_0 "$window"
echo "passed"
