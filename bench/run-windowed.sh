#!/usr/bin/env bash
# Runs a Windows benchmark that opens windows under Wine and Xvfb, with the CUPS printer "PDF":
#   bash bench/run-windowed.sh build-win/bench/preview/bench_preview.exe [arguments]
# Build it first, for example: cmake --build build-win -j2 --target bench_preview
set -euo pipefail
cd "$(dirname "$0")/.."
exec xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  root=$PWD
  source scripts/wine-env.sh
  wine_session_start
  trap wine_session_stop EXIT
  wine "$@"' run-windowed "$@"
