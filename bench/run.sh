#!/usr/bin/env bash
# Runs every benchmark: the Google Benchmark programs, then whole-process timings.
# Usage: run.sh BUILD_FOLDER
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  QT_QPA_PLATFORM=offscreen "$b" --benchmark_min_time=0.5
done
echo "== start-up"
bash "$here/startup.sh" "$build/Kirel"
for s in "$here"/startup_*.sh; do
  [ -f "$s" ] || continue
  echo "== $(basename "$s" .sh)"
  bash "$s" "$build/Kirel"
done
