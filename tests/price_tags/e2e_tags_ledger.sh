#!/usr/bin/env bash
# Makes price-tag sheets (one and two tiers, layout types A and B) and the product ledger with
# vennlo-cli, renders each page with headless chromium and checks with zbarimg that every barcode on
# it reads back as the code printed under it, as many times as it was printed.
# Usage: e2e_tags_ledger.sh BUILD_DIR SOURCE_DIR   (VENNLO_E2E_KEEP=DIR keeps the pages and screenshots)
set -euo pipefail

build=${1:?build dir}
source=${2:?source dir}
cli="$build/vennlo-cli"
data="$source/tests/data/price_tags"
list="$data/twelve.csv"

for tool in chromium zbarimg iconv; do
    command -v "$tool" >/dev/null || { echo "e2e_tags_ledger: $tool is not installed" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "e2e_tags_ledger: $cli is not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keep=${VENNLO_E2E_KEEP:-}

# JAN code of row N (1-based) of the list: the fifth field without its trailing "B".
code_of() {
    iconv -f CP932 -t UTF-8 "$list" | tr -d '\r' | sed -n "${1}p" | awk -F, '{ gsub(/"/, "", $5); sub(/B$/, "", $5); print $5 }'
}

render() { # page png width height
    local profile
    profile=$(mktemp -d)
    chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$profile" \
        --screenshot="$2" --window-size="$3,$4" "file://$1" >/dev/null 2>&1 || true
    rm -rf "$profile"
    [ -s "$2" ] || { echo "e2e_tags_ledger: chromium made no screenshot of $1" >&2; return 1; }
}

failures=0
# check NAME PAGE EXPECTED WIDTH HEIGHT: the barcodes of the rendered page against the expected codes,
# and the digits printed in the page (area6 cells) against the same codes.
check() {
    local name=$1 page=$2 expected=$3
    render "$page" "$work/$name.png" "$4" "$5" || { failures=$((failures + 1)); return; }
    # zbarimg reports each distinct code once, however often it is printed.
    zbarimg --quiet --raw "$work/$name.png" 2>/dev/null | sort -u > "$work/$name.read" || true
    sort -u "$expected" > "$work/$name.distinct"
    if ! diff -u "$work/$name.distinct" "$work/$name.read" > "$work/$name.diff"; then
        echo "$name: barcodes read back differ from those printed:" >&2
        cat "$work/$name.diff" >&2
        failures=$((failures + 1))
    else
        echo "$name: all $(wc -l < "$work/$name.distinct") distinct codes read back as printed"
    fi
    if [ -n "$keep" ]; then
        mkdir -p "$keep"
        cp "$work/$name.png" "$keep/$name.png"
        cp "$page" "$keep/$name.html"
    fi
}

# Tags: rows 1-4 and 7-10 (row 6 has no code), the first product three times, the second twice.
rows="1,2,3,4,7,8,9,10"
: > "$work/tags.expected"
i=0
for r in 1 2 3 4 7 8 9 10; do
    n=1
    [ $i -eq 0 ] && n=3
    [ $i -eq 1 ] && n=2
    for _ in $(seq "$n"); do code_of "$r" >> "$work/tags.expected"; done
    i=$((i + 1))
done
sort -o "$work/tags.expected" "$work/tags.expected"

for variant in one_tier_A one_tier_B two_tiers_A two_tiers_B; do
    out="$work/$variant"
    "$cli" --out "$out" tags "$list" --check "$rows" --copies 3,2 --design "$data/e2e_$variant.cdn" > "$work/$variant.stdout"
    [ "$(cat "$work/$variant.stdout")" = "$out/ctemp.html" ] || { echo "$variant: unexpected output $(cat "$work/$variant.stdout")" >&2; failures=$((failures + 1)); continue; }
    [ "$(find "$out/BarCode" -name '*.bmp' | wc -l)" -eq 33 ] || { echo "$variant: BarCode images not copied" >&2; failures=$((failures + 1)); continue; }
    # One image sequence per card, and the digits under each barcode are the code it encodes.
    sequences=$(grep -o 'BarCode/LB.bmp' "$out/ctemp.html" | wc -l)
    [ "$sequences" -eq "$(wc -l < "$work/tags.expected")" ] || { echo "$variant: $sequences barcodes in the page" >&2; failures=$((failures + 1)); }
    iconv -f CP932 -t UTF-8 "$out/ctemp.html" | grep -o '<td class="area6"[^>]*>[0-9]*</td>' | sed 's/<[^>]*>//g' | sort > "$work/$variant.digits"
    diff -u "$work/tags.expected" "$work/$variant.digits" >&2 || { echo "$variant: printed digits differ" >&2; failures=$((failures + 1)); }
    case $variant in
        *_A) check "tags_$variant" "$out/ctemp.html" "$work/tags.expected" 900 1100 ;;
        *_B) check "tags_$variant" "$out/ctemp.html" "$work/tags.expected" 900 1300 ;;
    esac
done

# The one-tag preview: the sample code. The card is given a width so that the barcode has its quiet
# zones inside the ruled line (a card sized to its content leaves almost none to read from).
iconv -f CP932 -t UTF-8 "$data/e2e_one_tier_A.cdn" | sed 's/^S=0/S=1/; s/^W=30/W=40/' | iconv -f UTF-8 -t CP932 > "$work/preview.cdn"
"$cli" --out "$work/preview" preview tags --design "$work/preview.cdn" > /dev/null
echo 4567891234540 > "$work/preview.expected"
check tags_preview "$work/preview/cprev.html" "$work/preview.expected" 400 300

# The ledger of the whole list: every row with a code, once.
"$cli" --out "$work/ledger" ledger "$list" > /dev/null
for r in $(seq 12); do code_of "$r"; done | grep . | sort > "$work/ledger.expected"
check ledger "$work/ledger/dtemp.html" "$work/ledger.expected" 1000 2600

# A division of 0 in the settings is refused with the window's message; nothing is written.
ini="$work/vennlo.ini"
iconv -f CP932 -t UTF-8 "$source/tests/data/default_vennlo.ini" \
    | awk '{ line = $0; sub(/\r$/, "", line) } /^\[/ { section = line } section == "[CBun]" && /^W=/ { $0 = "W=0\r" } { print }' | iconv -f UTF-8 -t CP932 > "$ini"
set +e
"$cli" --settings "$ini" --out "$work/refused" tags "$list" --check 1 2> "$work/refused.err"
rc=$?
set -e
if [ "$rc" -ne 1 ] || ! grep -q '横に並べる列数と縦に並べる行数には 1 以上の数を指定してください.' "$work/refused.err" || [ -e "$work/refused/ctemp.html" ]; then
    echo "division 0: exit $rc, stderr: $(cat "$work/refused.err")" >&2
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] || { echo "e2e_tags_ledger: $failures failure(s)" >&2; exit 1; }
echo "e2e_tags_ledger: passed"
