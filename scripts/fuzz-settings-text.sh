#!/usr/bin/env bash
# Builds and runs the settings-text fuzzer for a while (default 60 s).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target tavrin_settings_text_fuzz
work=build-fuzz/corpus-settings-text
mkdir -p "$work"
build-fuzz/printing/tavrin_settings_text_fuzz -max_total_time="$seconds" -max_len=4096 \
  "$work" printing/fuzz/corpus
