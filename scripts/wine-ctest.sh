#!/usr/bin/env bash
# Runs the Windows tests under Wine; called inside xvfb-run by test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
dir=${WINE_CTEST_DIR:-build-win}
# Each build tree has its own prefix (a 64-bit one; the x86 tree uses its 32-bit side).
export WINEPREFIX="${WINEPREFIX:-$root/$dir/wineprefix}"
source scripts/wine-env.sh
# The 32-bit CUPS library that scripts/install-deps.sh unpacked when apt could not install it.
if [ -d "$root/$dir/i386/usr/lib/i386-linux-gnu" ]; then
  export LD_LIBRARY_PATH="$root/$dir/i386/usr/lib/i386-linux-gnu${LD_LIBRARY_PATH:+:$LD_LIBRARY_PATH}"
fi
wine_session_start
trap wine_session_stop EXIT
ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" 2>&1 | tee "$dir/ctest.log"
exit "${PIPESTATUS[0]}"
