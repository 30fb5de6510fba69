#!/usr/bin/env bash
# Shelf-label sheets to PDF, the three ways side by side in one run, on the same page of CARDS cards
# (10,000 by default, the test list repeated):
#   - drawn: `vennlo-cli shelf LIST --pdf` (the page and the drawn PDF, from the call);
#   - web engine: vennlo-pdf turning the same page into a PDF (`--pdf-engine web` without the page);
#   - chromium: headless chromium --print-to-pdf of the same page;
# then bench_sheet_painter: the drawing alone, one page from the call, and the peak memory.
# Usage: bench_sheet_pdf.sh BUILD_DIR SOURCE_DIR [CARDS]
#        (build with -DCMAKE_BUILD_TYPE=Release; targets vennlo-cli vennlo-pdf bench_sheet_painter)
set -euo pipefail

build=${1:?build dir}
source=${2:?source dir}
cards=${3:-10000}
export QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
now() { date +%s.%N; }
since() { python3 -c "import sys; print(f'{float(sys.argv[2]) - float(sys.argv[1]):.2f}')" "$1" "$(now)"; }
pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }

list="$work/list.csv"
one="$source/tests/data/shelf_labels/jan_list.csv"
: > "$list"
while [ "$(wc -l < "$list")" -lt "$cards" ]; do cat "$one" >> "$list"; done
head -n "$cards" "$list" > "$work/l" && mv "$work/l" "$list"

start=$(now)
/usr/bin/time -f '%M' -o "$work/rss" "$build/vennlo-cli" --out "$work/out" shelf "$list" --pdf "$work/drawn.pdf" \
    > /dev/null
drawn=$(since "$start")
echo "drawn (vennlo-cli --pdf, page and PDF): ${drawn} s, $(pages "$work/drawn.pdf") pages," \
    "$(stat -c %s "$work/drawn.pdf") bytes, peak $(cat "$work/rss") kB"

start=$(now)
"$build/vennlo-pdf" "$work/out/temp.html" "$work/web.pdf" 2> /dev/null
web=$(since "$start")
echo "web engine (vennlo-pdf): ${web} s, $(pages "$work/web.pdf") pages, $(stat -c %s "$work/web.pdf") bytes"

profile=$(mktemp -d)
start=$(now)
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$profile" --no-pdf-header-footer \
    --print-to-pdf="$work/chromium.pdf" "file://$work/out/temp.html" > /dev/null 2>&1 || true
browser=$(since "$start")
rm -rf "$profile"
echo "chromium --print-to-pdf: ${browser} s, $(pages "$work/chromium.pdf") pages, $(stat -c %s "$work/chromium.pdf") bytes"

"$build/bench_sheet_painter" "$cards"
