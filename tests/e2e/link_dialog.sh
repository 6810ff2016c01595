#!/usr/bin/env bash
# The link dialog as a person uses it. An image address copied in another
# program opens the dialog when the user comes back; ticking "画像を挿入する",
# choosing "画像を左に表示" and typing a comment builds the image tag that OK
# puts into the post (read back through the transfer to the clipboard). Then a
# local page shown in the browser tab is what "アドレス取得" brings into the
# address box.
#
# The browser views are pointed at a proxy this test runs on 127.0.0.1, which
# answers plain requests with a local picture and refuses tunnels, so the
# picture preview of the copied https address never leaves the machine.
set -euo pipefail
source "$E2E_LIB"

port_file=$E2E_OUT/proxy.port
proxy_log=$E2E_OUT/proxy.log
rm -f "$port_file" "$proxy_log"
python3 "$(dirname "$E2E_LIB")/localproxy.py" "$E2E_APPDIR/user/Background.jpg" "$proxy_log" \
  "$port_file" &
PROXY_PID=$!
trap 'kill "$PROXY_PID" 2>/dev/null || true' EXIT
for _ in $(seq 100); do [ -s "$port_file" ] && break; sleep 0.05; done
[ -s "$port_file" ] || fail "the local proxy did not start"
export QTWEBENGINE_CHROMIUM_FLAGS="--proxy-server=http://127.0.0.1:$(cat "$port_file")"

# The browser tab's saved list holds a local page.
page=$E2E_APPDIR/guide.htm
cp "$E2E_APPDIR/リファレンス.htm" "$page"
printf '%s\r\n' "$page" >"$E2E_APPDIR/user/bbs.txt"

start_other
start_kirel
activate "$KIREL_WIN"   # the first activation only takes the snapshot

# --- a copied image address opens the dialog -----------------------------------
activate "$OTHER_WIN"
clip_set "https://example.com/a.jpg"
activate "$KIREL_WIN"
dialog=$(wait_window "リンクする") || { screenshot link_none; fail "the link dialog did not open"; }
pass "a copied address opens the link dialog"
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
sleep 1

# The comment box has the focus; then the check box, the radio buttons, OK.
xdotool type --delay 30 "photo"
xdotool key --clearmodifiers Tab Tab Tab space
sleep 0.2
xdotool key --clearmodifiers Tab Down
sleep 0.5
screenshot link_image
xdotool key --clearmodifiers Return
for _ in $(seq 100); do [ "$(count_windows "リンクする")" = 0 ] && break; sleep 0.05; done
[ "$(count_windows "リンクする")" = 0 ] || fail "OK did not close the dialog"

xdotool key --clearmodifiers ctrl+e
close_message || fail "no message after the transfer"
expected='<IMG src="https://example.com/a.jpg" align="left" alt="photo">'
[ "$(clip_get)" = "$expected" ] || fail "the post holds: $(clip_get)"
pass "OK puts the image tag into the post"

# The preview asked for the picture, through the local proxy only.
grep -q '^CONNECT example.com:443' "$proxy_log" || fail "the preview did not ask for the picture"
pass "the picture preview goes through the local proxy"

# --- "アドレス取得" takes the page shown in the browser tab ----------------------
eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
WX=$X
WY=$Y
click_at() { xdotool mousemove $((WX + $1)) $((WY + $2)) click "${3:-1}"; sleep 0.4; }
pixel() {
  import -window root -crop "1x1+$((WX + $1))+$((WY + $2))" -format '%[pixel:p{0,0}]' info:- 2>/dev/null
}
click_at 223 14   # the browser tab
click_at 494 39   # the address list's button
click_at 189 56   # its first item: the local page
for _ in $(seq 100); do [ "$(pixel 300 80)" = "srgb(130,194,242)" ] && break; sleep 0.1; done
[ "$(pixel 300 80)" = "srgb(130,194,242)" ] || { screenshot link_browser; fail "the page is not shown"; }

click_at 84 13    # back to the edit tab
click_at 300 250 3
xdotool key --clearmodifiers Down Right
sleep 0.3
xdotool key --clearmodifiers l   # "リンクを入れる(&L)"
dialog=$(wait_window "リンクする") || { screenshot link_menu; fail "the menu item opened no dialog"; }
xdotool windowactivate --sync "$dialog" >/dev/null 2>&1 || true
sleep 0.5
# Nothing on the clipboard is an address: the address box has the focus and
# the next one is "アドレス取得"; the comment box follows it.
xdotool key --clearmodifiers Tab space
sleep 1
screenshot link_fetched
xdotool type --delay 30 "guide"
xdotool key --clearmodifiers Return
for _ in $(seq 100); do [ "$(count_windows "リンクする")" = 0 ] && break; sleep 0.05; done
xdotool key --clearmodifiers ctrl+e
close_message || fail "no message after the second transfer"
link="<A href=\"file://$page\">guide</A>"
case "$(clip_get)" in
  *"$link"*) ;;
  *) fail "the post holds: $(clip_get)" ;;
esac
pass "アドレス取得 brings the browser tab's page"
# The main window took a new native window for the browser view: find it again.
KIREL_WIN=$(wait_window "Kirel Editor") || fail "the main window is gone"
close_kirel
