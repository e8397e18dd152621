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
cmake -S . -B build-native -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_SANITIZE=ON -DTAVRIN_WERROR=ON >/dev/null
cmake --build build-native -j"$jobs"
echo "== native tests $(date +%T)"
if ctest --test-dir build-native -j"$jobs" --output-on-failure --timeout 120 | tee build-native/ctest.log; then
  :
else
  summary+=("native tests failed"); fi

if [ -f com/CMakeLists.txt ]; then
  echo "== Windows build (mingw-w64) $(date +%T)"
  cmake -S . -B build-win -DCMAKE_BUILD_TYPE=Release -DTAVRIN_WERROR=ON \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
  cmake --build build-win -j"$jobs"
  echo "== Windows tests under Wine $(date +%T)"
  rm -f build-win/rerun.txt build-win32/rerun.txt
  if xvfb-run -a -s "-screen 0 1920x1080x24" bash scripts/wine-ctest.sh; then
    :
  else
    summary+=("Windows tests failed"); fi

  # The same sources for 32-bit hosts, tested in a prefix of their own with its 32-bit tools.
  echo "== Windows x86 build (mingw-w64 i686) $(date +%T)"
  cmake -S . -B build-win32 -DCMAKE_BUILD_TYPE=Release -DTAVRIN_WERROR=ON -DTAVRIN_X64_BUILD="$root/build-win" \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-i686.cmake >/dev/null
  wine32_status=$(cat build-win32/wine32.status 2>/dev/null || echo "wine32 install was not attempted")
  # Without 32-bit Wine nothing could run the test executables: build the DLL alone.
  if [ "$wine32_status" = ok ]; then targets=(); else targets=(--target Tavrin); fi
  cmake --build build-win32 -j"$jobs" "${targets[@]}"
  objdump -f build-win32/com/Tavrin.DLL | grep -q 'file format pei-i386' || summary+=("Tavrin.DLL x86 is not PE32")
  exports() { objdump -p "$1" | sed -n '/Ordinal\/Name Pointer/,/^$/p' | awk '/^[[:space:]]+\[/ {print $NF}'; }
  x86_exports=$(exports build-win32/com/Tavrin.DLL)
  [ -n "$x86_exports" ] && [ "$x86_exports" = "$(exports build-win/com/Tavrin.DLL)" ] ||
    summary+=("Tavrin.DLL x86 and x64 export different functions")
  if [ "$wine32_status" = ok ]; then
    echo "== Windows x86 tests under 32-bit Wine $(date +%T)"
    if WINE_CTEST_DIR=build-win32 xvfb-run -a -s "-screen 0 1920x1080x24" bash scripts/wine-ctest.sh; then
      :
    else
      summary+=("Windows x86 tests failed"); fi
  else
    skipped="the 32-bit suite: $wine32_status (the x86 DLL was built)"
    echo "== NOT RUN: $skipped"
  fi
fi

# The entries with real X input that passed only when run again, named in the closing line.
rerun=$(cat build-win/rerun.txt build-win32/rerun.txt 2>/dev/null | paste -sd';' - || true)
again=${rerun:+ (run again after a failure with real X input: $rerun)}
if [ ${#summary[@]} -gt 0 ]; then
  printf '%s\n' "${summary[@]}"; echo "tests failed$again"; exit 1
fi
[ -n "${skipped:-}" ] && echo "NOT RUN: $skipped"
echo "all test suites passed$again"
