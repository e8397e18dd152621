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
rm -f "$dir/rerun.txt" "$dir/ctest.log"
run_ctest() {
  ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" 2>&1 | tee -a "$dir/ctest.log"
  return "${PIPESTATUS[0]}"
}
status=0
run_ctest "$@" || status=$?
[ "$status" = 0 ] && exit 0
# Only entries labelled real_input (cases that drive windows with X input, which a loaded machine
# can starve of focus) run once more, and only when every other entry passed; a failure anywhere
# else fails the run as it stands. Whatever ran again is named in the last line.
failed=$(cut -d: -f2 "$dir/Testing/Temporary/LastTestsFailed.log" 2>/dev/null | sort -u || true)
input=$(ctest --test-dir "$dir" -N -L real_input | sed -nE 's/^ *Test +#[0-9]+: ([^ ]+).*/\1/p' | sort -u)
others=$(comm -23 <(echo "$failed") <(echo "$input") | grep . || true)
if [ -z "$failed" ] || [ -n "$others" ]; then
  echo "== FAILED in $dir, not run again: $(echo "${others:-ctest}" | paste -sd' ' -)"
  exit "$status"
fi
rerun=$(echo "$failed" | paste -sd' ' -)
echo "== running again after a failure with real X input: $rerun"
echo "$dir: $rerun" > "$dir/rerun.txt"
status=0
run_ctest -R "^($(echo "$failed" | paste -sd'|' -))\$" || status=$?
if [ "$status" = 0 ]; then echo "== passed in $dir, run twice: $rerun"; else echo "== FAILED in $dir, twice: $rerun"; fi
exit "$status"
