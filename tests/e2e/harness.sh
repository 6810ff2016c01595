#!/usr/bin/env bash
# Runs one end-to-end test script on its own X server with a window manager,
# or, with E2E_SESSION=wayland, in its own Wayland session (headless weston).
# Usage: harness.sh TEST_SCRIPT STAGED_APPDIR
# The staged program folder is copied to a temporary folder, so every test starts
# from a fresh program folder (no Kirel.ini, shipped data only). The test script
# sees: E2E_APPDIR (the copy), E2E_KIREL (its executable), E2E_OUT (a folder for
# screenshots and logs), DISPLAY (or WAYLAND_DISPLAY), a private XDG_RUNTIME_DIR,
# and the helpers of lib.sh. The processes the script starts through lib.sh are
# listed in E2E_PIDS; at the end exactly those are ended, by process id, then
# the session.
# E2E_TRACE=1 runs the script with bash -x.
set -euo pipefail
test_script=$1
staged=$2
name=$(basename "$test_script" .sh)

session=${E2E_SESSION:-x11}
tools=(Xvfb openbox xdotool xclip import)
[ "$session" = wayland ] && tools=(weston weston-screenshooter convert)
for tool in "${tools[@]}"; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

work=$(mktemp -d /tmp/kirel-e2e.XXXXXX)
export E2E_APPDIR=$work/Kirel
export E2E_KIREL=$E2E_APPDIR/kirel
export E2E_OUT=${E2E_OUT_BASE:-$(dirname "$staged")/e2e-out}/$name
mkdir -p "$E2E_OUT"
cp -a "$staged" "$E2E_APPDIR"
rm -f "$E2E_APPDIR"/Kirel.ini "$E2E_APPDIR"/*.txt "$E2E_APPDIR"/0.htm

export E2E_PIDS=$work/pids
: >"$E2E_PIDS"

source "$(dirname "$0")/../../scripts/xsession.sh"
source "$(dirname "$0")/../../scripts/waylandsession.sh"
source "$(dirname "$0")/lib.sh"
cleanup() {
  end_started_processes
  if [ "$session" = wayland ]; then wl_session_stop; else x_session_stop; fi
  rm -rf "$work"
}
trap cleanup EXIT
if [ "$session" = wayland ]; then wl_session_start "$E2E_OUT"; else x_session_start "$E2E_OUT"; fi

export E2E_LIB=$(dirname "$0")/lib.sh
cd "$work"
bash ${E2E_TRACE:+-x} "$test_script"
