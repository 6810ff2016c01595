#!/usr/bin/env bash
# Windows kept on top under a real window manager. With the decoration window
# open, the settings button's refusal comes up above it, visible on the screen,
# and Return answers it; Ctrl+M from the main window closes the decoration
# window. Ctrl+K opens the emoticon window with the keyboard: Down and Return
# put an emoticon into the post, the test activating nothing. The emoticon
# window stays in sight after "常に最前面" is switched on and off, and above
# another program's window raised over the editor.
set -euo pipefail
source "$E2E_LIB"

DECORATION="HTMLタグで文字を修飾"
EMOTICONS="顔文字選択"
SETTINGS_BUTTON=(24 190) # window-relative as xdotool reports the window
WINDOW_COLOUR="#82C2F2"  # every window's colour by default

no_dialog() {
  for _ in $(seq 60); do
    dialog_window >/dev/null 2>&1 || return 0
  done
  return 1
}
# The client area of a window on the screen: "WIDTHxHEIGHT+X+Y".
client_rect() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { printf "%dx%d+%d+%d", w, h, x, y }'
}
# Percentage of a window's area on a screenshot that has the given colour.
colour_share() { # shot window colour
  convert "$E2E_OUT/$1.png" -crop "$(client_rect "$2")" +repage txt:- |
    awk -v c="$3" 'NR > 1 { n++; if (index($0, c)) k++ } END { printf "%d", n ? 100 * k / n : 0 }'
}
# Clicks the settings button of the main window.
press_settings() {
  eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
  xdotool mousemove $((X + SETTINGS_BUTTON[0])) $((Y + SETTINGS_BUTTON[1])) click 1
}
# "常に最前面(&F)" from the settings menu; its message is answered with Return,
# the box having the keyboard by itself.
toggle_on_top() {
  refresh_kirel_win || fail "main window gone"
  activate "$KIREL_WIN"
  press_settings
  sleep 0.5
  xdotool key --clearmodifiers f
  dialog_window >/dev/null || { screenshot no_topmost_box; fail "no message after 常に最前面"; }
  sleep 0.3
  xdotool key --clearmodifiers Return
  no_dialog || { screenshot topmost_box_stays; fail "Return did not answer the message"; }
  refresh_kirel_win || fail "main window gone"
}
emoticon_in_sight() { # what
  [ "$(count_windows "$EMOTICONS")" = 1 ] || fail "emoticon window gone $1"
  # It follows the main window into a new native window.
  EMO_WIN=$(wait_window "$EMOTICONS")
  [ "$(stack_index "$EMO_WIN")" -gt "$(stack_index "$KIREL_WIN")" ] ||
    { screenshot "emoticons_hidden"; fail "emoticon window below the main window $1"; }
}

start_kirel
activate "$KIREL_WIN"
xdotool type --delay 30 "abc word"
xdotool key --clearmodifiers shift+ctrl+Left
sleep 0.2
xdotool key --clearmodifiers ctrl+m
DEC_WIN=$(wait_window "$DECORATION") || fail "Ctrl+M opened no decoration window"
sleep 0.5

# --- minimising the decoration window leaves the main window in sight ---
xdotool windowminimize "$DEC_WIN" >/dev/null 2>&1 || true
sleep 0.8
screenshot minimised
refresh_kirel_win || fail "minimising the decoration window hid the main window"
[ "$(count_windows "$DECORATION")" = 1 ] || fail "the decoration window was minimised"
pass "minimising the decoration window leaves both in sight"

# --- the refusal box above the decoration window ---
activate "$KIREL_WIN"
press_settings
box=$(dialog_window) || { screenshot no_refusal; fail "no refusal from the settings button"; }
sleep 0.5
screenshot refusal
[ "$(stack_index "$box")" -gt "$(stack_index "$DEC_WIN")" ] ||
  fail "the refusal box is below the decoration window"
# The box's own pixels are on the screen: the decoration window, of the window
# colour, does not cover it.
covered=$(colour_share refusal "$box" "$WINDOW_COLOUR")
[ "$covered" -lt 10 ] || fail "the refusal box is covered ($covered% of it in the window colour)"
[ "$(xdotool getactivewindow)" = "$box" ] || fail "the refusal box does not have the keyboard"
xdotool key --clearmodifiers Return
no_dialog || { screenshot refusal_stays; fail "Return did not answer the refusal"; }
[ "$(count_windows "$DECORATION")" = 1 ] || fail "the decoration window went with the box"
pass "the refusal is above the decoration window, in sight ($covered% covered), and Return answers it"

# --- Ctrl+M from the main window, its edit pane disabled ---
activate "$KIREL_WIN"
xdotool key --clearmodifiers ctrl+m
for _ in $(seq 50); do [ "$(count_windows "$DECORATION")" = 0 ] && break; sleep 0.1; done
[ "$(count_windows "$DECORATION")" = 0 ] || fail "Ctrl+M in the main window left the decoration window open"
pass "Ctrl+M from the main window closes the decoration window"

# --- Ctrl+K, Down, Return: nothing activated by the test ---
second=$(sed -n 2p "$E2E_APPDIR/kao/zyouyou.txt" | tr -d '\r' | iconv -f CP932 -t UTF-8)
[ -n "$second" ] || fail "the shipped emoticons are missing"
xdotool key --clearmodifiers ctrl+End ctrl+k
EMO_WIN=$(wait_window "$EMOTICONS") || fail "Ctrl+K opened no emoticon window"
sleep 0.5
[ "$(xdotool getactivewindow)" = "$EMO_WIN" ] || fail "the emoticon window did not take the keyboard"
xdotool key --clearmodifiers Down Return
sleep 0.5
xdotool key --clearmodifiers ctrl+e
close_message || { screenshot no_transfer; fail "no transfer message"; }
[ "$(clip_get)" = "abc word$second" ] || fail "the post is '$(clip_get)', not 'abc word$second'"
pass "Ctrl+K, Down, Return put '$second' into the post"

# --- always on top, twice ---
# The emoticon window, put where it does not cover the settings button.
xdotool windowmove "$EMO_WIN" 700 100
sleep 0.3
toggle_on_top
emoticon_in_sight "with the main window on top"
toggle_on_top
emoticon_in_sight "with the main window back in its layer"
screenshot emoticons_before
before=$(client_rect "$EMO_WIN")
pass "the emoticon window stays above the main window after 常に最前面 on and off"

# --- another program's window raised over the editor ---
xterm -title cover -geometry 100x40+600+40 >/dev/null 2>&1 &
track_pid $! xterm
COVER=$(wait_window cover) || fail "xterm did not appear"
activate "$COVER"
sleep 0.3
screenshot emoticons_after
[ "$(stack_index "$EMO_WIN")" -gt "$(stack_index "$COVER")" ] ||
  fail "the emoticon window is below the other program's window"
[ "$(client_rect "$EMO_WIN")" = "$before" ] || fail "the emoticon window moved"
convert "$E2E_OUT/emoticons_before.png" -crop "$before" +repage "$E2E_OUT/emo_a.png"
convert "$E2E_OUT/emoticons_after.png" -crop "$before" +repage "$E2E_OUT/emo_b.png"
differ=$(compare -metric AE "$E2E_OUT/emo_a.png" "$E2E_OUT/emo_b.png" null: 2>&1 || true)
area=$(identify -format '%[fx:w*h]' "$E2E_OUT/emo_a.png")
[ "${differ%%.*}" -lt $((area / 50)) ] ||
  fail "the emoticon window is covered on the screen ($differ of $area pixels changed)"
pass "the emoticon window stays in sight above another program's window ($differ pixels changed)"

activate "$KIREL_WIN"
close_kirel
