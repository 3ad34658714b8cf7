# SPDX-License-Identifier: GPL-3.0-or-later
# The program opens its main window centred on the screen, captioned
# "Zembrot 1.01", with an 847-pixel-wide client area, and ends with exit
# code 0 when the window is closed.
source "$(dirname "$0")/lib.sh"

mkdir "$WORK_DIR/lists"
write_practice_list "$WORK_DIR/lists" "apple,苹果" "pear,梨"
start_game "$WORK_DIR/lists"

# Found once it is on screen, where it was placed before it was mapped.
window=$(find_window "Zembrot 1.01") || fail "no window captioned \"Zembrot 1.01\""
eval "$(xdotool getwindowgeometry --shell "$window")"
echo "window $window at $X,$Y size ${WIDTH}x$HEIGHT"

[ "$WIDTH" -eq 847 ] || fail "window width $WIDTH, expected 847"
[ "$HEIGHT" -gt 510 ] || fail "window height $HEIGHT leaves no room for the 510-pixel client area and the menu bar"
expected_x=$(((SCREEN_WIDTH - WIDTH) / 2))
expected_y=$(((SCREEN_HEIGHT - HEIGHT) / 2))
[ "$X" -eq "$expected_x" ] || fail "left $X, expected $expected_x (centred)"
[ "$Y" -eq "$expected_y" ] || fail "top $Y, expected $expected_y (centred)"
screenshot main_window

close_and_expect_exit_code_0 "$window"
echo "passed"
