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
# Tests with real X input hang on the X focus and timing of a loaded machine: an entry that fails
# runs once more (a fault that fails every time still fails), and the log names every retry.
ctest --test-dir "$dir" --output-on-failure --timeout 300 --repeat until-pass:2 "$@" 2>&1 | tee "$dir/ctest.log"
status=${PIPESTATUS[0]}
retried=$(grep -E '\*\*\*(Failed|Exception)|\*\*\*Timeout' "$dir/ctest.log" | sed -E 's/.*Test +#[0-9]+: ([^ ]+).*/\1/' | sort -u | paste -sd, - || true)
[ -n "$retried" ] && echo "== RETRIED after a failure in $dir: $retried"
exit "$status"
