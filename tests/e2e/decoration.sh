#!/usr/bin/env bash
# Decorating a word as a person does: type a line, select the last word, press
# Ctrl+M, click the red swatch, choose the size "＋１", press OK. The post then
# holds the tag (read back through the transfer to the clipboard) and the
# preview tab draws the word in red. Then two decorative rules from
# "user/kazari.txt" are inserted at the caret through the edit pane's menu.
set -euo pipefail
source "$E2E_LIB"

DECORATION="HTMLタグで文字を修飾"
RULES="飾り罫を入れる"
TAB_EDIT=(85 33)  # points of the main window's client area
TAB_PREVIEW=(150 33)

# Two rules, as a user would have saved them (Shift-JIS, CR LF).
mkdir -p "$E2E_APPDIR/user"
printf '☆★☆★☆\r\n＝＝＝\r\n' | iconv -f UTF-8 -t CP932 >"$E2E_APPDIR/user/kazari.txt"

# Absolute position of a window's client area: "x y".
client_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    END { print x, y }'
}
# Clicks at a point of a window's client area.
click_in() { # window x y
  local ox oy
  read -r ox oy < <(client_origin "$1")
  xdotool mousemove $((ox + $2)) $((oy + $3)) click 1
  sleep 0.3
}
# Prints the editor's post: transfers it to the clipboard and closes the box.
post() {
  xdotool key --clearmodifiers ctrl+e
  close_message || fail "no transfer message"
  clip_get
}

start_kirel
activate "$KIREL_WIN"
xdotool type --delay 30 "abc word"
xdotool key --clearmodifiers shift+ctrl+Left
sleep 0.2
xdotool key --clearmodifiers ctrl+m
DEC_WIN=$(wait_window "$DECORATION") || fail "Ctrl+M opened no decoration window"
sleep 0.5

# The red swatch is found on the screen by its colour.
read -r dx dy < <(client_origin "$DEC_WIN")
screenshot decoration_open
red=$(convert "$E2E_OUT/decoration_open.png" -crop "468x302+$dx+$dy" +repage txt:- |
  awk -F'[,: ]+' '/#FF0000/ && !found { print $1 + 6, $2 + 6; found = 1 }')
[ -n "$red" ] || fail "no red swatch on the screen"
read -r sx sy <<<"$red"
click_in "$DEC_WIN" "$sx" "$sy"
# Size list: open it, go up from "指定しない" past "＋２" to "＋１".
click_in "$DEC_WIN" 50 192
xdotool key --clearmodifiers Up Up Return
sleep 0.3
screenshot decoration_chosen
click_in "$DEC_WIN" 337 281  # &OK
for _ in $(seq 50); do [ "$(count_windows "$DECORATION")" = 0 ] && break; sleep 0.1; done
[ "$(count_windows "$DECORATION")" = 0 ] || fail "OK did not close the window"
expected='abc <FONT color="#FF0000" size="+1">word</FONT>'
got=$(post)
[ "$got" = "$expected" ] || fail "post is '$got'"
pass "swatch, size and OK put the tag into the post"

# The preview tab draws the word in red.
read -r kx ky < <(client_origin "$KIREL_WIN")
click_in "$KIREL_WIN" "${TAB_PREVIEW[@]}"
reds=0
for _ in $(seq 60); do
  sleep 0.25
  screenshot preview
  reds=$(convert "$E2E_OUT/preview.png" -crop "623x402+$kx+$ky" +repage txt:- |
    awk -F'[(),]+' 'NR > 1 && $3 >= 200 && $4 <= 60 && $5 <= 60 { n++ } END { print n + 0 }')
  [ "$reds" -ge 15 ] && break
done
[ "$reds" -ge 15 ] || fail "the preview shows no red word ($reds red pixels)"
pass "preview draws the word in red ($reds red pixels)"

# Two rules at the caret, through the edit pane's menu. The browser view made
# the main window take a new native window: look it up again.
KIREL_WIN=$(wait_window "Kirel Editor") || fail "main window lost"
click_in "$KIREL_WIN" "${TAB_EDIT[@]}"
click_in "$KIREL_WIN" 300 200
xdotool key --clearmodifiers ctrl+End
read -r kx ky < <(client_origin "$KIREL_WIN")
xdotool mousemove $((kx + 300)) $((ky + 200)) click 3
sleep 0.4
# Menu: HTMLタグを挿入, 引用符を挿入, two items disabled without a selection,
# then 飾り罫を挿入.
xdotool key --clearmodifiers Down Down Down Return
RULE_WIN=$(wait_window "$RULES") || { screenshot rules_missing; fail "no rule dialog"; }
sleep 0.3
for key in Home Down; do  # the first rule, then the one below it
  click_in "$RULE_WIN" 150 38  # the choice list
  xdotool key --clearmodifiers "$key" Return
  sleep 0.2
  click_in "$RULE_WIN" 354 38  # 挿入
done
screenshot rules
click_in "$RULE_WIN" 351 267  # キャンセル(&X)
for _ in $(seq 50); do [ "$(count_windows "$RULES")" = 0 ] && break; sleep 0.1; done
activate "$KIREL_WIN"
got=$(post)
[ "$got" = "$expected☆★☆★☆＝＝＝" ] || fail "post after the rules is '$got'"
pass "two rules inserted side by side at the caret"

close_kirel
