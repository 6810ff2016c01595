#!/usr/bin/env bash
# A board's rules from the board itself, as a person uses them: a board on
# 127.0.0.1 publishes SETTING.TXT (300 bytes, 5 x 2 lines) and refuses posts
# over those limits. The rules are imported from the board's address into board
# 1 of the preferences and saved; a reply of 40 lines and about 2,000 bytes is
# pasted, split from the edit menu, and each part is transferred and posted
# through the program's own browser tab. The board accepts every part, and the
# parts joined are the reply.
set -euo pipefail
source "$E2E_LIB"

# Window-relative points (getwindowgeometry), the window at its default size.
SETTINGS_BUTTON=(24 190)
EDIT_PANE=(300 250)
TAB_BROWSER=(223 14)
BOX=(300 39)       # the browser tab's address box
TEXTAREA=(300 200) # the board form's text area, at the top of the page

port_file=$E2E_OUT/board.port
board_log=$E2E_OUT/board.log
rm -f "$port_file" "$board_log"
# The server's output goes to a file, so that it never holds the test's output
# open.
py=$(python_exe)
"$py" "$(dirname "$E2E_LIB")/boardserver.py" "$board_log" "$port_file" 300 5 \
  >"$E2E_OUT/server.out" 2>&1 &
track_pid $! "$py"
for _ in $(seq 100); do [ -s "$port_file" ] && break; sleep 0.05; done
[ -s "$port_file" ] || fail "the board did not start"
BOARD="http://127.0.0.1:$(cat "$port_file")/board/"

start_kirel
activate "$KIREL_WIN"
eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
WX=$X
WY=$Y
click_at() { xdotool mousemove $((WX + $1)) $((WY + $2)) click "${3:-1}"; sleep 0.3; }
# Answers the next box of the editor with the key (Escape: No).
answer_box() {
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name "^Kirel Editor\$" 2>/dev/null); do
      if [ "$id" != "$KIREL_WIN" ] && xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG; then
        xdotool windowactivate --sync "$id" key --clearmodifiers "$1" >/dev/null 2>&1 || true
        sleep 0.4
        return 0
      fi
    done
    sleep 0.05
  done
  return 1
}
ini_text() { iconv -f CP932 -t UTF-8 <"$E2E_APPDIR/Kirel.ini" | tr -d '\r' | grep -m1 "^$1=" | cut -d= -f2-; }
posts() { [ -f "$board_log" ] && wc -l <"$board_log" || echo 0; }

# --- the rules from the board's address
click_at "${SETTINGS_BUTTON[@]}"
sleep 0.3
xdotool key --clearmodifiers o
PREFS_WIN=$(wait_window "環境設定") || fail "no preferences"
sleep 0.3
xdotool key --clearmodifiers alt+r
IMPORT_WIN=$(wait_window "掲示板の設定を読み込む") || { screenshot no_import; fail "no import window"; }
sleep 0.3
xdotool type --delay 20 "$BOARD"
xdotool key --clearmodifiers Return
close_message || { screenshot no_import_message; fail "no message after the import"; }
for _ in $(seq 50); do [ "$(count_windows "掲示板の設定を読み込む")" = 0 ] && break; sleep 0.1; done
screenshot imported
[ ! -f "$E2E_APPDIR/Kirel.ini" ] || ! grep -q LineLimit1 "$E2E_APPDIR/Kirel.ini" ||
  fail "the rules were written before the save"
activate "$PREFS_WIN"
xdotool key --clearmodifiers alt+a
close_message || { screenshot no_saved; fail "no saved message"; }
[ "$(ini_value MOJISU1)" = 150 ] || fail "MOJISU1 is '$(ini_value MOJISU1)'"
[ "$(ini_value LineLimit1)" = 10 ] || fail "LineLimit1 is '$(ini_value LineLimit1)'"
[ "$(ini_text BBSName1)" = "テスト掲示板" ] || fail "BBSName1 is '$(ini_text BBSName1)'"
[ "$(ini_value C1Color)" = "#008000" ] || fail "C1Color is '$(ini_value C1Color)'"
pass "the board's rules imported from its address and saved"

# --- a reply of 40 lines, 48 bytes each: 1,998 bytes with the line breaks
reply=$(for i in $(seq -w 1 40); do printf '第%s行：%s\n' "$i" "あいうえおかきくけこさしすせそたちつてと"; done)
reply=${reply%$'\n'}
clip_set "$reply"
activate "$KIREL_WIN"
click_at "${EDIT_PANE[@]}"
xdotool key --clearmodifiers ctrl+v
sleep 0.5
# Over both limits: each warning once, each offering the split; No to both.
answer_box Escape || fail "no over-limit warning"
answer_box Escape || fail "no line warning"
click_at "${EDIT_PANE[@]}" 3
sleep 0.3
xdotool key --clearmodifiers w
SPLIT_WIN=$(wait_window "分割投稿する") || { screenshot no_split; fail "the split-post window did not open"; }
sleep 0.5
screenshot split

# --- each part transferred and posted through the browser tab
activate "$KIREL_WIN"
click_at "${TAB_BROWSER[@]}"
click_at "${BOX[@]}"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 10 "$BOARD"
xdotool key --clearmodifiers Return
sleep 2
parts=0
while :; do
  activate "$SPLIT_WIN"
  xdotool key --clearmodifiers alt+c
  close_message || fail "no message after transferring part $((parts + 1))"
  part=$(clip_get)
  before=$(posts)
  activate "$KIREL_WIN"
  click_at "${TEXTAREA[@]}"
  xdotool key --clearmodifiers ctrl+a ctrl+v
  sleep 0.3
  xdotool key --clearmodifiers Tab Return
  for _ in $(seq 100); do [ "$(posts)" -gt "$before" ] && break; sleep 0.1; done
  [ "$(posts)" -gt "$before" ] || { screenshot no_post; fail "part $((parts + 1)) did not reach the board"; }
  parts=$((parts + 1))
  [ "$parts" -lt 40 ] || fail "more parts than lines"
  sleep 1
  # "次の部分" (Ctrl+PgDown); at the last part it is disabled and the part stays.
  activate "$SPLIT_WIN"
  xdotool key --clearmodifiers ctrl+Next
  sleep 0.3
  xdotool key --clearmodifiers alt+c
  close_message || fail "no message after the transfer"
  [ "$(clip_get)" != "$part" ] || break
done
screenshot posted

python3 - "$board_log" "$reply" "$parts" <<'PY' || fail "the board's log: $(cat "$board_log")"
import json, sys
log, reply, parts = sys.argv[1], sys.argv[2], int(sys.argv[3])
posts = [json.loads(l) for l in open(log, encoding="utf-8")]
assert len(posts) == parts, (len(posts), parts)
assert len(reply.replace("\n", "\r\n").encode("cp932")) == 1998
assert reply.count("\n") == 39
assert parts > 1, parts
assert all(p["ok"] for p in posts), [p["reason"] for p in posts]
joined = "\r\n".join(p["message"] for p in posts)
assert joined == reply.replace("\n", "\r\n"), joined
PY
pass "the board accepted all $parts parts, and they make the reply"
close_kirel
