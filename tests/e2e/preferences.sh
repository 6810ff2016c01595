#!/usr/bin/env bash
# The preferences as a person uses them: open them from the settings menu, set
# board 2's limit to 500 and its text colour to "#0000FF" with the keyboard,
# save, choose board 2 and type a post. The current board then has the new
# limit, and the preview tab draws the post in blue; after a restart the values
# are still there and the preview is still blue.
set -euo pipefail
source "$E2E_LIB"

SETTINGS_BUTTON=(24 190) # window-relative, the window at its default size
TAB_PREVIEW=(150 33)
PREFS="環境設定"

client_origin() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    END { print x, y }'
}
click_in() { # window x y
  local ox oy
  read -r ox oy < <(client_origin "$1")
  xdotool mousemove $((ox + $2)) $((oy + $3)) click 1
  sleep 0.3
}
settings_menu() { # keys typed into the menu
  activate "$KIREL_WIN"
  eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
  xdotool mousemove $((X + SETTINGS_BUTTON[0])) $((Y + SETTINGS_BUTTON[1])) click 1
  sleep 0.5
  xdotool key --clearmodifiers "$@"
}
# Counts blue pixels of the post in the main window.
blue_pixels() {
  local kx ky
  read -r kx ky < <(client_origin "$KIREL_WIN")
  screenshot "$1"
  convert "$E2E_OUT/$1.png" -crop "623x402+$kx+$ky" +repage txt:- |
    awk -F'[(),]+' 'NR > 1 && $3 <= 60 && $4 <= 60 && $5 >= 200 { n++ } END { print n + 0 }'
}
preview_is_blue() {
  click_in "$KIREL_WIN" "${TAB_PREVIEW[@]}"
  local n=0
  for _ in $(seq 60); do
    sleep 0.25
    n=$(blue_pixels "$1")
    [ "$n" -ge 15 ] && break
  done
  [ "$n" -ge 15 ] || fail "the preview shows no blue post ($n blue pixels)"
  echo "$n"
}

start_kirel
settings_menu o
PREFS_WIN=$(wait_window "$PREFS") || { screenshot no_prefs; fail "the menu item opened no preferences"; }
sleep 0.3
screenshot prefs_open
# The limit field of board 1 has the focus; Ctrl+Tab turns to board 2's page,
# whose first field is its limit, then Tab reaches the text colour.
xdotool key --clearmodifiers ctrl+Tab
sleep 0.2
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "500"
xdotool key --clearmodifiers Tab ctrl+a
xdotool type --delay 30 "0000FF"
sleep 0.2
screenshot prefs_board2
xdotool key --clearmodifiers alt+a
close_message || { screenshot no_saved; fail "no saved message"; }
for _ in $(seq 50); do [ "$(count_windows "$PREFS")" = 0 ] && break; sleep 0.1; done
[ "$(count_windows "$PREFS")" = 0 ] || fail "saving did not close the preferences"
[ "$(ini_value MOJISU2)" = 500 ] || fail "MOJISU2 is '$(ini_value MOJISU2)'"
[ "$(ini_value F2Color)" = "#0000FF" ] || fail "F2Color is '$(ini_value F2Color)'"
pass "the preferences saved board 2's limit and text colour"

# Board 2 from the settings menu's board list, then a post.
settings_menu b Down Return
sleep 0.3
[ "$(ini_value Check2)" = 1 ] || fail "board 2 was not chosen (Check2 '$(ini_value Check2)')"
[ "$(ini_value MojiOK)" = 500 ] || fail "the current limit is '$(ini_value MojiOK)'"
activate "$KIREL_WIN"
click_in "$KIREL_WIN" 300 250 # the edit pane
xdotool type --delay 30 "blue blue blue blue"
screenshot typed
n=$(preview_is_blue preview_blue)
pass "board 2 is current with the limit 500; the preview draws the post in blue ($n pixels)"
close_kirel

start_kirel
[ "$(ini_value MOJISU2)" = 500 ] && [ "$(ini_value F2Color)" = "#0000FF" ] ||
  fail "the values did not survive the restart"
activate "$KIREL_WIN"
click_in "$KIREL_WIN" 300 250
xdotool type --delay 30 "blue again blue again"
n=$(preview_is_blue preview_restarted)
pass "after a restart board 2 still draws the post in blue ($n pixels)"
close_kirel
