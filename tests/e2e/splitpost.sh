# The split-post window as a person uses it: three lines selected in the edit
# pane, the window opened from the edit pane's menu, its four boxes read by
# selecting and copying them, the text transferred to the clipboard.
source "$E2E_LIB"

start_kirel
activate "$KIREL_WIN"
xdotool mousemove --window "$KIREL_WIN" 300 250 click 1
sleep 0.2
xdotool type --delay 20 "first line"
xdotool key Return
xdotool type --delay 20 "second line"
xdotool key Return
xdotool type --delay 20 "third line"
xdotool key ctrl+shift+Home
sleep 0.2

# 選択した文字を分割して表示: the fourth item of the edit pane's menu.
xdotool mousemove --window "$KIREL_WIN" 300 250 click 3
sleep 0.4
xdotool key Down Down Down Down Return
split=$(wait_window "分割投稿する") || fail "the split-post window did not open"
sleep 0.3
screenshot split

# The boxes in the window's client area: lines and bytes in the first row,
# full-width characters and the rank title in the second. A box is read by
# clicking it, selecting all and copying.
read_box() {
  clip_set ""
  xdotool mousemove --window "$split" "$1" "$2" click 1
  sleep 0.2
  xdotool key --clearmodifiers ctrl+a ctrl+c
  sleep 0.2
  clip_get
}
[ "$(read_box 114 33)" = 3 ] || fail "line count box"
[ "$(read_box 262 33)" = 35 ] || fail "byte count box"   # 10 + 11 + 10 + two line breaks
[ "$(read_box 122 58)" = 17 ] || fail "full-width box"
[ "$(read_box 292 58)" = "ぷちぷち級" ] || fail "rank title box"
pass "the four boxes"

# クリップボードに転送(&C), then the message.
activate "$split"
xdotool key --clearmodifiers alt+c
close_message || fail "no message after the transfer"
[ "$(clip_get)" = $'first line\nsecond line\nthird line' ] || fail "clipboard holds: $(clip_get)"
pass "transfer to the clipboard"

# A second window beside the first.
activate "$KIREL_WIN"
xdotool mousemove --window "$KIREL_WIN" 300 250 click 3
sleep 0.4
xdotool key Down Down Down Down Return
for _ in $(seq 50); do [ "$(count_windows "分割投稿する")" = 2 ] && break; sleep 0.1; done
[ "$(count_windows "分割投稿する")" = 2 ] || fail "no second split-post window"
pass "two windows at once"
close_kirel
