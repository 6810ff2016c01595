#!/usr/bin/env bash
# The browser tab with the real browser view: an address chosen from the saved
# list is shown, a link followed inside the page puts the new address into the
# address box (read back by adding it to "user/bbs.txt"), back and forward move
# through the history, and forward at its end shows the error box "エラー".
set -euo pipefail
source "$E2E_LIB"

# Window-relative points (the window opens at its default size).
TAB_BROWSER=(223 14)
BOX=(300 39)          # address box
BOX_ARROW=(494 39)    # its drop-down button
FIRST_ITEM=(189 56)   # first item of the opened list
BACK=(525 39)
FORWARD=(561 39)
TOC_SECTION2=(176 275) # "2. 画面の見かた" in the guide's table of contents

page=$E2E_APPDIR/guide.htm
list=$E2E_APPDIR/user/bbs.txt
cp "$E2E_APPDIR/リファレンス.htm" "$page"
mkdir -p "$E2E_APPDIR/user"
printf '%s\r\n' "$page" >"$list"

start_kirel
activate "$KIREL_WIN"
eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
WX=$X
WY=$Y
click_at() { xdotool mousemove $((WX + $1)) $((WY + $2)) click "${3:-1}"; sleep 0.3; }
pixel() {
  import -window root -crop "1x1+$((WX + $1))+$((WY + $2))" -format '%[pixel:p{0,0}]' info:- 2>/dev/null
}
# Adds the address box's text to the list through its context menu, then closes
# the confirmation box with Enter (it has the keyboard; the menu's own window may
# still be listed under the program's title, so no window is activated).
add_box_to_list() {
  local before
  before=$(count_windows "Kirel Editor")
  click_at "${BOX[@]}" 3
  xdotool key a
  for _ in $(seq 100); do
    [ "$(count_windows "Kirel Editor")" -gt "$before" ] && break
    sleep 0.05
  done
  sleep 0.3
  xdotool key Return
  sleep 0.3
}
line() { tr -d '\r' <"$list" | sed -n "$1p"; }

click_at "${TAB_BROWSER[@]}"
click_at "${BOX_ARROW[@]}"
click_at "${FIRST_ITEM[@]}"
# The guide's heading bar (#82C2F2) shows once the page is drawn.
for _ in $(seq 100); do [ "$(pixel 300 80)" = "srgb(130,194,242)" ] && break; sleep 0.1; done
[ "$(pixel 300 80)" = "srgb(130,194,242)" ] || { screenshot browser_failed; fail "the chosen page is not shown"; }
pass "address chosen from the list is shown"

click_at "${TOC_SECTION2[@]}"
sleep 1.5
add_box_to_list
[ "$(line 2)" = "$page#window" ] || { screenshot browser_link; fail "address box after the link: '$(line 2)'"; }
pass "a followed link puts its address into the box"

click_at "${BACK[@]}"
sleep 1.5
add_box_to_list
[ "$(line 3)" = "$page" ] || fail "address box after back: '$(line 3)'"
click_at "${FORWARD[@]}"
sleep 1.5
add_box_to_list
[ "$(line 4)" = "$page#window" ] || fail "address box after forward: '$(line 4)'"
pass "back and forward"

click_at "${FORWARD[@]}"
err=$(wait_window "エラー") || { screenshot browser_forward; fail "no error box at the end of the history"; }
screenshot browser_error
xdotool windowactivate --sync "$err" key Return >/dev/null 2>&1 || true
pass "forward at the end of the history shows the error box"

activate "$KIREL_WIN"
xdotool key alt+F4
for _ in $(seq 200); do kill -0 "$KIREL_PID" 2>/dev/null || break; sleep 0.05; done
kill -0 "$KIREL_PID" 2>/dev/null && fail "the editor did not exit"
pass "closed"
