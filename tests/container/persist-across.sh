#!/usr/bin/env bash
# persist-across.sh <x64 persist_across> <x64 DLL> <x86 persist_across> <x86 DLL> <work dir>
# Both builds write the same property stream byte for byte, and each loads and rewrites the
# other's unchanged.
set -uo pipefail
x64=("$1" "$2"); x86=("$3" "$4")
mkdir -p "$5" && cd "$5" || exit 1
rm -f x64.bin x86.bin x86-from-x64.bin x64-from-x86.bin
passed=0; failed=0
check() {  # check <what> <file a> <file b>
  if cmp -s "$2" "$3" && [ -s "$2" ]; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAILED: $1"; fi
}
wine "${x64[@]}" "$PWD/x64.bin"; wine "${x86[@]}" "$PWD/x86.bin"
check "x64 and x86 write the same bytes" x64.bin x86.bin
wine "${x86[@]}" "$PWD/x86-from-x64.bin" "$PWD/x64.bin"
check "x86 loads and rewrites the x64 stream" x64.bin x86-from-x64.bin
wine "${x64[@]}" "$PWD/x64-from-x86.bin" "$PWD/x86.bin"
check "x64 loads and rewrites the x86 stream" x86.bin x64-from-x86.bin
echo "persist-across: $passed passed, $failed failed"
