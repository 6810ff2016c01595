# The phrase libraries at the desktop: the emoticon window opened with Ctrl+K,
# "泣き顔" chosen and an emoticon put into the post with Enter; then the
# fixed-phrase window opened with Ctrl+F, a menu and an item added through the
# input dialog, the item double-clicked into the post. The post is transferred
# with Ctrl+E and "backup.txt" and the phrase files are checked byte for byte.
source "$E2E_LIB"

start_kirel
activate "$KIREL_WIN"
xdotool mousemove --window "$KIREL_WIN" 300 250 click 1
sleep 0.2

# --- emoticons ---
xdotool key --clearmodifiers ctrl+k
EMO_WIN=$(wait_window "顔文字選択") || fail "Ctrl+K opened no emoticon window"
sleep 0.3
# The new window has the keyboard, in its list. Back to the category list:
# four steps down from "常用" is "泣き顔".
xdotool key --clearmodifiers shift+Tab
for _ in 1 2 3 4; do xdotool key --clearmodifiers Down; sleep 0.1; done
# Into the list: its first entry is selected.
xdotool key --clearmodifiers Tab
sleep 0.2
screenshot emoticons
xdotool key --clearmodifiers Return
sleep 0.5
screenshot emoticon-inserted
first=$(head -n 1 "$E2E_APPDIR/kao/nakikao.txt" | tr -d '\r')
[ -n "$first" ] || fail "the shipped crying faces are missing"

# Ctrl+K again closes it.
activate "$KIREL_WIN"
xdotool key --clearmodifiers ctrl+k
sleep 0.5
[ "$(count_windows "顔文字選択")" = 0 ] || fail "Ctrl+K did not close the emoticon window"
pass "emoticon window toggled by Ctrl+K"

# --- fixed phrases ---
xdotool key --clearmodifiers ctrl+f
PHR_WIN=$(wait_window "定型文選択") || fail "Ctrl+F opened no phrase window"
sleep 0.3
# Context menu of the menu list (the new window has the keyboard, there):
# メニューを追加(&M).
xdotool key --clearmodifiers Menu
sleep 0.4
xdotool key --clearmodifiers m
DLG=$(wait_window "メニューを追加") || fail "no input dialog for a new menu"
clip_set "挨拶"
xdotool key --clearmodifiers ctrl+v Return
close_message || fail "no confirmation of the new menu"
xdotool windowactivate --sync "$DLG" key --clearmodifiers Escape
sleep 0.3
[ "$(count_windows "メニューを追加")" = 0 ] || fail "the input dialog stayed open"

# Choose the new menu, then add an item from the item list's context menu.
activate "$PHR_WIN"
xdotool key --clearmodifiers Down
sleep 0.2
xdotool key --clearmodifiers Tab Menu
sleep 0.4
xdotool key --clearmodifiers a
DLG=$(wait_window "アイテムリストを追加") || fail "no input dialog for a new item"
clip_set "こんにちは、お元気ですか"
xdotool key --clearmodifiers ctrl+v Return
close_message || fail "no confirmation of the new item"
xdotool windowactivate --sync "$DLG" key --clearmodifiers Escape
sleep 0.3
screenshot phrases

# Double-click the item: the first row of the list, below the menu list.
activate "$PHR_WIN"
xdotool mousemove --window "$PHR_WIN" 80 69 click --repeat 2 --delay 80 1
sleep 0.5
activate "$KIREL_WIN"
xdotool key --clearmodifiers ctrl+e
close_message || fail "no message after the transfer"
screenshot transferred

expected=$(printf '%s' "$first" | iconv -f CP932 -t UTF-8)"こんにちは、お元気ですか"
actual=$(iconv -f CP932 -t UTF-8 "$E2E_APPDIR/backup.txt") || fail "backup.txt missing or not Shift-JIS"
[ "$actual" = "$expected" ] || fail "backup.txt holds '$actual', not '$expected'"
pass "emoticon and phrase in the post"

cmp <(printf '挨拶\r\n' | iconv -f UTF-8 -t CP932) "$E2E_APPDIR/user/custom/Itemlist.txt" \
  || fail "Itemlist.txt is not the one menu with CR LF"
cmp <(printf 'こんにちは、お元気ですか\r\n' | iconv -f UTF-8 -t CP932) \
  "$E2E_APPDIR/user/custom/$(printf '挨拶').txt" || fail "the menu file is not the one item"
[ -f "$E2E_APPDIR/user/custom/mozie/Itemlist.txt" ] || fail "no text-art menu list"
pass "phrase files byte for byte"
close_kirel
