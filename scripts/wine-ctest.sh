#!/usr/bin/env bash
# Runs the Windows tests under Wine; called inside xvfb-run by test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
source scripts/wine-env.sh
wine_session_start
trap wine_session_stop EXIT
dir=${WINE_CTEST_DIR:-build-win}
ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" 2>&1 | tee "$dir/ctest.log"
exit "${PIPESTATUS[0]}"
