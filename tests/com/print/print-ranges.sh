#!/usr/bin/env bash
# Prints the page-range cases through CUPS (printer "PDF", cups-pdf writing to
# $HOME/PDF) and checks each resulting PDF: its page count (pdfinfo) and which
# provider pages it holds, in order (pdftotext finds "Body of page k").
# Usage: print-ranges.sh <print_ranges.exe>
set -uo pipefail
exe=$1
out="$HOME/PDF"
prefix="tvr$$x$(date +%s)"
trap 'rm -f "$out/$prefix"_*' EXIT

cases=$(wine "$exe" "$prefix" | tr -d '\r') || { echo "$cases"; echo "print_ranges failed"; exit 1; }
echo "$cases"

# cups-pdf writes each file when its job ends: wait for the queue to empty.
for _ in $(seq 120); do
  [ -z "$(lpstat -o PDF 2>/dev/null)" ] && break
  sleep 0.5
done
sleep 1

# The newest PDF named after the document: cups-pdf appends "_..." or "-job_N" to the name.
find_pdf() { ls -t "$out/$1"_* "$out/$1"-* 2>/dev/null | head -n 1; }
# The provider pages a PDF shows, in order, comma-separated; "-" for none.
bodies() {
  local found
  found=$(pdftotext -layout "$1" - 2>/dev/null | grep -o 'Body of page [0-9]*' | awk '{print $4}' | paste -sd, -)
  echo "${found:--}"
}

# "ink" when the top 5 % of the first page has dark pixels, else "blank".
header_ink() {
  pdftoppm -f 1 -l 1 -r 40 -gray "$1" 2>/dev/null | python3 -c '
import sys
data = sys.stdin.buffer.read()
parts = data.split(maxsplit=4)  # P5, width, height, maxval, pixels
w, h, pixels = int(parts[1]), int(parts[2]), parts[4]
band = pixels[: w * (h // 20)]
print("ink" if band and min(band) < 128 else "blank")'
}

passed=0 failed=0
while read -r name expected; do
  [ -n "$name" ] || continue
  pdf=$(find_pdf "$name")
  if [ -z "$pdf" ]; then
    echo "FAIL $name: no PDF in $out"; failed=$((failed + 1)); continue
  fi
  pages=$(pdfinfo "$pdf" 2>/dev/null | awk '/^Pages:/ {print $2}')
  got=$(bodies "$pdf")
  if [ "$expected" = "-" ]; then
    # A document the control sent without any page: the PostScript driver's empty document
    # comes out of cups-pdf as one blank page. What matters is that none of the provider's is there.
    want_pages=1
  else
    want_pages=$(echo "$expected" | tr ',' '\n' | wc -l)
  fi
  # Ink in the header band of the first page: the caption, except where only the selected
  # area (10 % to 50 % down) is printed. Text clipped away stays in a PDF's text, so look at pixels.
  header=$(header_ink "$pdf")
  want_header=ink
  case "$name" in *_selection) want_header=blank ;; esac
  [ "$expected" = "-" ] && want_header=blank
  # The spooler's document name is the caption.
  title=$(pdfinfo "$pdf" 2>/dev/null | sed -n 's/^Title: *//p')
  if [ "$got" = "$expected" ] && [ "$pages" = "$want_pages" ] && [ "$header" = "$want_header" ] &&
     [ "$title" = "$name" ]; then
    passed=$((passed + 1))
  else
    echo "FAIL $name: expected pages $expected ($want_pages in the PDF), $pdf has $pages showing $got, header $header, title $title"
    failed=$((failed + 1))
  fi
done <<< "$(echo "$cases" | grep "^${prefix}_")"

echo "print-ranges: $passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -eq 5 ]
