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
focus_window "$window"
[ "$client_top" -ge 22 ] || fail "menu bar $client_top pixels high, expected at least the 22 of its items"

# 设置 is the first bar item; its drop-down opens below the bar, items 22
# pixels high inside a one-pixel frame and a one-pixel margin. The check
# mark's first column lies 8 pixels in and 10 down from an item's corner.
menu_left=$((X + 2))
show_english_top=$((Y + 22 + 2))
hide_chinese_top=$((show_english_top + 22))
mark_x=$((menu_left + 8))

open_settings() {
  wait_until 30 drop_down_closed || fail "the drop-down did not close"
  xdotool mousemove $((X + 10)) $((Y + 10)) click 1
  wait_until 30 drop_down_open || fail "the 设置 drop-down did not open"
}

# Until the drop-down is painted both places show the same; with its check
# marks drawn they differ.
marks_told_apart() {
  import -window root "$WORK_DIR/before.png"
  show_english_before=$(pixel_at "$WORK_DIR/before.png" "$mark_x" $((show_english_top + 10)))
  hide_chinese_mark=$(pixel_at "$WORK_DIR/before.png" "$mark_x" $((hide_chinese_top + 10)))
  [ "$show_english_before" != "$hide_chinese_mark" ]
}
open_settings
wait_until 30 marks_told_apart || fail "no check mark tells 不显示中文 from 落下字符显示英文"
echo "before: 落下字符显示英文 $show_english_before, 不显示中文 $hide_chinese_mark"

# One item under the mouse: it shows the selection.
item_corner_before=$(pixel_at "$WORK_DIR/before.png" "$menu_left" "$show_english_top")
item_selected() {
  import -window root "$WORK_DIR/hover.png"
  [ "$(pixel_at "$WORK_DIR/hover.png" "$menu_left" "$show_english_top")" != "$item_corner_before" ]
}
xdotool mousemove $((menu_left + 60)) $((show_english_top + 11))
wait_until 30 item_selected || fail "the item under the mouse shows no selection"
screenshot settings_menu_open
xdotool click 1

open_settings
# Right of the icon bar the item's background does not change with its mark:
# as it was, the drop-down is painted.
text_background=$(pixel_at "$WORK_DIR/before.png" $((menu_left + 26)) $((show_english_top + 1)))
mark_shown() {
  import -window root "$WORK_DIR/after.png"
  show_english_after=$(pixel_at "$WORK_DIR/after.png" "$mark_x" $((show_english_top + 10)))
  [ "$(pixel_at "$WORK_DIR/after.png" $((menu_left + 26)) $((show_english_top + 1)))" = "$text_background" ] &&
    [ "$show_english_after" = "$hide_chinese_mark" ]
}
wait_until 30 mark_shown || fail "落下字符显示英文 shows no check mark after the click ($show_english_after)"
echo "after: 落下字符显示英文 $show_english_after"
screenshot settings_menu_after_click
xdotool key Escape
wait_until 30 drop_down_closed || fail "Escape did not close the drop-down"

close_and_expect_exit_code_0 "$window"
echo "passed"
