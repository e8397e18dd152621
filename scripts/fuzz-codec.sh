#!/usr/bin/env bash
# Builds the Encode64 decoder fuzz target (libFuzzer, ASan + UBSan) and runs it
# for the given number of seconds (default 60). Seeds: pictures/fuzz/corpus/;
# new inputs go to build-fuzz/corpus-codec/. Inputs are capped at 8192 bytes,
# so the decoder's output stays below 3839 * floor(8 * 8192 / 9) bytes (28 MB);
# the target aborts if it ever exceeds that bound.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DTAVRIN_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz -j2 --target fuzz_codec_decoder

mkdir -p build-fuzz/corpus-codec
exec build-fuzz/pictures/fuzz_codec_decoder build-fuzz/corpus-codec pictures/fuzz/corpus \
    -max_total_time="$seconds" -max_len=8192 -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix=build-fuzz/codec-
