#!/usr/bin/env bash
# Runs every benchmark: the counter's cost per keystroke, the emoticon window,
# then start-up against a bare Qt window, start-up, memory and the preview's
# showing times, measured on a private X server.
# Usage: run.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
echo "== counter"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_counter" --benchmark_min_time=0.5
echo "== split-post window"
QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$build/Kirel/fonts.conf" "$build/bench/bench_splitpost" --benchmark_min_time=0.5
echo "== decorative rules and fixed phrases with long files"
QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$build/Kirel/fonts.conf" "$build/bench/bench_bigfiles"
echo "== text-art line widths"
QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$build/Kirel/fonts.conf" "$build/bench/bench_artwidth" --benchmark_min_time=0.5
echo "== board rules: splitting, line count"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_boardrules" --benchmark_min_time=0.5
echo "== decoration window"
QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$build/Kirel/fonts.conf" "$build/bench/bench_decoration"
echo "== emoticon window"
QT_QPA_PLATFORM=offscreen "$build/bench/bench_phrases" --benchmark_min_time=0.5
echo "== list windows with 20 MB list files"
QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$build/Kirel/fonts.conf" "$build/bench/bench_lists"
echo "== preferences dialog"
QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$build/Kirel/fonts.conf" "$build/bench/bench_preferences"
echo "== start-up settings"
"$build/bench/bench_startup_settings" --benchmark_min_time=0.5
echo "== start-up against a bare Qt window"
bash "$here/startup_pair.sh" "$build"
echo "== start-up, memory and preview"
bash "$here/bench_preview.sh" "$build"
