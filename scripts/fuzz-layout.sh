#!/usr/bin/env bash
# Builds the CRD layout fuzzer (clang, libFuzzer, ASan + UBSan) and runs it for
# a set time (default 60 s) from the kept seed corpus. New inputs go to a
# scratch directory; a crash leaves its input in build-fuzz/.
set -euo pipefail
seconds=${1:-60}
cd "$(dirname "$0")/.."
CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzz_layout
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
./build-fuzz/layout/fuzz_layout -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=1024 -artifact_prefix=build-fuzz/ "$work" layout/fuzz/corpus
