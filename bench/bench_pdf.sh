#!/usr/bin/env bash
# A shelf-label sheet of 10,000 cards (the test list repeated) made with vennlo-cli, then turned into a
# PDF twice: by vennlo-pdf (the program's own PDF path) and by headless chromium printing the same page.
# Prints both times and their ratio; the program's PDF should take no longer than the browser's.
# Usage: bench_pdf.sh BUILD_DIR SOURCE_DIR [CARDS]   (build with -DCMAKE_BUILD_TYPE=Release to measure)
set -euo pipefail

build=${1:?build dir}
source=${2:?source dir}
cards=${3:-10000}
list="$source/tests/data/shelf_labels/jan_list.csv"
export QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

rows=$(wc -l < "$list")
for ((i = 0; i < (cards + rows - 1) / rows; i++)); do cat "$list"; done | head -n "$cards" > "$work/list.csv"
"$build/vennlo-cli" --out "$work/out" shelf "$work/list.csv" > /dev/null
page="$work/out/temp.html"

seconds() { python3 -c "import sys; print(f'{float(sys.argv[2]) - float(sys.argv[1]):.2f}')" "$@"; }

start=$(date +%s.%N)
"$build/vennlo-pdf" "$page" "$work/ours.pdf" 2> "$work/ours.err" || { cat "$work/ours.err" >&2; exit 1; }
ours=$(seconds "$start" "$(date +%s.%N)")

profile=$(mktemp -d)
start=$(date +%s.%N)
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$profile" --no-pdf-header-footer \
    --print-to-pdf="$work/browser.pdf" "file://$page" > /dev/null 2>&1 || true
browser=$(seconds "$start" "$(date +%s.%N)")
rm -rf "$profile"
[ -s "$work/browser.pdf" ] || { echo "bench_pdf: chromium printed no PDF" >&2; exit 1; }

pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }
echo "cards: $cards, page: $(du -k "$page" | cut -f1) KiB"
echo "vennlo-pdf: $ours s, $(pages "$work/ours.pdf") pages"
echo "chromium --print-to-pdf: $browser s, $(pages "$work/browser.pdf") pages"
echo "ratio vennlo-pdf / chromium: $(python3 -c "import sys; print(f'{float(sys.argv[1]) / float(sys.argv[2]):.2f}')" "$ours" "$browser")"
