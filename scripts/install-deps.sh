#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Tavrin.
# Safe to run again: it only installs what is missing.
set -euo pipefail

pkgs=(cmake make ninja-build g++ clang libclang-rt-14-dev
      mingw-w64 mingw-w64-tools libwine-dev wine wine64
      xvfb xauth x11-utils imagemagick xdotool
      cups cups-bsd cups-client printer-driver-cups-pdf poppler-utils
      fonts-liberation googletest ncompress)

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
