#!/usr/bin/env bash
# The X sessions of the tests keep to themselves: sessions started at the same
# moment each get a display of their own (claimed through its lock file) and a
# private runtime folder, stopping one ends only its own server and window
# manager, and the harness ends only the processes its test started, by id,
# never another process that merely carries the same name.
# Usage: xsession_isolation.sh STAGED_APPDIR
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
staged=$1
out=$(mktemp -d /tmp/kirel-xsession.XXXXXX)
decoy=
cleanup() {
  touch "$out/stop"
  [ -n "$decoy" ] && kill "$decoy" 2>/dev/null || true
  wait 2>/dev/null || true
  rm -rf "$out"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
pass() { echo "ok: $*"; }
wait_file() { for _ in $(seq 400); do [ -s "$1" ] && return 0; sleep 0.05; done; return 1; }

# --- three sessions started at once -----------------------------------------------
own_runtime=${XDG_RUNTIME_DIR:-none}
sessions=()
for i in 1 2 3; do
  (
    source "$here/../../scripts/xsession.sh"
    x_session_start
    echo "$DISPLAY $X_SESSION_XVFB_PID $X_SESSION_WM_PID ${XDG_RUNTIME_DIR:-none}" >"$out/session$i"
    while [ ! -e "$out/stop" ]; do sleep 0.1; done
    x_session_stop
  ) &
  sessions+=($!)
done
for i in 1 2 3; do wait_file "$out/session$i" || fail "session $i did not start"; done

displays=()
for i in 1 2 3; do
  read -r display xvfb wm runtime <"$out/session$i"
  displays+=("$display")
  n=${display#:}
  [ "$(tr -d ' \n' <"/tmp/.X$n-lock")" = "$xvfb" ] || fail "the lock file of $display does not name the session's server"
  xdpyinfo -display "$display" >/dev/null 2>&1 || fail "$display does not answer"
  kill -0 "$wm" 2>/dev/null || fail "no window manager on $display"
  [ "$runtime" != "$own_runtime" ] || fail "session $i uses the caller's runtime folder"
  [ "$(stat -c %a "$runtime")" = 700 ] || fail "runtime folder $runtime is not private"
done
[ "$(printf '%s\n' "${displays[@]}" | sort -u | wc -l)" -eq 3 ] ||
  fail "sessions share a display: ${displays[*]}"
pass "three sessions started at once: ${displays[*]}"

touch "$out/stop"
for pid in "${sessions[@]}"; do wait "$pid"; done
for i in 1 2 3; do
  read -r display xvfb wm runtime <"$out/session$i"
  ! kill -0 "$xvfb" 2>/dev/null || fail "the server of $display still runs"
  ! kill -0 "$wm" 2>/dev/null || fail "the window manager of $display still runs"
  [ ! -e "$runtime" ] || fail "runtime folder $runtime left behind"
  [ ! -e "/tmp/.X${display#:}-lock" ] || fail "lock file of $display left behind"
done
pass "each stop ends its own server, window manager and runtime folder"

# --- the harness ends what its test started, and nothing else -----------------------
rm -f "$out/stop"
cat >"$out/leaves_editor_running.sh" <<EOF
source "\$E2E_LIB"
echo "\$E2E_KIREL" >"$out/kirel-path"
start_kirel
echo "\$KIREL_PID" >"$out/kirel-pid"
for _ in \$(seq 400); do [ -e "$out/decoy-ready" ] && break; sleep 0.05; done
exit 1
EOF
E2E_OUT_BASE=$out bash "$here/harness.sh" "$out/leaves_editor_running.sh" "$staged" \
  >"$out/harness.log" 2>&1 &
harness=$!
wait_file "$out/kirel-pid" || { cat "$out/harness.log"; fail "the editor did not start"; }
# Another process whose command line names the same program path.
bash -c 'exec -a "$1 --another-copy" sleep 300' decoy "$(cat "$out/kirel-path")" &
decoy=$!
sleep 0.2
touch "$out/decoy-ready"
wait "$harness" && fail "the harness hid the failure of its test" || true
kirel=$(cat "$out/kirel-pid")
! kill -0 "$kirel" 2>/dev/null || fail "the editor the test started still runs"
kill -0 "$decoy" 2>/dev/null || fail "the harness ended a process it did not start"
pass "the harness ends only what its test started"
