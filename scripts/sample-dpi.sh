#!/usr/bin/env bash
# The sample report printed at 96 and at 144 DPI (a prefix of its own whose LogPixels is 144):
# the words of page 1 of both PDFs must stand at the same places within 1.5 pt.
#   bash scripts/sample-dpi.sh      (after a build; each run goes through scripts/run-sample.sh)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
shared=$root/build-win/wineprefix hidpi=$root/build-win/wineprefix-sample-144
pdf_of() { WINEPREFIX=$1 bash scripts/run-sample.sh | tee /dev/stderr | sed -n 's/^PDF from CUPS: \(.*\) ([0-9]* pages)$/\1/p'; }
words_of() { pdftotext -f 1 -l 1 -bbox "$1" - | sed -n 's/.*xMin="\([0-9.]*\)" yMin="\([0-9.]*\)".*>\(.*\)<\/word>/\1 \2 \3/p'; }

first=$(pdf_of "$shared")
# A hard-linked clone with registry files of its own; LogPixels goes in before any wineserver reads it.
rm -rf "$hidpi"
cp -al "$shared" "$hidpi"
rm -f "$hidpi"/*.reg "$hidpi"/drive_c/windows/*.ini
cp "$shared"/*.reg "$hidpi/" && cp "$shared"/drive_c/windows/*.ini "$hidpi/drive_c/windows/"
sed -i '/^"LogPixels"=/d' "$hidpi/user.reg"
printf '\n[Control Panel\\\\Desktop]\n"LogPixels"=dword:00000090\n' >> "$hidpi/user.reg"
second=$(pdf_of "$hidpi")
rm -rf "$hidpi"

paste -d' ' <(words_of "$first") <(words_of "$second") | awk '
  { n++; dx = $1 - $4; dy = $2 - $5; if (dx < 0) dx = -dx; if (dy < 0) dy = -dy
    if ($3 != $6) bad = bad "\n  word " n ": \"" $3 "\" at 96 DPI, \"" $6 "\" at 144"
    if (dx > mx) { mx = dx; wx = $3 } if (dy > my) { my = dy; wy = $3 } }
  END { printf "sample-dpi: %d words; largest move %.2f pt across (\"%s\"), %.2f pt down (\"%s\")\n", n, mx, wx, my, wy
        if (bad != "") { print "sample-dpi: the words differ:" bad; exit 1 }
        if (n == 0 || mx > 1.5 || my > 1.5) { print "sample-dpi: FAILED"; exit 1 }
        print "sample-dpi: passed" }'
