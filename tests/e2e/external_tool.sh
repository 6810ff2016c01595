# The external tool as a person registers and starts it: a small script in the
# program folder chosen in the registration dialog from the settings menu, then
# started from the edit pane's menu; it records how many arguments it got.
source "$E2E_LIB"

marker=$E2E_OUT/tool-ran.txt
rm -f "$marker"
printf '#!/bin/sh\necho "$#:$*" > "%s"\n' "$marker" >"$E2E_APPDIR/mytool.sh"
chmod +x "$E2E_APPDIR/mytool.sh"

start_kirel
activate "$KIREL_WIN"

# Nothing registered yet: the launch asks; No.
xdotool mousemove --window "$KIREL_WIN" 300 250 click 3
sleep 0.4
xdotool key Up Up Return   # 外部ツール, the last item but one
close_message || fail "no question with nothing registered"   # Enter: Yes
dialog=$(wait_window "外部ツールの登録") || fail "Yes did not open the registration dialog"
xdotool key --clearmodifiers Escape
sleep 0.3

# 外部ツールの設定(&T) in the settings menu (fifth toolbar button).
activate "$KIREL_WIN"
xdotool mousemove --window "$KIREL_WIN" 24 211 click 1
sleep 0.4
xdotool key t
dialog=$(wait_window "外部ツールの登録") || fail "the registration dialog did not open"
sleep 0.3
# The dialog shows the program folder; the file list has the keyboard.
xdotool type --delay 50 "my"
sleep 0.2
screenshot dialog
xdotool key --clearmodifiers alt+a
close_message || fail "no message after registering"
[ "$(ini_value Tool)" = "$E2E_APPDIR/mytool.sh" ] || fail "Tool is '$(ini_value Tool)'"
pass "registered"
activate "$dialog"
xdotool key --clearmodifiers Escape
sleep 0.3
[ "$(count_windows "外部ツールの登録")" = 0 ] || fail "the dialog did not close"

activate "$KIREL_WIN"
xdotool mousemove --window "$KIREL_WIN" 300 250 click 3
sleep 0.4
xdotool key Up Up Return
for _ in $(seq 100); do [ -s "$marker" ] && break; sleep 0.05; done
[ -s "$marker" ] || fail "the tool did not run"
[ "$(cat "$marker")" = "0:" ] || fail "the tool got arguments: $(cat "$marker")"
pass "started without arguments"
close_kirel
