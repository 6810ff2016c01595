# A private X server with a window manager, for the end-to-end tests and the
# benchmarks. Source this file, then:
#   x_session_start [LOG_DIR] [FIRST_DISPLAY]   sets DISPLAY, starts Xvfb and openbox
#   x_session_stop                              ends both
# Without LOG_DIR their output is discarded.

x_session_start() {
  local logdir=${1:-} disp=${2:-90} xlog=/dev/null wmlog=/dev/null
  if [ -n "$logdir" ]; then xlog=$logdir/xvfb.log; wmlog=$logdir/openbox.log; fi
  # A display number nobody uses.
  while [ -e /tmp/.X11-unix/X$disp ] || [ -e /tmp/.X$disp-lock ]; do disp=$((disp + 1)); done
  export DISPLAY=:$disp
  Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >"$xlog" 2>&1 &
  X_SESSION_XVFB_PID=$!
  for _ in $(seq 100); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.05; done
  openbox >"$wmlog" 2>&1 &
  X_SESSION_WM_PID=$!
  sleep 0.5
}

x_session_stop() {
  [ -n "${X_SESSION_WM_PID:-}" ] && kill "$X_SESSION_WM_PID" 2>/dev/null || true
  [ -n "${X_SESSION_XVFB_PID:-}" ] && kill "$X_SESSION_XVFB_PID" 2>/dev/null || true
  X_SESSION_WM_PID=
  X_SESSION_XVFB_PID=
}
