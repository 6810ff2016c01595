#!/usr/bin/env bash
# The installed program, as a user of a desktop gets it: installed with
# `cmake --install` into a temporary root (DESTDIR), the installed tree made
# read-only, started with HOME and XDG_DATA_HOME in a temporary folder. The
# user's data folder is made and filled from the installed data; a quick save,
# the transfer and the preview write there and nothing is written into the
# installed tree; the browser module is loaded from the private library folder.
# A second start on the same display brings the first window forward, a start
# on a second display of the same user gets its own editor. The desktop entry
# and the metainfo validate.
source "$E2E_LIB"
[ -n "${KIREL_BUILD_DIR:-}" ] || fail "KIREL_BUILD_DIR is not set"
for tool in cmake desktop-file-validate appstreamcli identify; do
  command -v "$tool" >/dev/null || fail "missing $tool"
done

root=$PWD/root
prefix=$root/usr
DESTDIR=$root cmake --install "$KIREL_BUILD_DIR" --prefix /usr >"$E2E_OUT/install.log" 2>&1 ||
  { cat "$E2E_OUT/install.log"; fail "cmake --install failed"; }
export E2E_KIREL=$prefix/bin/kirel
[ -x "$E2E_KIREL" ] || fail "no executable in bin/"

# --- What was installed -----------------------------------------------------
id=jp.example.KirelEditor
module=$(find "$prefix/lib" -name kirelweb.so)
[ "$(wc -l <<<"$module")" = 1 ] && [ -n "$module" ] || fail "browser module: '$module'"
[ "$(basename "$(dirname "$module")")" = kirel ] || fail "module on the loader's path: $module"
[ -f "$(dirname "$module")/kirelnet.so" ] || fail "network module not beside the browser module"
for f in fonts.conf リファレンス.htm images/pirumi.bmp images/topopo.bmp images/kurotopo.bmp \
  user/Background.jpg; do
  [ -f "$prefix/share/kirel/$f" ] || fail "share/kirel/$f not installed"
done
[ -z "$(find "$prefix/share/kirel" -name 'CMakeLists.txt' -o -name '*.cmake' -o -name help)" ] ||
  fail "build files installed in share/kirel"

entry=$prefix/share/applications/$id.desktop
meta=$prefix/share/metainfo/$id.metainfo.xml
desktop-file-validate "$entry" >"$E2E_OUT/desktop-file-validate.log" 2>&1 ||
  { cat "$E2E_OUT/desktop-file-validate.log"; fail "desktop entry invalid"; }
grep -Ei 'error|warning' "$E2E_OUT/desktop-file-validate.log" && fail "desktop entry has warnings"
appstreamcli validate --no-net "$meta" >"$E2E_OUT/appstream.log" 2>&1 ||
  { cat "$E2E_OUT/appstream.log"; fail "metainfo invalid"; }
key() { grep -m1 "^$1=" "$entry" | cut -d= -f2-; }
[ -x "$prefix/bin/$(key Exec | cut -d' ' -f1)" ] || fail "Exec does not name the installed program"
[ -n "$(key 'Name\[ja\]')" ] && [ -n "$(key 'GenericName\[ja\]')" ] || fail "no Japanese names"
# One main category, or the editor shows up in several menus.
main=$(tr ';' '\n' <<<"$(key Categories)" |
  grep -xE 'AudioVideo|Audio|Video|Development|Education|Game|Graphics|Network|Office|Science|Settings|System|Utility' || true)
[ "$main" = Utility ] && [[ ";$(key Categories)" == *";TextEditor;"* ]] ||
  fail "Categories: $(key Categories)"
[ "$(key Icon)" = "$id" ] || fail "Icon: $(key Icon)"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$meta" ||
  fail "metainfo does not launch the desktop entry"
for size in 16 22 24 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  [ "$(identify -format '%wx%h' "$png" 2>/dev/null)" = "${size}x${size}" ] ||
    fail "icon $png is not ${size}x${size}"
done
[ -f "$prefix/share/icons/hicolor/scalable/apps/$id.svg" ] || fail "no scalable icon"
pass "installed files, desktop entry and metainfo"

# The installed tree is read-only from here on, and must stay as installed.
chmod -R a-w "$root"
snapshot() { (cd "$root" && find . -printf '%p %s %T@ %m\n' | sort); }
snapshot >"$E2E_OUT/tree-before"

export HOME=$PWD/home
export XDG_DATA_HOME=$HOME/data
mkdir -p "$HOME"
data=$XDG_DATA_HOME/kirel
export E2E_APPDIR=$data   # where ini_value looks for Kirel.ini

second_kirel=
second_session=
restore() {
  if [ -n "$second_kirel" ]; then kill "$second_kirel" 2>/dev/null || true; fi
  if [ -n "$second_session" ]; then x_session_stop; fi
  if [ -n "${KIREL_PID:-}" ]; then kill "$KIREL_PID" 2>/dev/null || true; fi
  chmod -R u+w "$root"
}
trap restore EXIT

# --- First start: the data folder ------------------------------------------
start_kirel
activate "$KIREL_WIN"
for f in fonts.conf リファレンス.htm images/pirumi.bmp user/Background.jpg; do
  cmp -s "$prefix/share/kirel/$f" "$data/$f" || fail "$f not copied into the data folder"
done
for d in kao user/custom/mozie; do [ -d "$data/$d" ] || fail "no $d folder"; done
pass "data folder made and filled from the installed data"

# Quick save 0 (the sixth toolbar button), then the transfer (Ctrl+E).
xdotool mousemove --window "$KIREL_WIN" 300 250 click 1
sleep 0.2
xdotool type --delay 20 "installed"
xdotool mousemove --window "$KIREL_WIN" 24 243 click 1
for _ in $(seq 50); do [ -f "$data/backup.txt" ] && break; sleep 0.1; done
[ "$(cat "$data/backup.txt" 2>/dev/null)" = installed ] || fail "quick save 0 wrote no backup.txt"
[ -f "$data/inback.txt" ] || fail "quick save 0 wrote no inback.txt"
xdotool mousemove --window "$KIREL_WIN" 300 250 click 1
xdotool key --clearmodifiers ctrl+End
xdotool type --delay 20 " copy"
xdotool key --clearmodifiers ctrl+e
close_message || fail "no message after the transfer"
[ "$(cat "$data/backup.txt")" = "installed copy" ] || fail "the transfer did not save backup.txt"
[ "$(clip_get)" = "installed copy" ] || fail "clipboard holds '$(clip_get)'"
pass "quick save and transfer write into the data folder"

# The preview tab: the page goes to the data folder, the module comes from the
# installation's private folder.
eval "$(xdotool getwindowgeometry --shell "$KIREL_WIN")"
xdotool mousemove $((X + 149)) $((Y + 14)) click 1
for _ in $(seq 100); do grep -qF "$module" "/proc/$KIREL_PID/maps" && break; sleep 0.1; done
grep -qF "$module" "/proc/$KIREL_PID/maps" || { screenshot preview; fail "module not loaded from $module"; }
[ -f "$data/0.htm" ] || fail "no preview page in the data folder"
# The page is drawn: the heading bar of the post cell shows its colour.
heading() { import -window root -crop "1x1+$((X + 279))+$((Y + 58))" -format '%[pixel:p{0,0}]' info:- 2>/dev/null; }
for _ in $(seq 150); do [ "$(heading)" = "srgb(128,128,255)" ] && break; sleep 0.1; done
screenshot installed-preview
[ "$(heading)" = "srgb(128,128,255)" ] || fail "the preview page was not drawn"
# Showing the browser view made Qt create the main window anew (with an OpenGL
# surface), under another id.
KIREL_WIN=$(wait_window "Kirel Editor") || fail "main window gone"
[ "$(count_windows "Kirel Editor")" -eq 1 ] || fail "more than one main window"
pass "preview with the installed browser module"

# A second start on the same display brings the first window forward.
timeout 15 "$E2E_KIREL" || fail "second start did not exit cleanly"
[ "$(count_windows "Kirel Editor")" -eq 1 ] || fail "second start on one display left a window"

# --- A second display of the same user --------------------------------------
# The harness's X server stays the first display; this script's own session is
# the second one, and only it is ended here.
source "$(dirname "$E2E_LIB")/../../scripts/xsession.sh"
first_display=$DISPLAY
mkdir -p "$E2E_OUT/second"
x_session_start "$E2E_OUT/second" $((${first_display#:} + 1))
second_session=1
second_display=$DISPLAY
[ "$second_display" != "$first_display" ] || fail "no second display"
"$E2E_KIREL" >>"$E2E_OUT/kirel-second.log" 2>&1 &
second_kirel=$!
wait_window "Kirel Editor" >/dev/null || fail "no editor on the second display $second_display"
[ "$(count_windows "Kirel Editor")" -eq 1 ] || fail "expected one window on $second_display"
kill -0 "$second_kirel" || fail "the editor on the second display ended"
DISPLAY=$first_display
[ "$(count_windows "Kirel Editor")" -eq 1 ] || fail "expected one window on $first_display"
kill -0 "$KIREL_PID" || fail "the first editor ended"
pass "two displays of one user, two editors"

# Closed as a person does; the window manager of a display that has just
# started may not have taken the window yet, so the request is repeated.
DISPLAY=$second_display
second_win=$(wait_window "Kirel Editor") || fail "no window on $second_display"
for _ in 1 2 3 4 5; do
  xdotool windowactivate --sync "$second_win" key --clearmodifiers alt+F4 >/dev/null 2>&1 || true
  for _ in $(seq 40); do kill -0 "$second_kirel" 2>/dev/null || break 2; sleep 0.05; done
done
if kill -0 "$second_kirel" 2>/dev/null; then
  screenshot second-display
  fail "the second editor did not exit"
fi
second_kirel=
x_session_stop
second_session=
DISPLAY=$first_display

# --- Shut-down, and the installed tree ---------------------------------------
close_kirel
KIREL_PID=
[ "$(ini_value Form1Width)" -gt 0 ] 2>/dev/null || fail "Kirel.ini not written in the data folder"
[ ! -e "$data/0.htm" ] || fail "preview page left behind"
snapshot >"$E2E_OUT/tree-after"
diff "$E2E_OUT/tree-before" "$E2E_OUT/tree-after" || fail "the installed tree changed"
pass "settings in the data folder, installed tree untouched"

# Without XDG_DATA_HOME the data folder is ~/.local/share/kirel.
unset XDG_DATA_HOME
start_kirel
[ -f "$HOME/.local/share/kirel/images/pirumi.bmp" ] || fail "no data folder in ~/.local/share"
close_kirel
KIREL_PID=
pass "default data folder"
