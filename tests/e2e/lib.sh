# Helpers for end-to-end tests; sourced by each test script.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }

# Records a process this test started (its id and the program it runs), so
# that the harness ends it, and only it, by its id when the test is over. The
# program is kept beside the id: should the process have ended and its id been
# given to another program, that one is left alone.
track_pid() { # pid program
  [ -n "${E2E_PIDS:-}" ] || return 0
  echo "$1 $(readlink -f "$(command -v "$2")")" >>"$E2E_PIDS"
}

# The Python interpreter itself, not a wrapper script in front of it (pyenv's
# shims), for track_pid: the process runs the interpreter, not the wrapper.
python_exe() { python3 -c 'import os, sys; print(os.path.realpath(sys.executable))'; }

# Ends the processes listed by track_pid that still run the same executable.
end_started_processes() {
  local pid exe
  [ -f "${E2E_PIDS:-}" ] || return 0
  while read -r pid exe; do
    [ -n "$pid" ] || continue
    [ "$(readlink "/proc/$pid/exe" 2>/dev/null || true)" = "$exe" ] || continue
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -9 "$pid" 2>/dev/null || true
  done <"$E2E_PIDS"
}

# Starts the editor (extra arguments are passed on) and waits for its window.
start_kirel() {
  "$E2E_KIREL" "$@" >>"$E2E_OUT/kirel.log" 2>&1 &
  KIREL_PID=$!
  track_pid "$KIREL_PID" "$E2E_KIREL"
  KIREL_WIN=$(wait_window "Kirel Editor") || fail "main window did not appear"
}

# Prints the id of the visible window with exactly this title.
wait_window() {
  local title=$1 id
  for _ in $(seq 200); do
    id=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.05
  done
  return 1
}

count_windows() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }

# A second X client to switch to.
start_other() {
  xterm -title other -geometry 40x10+700+500 >/dev/null 2>&1 &
  OTHER_PID=$!
  track_pid "$OTHER_PID" xterm
  OTHER_WIN=$(wait_window other) || fail "xterm did not appear"
}

activate() { xdotool windowactivate --sync "$1" >/dev/null 2>&1 || true; sleep 0.3; }

clip_set() { printf '%s' "$1" | xclip -selection clipboard -i; sleep 0.1; }
clip_get() { xclip -selection clipboard -o 2>/dev/null; }

# Closes a message box of the editor (caption "Kirel Editor" but not the main window).
close_message() {
  local id
  for _ in $(seq 100); do
    for id in $(xdotool search --onlyvisible --name "^Kirel Editor\$" 2>/dev/null); do
      if [ "$id" != "$KIREL_WIN" ] && xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG; then
        xdotool windowactivate --sync "$id" key --clearmodifiers Return >/dev/null 2>&1 || true
        sleep 0.2
        return 0
      fi
    done
    sleep 0.05
  done
  return 1
}

# The visible message box of the editor: captioned "Kirel Editor", a dialog.
# Looks for it $1 times (100 if not given), 50 ms apart.
dialog_window() {
  local id
  for _ in $(seq "${1:-100}"); do
    for id in $(xdotool search --onlyvisible --name '^Kirel Editor$' 2>/dev/null); do
      xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG && { echo "$id"; return 0; }
    done
    sleep 0.05
  done
  return 1
}
# Position of a window in the window manager's stacking order (bottom first).
stack_index() {
  xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | tr ' ' '\n' | grep '^0x' |
    awk -v id="$(printf '0x%x' "$1")" 'tolower($0) == id { print NR; exit }'
}

screenshot() { import -window root "$E2E_OUT/$1.png"; }

# The editor's main window as it is now: showing a web page, or going on top,
# gives the window a new id. Both its process and its caption must match
# (xdotool takes any one of several conditions unless told --all).
refresh_kirel_win() {
  local id
  for id in $(xdotool search --all --onlyvisible --pid "$KIREL_PID" --name '^Kirel Editor$' 2>/dev/null); do
    xprop -id "$id" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q DIALOG || { KIREL_WIN=$id; return 0; }
  done
  return 1
}

close_kirel() {
  refresh_kirel_win || true
  xdotool windowactivate --sync "$KIREL_WIN" key --clearmodifiers alt+F4 >/dev/null 2>&1 || true
  for _ in $(seq 100); do kill -0 "$KIREL_PID" 2>/dev/null || return 0; sleep 0.05; done
  xdotool windowclose "$KIREL_WIN" 2>/dev/null || xdotool windowkill "$KIREL_WIN" 2>/dev/null || true
  for _ in $(seq 100); do kill -0 "$KIREL_PID" 2>/dev/null || return 0; sleep 0.05; done
  fail "the editor did not exit"
}

# Value of Key in the settings file (first match, ignoring section).
ini_value() { tr -d '\r' <"$E2E_APPDIR/Kirel.ini" | grep -m1 "^$1=" | cut -d= -f2-; }
