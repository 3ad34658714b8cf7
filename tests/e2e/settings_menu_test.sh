# SPDX-License-Identifier: GPL-3.0-or-later
# The player opens the owner-drawn 设置 drop-down, where 不显示中文 shows its
# check mark, and clicks 落下字符显示英文: opened again, the drop-down shows
# the same check mark on that item.
source "$(dirname "$0")/lib.sh"

# pixel_at <png> <x> <y>: "r,g,b" of one pixel.
pixel_at() {
  local at="p{$2,$3}"
  convert "$1" -format "%[fx:int(255*$at.r+0.5)],%[fx:int(255*$at.g+0.5)],%[fx:int(255*$at.b+0.5)]" info:
}

mkdir "$WORK_DIR/lists"
write_practice_list "$WORK_DIR/lists" "apple,苹果" "pear,梨"
start_game "$WORK_DIR/lists"

find_main_window
# An active window draws its bar captions in the menu text colour, not grey.
xdotool windowfocus "$window" 2>/dev/null || true
[ "$client_top" -ge 22 ] || fail "menu bar $client_top pixels high, expected at least the 22 of its items"

# 设置 is the first bar item; its drop-down opens below the bar, items 22
# pixels high inside a one-pixel frame and a one-pixel margin. The check
# mark's first column lies 8 pixels in and 10 down from an item's corner.
menu_left=$((X + 2))
show_english_top=$((Y + 22 + 2))
hide_chinese_top=$((show_english_top + 22))
mark_x=$((menu_left + 8))

open_settings() {
  xdotool mousemove $((X + 10)) $((Y + 10)) click 1
  sleep 0.7
}

open_settings
import -window root "$WORK_DIR/before.png"
show_english_before=$(pixel_at "$WORK_DIR/before.png" "$mark_x" $((show_english_top + 10)))
hide_chinese_mark=$(pixel_at "$WORK_DIR/before.png" "$mark_x" $((hide_chinese_top + 10)))
echo "before: 落下字符显示英文 $show_english_before, 不显示中文 $hide_chinese_mark"
[ "$show_english_before" != "$hide_chinese_mark" ] || fail "no check mark tells 不显示中文 from 落下字符显示英文"

# One item under the mouse.
xdotool mousemove $((menu_left + 60)) $((show_english_top + 11))
sleep 0.5
screenshot settings_menu_open
xdotool click 1
sleep 0.5

open_settings
import -window root "$WORK_DIR/after.png"
show_english_after=$(pixel_at "$WORK_DIR/after.png" "$mark_x" $((show_english_top + 10)))
echo "after: 落下字符显示英文 $show_english_after"
[ "$show_english_after" = "$hide_chinese_mark" ] || fail "落下字符显示英文 shows no check mark after the click"
screenshot settings_menu_after_click
xdotool key Escape
sleep 0.3

close_and_expect_exit_code_0 "$window"
echo "passed"
