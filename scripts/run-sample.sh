#!/usr/bin/env bash
# The main job: builds the control, registers it with Wine and runs the sample
# host against it on the built-in defaults (default printer "PDF"): a report
# exported as EMF files to build-win/samples/out and printed through CUPS,
# whose cups-pdf printer writes the PDF to $HOME/PDF.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

bash scripts/install-deps.sh
cmake -S . -B build-win -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
cmake --build build-win -j2 --target Tavrin SampleHost >/dev/null

exec xvfb-run -a -s "-screen 0 1920x1080x24" bash -c '
  set -euo pipefail
  root=$PWD
  source scripts/wine-env.sh
  wine_session_start
  trap wine_session_stop EXIT
  # With 32-bit Wine installed too, "wine regsvr32" would be the 32-bit tool: use the 64-bit loader.
  loader=wine; [ -x /usr/lib/wine/wine64 ] && loader=/usr/lib/wine/wine64
  $loader regsvr32 /s "$(winpath build-win/com/Tavrin.DLL)"
  out=build-win/samples/out
  mkdir -p "$out"
  rm -f "$out"/page*.emf "$out"/preview.png
  started=$(date +%s)
  wine build-win/samples/SampleHost.exe "$(winpath "$out")" | tr -d "\r"
  # cups-pdf names the file after the document; wait for the job to leave the queue.
  for _ in $(seq 60); do [ -z "$(lpstat -o PDF 2>/dev/null)" ] && break; sleep 0.5; done
  pdf=""
  for _ in $(seq 20); do
    pdf=$(find "$HOME/PDF" -maxdepth 1 -name "Tavrin_sample_report*" -newermt "@$started" 2>/dev/null | sort | tail -n 1)
    [ -n "$pdf" ] && break
    sleep 0.5
  done
  if [ -n "$pdf" ]; then
    echo "PDF from CUPS: $pdf ($(pdfinfo "$pdf" | awk "/^Pages:/ {print \$2}") pages)"
  else
    echo "No PDF appeared in $HOME/PDF (is the CUPS printer \"PDF\" the default?)"
    exit 1
  fi
'
