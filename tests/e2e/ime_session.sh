#!/usr/bin/env bash
# The input-method part of ime.sh, run as the unprivileged user inside its own
# session bus. IME_DIR holds the program folder (Kirel/) and out/ for the
# screenshots and logs.
set -euo pipefail
# The end-to-end helpers, copied beside this script by ime.sh.
source "$(dirname "$0")/lib.sh"
out=$IME_DIR/out
shot() { import -window root "$out/$1.png"; }

# Window-relative points, the window at its default size.
QUOTE_PANE=(249 60)
EDIT_PANE=(249 240)
SETTINGS_BUTTON=(24 190)
FIRST_WORD=(57 118 44 22) # x y w h: the first three full-width characters of the post

fcitx5 --disable=wayland,notificationitem >"$out/fcitx5.log" 2>&1 &
# Asked before it owns its bus name, the bus would start a second fcitx5.
fcitx_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null | grep -q 'boolean true'
}
for _ in $(seq 100); do fcitx_up && break; sleep 0.1; done
fcitx_up || fail "fcitx5 did not start"

QT_IM_MODULE=fcitx XMODIFIERS=@im=fcitx "$IME_DIR/Kirel/kirel" >"$out/kirel.log" 2>&1 &
kirel=$!
win=
for _ in $(seq 200); do
  win=$(xdotool search --all --onlyvisible --pid "$kirel" --name '^Kirel Editor$' 2>/dev/null | head -n 1 || true)
  [ -n "$win" ] && break
  sleep 0.05
done
[ -n "$win" ] || fail "the editor's window did not appear"
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$win")"
click_at() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 0.3; }
# Switches the input method on for the focused field and types a word in it.
type_japanese() {
  for _ in $(seq 50); do
    fcitx5-remote -o
    [ "$(fcitx5-remote)" = 2 ] && break
    sleep 0.1
  done
  [ "$(fcitx5-remote)" = 2 ] || fail "the input method does not switch on"
  xdotool type --delay 80 nihongo
  sleep 0.5
  xdotool key space
  sleep 0.5
  xdotool key Return
  sleep 0.5
}
answer() { # closes the message box the last key opened
  local box
  box=$(dialog_window 60) || return 1
  xdotool windowactivate --sync "$box" key Return >/dev/null 2>&1 || true
  sleep 0.3
}

# --- the quote pane takes no input-method text ------------------------------------
click_at "${QUOTE_PANE[@]}"
type_japanese
shot quote_pane_typed
click_at "${EDIT_PANE[@]}"
fcitx5-remote -c
xdotool key Escape
sleep 0.3
answer || true # "転送するものがありませんでした。" when the quote pane is empty
click_at "${EDIT_PANE[@]}"
type_japanese
fcitx5-remote -c
xdotool key ctrl+e
answer || fail "no transfer message"
post=$(xclip -selection clipboard -o 2>/dev/null || true)
[ "$post" = "日本語" ] || fail "the post is '$post': the quote pane took input-method text"
pass "the quote pane refuses input-method text; the edit pane takes it"

# --- input-method text after a red quote mark is plain ------------------------------
xdotool key ctrl+a Delete
# A quote line comes in by the clipboard capture: copied while another window is
# active, caught when the editor is active again.
xterm -title other -geometry 40x10+700+500 >/dev/null 2>&1 &
other=
for _ in $(seq 200); do
  other=$(xdotool search --onlyvisible --name '^other$' 2>/dev/null | head -n 1 || true)
  [ -n "$other" ] && break
  sleep 0.05
done
[ -n "$other" ] || fail "no other window"
xdotool windowactivate --sync "$other" >/dev/null 2>&1 || true
sleep 0.3
printf 'ABCDEFGHIJKLMNOPQRSTUVWXYZ' | xclip -selection clipboard -i
sleep 0.2
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
sleep 0.5
click_at "${EDIT_PANE[@]}"
xdotool key Escape Return Home # the line quoted, its mark red, the caret before the mark
sleep 0.3
type_japanese
fcitx5-remote -c
sleep 0.3
shot plain_after_red_mark
red=$(convert "$out/plain_after_red_mark.png" \
  -crop "${FIRST_WORD[2]}x${FIRST_WORD[3]}+$((X + FIRST_WORD[0]))+$((Y + FIRST_WORD[1]))" \
  -fx 'r > 0.6 && g < 0.4 && b < 0.4 ? 1 : 0' -format '%[fx:mean*w*h]' info:)
dark=$(convert "$out/plain_after_red_mark.png" \
  -crop "${FIRST_WORD[2]}x${FIRST_WORD[3]}+$((X + FIRST_WORD[0]))+$((Y + FIRST_WORD[1]))" \
  -fx 'r < 0.3 && g < 0.3 && b < 0.3 ? 1 : 0' -format '%[fx:mean*w*h]' info:)
echo "pixels of the first word: red $red, dark $dark"
awk -v r="$red" 'BEGIN { exit !(r < 3) }' || fail "input-method text took the red of the quote mark"
awk -v d="$dark" 'BEGIN { exit !(d > 20) }' || fail "no text where the word was typed"
pass "input-method text is plain black"

# --- board 2's limit typed with the input method on ---------------------------------
# Mozc types full-width digits ("１２"); the limit field takes them as the digits
# 12, which the counter then uses for board 2.
ini_value() { tr -d '\r' <"$IME_DIR/Kirel/Kirel.ini" | grep -m1 "^$1=" | cut -d= -f2-; }
settings_menu() { # keys typed into the settings menu
  xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
  sleep 0.3
  xdotool mousemove $((X + SETTINGS_BUTTON[0])) $((Y + SETTINGS_BUTTON[1])) click 1
  sleep 0.5
  xdotool key --clearmodifiers "$@"
}
click_at "${EDIT_PANE[@]}"
xdotool key ctrl+a Delete # an empty post: no counter warning when the limit drops
settings_menu o
prefs=
for _ in $(seq 100); do
  prefs=$(xdotool search --onlyvisible --name '^環境設定$' 2>/dev/null | head -n 1 || true)
  [ -n "$prefs" ] && break
  sleep 0.05
done
[ -n "$prefs" ] || { shot no_preferences; fail "the preferences did not open"; }
sleep 0.3
# Board 1's limit has the focus; Ctrl+Tab turns to board 2, whose limit it is.
xdotool key --clearmodifiers ctrl+Tab
sleep 0.2
xdotool key --clearmodifiers ctrl+a
for _ in $(seq 50); do
  fcitx5-remote -o
  [ "$(fcitx5-remote)" = 2 ] && break
  sleep 0.1
done
[ "$(fcitx5-remote)" = 2 ] || fail "the input method does not switch on in the limit field"
xdotool type --delay 80 12
sleep 0.5
shot limit_composing
xdotool key Return
sleep 0.5
fcitx5-remote -c
shot limit_typed
xdotool key --clearmodifiers alt+a
answer || { shot no_saved_message; fail "no saved message"; }
[ "$(ini_value MOJISU2)" = 12 ] || fail "board 2's limit was saved as '$(ini_value MOJISU2)'"
settings_menu b Down Return
sleep 0.5
answer || true # a counter message, should the post not be empty
[ "$(ini_value Check2)" = 1 ] || fail "board 2 was not chosen (Check2 '$(ini_value Check2)')"
[ "$(ini_value MojiOK)" = 12 ] || fail "the counter's limit is '$(ini_value MojiOK)'"
pass "board 2's limit typed as １２ with the input method is the limit 12"

kill "$kirel" 2>/dev/null || true
