# Find and replace with the keyboard on a real desktop, then quick save 0 from the
# toolbar: the find dialog keeps the keyboard (Enter steps on and never types
# over the match), replace takes the first match each time, Esc closes, and
# "backup.txt" holds exactly the edited post.
source "$E2E_LIB"

start_kirel
activate "$KIREL_WIN"
# The edit pane fills the lower part of the edit tab.
xdotool mousemove --window "$KIREL_WIN" 300 250 click 1
sleep 0.2
xdotool type --delay 20 "cat dog cat"

# Find: context menu of the edit pane, 検索(&F).
xdotool mousemove --window "$KIREL_WIN" 300 250 click 3
sleep 0.4
xdotool key f
wait_window "検索" >/dev/null || fail "the find dialog did not open"
sleep 0.2
xdotool type --delay 20 "cat"
xdotool key Return
sleep 0.2
xdotool key Return
sleep 0.2
xdotool key Return
close_message || fail "no not-found message after the last match"
pass "find stepped through both matches and reported the end"
xdotool key Escape
sleep 0.3
[ "$(count_windows "検索")" = 0 ] || fail "Esc did not close the find dialog"

# Replace: 置換(&R); Enter replaces the first match from the top each time.
xdotool mousemove --window "$KIREL_WIN" 300 250 click 3
sleep 0.4
xdotool key r
wait_window "置換" >/dev/null || fail "the replace dialog did not open"
sleep 0.2
xdotool type --delay 20 "cat"
xdotool key Tab
xdotool type --delay 20 "cow"
xdotool key Return
sleep 0.2
xdotool key Return
sleep 0.2
xdotool key Escape
sleep 0.3
[ "$(count_windows "置換")" = 0 ] || fail "Esc did not close the replace dialog"

# Quick save 0: the sixth toolbar button.
activate "$KIREL_WIN"
xdotool mousemove --window "$KIREL_WIN" 24 243 click 1
for _ in $(seq 50); do [ -f "$E2E_APPDIR/backup.txt" ] && break; sleep 0.1; done
screenshot saved
[ -f "$E2E_APPDIR/backup.txt" ] || fail "quick save 0 wrote no backup.txt"
got=$(cat "$E2E_APPDIR/backup.txt")
[ "$got" = "cow dog cow" ] || fail "backup.txt holds '$got'"
[ -f "$E2E_APPDIR/inback.txt" ] || fail "quick save 0 wrote no inback.txt"
[ "$(ini_value LastSavePath)" = "$E2E_APPDIR/backup.txt" ] || fail "LastSavePath is '$(ini_value LastSavePath)'"
pass "replace and quick save 0"
# Close the way a person does (the window manager's close request).
activate "$KIREL_WIN"
xdotool key alt+F4
for _ in $(seq 100); do kill -0 "$KIREL_PID" 2>/dev/null || exit 0; sleep 0.05; done
fail "the editor did not exit"
