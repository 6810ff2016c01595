#!/usr/bin/env bash
# The program and the web, against a server this test starts on 127.0.0.1:
#  - a post with <IMG src="http://..."> (what the link dialog inserts) shows the
#    picture in the preview: the request reaches the server and the picture's
#    pixels are on the screen;
#  - a cookie set in the browser tab is still sent after the program restarts,
#    kept in the program folder under user/browser.
set -euo pipefail
source "$E2E_LIB"

TAB_PREVIEW=(149 14) # window-relative, the window at its default size
TAB_BROWSER=(223 14)
EDIT_PANE=(249 240)
ADDRESS_BOX=(300 39)

log=$E2E_OUT/server.log
portfile=$E2E_OUT/server.port
rm -f "$log" "$portfile"
python3 - "$portfile" "$log" >"$E2E_OUT/server.out" 2>&1 <<'PY' &
import http.server, struct, sys, zlib

def png(width, height, rgb):
    row = b"\0" + bytes(rgb) * width
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(row * height)) + chunk(b"IEND", b""))

PICTURE = png(64, 48, (255, 0, 255))

class Handler(http.server.BaseHTTPRequestHandler):
    def do_GET(self):
        with open(sys.argv[2], "a") as log:
            log.write("%s cookie=%s\n" % (self.path, self.headers.get("Cookie", "")))
        if self.path == "/a.png":
            body, kind, extra = PICTURE, "image/png", []
        elif self.path == "/login":
            body, kind = b"<html><body>logged in</body></html>", "text/html"
            extra = [("Set-Cookie", "name=taro; Max-Age=86400; Path=/")]
        else:
            body, kind, extra = b"<html><body>page</body></html>", "text/html", []
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        for key, value in extra:
            self.send_header(key, value)
        self.end_headers()
        self.wfile.write(body)

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
base=http://127.0.0.1:$(cat "$portfile")

wait_request() { # path
  for _ in $(seq 200); do grep -q "^$1 " "$log" 2>/dev/null && return 0; sleep 0.05; done
  return 1
}
window_origin() {
  eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
  WX=$X
  WY=$Y
}
click_at() { xdotool mousemove $((WX + $1)) $((WY + $2)) click 1; sleep 0.3; }
# Share of the window's pixels that are the picture's magenta.
magenta_share() {
  import -window root -crop "623x402+$WX+$WY" "$E2E_OUT/window.png" 2>/dev/null
  convert "$E2E_OUT/window.png" -fill black +opaque "#FF00FF" -fill white -opaque "#FF00FF" \
    -format '%[fx:mean]' info:
}

# --- a picture from the web in the preview -----------------------------------------
start_kirel
activate "$KIREL_WIN"
window_origin
click_at "${EDIT_PANE[@]}"
clip_set "写真です<BR><IMG src=\"$base/a.png\" alt=\"写真\">"
xdotool key ctrl+v
sleep 0.3
click_at "${TAB_PREVIEW[@]}"
wait_request /a.png || { screenshot preview_no_request; fail "the preview did not ask for the picture"; }
share=0
for _ in $(seq 100); do
  share=$(magenta_share)
  awk -v s="$share" 'BEGIN { exit !(s > 0.005) }' && break
  sleep 0.1
done
screenshot preview_picture
# 64 x 48 pixels of the 623 x 402 window are about 1.2 %.
awk -v s="$share" 'BEGIN { exit !(s > 0.01 && s < 0.014) }' ||
  fail "the picture is not drawn (magenta share $share)"
pass "the picture from the web is drawn in the preview"

# --- the browser tab keeps its cookies across a restart -----------------------------
open_in_browser_tab() { # address
  click_at "${TAB_BROWSER[@]}"
  click_at "${ADDRESS_BOX[@]}"
  xdotool key ctrl+a
  xdotool type --delay 20 "$1"
  xdotool key Return
}
open_in_browser_tab "$base/login"
wait_request /login || { screenshot browser_no_request; fail "the browser tab did not load the page"; }
sleep 1
close_kirel
[ -d "$E2E_APPDIR/user/browser" ] || fail "no user/browser in the program folder"

start_kirel
activate "$KIREL_WIN"
window_origin
open_in_browser_tab "$base/check"
wait_request /check || { screenshot browser_no_check; fail "the browser tab did not load the page"; }
grep '^/check ' "$log" | grep -q 'cookie=name=taro' ||
  fail "the cookie was not kept: $(grep '^/check ' "$log")"
pass "the browser tab sends the cookie again after a restart"
close_kirel
