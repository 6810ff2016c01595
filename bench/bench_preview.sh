#!/usr/bin/env bash
# Start-up and memory of the editor with and without a browser view, against a
# bare Qt Widgets window, and the preview and link dialog benchmarks, on a
# private X server.
# Usage: bench/bench_preview.sh [BUILD_DIR]   (RUNS=5 by default)
#
# For each program: the time from starting the process until its window is
# mapped, and its memory one second later (resident set and proportional set
# of the process and all its children). "with view" clicks the preview tab once
# the window is up and measures when the page has been drawn, and the memory of
# the editor with the browser engine's helper processes two seconds later.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
appdir=$build/Kirel
runs=${RUNS:-5}
plain=$build/bench/bench_preview_plainwindow
[ -x "$appdir/kirel" ] || { echo "no $appdir/kirel: build first"; exit 1; }
[ -x "$plain" ] || { echo "no $plain: cmake --build $build --target benchmarks"; exit 1; }
for tool in Xvfb openbox xdotool import; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done

work=$(mktemp -d /tmp/kirel-bench.XXXXXX)
source "$(dirname "$0")/../scripts/xsession.sh"
cleanup() {
  [ -n "${prog_pid:-}" ] && kill "$prog_pid" 2>/dev/null || true
  x_session_stop
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
x_session_start ""

now_ms() { echo $(($(date +%s%N) / 1000000)); }
tree() { # pid and all its descendants
  echo "$1"
  local c
  for c in $(pgrep -P "$1" || true); do tree "$c"; done
}
# Sum of one field (kB) of the tree: RSS from status, PSS from smaps_rollup.
tree_kb() { # pid field file
  local total=0 p v
  for p in $(tree "$1"); do
    v=$(awk -v f="$2:" '$1 == f { print $2 }' "/proc/$p/$3" 2>/dev/null || true)
    total=$((total + ${v:-0}))
  done
  echo "$total"
}
wait_window() {
  for _ in $(seq 2000); do
    xdotool search --onlyvisible --name '^Kirel Editor$' 2>/dev/null | head -n 1 && return 0
    sleep 0.005
  done
  return 1
}
median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

# One run: prints "start_ms rss_kB pss_kB processes [page_ms]".
run_once() { # mode: plain | editor | view
  local mode=$1 t0 t1 win page=""
  rm -rf "$work/Kirel"
  cp -a "$appdir" "$work/Kirel"
  rm -f "$work/Kirel/Kirel.ini" "$work/Kirel"/*.txt "$work/Kirel/0.htm"
  t0=$(now_ms)
  if [ "$mode" = plain ]; then "$plain" >/dev/null 2>&1 & else "$work/Kirel/kirel" >/dev/null 2>&1 & fi
  prog_pid=$!
  win=$(wait_window) || { echo "no window" >&2; exit 1; }
  t1=$(now_ms)
  sleep 1
  if [ "$mode" = view ]; then
    xdotool windowactivate --sync "$win" >/dev/null 2>&1 || true
    eval "$(xdotool getwindowgeometry --shell "$win")"
    local p0
    p0=$(now_ms)
    xdotool mousemove $((X + 149)) $((Y + 14)) click 1
    for _ in $(seq 300); do
      [ "$(import -window root -crop "1x1+$((X + 279))+$((Y + 58))" -format '%[pixel:p{0,0}]' info:- 2>/dev/null)" = "srgb(128,128,255)" ] && break
      sleep 0.02
    done
    page=$(($(now_ms) - p0))
    sleep 2
  fi
  echo "$((t1 - t0)) $(tree_kb "$prog_pid" VmRSS status) $(tree_kb "$prog_pid" Pss smaps_rollup) $(tree "$prog_pid" | wc -l) $page"
  kill "$prog_pid" 2>/dev/null || true
  wait "$prog_pid" 2>/dev/null || true
  prog_pid=
  sleep 0.5
}

report() { # label mode
  local label=$1 mode=$2 i out
  out=$work/$mode.txt
  : >"$out"
  for i in $(seq "$runs"); do run_once "$mode" >>"$out"; done
  printf '%-34s start %4s ms  RSS %4s MB  PSS %4s MB  processes %s' "$label" \
    "$(cut -d' ' -f1 "$out" | median)" \
    "$(($(cut -d' ' -f2 "$out" | median) / 1024))" \
    "$(($(cut -d' ' -f3 "$out" | median) / 1024))" \
    "$(cut -d' ' -f4 "$out" | median)"
  if [ "$mode" = view ]; then printf '  page drawn %s ms after the click' "$(cut -d' ' -f5 "$out" | median)"; fi
  echo
}

echo "Medians of $runs runs (Xvfb + openbox):"
report "bare Qt Widgets window" plain
report "editor, no browser view" editor
report "editor, preview shown once" view

if [ -x "$build/bench/bench_preview" ]; then
  echo
  FONTCONFIG_FILE=$appdir/fonts.conf "$build/bench/bench_preview" 2>/dev/null
fi
if [ -x "$build/bench/bench_linkdialog" ]; then
  echo
  FONTCONFIG_FILE=$appdir/fonts.conf "$build/bench/bench_linkdialog" 2>/dev/null
fi
