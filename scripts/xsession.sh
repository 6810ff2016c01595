# A private X server with a window manager, for the end-to-end tests and the
# benchmarks. Source this file, then:
#   x_session_start [LOG_DIR]   starts Xvfb and openbox, sets DISPLAY and a
#                               private XDG_RUNTIME_DIR
#   x_session_stop              ends exactly the processes it started
# Without LOG_DIR their output is discarded.
#
# The display is claimed through its lock file: a number whose /tmp/.X<n>-lock
# names a live process, or whose socket exists, is taken; otherwise Xvfb is
# started on it, and the display is ours only once the lock file names our Xvfb
# and the server answers. Xvfb creates the lock file in one step, so when two
# sessions start at the same moment one of them loses and moves on to the next
# number instead of sharing a server.
#
# The runtime folder is private too: a program started in the session never
# finds, through its single-instance lock, an editor the developer is running.

# Pid named in the lock file of display $1, or nothing.
x_session_lock_pid() {
  { tr -d ' \n' <"/tmp/.X$1-lock"; } 2>/dev/null || true
}

x_session_display_taken() {
  local n=$1 pid
  [ -e "/tmp/.X11-unix/X$n" ] && return 0
  pid=$(x_session_lock_pid "$n")
  [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null
}

x_session_start() {
  local logdir=${1:-} xlog=/dev/null wmlog=/dev/null n=90 pid ready
  if [ -n "$logdir" ]; then xlog=$logdir/xvfb.log; wmlog=$logdir/openbox.log; fi
  X_SESSION_XVFB_PID=
  while [ "$n" -lt 1000 ]; do
    if x_session_display_taken "$n"; then n=$((n + 1)); continue; fi
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >>"$xlog" 2>&1 &
    pid=$!
    ready=
    for _ in $(seq 200); do
      kill -0 "$pid" 2>/dev/null || break
      if [ "$(x_session_lock_pid "$n")" = "$pid" ] && xdpyinfo -display ":$n" >/dev/null 2>&1; then
        ready=1
        break
      fi
      sleep 0.05
    done
    if [ -n "$ready" ]; then
      X_SESSION_XVFB_PID=$pid
      break
    fi
    # Another session claimed the number first (or the server failed): next one.
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    n=$((n + 1))
  done
  [ -n "$X_SESSION_XVFB_PID" ] || { echo "no free X display" >&2; return 1; }
  export DISPLAY=:$n
  X_SESSION_RUNTIME=$(mktemp -d /tmp/kirel-runtime.XXXXXX)
  chmod 700 "$X_SESSION_RUNTIME"
  export XDG_RUNTIME_DIR=$X_SESSION_RUNTIME
  # Without XMODIFIERS: a window manager that finds an input method may wait on it.
  env -u XMODIFIERS -u QT_IM_MODULE openbox >"$wmlog" 2>&1 &
  X_SESSION_WM_PID=$!
  sleep 0.5
}

x_session_stop() {
  local pid
  for pid in ${X_SESSION_WM_PID:-} ${X_SESSION_XVFB_PID:-}; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  [ -n "${X_SESSION_RUNTIME:-}" ] && rm -rf "$X_SESSION_RUNTIME"
  X_SESSION_WM_PID=
  X_SESSION_XVFB_PID=
  X_SESSION_RUNTIME=
}
