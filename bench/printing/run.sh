#!/usr/bin/env bash
# Runs the printing benchmark under Wine with the CUPS printer "PDF" and the
# test prefix; build first: cmake --build build-win -j2 --target bench_printing
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source scripts/wine-env.sh
wine_session_start
trap 'wine_session_stop; rm -f "$HOME"/PDF/tavrin_bench_*' EXIT
wine build-win/bench/printing/bench_printing.exe | tr -d '\r'
for _ in $(seq 120); do [ -z "$(lpstat -o PDF 2>/dev/null)" ] && break; sleep 0.5; done
