#!/usr/bin/env bash
# Whole-process start-up of the editor against a bare Qt Widgets window, the same
# window showing one Japanese word in the editor's font (what Japanese text alone
# costs a window), and FeatherPad, a Qt text editor, when it is installed, on a
# private X server with openbox, the programs started in turn within one run so
# that both sides of each pair meet the same load on the machine.
#
# Start-up is the time from starting the process until the window manager
# manages its first window (it maps it at once): the moment the root window's
# _NET_CLIENT_LIST gains the window, watched through `xprop -spy`, so nothing
# polls while the program starts. On a busy machine the time waiting for a core
# swamps the rest, so the processor time the program used until then (all its
# threads, from /proc/PID/task/*/schedstat) is given as well. Peak memory is the
# process's VmHWM a second later. The editor starts on a program folder with a used "Kirel.ini", as the
# user's has.
#
# Usage: bench/startup_pair.sh [BUILD_DIR]
#   RUNS=15 starts of each program (first of each discarded as warm-up)
#   BENCH_NICE=-10 niceness of the measured programs (root only; 0 to leave)
#   BEFORE=FOLDER  also start the editor of another build's program folder
#                  (its Kirel/), for a before-and-after table
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
appdir=$build/Kirel
runs=${RUNS:-15}
bare=$build/bench/bench_preview_plainwindow
[ -x "$appdir/kirel" ] || { echo "no $appdir/kirel: build first"; exit 1; }
[ -x "$bare" ] || { echo "no $bare: cmake --build $build --target benchmarks"; exit 1; }
for tool in Xvfb openbox xprop stdbuf; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; exit 1; }
done
feather=$(command -v featherpad || true)
nice_level=${BENCH_NICE:--10}
[ "$(id -u)" -eq 0 ] || nice_level=0

work=$(mktemp -d /tmp/kirel-startup.XXXXXX)
source "$(dirname "$0")/../scripts/xsession.sh"
cleanup() {
  [ -n "${prog_pid:-}" ] && kill "$prog_pid" 2>/dev/null || true
  [ -n "${spy_pid:-}" ] && kill "$spy_pid" 2>/dev/null || true
  exec 3<&- 2>/dev/null || true
  x_session_stop
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
x_session_start ""

# The editor's folder, with settings as a used copy has them.
cp -a "$appdir" "$work/Kirel"
rm -f "$work/Kirel/Kirel.ini" "$work/Kirel"/*.txt "$work/Kirel/0.htm"
if [ -n "${BEFORE:-}" ]; then
  cp -a "$BEFORE" "$work/Before"
  rm -f "$work/Before"/*.txt "$work/Before/0.htm"
fi
printf '%s\r\n' '[Form1]' 'Form1Top=100' 'Form1Left=50' 'Form1Height=402' 'Form1Width=623' \
  'RichEdit3Height=89' 'RichEdit1width=520' 'RichEdit1widthBBS1=520' 'TopMost=0' \
  '[Form2]' 'Inyoufu=>' '[Form3]' 'Color1=255' 'HTML1=#FF0000' '[Form5]' 'HnMax=20' \
  'HnFront=>' 'HnBack=さん' '[Form6]' 'http=1' '[Form7]' 'Form7Top=30' 'Form7Left=30' \
  '[Form10]' 'MOJISU1=0' 'MOJISU2=1000' 'MOJISU3=3000' 'Check2=1' 'MojiOK=1000' \
  'FColor=#FFFFFF' 'CColor=#FCBED3' 'Haikei=#A7ABFC' 'Background=' 'CellWidth=725' \
  'Waku=#8080FF' 'FormColor=15909506' 'InyoColor=0' 'InyoItalic=0' 'SavePath=' \
  | iconv -f UTF-8 -t CP932 >"$work/Kirel/Kirel.ini"
[ -z "${BEFORE:-}" ] || cp "$work/Kirel/Kirel.ini" "$work/Before/Kirel.ini"
# FeatherPad keeps its settings under the home folder: a private one.
mkdir -p "$work/home"

# Changes of the managed-window list, one line each, read from fd 3.
mkfifo "$work/clients"
stdbuf -oL xprop -spy -root _NET_CLIENT_LIST >"$work/clients" 2>/dev/null &
spy_pid=$!
exec 3<"$work/clients"
windows_in() { grep -o '0x[0-9a-f]*' <<<"$1" | wc -l; }
# Reads list changes until the list holds at least (or, with "-", at most) $1 windows.
wait_clients() { # count [-]
  local line n
  while IFS= read -r -t 20 line <&3; do
    n=$(windows_in "$line")
    if [ "${2:-}" = - ]; then [ "$n" -le "$1" ] && return 0; else [ "$n" -ge "$1" ] && return 0; fi
  done
  return 1
}
wait_clients 0 - || true  # the first report: the list before anything starts

us() { echo "${EPOCHREALTIME/./}"; }

# Processor time of a process, all threads, in tenths of a millisecond.
cpu_time() {
  cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ t += $1 } END { printf "%d", t / 100000 }'
}

# One start: prints "start cpu peak_kB" (times in tenths of a millisecond).
run_once() { # program [arguments]
  local t0 t1 cpu peak
  t0=$(us)
  HOME=$work/home XDG_CONFIG_HOME=$work/home/.config nice -n "$nice_level" "$@" >/dev/null 2>&1 &
  prog_pid=$!
  wait_clients 1 || { echo "no window from $1" >&2; exit 1; }
  t1=$(us)
  cpu=$(cpu_time "$prog_pid")
  sleep 1
  peak=$(awk '$1 == "VmHWM:" { print $2 }' "/proc/$prog_pid/status")
  kill "$prog_pid" 2>/dev/null || true
  wait "$prog_pid" 2>/dev/null || true
  prog_pid=
  # Killed, the editor leaves its single-instance lock behind; each start is
  # measured as after a normal close, without one.
  rm -f "$XDG_RUNTIME_DIR"/Kirel_Editor-*.lock "$XDG_RUNTIME_DIR"/Kirel_Editor-*.socket
  wait_clients 0 - || true
  sleep 0.3
  echo "$(((t1 - t0) / 100)) $cpu $peak"
}

median() { sort -n | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }

names=(bare japanese editor)
cmds_bare=("$bare")
cmds_japanese=("$bare" --japanese "$work/Kirel/fonts.conf")
cmds_editor=("$work/Kirel/kirel")
if [ -n "${BEFORE:-}" ]; then names+=(before); cmds_before=("$work/Before/kirel"); fi
if [ -n "$feather" ]; then names+=(featherpad); cmds_featherpad=("$feather"); fi
for name in "${names[@]}"; do : >"$work/$name.txt"; done

# Each round starts every program once; the order turns from round to round.
for round in $(seq 0 "$runs"); do
  order=("${names[@]:round % ${#names[@]}}" "${names[@]:0:round % ${#names[@]}}")
  for name in "${order[@]}"; do
    declare -n cmd="cmds_$name"
    result=$(run_once "${cmd[@]}")
    unset -n cmd
    [ "$round" -eq 0 ] || echo "$result" >>"$work/$name.txt"
  done
done

ms() { awk -v t="$1" 'BEGIN { printf "%.1f", t / 10 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
declare -A start cpu peak
for name in "${names[@]}"; do
  start[$name]=$(cut -d' ' -f1 "$work/$name.txt" | median)
  cpu[$name]=$(cut -d' ' -f2 "$work/$name.txt" | median)
  peak[$name]=$(cut -d' ' -f3 "$work/$name.txt" | median)
done
echo "Start-up until the first window is mapped, medians of $runs interleaved starts"
echo "(Xvfb + openbox, niceness $nice_level):"
for name in "${names[@]}"; do
  printf '  %-12s %7s ms   processor %6s ms   peak %4s MiB\n' "$name" \
    "$(ms "${start[$name]}")" "$(ms "${cpu[$name]}")" "$((peak[$name] / 1024))"
done
compare() { # name other
  printf '  %-22s %s   processor %s\n' "$1 / $2:" "$(ratio "${start[$1]}" "${start[$2]}")" \
    "$(ratio "${cpu[$1]}" "${cpu[$2]}")"
}
compare editor bare
compare japanese bare
[ -z "$feather" ] || compare editor featherpad
if [ -n "${BEFORE:-}" ]; then
  compare before bare
  [ -z "$feather" ] || compare before featherpad
fi
