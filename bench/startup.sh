#!/usr/bin/env bash
# Start-up of the whole program: time from the start of the process to its first
# shown window, and resident memory once shown; median of several runs, under
# Xvfb with a window manager. Usage: startup.sh PROGRAM_FOLDER [RUNS]
set -euo pipefail
appdir=$1
runs=${2:-7}
work=$(mktemp -d /tmp/kirel-bench.XXXXXX)
cp -a "$appdir" "$work/Kirel"
disp=120
while [ -e /tmp/.X11-unix/X$disp ]; do disp=$((disp + 1)); done
export DISPLAY=:$disp XDG_RUNTIME_DIR=$work/rt
mkdir -p "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
Xvfb "$DISPLAY" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb $wm 2>/dev/null; rm -rf "$work"' EXIT
sleep 1
openbox >/dev/null 2>&1 &
wm=$!
sleep 0.5

times=()
rss=()
for _ in $(seq "$runs"); do
  rm -f "$work/Kirel/Kirel.ini"
  start=$(date +%s%N)
  "$work/Kirel/kirel" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --name '^Kirel Editor$' >/dev/null 2>&1; do :; done
  end=$(date +%s%N)
  sleep 0.5
  times+=($(( (end - start) / 1000000 )))
  rss+=($(awk '/VmRSS/ {print int($2 / 1024)}' /proc/$pid/status))
  kill $pid; wait $pid 2>/dev/null || true
done
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "start-up to first shown window: median $(median "${times[@]}") ms (runs: ${times[*]})"
echo "resident memory after start-up: median $(median "${rss[@]}") MB (runs: ${rss[*]})"
