#!/usr/bin/env bash
# The road of a typical reply, as a person at the desktop takes it: copy a passage
# in another program, come back, quote it with Esc and Enter, copy the addressee's
# name, type the answer, transfer with Ctrl+E; then check "backup.txt" and the
# system clipboard.
source "$E2E_LIB"

start_other
start_kirel
activate "$KIREL_WIN"   # the first activation only takes the snapshot

passage="今日はとても良い天気ですね、散歩に行きたい"
activate "$OTHER_WIN"
clip_set "$passage"
activate "$KIREL_WIN"

xdotool key --clearmodifiers Escape
sleep 0.2
xdotool key --clearmodifiers Return   # decorates the quote line, no line break
sleep 0.2
xdotool key --clearmodifiers Return   # now an ordinary line break
sleep 0.2

activate "$OTHER_WIN"
clip_set "たろう"
activate "$KIREL_WIN"                  # a short text: the addressee's handle name

xdotool type --delay 20 "hello"
sleep 0.2
screenshot before-transfer
xdotool key --clearmodifiers ctrl+e
close_message || fail "no message after the transfer"

expected=$'>'"$passage"$'\r\n>たろうさん\r\nhello'
actual=$(iconv -f CP932 -t UTF-8 "$E2E_APPDIR/backup.txt") || fail "backup.txt missing or not Shift-JIS"
[ "$actual" = "$expected" ] || fail "backup.txt holds: $actual"
pass "backup.txt"

clip=$(clip_get)
[ "$clip" = $'>'"$passage"$'\n>たろうさん\nhello' ] || fail "clipboard holds: $clip"
pass "clipboard"

# Coming back after the transfer captures nothing (the snapshot was renewed).
activate "$OTHER_WIN"
activate "$KIREL_WIN"
sleep 0.3
xdotool key --clearmodifiers ctrl+e
close_message || fail "no message after the second transfer"
[ "$(clip_get)" = "$clip" ] || fail "the transfer came back as a capture"
pass "no capture of the transferred text"
close_kirel
