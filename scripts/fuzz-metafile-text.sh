#!/usr/bin/env bash
# Builds the page-text fuzzer (clang, libFuzzer, ASan + UBSan) and runs it for a set time
# (default 60 s) from the kept seed corpus; a crash leaves its input in build-fuzz/.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target tavrin_metafile_text_fuzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
./build-fuzz/search/tavrin_metafile_text_fuzz -max_total_time="$seconds" -max_len=16384 -timeout=10 \
    -rss_limit_mb=1024 -artifact_prefix=build-fuzz/ "$work" search/fuzz/corpus
