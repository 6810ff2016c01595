#!/usr/bin/env bash
# Start-up as a single instance, bringing the first window forward, shut-down
# writing "Kirel.ini", and a stale lock left by a crash or a power cut not blocking
# the next start.
source "$E2E_LIB"

# A kill between the two steps of a save leaves its temporary file behind; the
# next start removes those, in every folder the program writes to, and nothing
# else: not the user's files with backup-like names.
mkdir -p "$E2E_APPDIR/user/custom/mozie" "$E2E_APPDIR/kao"
gone=".Kirel.ini.kirel-AbCdEf .backup.txt.kirel-QwErTy user/.bbs.txt.kirel-zZyYxX
  user/custom/.Itemlist.txt.kirel-a1B2c3 user/custom/mozie/.cat.txt.kirel-Zz9Zz9"
kept="notes.txt Kirel.ini.bak1 memo.txt.backup user/notes.txt.Backup kao/old.txt.before"
for f in $gone $kept; do
  echo leftover >"$E2E_APPDIR/$f"
done
start_kirel
for f in $gone; do
  [ -e "$E2E_APPDIR/$f" ] && fail "left-over $f not removed at start-up"
done
for f in $kept; do
  [ -e "$E2E_APPDIR/$f" ] || fail "start-up removed the user's $f"
done
pass "left-over save copies removed at start-up"
[ "$(count_windows "Kirel Editor")" -eq 1 ] || fail "expected one main window"
screenshot main-window

# The program's icon is set once the window has been painted.
for _ in $(seq 40); do
  xprop -id "$KIREL_WIN" _NET_WM_ICON 2>/dev/null | grep -q 'Icon (16 x 16)' && break
  sleep 0.05
done
xprop -id "$KIREL_WIN" _NET_WM_ICON | grep -q 'Icon (48 x 48)' || fail "no window icon"
pass "window icon"

# A second start ends by itself without a window of its own, and brings the
# first window to the front.
start_other
activate "$OTHER_WIN"
timeout 15 "$E2E_KIREL" || fail "second start did not exit cleanly"
sleep 0.5
[ "$(count_windows "Kirel Editor")" -eq 1 ] || fail "second start left a window"
kill -0 "$KIREL_PID" || fail "first instance ended"
[ "$(xdotool getactivewindow)" = "$KIREL_WIN" ] || fail "first window not brought to the front"
pass "single instance"

close_kirel
[ -f "$E2E_APPDIR/Kirel.ini" ] || fail "Kirel.ini not written"
[ "$(ini_value Form1Width)" -gt 0 ] || fail "Form1Width missing"
[ -n "$(ini_value RichEdit1widthBBS1)" ] || fail "RichEdit1widthBBS1 missing"
grep -q $'Inyoufu=>\r$' "$E2E_APPDIR/Kirel.ini" || fail "Inyoufu not written with CR LF"
pass "shut-down writes Kirel.ini"

# A crash leaves the lock behind; the next start takes it over.
start_kirel
kill -9 "$KIREL_PID"
wait "$KIREL_PID" 2>/dev/null || true
start_kirel
pass "start after a crash"
close_kirel

# A power cut can leave the lock empty or garbled: the next start takes it over.
for junk in "" "$(head -c 64 /dev/urandom | tr -d '\0')"; do
  # The lock of this user on this display (":90" is "x11-90").
  printf '%s' "$junk" >"$XDG_RUNTIME_DIR/Kirel_Editor-$(id -u)-x11-${DISPLAY#:}.lock"
  start_kirel
  timeout 15 "$E2E_KIREL" || fail "second start did not exit cleanly"
  [ "$(count_windows "Kirel Editor")" -eq 1 ] || fail "second start left a window"
  close_kirel
done
pass "start over an empty or garbled lock"
