#!/usr/bin/env bash
# Runs the recording benchmark under Wine, with the CUPS printer "PDF" and the
# test prefix; build first: cmake --build build-win -j2 --target bench_recording bench_long_document
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source scripts/wine-env.sh
wine_session_start
trap 'wine_session_stop; rm -f "$HOME"/PDF/tavrin_bench_*' EXIT
wine build-win/bench/recording/bench_recording.exe | tr -d "\r"
# Long documents (slow: 100,000 pages take minutes); a smaller largest size as its argument.
[ -x build-win/bench/recording/bench_long_document.exe ] &&
  wine build-win/bench/recording/bench_long_document.exe "${LONG_DOCUMENT_PAGES:-100000}" | tr -d '\r'
for _ in $(seq 120); do [ -z "$(lpstat -o PDF 2>/dev/null)" ] && break; sleep 0.5; done
