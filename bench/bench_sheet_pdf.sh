#!/usr/bin/env bash
# Sheets to PDF, the three ways side by side in one run, then the painter alone per maker, and prints
# one table of the figures:
#   - shelf labels, CARDS cards (10,000 by default), two designs: the type A defaults on the test list
#     repeated, and a design with every item on (header, item code, remarks, logo, border, fixed card
#     size, barcode with digits, every font style) on a list of distinct products;
#     each through `vennlo-cli shelf LIST --pdf` (the page and the drawn PDF, from the call), the web
#     engine (vennlo-pdf turning the same page into a PDF, as `--pdf-engine web` does) and headless
#     chromium --print-to-pdf of the same page;
#   - price tags (CARDS tags: ten products, CARDS/10 copies each) and the ledger (CARDS products)
#     through `vennlo-cli ... --pdf`;
#   - the peak memory of the drawn shelf sheet at 1,000 and at CARDS cards (flat: pages are streamed);
#   - bench_sheet_painter: one page (12 cards) from the call, in process, and a heavy design's
#     CARDS cards drawn alone.
# Usage: bench_sheet_pdf.sh BUILD_DIR SOURCE_DIR [CARDS] [--no-browsers]
#        (build with -DCMAKE_BUILD_TYPE=Release; targets vennlo-cli vennlo-pdf bench_sheet_painter
#        vennlo_resources)
set -euo pipefail

build=${1:?build dir}
source=${2:?source dir}
cards=${3:-10000}
browsers=1
[ "${4:-}" = --no-browsers ] && browsers=0
export QTWEBENGINE_DISABLE_SANDBOX=1 QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
cli="$build/vennlo-cli"
for tool in pdfinfo iconv python3 /usr/bin/time; do
    command -v "$tool" >/dev/null || { echo "bench_sheet_pdf: $tool is not installed" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_CONFIG_HOME="$work/home/config"
mkdir -p "$HOME"
now() { date +%s.%N; }
since() { python3 -c "import sys; print(f'{float(sys.argv[2]) - float(sys.argv[1]):.2f}')" "$1" "$(now)"; }
pages() { pdfinfo "$1" 2> /dev/null | awk '/^Pages:/ { print $2 }'; }
rows=()
row() { rows+=("$(printf '%-44s %9s %7s %10s %10s' "$@")"); }

# Lists: the test list repeated, and distinct products (codes, names, prices and JAN codes of their own).
python3 - "$source" "$work" "$cards" <<'PY'
import itertools, sys
source, work, n = sys.argv[1], sys.argv[2], int(sys.argv[3])
def repeated(src, to, count):
    rows = open(src, 'rb').read().splitlines()
    with open(to, 'wb') as f:
        for r in itertools.islice(itertools.cycle(rows), count):
            f.write(r + b'\r\n')
def check_digit(d12):
    s = sum(int(c) * (3 if i % 2 else 1) for i, c in enumerate(d12))
    return d12 + str((10 - s % 10) % 10)
repeated(f'{source}/tests/data/shelf_labels/jan_list.csv', f'{work}/repeated.csv', n)
repeated(f'{source}/tests/data/shelf_labels/jan_list.csv', f'{work}/repeated_1000.csv', min(n, 1000))
repeated(f'{source}/tests/data/price_tags/twelve.csv', f'{work}/tags.csv', n)
with open(f'{work}/distinct.csv', 'wb') as f:
    for i in range(n):
        f.write(('"A-%05d","国産緑茶ティーバッグ 20袋入 <%d>",%d,"店長のおすすめ & 本日入荷","%s"\r\n'
                 % (i, i, 98 + i % 5000, check_digit(str(490000000000 + i)))).encode('cp932'))
PY

# A shelf-label design from the type A defaults with KEY=VALUE changes ("[Section]key=value").
design() { # out.hdn changes...
    local to=$1
    shift
    local script='/^\[/ { section = $0 } '
    for change in "$@"; do
        local section=${change%%]*}] rest=${change#*]}
        script+="section == \"$section\" && /^${rest%%=*}=/ { print \"$rest\"; next } "
    done
    iconv -f CP932 -t UTF-8 "$source/tests/data/shelf_labels/typeA_defaults.hdn" | tr -d '\r' \
        | awk "$script { print }" | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$to"
}
design "$work/defaults.hdn"
design "$work/every_item.hdn" "[Header]check=1" "[Make]GN=1" "[Make]Alt=1" "[Make]LG=1" \
    "[Logo]Name=$source/resources/vennlo.png" "[Logo]W=40" "[Logo]H=20" "[Border]S=solid" "[Border]W=1" \
    "[Border]C=#0000FF" "[FontStyle]1=斜体" "[FontStyle]2=両方" "[FontStyle]5=斜体" "[CPadding]P0=1" \
    "[CPadding]P2=2" "[CHeight]S=1" "[CHeight]H=68" "[CWidth]S=1" "[CWidth]W=60"

# drawn NAME OUTDIR ARGS...: vennlo-cli ARGS --pdf, timed from the call, with its peak memory.
drawn() {
    local name=$1 out=$2
    shift 2
    local start
    start=$(now)
    /usr/bin/time -f '%M' -o "$out.rss" "$cli" --out "$out" "$@" --pdf "$out.pdf" > /dev/null
    row "$name" "$(since "$start") s" "$(pages "$out.pdf")" "$(stat -c %s "$out.pdf")" "$(cat "$out.rss") kB"
}
# browsers NAME PAGE: the web engine's and chromium's PDF of the page vennlo-cli wrote.
browsers() {
    local name=$1 page=$2 start
    [ "$browsers" = 1 ] || return 0
    start=$(now)
    "$build/vennlo-pdf" "$page" "$work/web.pdf" 2> /dev/null
    row "  $name: web engine (vennlo-pdf)" "$(since "$start") s" "$(pages "$work/web.pdf")" \
        "$(stat -c %s "$work/web.pdf")" ""
    local profile
    profile=$(mktemp -d)
    start=$(now)
    chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$profile" --no-pdf-header-footer \
        --print-to-pdf="$work/chromium.pdf" "file://$page" > /dev/null 2>&1 || true
    row "  $name: chromium --print-to-pdf" "$(since "$start") s" "$(pages "$work/chromium.pdf")" \
        "$(stat -c %s "$work/chromium.pdf" 2> /dev/null || echo -)" ""
    rm -rf "$profile" "$work/web.pdf" "$work/chromium.pdf"
}

drawn "shelf, defaults, $cards cards: drawn (--pdf)" "$work/a" shelf "$work/repeated.csv" --design "$work/defaults.hdn"
browsers "shelf, defaults" "$work/a/temp.html"
drawn "shelf, every item, $cards cards: drawn (--pdf)" "$work/b" shelf "$work/distinct.csv" \
    --design "$work/every_item.hdn"
browsers "shelf, every item" "$work/b/temp.html"
copies=$(python3 -c "print(','.join([str(max(1, $cards // 10))] * 10))")
drawn "price tags, $cards tags: drawn (--pdf)" "$work/t" tags "$work/tags.csv" --check 1-10 --copies "$copies"
drawn "ledger, $cards products: drawn (--pdf)" "$work/l" ledger "$work/tags.csv"
drawn "shelf, defaults, $(( cards < 1000 ? cards : 1000 )) cards: drawn (--pdf)" "$work/s" shelf "$work/repeated_1000.csv" \
    --design "$work/defaults.hdn"

echo
printf '%-44s %9s %7s %10s %10s\n' "route" "time" "pages" "bytes" "peak RSS"
printf '%s\n' "${rows[@]}"
echo
"$build/bench_sheet_painter" "$cards"
