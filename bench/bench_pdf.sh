#!/usr/bin/env bash
# Page to PDF, the program's way against the browser's, in the same run:
#   - a one-page shelf-label sheet (12 cards), from the call: `vennlo-cli --pdf` (page and PDF) and
#     vennlo-pdf alone, each a fresh process that starts the web engine, best of RUNS;
#   - a shelf-label sheet of CARDS cards (10,000 by default, the test list repeated), once each.
# Each PDF is made by vennlo-pdf and by headless chromium printing the same page; the script prints
# the times, their ratio, and vennlo-pdf's own split of its time (page load, PDF, write).
# Usage: bench_pdf.sh BUILD_DIR SOURCE_DIR [CARDS] [RUNS]
#        (build with -DCMAKE_BUILD_TYPE=Release to measure; targets vennlo-cli vennlo-pdf)
set -euo pipefail

build=${1:?build dir}
source=${2:?source dir}
cards=${3:-10000}
runs=${4:-3}
list="$source/tests/data/shelf_labels/jan_list.csv"
export QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
export QT_LOGGING_RULES="vennlo.pdf.info=true"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

now() { date +%s.%N; }
since() { python3 -c "import sys; print(f'{float(sys.argv[2]) - float(sys.argv[1]):.2f}')" "$1" "$(now)"; }
ratio() { python3 -c "import sys; print(f'{float(sys.argv[1]) / float(sys.argv[2]):.2f}')" "$1" "$2"; }
best() { printf '%s\n' "$@" | sort -g | head -n 1; }
pages() { pdfinfo "$1" | awk '/^Pages:/ { print $2 }'; }

# vennlo-pdf PAGE OUT: its time on stdout, its own split of the time into $work/split.
ours() {
    local start
    start=$(now)
    "$build/vennlo-pdf" "$1" "$2" 2> "$work/ours.err" || { cat "$work/ours.err" >&2; exit 1; }
    since "$start"
    grep -o 'page loaded in [0-9]* ms\|made in [0-9]* ms' "$work/ours.err" | tr '\n' ' ' > "$work/split"
}

# chromium PAGE OUT: its time on stdout.
browser() {
    local start profile
    profile=$(mktemp -d)
    start=$(now)
    chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$profile" --no-pdf-header-footer \
        --print-to-pdf="$2" "file://$1" > /dev/null 2>&1 || true
    since "$start"
    rm -rf "$profile"
    [ -s "$2" ] || { echo "bench_pdf: chromium printed no PDF of $1" >&2; exit 1; }
}

# --- one page, from the call -----------------------------------------------------------------------
one_cli=() one_ours=() one_browser=()
for ((r = 0; r < runs; r++)); do
    rm -rf "$work/one"
    start=$(now)
    "$build/vennlo-cli" --out "$work/one" shelf "$list" --pdf "$work/one-cli.pdf" > /dev/null 2> "$work/cli.err" \
        || { cat "$work/cli.err" >&2; exit 1; }
    one_cli+=("$(since "$start")")
    one_ours+=("$(ours "$work/one/temp.html" "$work/one-ours.pdf")")
    one_browser+=("$(browser "$work/one/temp.html" "$work/one-browser.pdf")")
done
o=$(best "${one_ours[@]}")
b=$(best "${one_browser[@]}")
echo "one page (12 cards), best of $runs:"
echo "  vennlo-cli shelf --pdf (page and PDF): $(best "${one_cli[@]}") s  [${one_cli[*]}]"
echo "  vennlo-pdf: $o s, $(pages "$work/one-ours.pdf") page(s)  [${one_ours[*]}]  ($(cat "$work/split"))"
echo "  chromium --print-to-pdf: $b s, $(pages "$work/one-browser.pdf") page(s)  [${one_browser[*]}]"
echo "  ratio vennlo-pdf / chromium: $(ratio "$o" "$b")"

# --- many cards -------------------------------------------------------------------------------------
rows=$(wc -l < "$list")
for ((i = 0; i < (cards + rows - 1) / rows; i++)); do cat "$list"; done | head -n "$cards" > "$work/list.csv"
"$build/vennlo-cli" --out "$work/out" shelf "$work/list.csv" > /dev/null
page="$work/out/temp.html"
o=$(ours "$page" "$work/ours.pdf")
split=$(cat "$work/split")
b=$(browser "$page" "$work/browser.pdf")
echo "$cards cards, page $(du -k "$page" | cut -f1) KiB:"
echo "  vennlo-pdf: $o s, $(pages "$work/ours.pdf") pages, $(du -k "$work/ours.pdf" | cut -f1) KiB  ($split)"
echo "  chromium --print-to-pdf: $b s, $(pages "$work/browser.pdf") pages, $(du -k "$work/browser.pdf" | cut -f1) KiB"
echo "  ratio vennlo-pdf / chromium: $(ratio "$o" "$b")"
