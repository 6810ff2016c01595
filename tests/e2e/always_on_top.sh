#!/usr/bin/env bash
# "常に最前面(&F)" under a real window manager: the confirmation box opens above
# the main window, now kept on top, and has the keyboard; once it is answered the
# edit pane takes typing again. Started again with the setting on, the window
# keeps the position and size it was closed with, start after start.
set -euo pipefail
source "$E2E_LIB"

SETTINGS_BUTTON=(24 190) # window-relative, the window at its default size
EDIT_PANE=(249 240)

# The main window: the visible "Kirel Editor" window that is not a dialog. Moving
# it to the topmost layer may give it a new window id.
main_window() {
  local id
  for id in $(xdotool search --onlyvisible --name '^Kirel Editor$' 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG || { echo "$id"; return 0; }
  done
  return 1
}
geometry() { xdotool getwindowgeometry "$1" | awk '/Position|Geometry/ { printf "%s ", $2 }'; }

start_kirel
activate "$KIREL_WIN"
eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
before=$(geometry "$KIREL_WIN")
xdotool mousemove $((X + SETTINGS_BUTTON[0])) $((Y + SETTINGS_BUTTON[1])) click 1
sleep 0.5
xdotool key f
box=$(dialog_window) || { screenshot no_box; fail "no confirmation box"; }
sleep 0.5
KIREL_WIN=$(main_window) || fail "main window gone"
screenshot confirmation
xprop -id "$KIREL_WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE || fail "main window not kept on top"
[ "$(xdotool getactivewindow)" = "$box" ] || fail "the confirmation box does not have the keyboard"
[ "$(stack_index "$box")" -gt "$(stack_index "$KIREL_WIN")" ] ||
  fail "the confirmation box is below the main window"
pass "the confirmation box is active and above the topmost main window"

xdotool key Return
sleep 0.5
[ "$(geometry "$KIREL_WIN")" = "$before" ] || fail "the window moved: $before -> $(geometry "$KIREL_WIN")"
xdotool mousemove $((X + EDIT_PANE[0])) $((Y + EDIT_PANE[1])) click 1
sleep 0.3
xdotool type --delay 50 "typed after"
xdotool key ctrl+e
close_message || { screenshot after_typing; fail "no transfer message (active window $(xdotool getactivewindow), main $KIREL_WIN)"; }
[ "$(clip_get)" = "typed after" ] || fail "the edit pane did not take the typing: '$(clip_get)'"
pass "after the answer the edit pane takes typing; the window stayed where it was"

close_kirel
[ "$(ini_value TopMost)" = 1 ] || fail "TopMost not saved"
top=$(ini_value Form1Top)
left=$(ini_value Form1Left)
size="$(ini_value Form1Width)x$(ini_value Form1Height)"
for run in 1 2 3; do
  start_kirel
  sleep 0.5
  close_kirel
  now="$(ini_value Form1Top)/$(ini_value Form1Left) $(ini_value Form1Width)x$(ini_value Form1Height)"
  [ "$now" = "$top/$left $size" ] || fail "start $run with TopMost=1 moved the window: $top/$left $size -> $now"
done
pass "three starts on top keep Form1Top=$top Form1Left=$left"
