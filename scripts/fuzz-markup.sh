#!/usr/bin/env bash
# Builds the caption-parser fuzzer (clang, libFuzzer, ASan + UBSan) and runs
# it for a set time (default 60 s) from the kept seed corpus.
# Usage: scripts/fuzz-markup.sh [seconds]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target tavrin_html_parse_fuzzer

# New inputs go to a scratch folder; the kept corpus stays as committed.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp html/fuzz/corpus/* "$work"/
mkdir -p build-fuzz/artifacts

./build-fuzz/html/tavrin_html_parse_fuzzer "$work" html/fuzz/corpus \
  -dict=html/fuzz/markup.dict -max_len=4096 -timeout=5 -rss_limit_mb=512 \
  -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix=build-fuzz/artifacts/
