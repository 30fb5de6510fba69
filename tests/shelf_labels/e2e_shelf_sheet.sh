#!/usr/bin/env bash
# Makes shelf-label sheets with vennlo-cli (layouts A and B) from a list of valid EAN-13 and EAN-8 codes,
# renders each page with headless chromium and checks with zbarimg that every barcode on it reads back
# as a code of the list, each exactly once.
# Usage: e2e_shelf_sheet.sh BUILD_DIR SOURCE_DIR   (VENNLO_E2E_KEEP=DIR keeps the pages and screenshots)
set -euo pipefail

build=${1:?build dir}
source=${2:?source dir}
cli="$build/vennlo-cli"
data="$source/tests/data/shelf_labels"
list="$data/jan_list.csv"

for tool in chromium zbarimg iconv; do
    command -v "$tool" >/dev/null || { echo "e2e_shelf_sheet: $tool is not installed" >&2; exit 1; }
done
[ -x "$cli" ] || { echo "e2e_shelf_sheet: $cli is not built" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keep=${VENNLO_E2E_KEEP:-}

# The JAN codes of the list: the fifth field without its trailing "B".
iconv -f CP932 -t UTF-8 "$list" | tr -d '\r' | awk -F, '{ gsub(/"/, "", $5); sub(/B$/, "", $5); print $5 }' \
    | sort > "$work/expected"
count=$(wc -l < "$work/expected")
[ "$count" -ge 10 ] || { echo "e2e_shelf_sheet: the list holds only $count codes" >&2; exit 1; }

render() { # page png width height
    local profile
    profile=$(mktemp -d)
    chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
        --disable-component-update --disable-sync --user-data-dir="$profile" \
        --screenshot="$2" --window-size="$3,$4" "file://$1" >/dev/null 2>&1 || true
    rm -rf "$profile"
    [ -s "$2" ] || { echo "e2e_shelf_sheet: chromium made no screenshot of $1" >&2; return 1; }
}

failures=0
check_layout() { # name height [cli options...]
    local name=$1 height=$2
    shift 2
    local out="$work/$name"
    "$cli" --out "$out" shelf "$list" "$@" > "$work/$name.stdout"
    [ "$(cat "$work/$name.stdout")" = "$out/temp.html" ] || { echo "layout $name: unexpected output $(cat "$work/$name.stdout")" >&2; failures=$((failures + 1)); return; }
    [ "$(find "$out/BarCode" -name '*.bmp' | wc -l)" -eq 33 ] || { echo "layout $name: BarCode images not copied" >&2; failures=$((failures + 1)); return; }

    # Every card carries one image sequence and prints the code it encodes.
    local sequences
    sequences=$(grep -o 'BarCode/LB.bmp' "$out/temp.html" | wc -l)
    [ "$sequences" -eq "$count" ] || { echo "layout $name: $sequences barcodes in the page, $count expected" >&2; failures=$((failures + 1)); }

    render "$out/temp.html" "$out/page.png" 1000 "$height" || { failures=$((failures + 1)); return; }
    zbarimg --quiet --raw "$out/page.png" 2>/dev/null | sort > "$out/read" || true
    if ! diff -u "$work/expected" "$out/read" > "$out/diff"; then
        echo "layout $name: barcodes read back differ from the list:" >&2
        cat "$out/diff" >&2
        failures=$((failures + 1))
    else
        echo "layout $name: all $count barcodes read back as printed"
    fi
    if [ -n "$keep" ]; then
        mkdir -p "$keep"
        cp "$out/page.png" "$keep/shelf_$name.png"
        cp "$out/temp.html" "$keep/shelf_$name.html"
    fi
}

check_layout A 1300
check_layout B 2400 --design "$data/typeB_defaults.hdn"

# A design file that cannot be read completely ends the command with the window's error report.
broken="$work/broken.hdn"
iconv -f CP932 -t UTF-8 "$data/typeA_defaults.hdn" | grep -v '^BC=' | iconv -f UTF-8 -t CP932 > "$broken"
set +e
"$cli" --out "$work/broken" shelf "$list" --design "$broken" 2> "$work/broken.err"
rc=$?
set -e
if [ "$rc" -ne 1 ] || ! grep -q 'エラーが発生しました(frmTanafuda.ReadDesign)' "$work/broken.err"; then
    echo "broken design: exit $rc, stderr: $(cat "$work/broken.err")" >&2
    failures=$((failures + 1))
fi

[ "$failures" -eq 0 ] || { echo "e2e_shelf_sheet: $failures failure(s)" >&2; exit 1; }
echo "e2e_shelf_sheet: passed"
