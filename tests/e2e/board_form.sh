#!/usr/bin/env bash
# A post reaches a Shift_JIS board exactly as the counter counted it. The test
# serves a board's posting form (Shift_JIS, a MESSAGE text area) on 127.0.0.1;
# each post is pasted into the edit pane, put on the clipboard by the transfer
# (Ctrl+E) or by copying it with Ctrl+C, pasted into the form in the program's
# own browser tab and sent. The bytes the server receives as MESSAGE must equal
# the counter's figure: no-break spaces, a wave dash copied with Ctrl+C, an
# emoji, half-width kana and CR LF line breaks.
set -euo pipefail
source "$E2E_LIB"

TAB_EDIT=(84 14) # window-relative, the window at its default size
TAB_BROWSER=(223 14)
EDIT_PANE=(249 240)
ADDRESS_BOX=(300 39)
WEB_TOP=53            # the page's top edge in the browser tab
FORM_TEXT=(200 40)    # the form's text area, at the top of the page
FORM_SEND=(150 130)   # its send button, below it

log=$E2E_OUT/server.log
portfile=$E2E_OUT/server.port
rm -f "$log" "$portfile"
python3 - "$portfile" "$log" >"$E2E_OUT/server.out" 2>&1 <<'PY' &
import http.server, sys

FORM = ("<html><head><title>form</title></head><body style='margin:0'>"
        "<form method='post' action='/post' accept-charset='Shift_JIS'>"
        "<textarea name='MESSAGE' style='position:absolute;top:0;left:0;width:400px;"
        "height:90px'></textarea>"
        "<input type='submit' value='send' style='position:absolute;top:100px;left:0;"
        "width:300px;height:60px'></form></body></html>").encode("shift_jis")

class Handler(http.server.BaseHTTPRequestHandler):
    def reply(self, body):
        self.send_response(200)
        self.send_header("Content-Type", "text/html; charset=Shift_JIS")
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        with open(sys.argv[2], "a") as log:
            log.write("GET %s\n" % self.path)
        self.reply(FORM)

    def do_POST(self):
        body = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        with open(sys.argv[2], "a") as log:
            log.write("POST %s\n" % body.decode("ascii"))
        self.reply(b"<html><body>ok</body></html>")

    def log_message(self, *args):
        pass

server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
with open(sys.argv[1], "w") as f:
    f.write(str(server.server_port))
server.serve_forever()
PY
server_pid=$!
track_pid "$server_pid" "$(python_exe)"
for _ in $(seq 100); do [ -s "$portfile" ] && break; sleep 0.05; done
[ -s "$portfile" ] || fail "the test's web server did not start"
form=http://127.0.0.1:$(cat "$portfile")/form

# A limit of 1,000 characters: the counter's hint gives the remaining bytes of 2,000.
printf '[Form10]\r\nMojiOK=1000\r\n' >"$E2E_APPDIR/Kirel.ini"
export QT_LOGGING_RULES="kirel.counter.info=true"
start_kirel
activate "$KIREL_WIN"
eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
WX=$X
WY=$Y
click_at() { xdotool mousemove $((WX + $1)) $((WY + $2)) click 1; sleep 0.3; }
counter_lines() { cat "$E2E_OUT/kirel.log" 2>/dev/null | grep -c 'counter:' || true; }
# The bytes the counter counted: 2,000 less the remaining bytes of its last hint.
counted() {
  local remaining
  remaining=$(grep 'counter:' "$E2E_OUT/kirel.log" | tail -n 1 | sed 's/.*残り \(-\?[0-9]*\) .*/\1/')
  echo $((2000 - remaining))
}
posts() { cat "$log" 2>/dev/null | grep -c '^POST ' || true; }
forms() { cat "$log" 2>/dev/null | grep -c '^GET /form' || true; }
# Bytes of MESSAGE in the last form the server received.
received() {
  grep '^POST ' "$log" | tail -n 1 | cut -c6- | python3 -c '
import sys, urllib.parse
fields = urllib.parse.parse_qs(sys.stdin.read().strip(), keep_blank_values=True, encoding="latin-1")
print(len(fields["MESSAGE"][0].encode("latin-1")))'
}

# One post: into the edit pane from the clipboard, onto the clipboard by the
# given way (transfer or copy), into the form and sent.
send_post() { # name text way
  local name=$1 text=$2 way=$3 before sent shown
  click_at "${TAB_EDIT[@]}"
  click_at "${EDIT_PANE[@]}"
  xdotool key --clearmodifiers ctrl+a Delete
  clip_set "$text"
  before=$(counter_lines)
  xdotool key --clearmodifiers ctrl+v
  for _ in $(seq 100); do [ "$(counter_lines)" -gt "$before" ] && break; sleep 0.05; done
  sleep 0.3
  local count
  count=$(counted)
  if [ "$way" = transfer ]; then
    xdotool key --clearmodifiers ctrl+e
    close_message || fail "$name: no message after the transfer"
  else
    xdotool key --clearmodifiers ctrl+a ctrl+c
    sleep 0.2
  fi

  shown=$(forms)
  click_at "${TAB_BROWSER[@]}"
  click_at "${ADDRESS_BOX[@]}"
  xdotool key --clearmodifiers ctrl+a
  xdotool type --delay 20 "$form"
  xdotool key --clearmodifiers Return
  for _ in $(seq 200); do [ "$(forms)" -gt "$shown" ] && break; sleep 0.05; done
  [ "$(forms)" -gt "$shown" ] || { screenshot "form_$name"; fail "$name: the form was not loaded"; }
  sleep 1.5
  before=$(posts)
  click_at "${FORM_TEXT[0]}" $((WEB_TOP + FORM_TEXT[1]))
  xdotool key --clearmodifiers ctrl+v
  sleep 0.3
  click_at "${FORM_SEND[0]}" $((WEB_TOP + FORM_SEND[1]))
  for _ in $(seq 200); do [ "$(posts)" -gt "$before" ] && break; sleep 0.05; done
  [ "$(posts)" -gt "$before" ] || { screenshot "form_$name"; fail "$name: the form was not sent"; }
  sent=$(received)
  [ "$sent" = "$count" ] || fail "$name: the board received $sent bytes, the counter counted $count"
  pass "$name: $sent bytes counted and received"
}

send_post no-break-spaces $'A\xc2\xa0B\xc2\xa0\xc2\xa0C' transfer
send_post wave-dash-copied "波〜線" copy
send_post emoji "笑😀" transfer
send_post half-width-kana "ｶﾀｶﾅﾃﾞｽ" transfer
send_post line-breaks $'一行目\r\n二行目\r\n' transfer
close_kirel
