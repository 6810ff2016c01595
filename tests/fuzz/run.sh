#!/usr/bin/env bash
# Runs every fuzzer of the build for the given seconds, starting from its corpus
# in tests/fuzz/corpus/<name>. New inputs go to a scratch folder, not into the
# repository; an input that breaks a check is kept in BUILD/fuzz-artifacts.
# Usage: run.sh BUILD SECONDS
set -euo pipefail
build=$1
seconds=$2
here=$(cd "$(dirname "$0")" && pwd)
artifacts=$build/fuzz-artifacts
mkdir -p "$artifacts"
scratch=$(mktemp -d /tmp/kirel-fuzz.XXXXXX)
trap 'rm -rf "$scratch"' EXIT
export ASAN_OPTIONS=detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for name in sjis profile itemlist; do
  fuzzer=$build/tests/fuzz/fuzz_$name
  mkdir -p "$scratch/$name"
  log=$build/fuzz_$name.log
  if "$fuzzer" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="$artifacts/${name}-" "$scratch/$name" "$here/corpus/$name" >"$log" 2>&1; then
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "fuzz_$name: ${runs:-?} executions in ${seconds} s, no failure"
  else
    echo "fuzz_$name: FAILED (see $log and $artifacts)"
    tail -n 30 "$log"
    status=1
  fi
done
exit $status
