#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Tavrin.
# Safe to run again: it only installs what is missing.
set -euo pipefail

pkgs=(cmake make ninja-build g++ clang libclang-rt-14-dev
      mingw-w64 mingw-w64-tools libz-mingw-w64-dev libwine-dev wine wine64
      xvfb xauth x11-utils imagemagick xdotool
      cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils
      fonts-liberation googletest ncompress zlib1g-dev)

missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# 32-bit Wine for the 32-bit suite (i386 architecture). The i386 index of a suite can be
# broken for a while while the mirror syncs; then i386 and amd64 libraries that must share a
# version no longer match. Retry a few times; as a last try align both architectures on the
# release suite, but only when apt would remove nothing. Whatever happens, the outcome goes
# to build-win32/wine32.status for the test summary; this never fails the install.
wine32_status=build-win32/wine32.status
mkdir -p build-win32
# 32-bit Wine finds the CUPS printers only through libcups2:i386. When apt cannot have it next to
# the amd64 one (an amd64 update whose i386 twin the mirror lacks), the release suite's library
# unpacked into build-win32/i386 serves the 32-bit tests (scripts/wine-ctest.sh adds it to the
# library path): CUPS speaks IPP, so the two versions need not match.
cups32=build-win32/i386/usr/lib/i386-linux-gnu/libcups.so.2
installed() { dpkg-query -W -f='${Status}\n' "$@" 2>/dev/null | grep -c 'install ok installed' | grep -qx $#; }
installed32() { installed wine32:i386 && { installed libcups2:i386 || [ -f "$cups32" ]; }; }
unpack_cups32() {
  local tmp; tmp=$(mktemp -d)
  (cd "$tmp" && apt-get download libcups2:i386 >>/tmp/tavrin-apt32.log 2>&1) &&
    dpkg-deb -x "$tmp"/libcups2_*_i386.deb build-win32/i386
  rm -rf "$tmp"
  [ -f "$cups32" ]
}
export DEBIAN_FRONTEND=noninteractive
# Never let apt remove anything for this (it would, to match an i386 library's version).
install_if_nothing_removed() {
  apt-get install -s "$@" 2>>/tmp/tavrin-apt32.log | grep -q ' 0 to remove' &&
    apt-get install -y -qq "$@" >>/tmp/tavrin-apt32.log 2>&1
}
if installed32; then
  echo "ok" >"$wine32_status"
else
  grep -qx i386 <(dpkg --print-foreign-architectures) || dpkg --add-architecture i386
  wine_pkgs=(wine32:i386 wine64 libwine:amd64 libwine-dev)
  installed wine32:i386 && wine_pkgs=()
  pkgs32=("${wine_pkgs[@]}" libcups2:i386)
  reason="apt-get could not install wine32:i386"
  for attempt in 1 2 3; do
    apt-get update -qq >/tmp/tavrin-apt32.log 2>&1 || true
    if install_if_nothing_removed --no-install-recommends "${pkgs32[@]}"; then
      reason=""; break; fi
    # wine32 alone is enough when the CUPS library can be unpacked beside the build.
    if { [ ${#wine_pkgs[@]} -eq 0 ] || install_if_nothing_removed --no-install-recommends "${wine_pkgs[@]}"; } &&
       installed wine32:i386 && unpack_cups32; then
      reason=""; break; fi
    # Both architectures from the release suite, when that removes nothing.
    aligned=(-t "$(. /etc/os-release; echo "$VERSION_CODENAME")" --no-install-recommends "${pkgs32[@]}"
             libgstreamer-plugins-base1.0-0:amd64 libgstreamer-plugins-base1.0-0:i386)
    if install_if_nothing_removed "${aligned[@]}"; then
      reason=""; break; fi
    installed32 && { reason=""; break; }
    reason="apt-get could not install wine32:i386 and libcups2:i386 ($(grep -m1 -E '^(E|W):' /tmp/tavrin-apt32.log | cut -c1-160))"
    echo "wine32: attempt $attempt failed, retrying"; sleep $((attempt * 10))
  done
  if [ -z "$reason" ]; then echo "ok" >"$wine32_status"; else echo "$reason" >"$wine32_status"; echo "$reason"; fi
fi
