#!/usr/bin/env bash
# The editor in a Wayland session (headless weston, run by the harness with
# E2E_SESSION=wayland): it starts on Qt's Wayland platform and draws its window;
# a second start on the same socket hands its activation token to the first and
# ends without a window of its own; a start on another compositor's socket gets
# its own editor; a lock left by a crash does not block the next start.
# The headless compositor has no seat, so there is no keyboard focus and no
# clipboard to test here.
source "$E2E_LIB"
source "$(dirname "$E2E_LIB")/../../scripts/waylandsession.sh"
[ -n "${WAYLAND_DISPLAY:-}" ] && [ -z "${DISPLAY:-}" ] || fail "not a Wayland session"

# The main window's background (FormColor 15909506, "#82C2F2").
form_color='#82C2F2'

# A screenshot of the compositor at WAYLAND_DISPLAY into the file $1.
wl_screenshot() {
  local dir
  dir=$(mktemp -d "$PWD/shot.XXXXXX")
  (cd "$dir" && timeout 10 weston-screenshooter >/dev/null 2>&1) || { rm -rf "$dir"; return 1; }
  mv "$dir"/wayland-screenshot-*.png "$1"
  rm -rf "$dir"
}

# The box the window's background covers in screenshot $1, as WxH+X+Y ("0x0..."
# when nothing of it is shown).
form_box() { convert "$1" +transparent "$form_color" -format '%@' info: 2>/dev/null; }

# Waits until the compositor shows a main window of plausible size; prints its
# box. $1 names the screenshot kept in E2E_OUT.
wait_drawn() {
  local shot=$E2E_OUT/$1.png box w h
  for _ in $(seq 120); do
    if wl_screenshot "$shot"; then
      box=$(form_box "$shot")
      w=${box%%x*}
      h=${box#*x}
      h=${h%%+*}
      if [ "${w:-0}" -ge 400 ] && [ "${h:-0}" -ge 250 ]; then
        echo "$box"
        return 0
      fi
    fi
    sleep 0.25
  done
  return 1
}

# Starts the editor on the compositor at WAYLAND_DISPLAY; KIREL_PID is its id.
wl_start_kirel() {
  "$E2E_KIREL" "$@" >>"$E2E_OUT/kirel.log" 2>&1 &
  KIREL_PID=$!
  track_pid "$KIREL_PID" "$E2E_KIREL"
}

# --- Start and drawing --------------------------------------------------------
wl_start_kirel
box=$(wait_drawn main-window) || fail "the main window was not drawn"
kill -0 "$KIREL_PID" || fail "the editor ended"
grep -q libQt6WaylandClient "/proc/$KIREL_PID/maps" || fail "not on Qt's Wayland platform"
grep -q libqxcb "/proc/$KIREL_PID/maps" && fail "the X11 platform was loaded"
# The edit pane is drawn inside the window: white, and wider than it is tall.
edit=$(convert "$E2E_OUT/main-window.png" -crop "$box" +repage +transparent white \
  -format '%@' info: 2>/dev/null)
[ "${edit%%x*}" -ge 300 ] || fail "no edit pane in the window (white box $edit)"
pass "started on Wayland, window drawn at $box"

# --- A second start on the same socket ----------------------------------------
# It hands the launcher's token over and ends without making a window: the
# protocol log of the second process shows no top-level surface.
XDG_ACTIVATION_TOKEN=e2e-token-1 WAYLAND_DEBUG=client timeout 15 "$E2E_KIREL" \
  >"$E2E_OUT/second.log" 2>&1 || fail "second start did not exit cleanly"
grep -q 'get_toplevel' "$E2E_OUT/second.log" && fail "second start made a window"
kill -0 "$KIREL_PID" || fail "first instance ended"
box_after=$(wait_drawn after-second-start) || fail "the first window is gone"
[ "$box_after" = "$box" ] || fail "the window changed: $box_after (was $box)"
pass "single instance per Wayland socket"

# --- Another compositor, same user --------------------------------------------
# Its own socket in the same runtime folder: another session, another editor.
started=0
wl_compositor_start wayland-kirel-2 "$E2E_OUT" || started=$?
track_pid "${WL_SESSION_PIDS[-1]}" weston
[ "$started" = 0 ] || fail "no second compositor"
first_pid=$KIREL_PID
WAYLAND_DISPLAY=wayland-kirel-2 wl_start_kirel
other_pid=$KIREL_PID
WAYLAND_DISPLAY=wayland-kirel-2 wait_drawn second-compositor >/dev/null ||
  fail "no editor on the second compositor"
kill -0 "$other_pid" || fail "the editor of the second compositor ended"
kill -0 "$first_pid" || fail "the first editor ended"
kill "$other_pid"
pass "two compositors of one user, two editors"

# --- A crash leaves the lock; the next start takes it over --------------------
kill -9 "$first_pid"
wait "$first_pid" 2>/dev/null || true
wl_start_kirel
wait_drawn after-crash >/dev/null || fail "no window after a crash"
kill "$KIREL_PID"
wait "$KIREL_PID" 2>/dev/null || true
pass "start after a crash"

# A power cut can leave the lock of this socket empty or garbled.
lock=$XDG_RUNTIME_DIR/Kirel_Editor-$(id -u)-wl-$WAYLAND_DISPLAY.lock
for junk in "" "$(head -c 64 /dev/urandom | tr -d '\0')"; do
  printf '%s' "$junk" >"$lock"
  wl_start_kirel
  wait_drawn garbled-lock >/dev/null || fail "no window over an empty or garbled lock"
  [ "$(head -n1 "$lock")" = "$KIREL_PID" ] || fail "the editor does not hold $lock"
  kill "$KIREL_PID"
  wait "$KIREL_PID" 2>/dev/null || true
done
pass "start over an empty or garbled lock"
