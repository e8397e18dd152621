#!/usr/bin/env bash
# The main job: builds the control, registers it with Wine and runs the sample
# host against it on the built-in defaults (default printer "PDF").
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh
cmake -S . -B build-win -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build-win -j"$(nproc)" --target Tavrin SampleHost >/dev/null

exec xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  root=$PWD
  source scripts/wine-env.sh
  wine_session_start
  trap wine_session_stop EXIT
  wine regsvr32 /s "$(winpath build-win/com/Tavrin.DLL)"
  wine build-win/samples/SampleHost.exe | tr -d "\r"
'
