# A private Wayland session for the end-to-end tests: weston on its headless
# backend, drawing into memory with pixman (no GPU, no seat). Source this file,
# then:
#   wl_session_start [LOG_DIR]    makes a private XDG_RUNTIME_DIR, starts a
#                                 compositor on the socket "wayland-kirel" and
#                                 sets WAYLAND_DISPLAY and QT_QPA_PLATFORM=wayland;
#                                 DISPLAY is unset, so nothing reaches an X server
#   wl_compositor_start NAME [LOG_DIR]
#                                 one more compositor in the same runtime folder,
#                                 on the socket NAME (a second session of the
#                                 same user); WAYLAND_DISPLAY is left alone
#   wl_session_stop               ends exactly the compositors it started
# Without LOG_DIR the compositors' output is discarded.
#
# Screenshots (weston-screenshooter) are allowed by weston's --debug. The idle
# time is off: with the default one the output blanks and a screenshot then
# waits forever.

WL_SESSION_PIDS=()

wl_compositor_start() {
  local name=$1 logdir=${2:-} log=/dev/null pid
  [ -n "$logdir" ] && log=$logdir/weston-$name.log
  weston --backend=headless-backend.so --use-pixman --idle-time=0 --debug --no-config \
    --socket="$name" --width=1280 --height=900 >>"$log" 2>&1 &
  pid=$!
  WL_SESSION_PIDS+=("$pid")
  for _ in $(seq 200); do
    kill -0 "$pid" 2>/dev/null || { echo "weston ended at start ($name)" >&2; return 1; }
    [ -S "$XDG_RUNTIME_DIR/$name" ] && return 0
    sleep 0.05
  done
  echo "weston did not open the socket $name" >&2
  return 1
}

wl_session_start() {
  WL_SESSION_RUNTIME=$(mktemp -d /tmp/kirel-wl-runtime.XXXXXX)
  chmod 700 "$WL_SESSION_RUNTIME"
  export XDG_RUNTIME_DIR=$WL_SESSION_RUNTIME
  wl_compositor_start wayland-kirel "${1:-}" || return 1
  export WAYLAND_DISPLAY=wayland-kirel
  export QT_QPA_PLATFORM=wayland
  unset DISPLAY
}

wl_session_stop() {
  local pid
  for pid in "${WL_SESSION_PIDS[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  WL_SESSION_PIDS=()
  [ -n "${WL_SESSION_RUNTIME:-}" ] && rm -rf "$WL_SESSION_RUNTIME"
  WL_SESSION_RUNTIME=
}
