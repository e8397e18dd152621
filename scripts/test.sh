#!/usr/bin/env bash
# Runs every test: native (sanitized) tests of the platform-free code, then the
# Windows build under Wine: GoogleTest executables and script end-to-end tests.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh

jobs=$(nproc)
summary=()

echo "== native build (ASan + UBSan) $(date +%T)"
cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_SANITIZE=ON >/dev/null
cmake --build build-native -j"$jobs"
echo "== native tests $(date +%T)"
if ctest --test-dir build-native -j"$jobs" --output-on-failure --timeout 120 | tee build-native/ctest.log; then
  :
else
  summary+=("native tests failed"); fi

if [ -f com/CMakeLists.txt ]; then
  echo "== Windows build (mingw-w64) $(date +%T)"
  cmake -S . -B build-win -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
  cmake --build build-win -j"$jobs"
  echo "== Windows tests under Wine $(date +%T)"
  if xvfb-run -a -s "-screen 0 1920x1080x24" bash scripts/wine-ctest.sh; then
    :
  else
    summary+=("Windows tests failed"); fi

  # The same sources for 32-bit hosts. Only the DLL is built: the 32-bit suite does not run yet.
  echo "== Windows x86 build (mingw-w64 i686) $(date +%T)"
  cmake -S . -B build-win32 -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
  cmake --build build-win32 -j"$jobs" --target Tavrin
  objdump -f build-win32/com/Tavrin.DLL | grep -q 'file format pei-i386' || summary+=("Tavrin.DLL x86 is not PE32")
  echo "== NOT RUN: the Windows test suite against the 32-bit DLL under 32-bit Wine"
fi

if [ ${#summary[@]} -gt 0 ]; then
  printf '%s\n' "${summary[@]}"; exit 1
fi
echo "all test suites passed"
