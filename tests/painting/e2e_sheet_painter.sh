#!/usr/bin/env bash
# Each maker's sheet through both routes: vennlo-cli --pdf (drawn by the program) against --pdf-engine
# web (the page turned into a PDF by the web engine, the reference). For each design of the table:
# as many pages; every word of the reference on the same page with the same text, its edges and
# baseline within the case's tolerance (compare_words.py); where the cards have a fixed size, the
# long ruled lines (cut lines, card borders) at 300 dpi within 0.2 mm of the reference's; and every
# barcode of the drawn PDF read back by zbarimg at 300 dpi.
# Usage: e2e_sheet_painter.sh BUILD_DIR SOURCE_DIR   (VENNLO_E2E_KEEP=DIR keeps the PDFs)
set -euo pipefail

build=${1:?build dir}
source=${2:?source dir}
cli="$build/vennlo-cli"
here="$source/tests/painting"
shelf_list="$source/tests/data/shelf_labels/jan_list.csv"
tag_list="$source/tests/data/price_tags/twelve.csv"
export QTWEBENGINE_DISABLE_SANDBOX=1

for tool in pdftoppm pdfinfo pdftotext zbarimg iconv python3; do
    command -v "$tool" >/dev/null || { echo "e2e_sheet_painter: $tool is not installed" >&2; exit 1; }
done
for program in "$cli" "$build/vennlo-pdf"; do
    [ -x "$program" ] || { echo "e2e_sheet_painter: $program is not built" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keep=${VENNLO_E2E_KEEP:-}

# A shelf-label design from the type A or B defaults with KEY=VALUE changes ("[Section]key=value").
design() { # source.hdn out.hdn changes...
    local from=$1 to=$2
    shift 2
    local script='/^\[/ { section = $0 } '
    for change in "$@"; do
        local section=${change%%]*}] rest=${change#*]}
        script+="section == \"$section\" && /^${rest%%=*}=/ { print \"$rest\"; next } "
    done
    iconv -f CP932 -t UTF-8 "$from" | tr -d '\r' | awk "$script { print }" | sed 's/$/\r/' \
        | iconv -f UTF-8 -t CP932 > "$to"
}
data="$source/tests/data/shelf_labels"
# Cards tall enough for their barcodes: a card's overflow is hidden, and a cut barcode is nothing to read.
design "$data/typeA_defaults.hdn" "$work/a_fixed.hdn" "[CHeight]S=1" "[CHeight]H=55" "[CWidth]S=1" "[CWidth]W=60" \
    "[Line]line=1" "[Line]Color=#000000" "[Border]S=solid" "[Border]W=1.5" "[Border]C=#0000FF" \
    "[CPadding]P0=1" "[CPadding]P1=1" "[CPadding]P2=2" "[CPadding]P3=2" "[Make]GN=1" "[Make]Alt=1"
design "$data/typeB_defaults.hdn" "$work/b_fixed.hdn" "[CHeight]S=1" "[CHeight]H=40" "[CWidth]S=1" "[CWidth]W=90" \
    "[Line]line=1" "[Border]S=dashed" "[Border]W=1" "[Header]check=1" "[Make]GN=1" "[Bunkatsu]H=6"
# A double border under 3 px is painted solid, and a border in whole pixels, as the browser paints them.
design "$data/typeA_defaults.hdn" "$work/a_double.hdn" "[CHeight]S=1" "[CHeight]H=81" "[CWidth]S=1" "[CWidth]W=59" \
    "[Line]line=0" "[Border]S=double" "[Border]W=2" "[Border]C=#000000" "[CPadding]P1=2" "[CPadding]P2=3"
design "$data/typeA_defaults.hdn" "$work/a_free.hdn" "[Header]check=1" "[Make]Alt=1" "[Make]GN=1"
# Six rows of 70 mm cards: the paper's edge crosses the fourth row's lines, which start the next sheet.
design "$data/typeA_defaults.hdn" "$work/a_edge.hdn" "[CHeight]S=1" "[CHeight]H=70" "[CWidth]S=1" "[CWidth]W=72" \
    "[Bunkatsu]H=6" "[Bunkatsu]W=2" "[Line]line=1" "[Border]S=solid" "[Border]W=2" "[Header]check=1" "[Make]GN=1"
# Cards of 84 mm padded 1 mm a side in a thin border come to 327 px exactly where the web engine holds
# each length in 64ths of a pixel: a pixel wider, and the second column's lines stand 0.2 mm off.
design "$data/typeA_defaults.hdn" "$work/a_thin.hdn" "[CHeight]S=1" "[CHeight]H=93" "[CWidth]S=1" "[CWidth]W=85" \
    "[Bunkatsu]H=2" "[Bunkatsu]W=2" "[Line]line=0" "[Border]S=solid" "[Border]W=0.5" "[Border]C=#000000" "[CPadding]P2=1" "[CPadding]P3=1"
# Five rows of free cards to a table, taller than the paper: the fourth row stays on the first sheet,
# what of it would cross the paper's edge starting on the next.
design "$data/typeA_defaults.hdn" "$work/a_over.hdn" "[Header]check=1" "[Make]GN=1" "[Bunkatsu]H=5" "[Bunkatsu]W=1" \
    "[Line]line=1" "[Border]S=solid" "[Border]W=1.5" "[Border]C=#000000" "[CPadding]P0=2" "[CPadding]P3=3"

failures=0
# case name, tolerance (mm), fixed (1: compare the ruled lines), vennlo-cli arguments
check() {
    local name=$1 tolerance=$2 fixed=$3
    shift 3
    local out="$work/$name"
    mkdir -p "$out"
    if ! "$cli" --out "$out" "$@" --pdf "$out/drawn.pdf" > /dev/null 2> "$out/err"; then
        echo "$name: vennlo-cli --pdf failed: $(cat "$out/err")" >&2
        failures=$((failures + 1))
        return
    fi
    if ! "$cli" --out "$out" "$@" --pdf "$out/web.pdf" --pdf-engine web > /dev/null 2> "$out/err"; then
        echo "$name: vennlo-cli --pdf-engine web failed: $(cat "$out/err")" >&2
        failures=$((failures + 1))
        return
    fi
    echo "$name: $(python3 "$here/compare_words.py" "$out/web.pdf" "$out/drawn.pdf" "$tolerance" | tail -n 1)"
    python3 "$here/compare_words.py" "$out/web.pdf" "$out/drawn.pdf" "$tolerance" > "$out/words" \
        || { cat "$out/words" >&2; failures=$((failures + 1)); }
    pdftoppm -r 300 -gray "$out/drawn.pdf" "$out/drawn"
    if [ "$fixed" = 1 ]; then
        pdftoppm -r 300 -gray "$out/web.pdf" "$out/web"
        python3 "$here/ruled_lines.py" "$out/web-1.pgm" "$out/drawn-1.pgm" 0.2 \
            || failures=$((failures + 1))
    fi
    # Every code the page shows (its barcode images), read back from the drawn PDF.
    iconv -f CP932 -t UTF-8 "$out"/*temp.html | grep -o 'class="area6"[^>]*>[0-9]\{8,13\}<\|<br>[0-9]\{8,13\}<' \
        | grep -o '[0-9]\{8,13\}' | sort -u > "$out/expected" || true
    for pgm in "$out"/drawn-*.pgm; do zbarimg --quiet --raw "$pgm" 2>/dev/null || true; done | sort -u > "$out/read"
    if ! diff -u "$out/expected" "$out/read" > "$out/diff"; then
        echo "$name: barcodes read back differ from the page's:" >&2
        cat "$out/diff" >&2
        failures=$((failures + 1))
    else
        echo "$name: $(wc -l < "$out/read") barcodes read back at 300 dpi"
    fi
    [ -z "$keep" ] || { mkdir -p "$keep/$name"; cp "$out"/*.pdf "$keep/$name/"; }
}

check shelf_a_fixed 1.0 1 shelf "$shelf_list" --design "$work/a_fixed.hdn"
check shelf_b_fixed 1.0 1 shelf "$shelf_list" --design "$work/b_fixed.hdn"
check shelf_a_double 1.0 1 shelf "$shelf_list" --design "$work/a_double.hdn"
check shelf_a_free 1.0 0 shelf "$shelf_list" --design "$work/a_free.hdn"
check shelf_a_edge 1.0 0 shelf "$shelf_list" --design "$work/a_edge.hdn"
check shelf_a_thin 1.0 1 shelf "$shelf_list" --design "$work/a_thin.hdn"
check shelf_a_over 1.0 0 shelf "$shelf_list" --design "$work/a_over.hdn"
# Type B's free cards, 2 x 8 to a table: each table runs over two sheets, as the browser prints it.
cat "$shelf_list" "$shelf_list" > "$work/two_lists.csv"
check shelf_b_free 1.0 0 shelf "$work/two_lists.csv" --design "$data/typeB_defaults.hdn"
for cdn in e2e_one_tier_A e2e_one_tier_B e2e_two_tiers_A e2e_two_tiers_B; do
    check "tags_$cdn" 1.0 0 tags "$tag_list" --check 1-4 --copies 2,1,1,3 --design "$source/tests/data/price_tags/$cdn.cdn"
done
check ledger 1.0 0 ledger "$tag_list"

# A few random designs of every maker over their options, compared the same way (random_designs.py
# takes --count N for a larger sweep).
if ! python3 "$here/random_designs.py" "$build" "$source" --count 2 --seed 4 --upright > "$work/random" 2>&1; then
    cat "$work/random" >&2
    failures=$((failures + 1))
fi
tail -n 1 "$work/random"

[ "$failures" -eq 0 ] || { echo "e2e_sheet_painter: $failures failure(s)" >&2; exit 1; }
echo "e2e_sheet_painter: passed"
