#!/usr/bin/env bash
# Runs the recording benchmark under Wine, with the CUPS printer "PDF" and the
# test prefix; build first: cmake --build build-win -j2 --target bench_recording
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
source scripts/wine-env.sh
wine_session_start
trap wine_session_stop EXIT
wine build-win/bench/recording/bench_recording.exe
