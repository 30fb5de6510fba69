#!/usr/bin/env bash
# Makes a shelf-label sheet with fixed card sizes (60 x 45 mm cells, 3 x 4 on a page) with vennlo-cli,
# which turns it into a PDF with vennlo-pdf (--pdf), rasterises the PDF with pdftoppm and checks that the cut lines
# stand where the page's millimetres put them, within 0.5 mm, that the twelve cards give one page (as
# many as the browser prints of the page), that the design's ＭＳ Ｐゴシック is drawn in no serif face,
# and that zbarimg reads every barcode of the list back from the raster.
# Usage: e2e_pdf.sh BUILD_DIR SOURCE_DIR   (VENNLO_E2E_KEEP=DIR keeps the page, PDF and raster)
set -euo pipefail

build=${1:?build dir}
source=${2:?source dir}
cli="$build/vennlo-cli"
pdftool="$build/vennlo-pdf"
data="$source/tests/data/shelf_labels"
list="$data/jan_list.csv"
export QTWEBENGINE_DISABLE_SANDBOX=1

for tool in chromium pdftoppm pdfinfo pdffonts zbarimg iconv python3; do
    command -v "$tool" >/dev/null || { echo "e2e_pdf: $tool is not installed" >&2; exit 1; }
done
for program in "$cli" "$pdftool"; do
    [ -x "$program" ] || { echo "e2e_pdf: $program is not built" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
keep=${VENNLO_E2E_KEEP:-}

iconv -f CP932 -t UTF-8 "$list" | tr -d '\r' | awk -F, '{ gsub(/"/, "", $5); sub(/B$/, "", $5); print $5 }' \
    | sort > "$work/expected"
count=$(wc -l < "$work/expected")
[ "$count" -eq 12 ] || { echo "e2e_pdf: the list holds $count codes, 12 expected (one full page)" >&2; exit 1; }

# Layout A with fixed card height and width, black 1px cut lines, no padding.
iconv -f CP932 -t UTF-8 "$data/typeA_defaults.hdn" | tr -d '\r' | awk '
    /^\[/ { section = $0 }
    section == "[CHeight]" && /^S=/ { print "S=1"; next }
    section == "[CHeight]" && /^H=/ { print "H=45"; next }
    section == "[CWidth]" && /^S=/ { print "S=1"; next }
    section == "[CWidth]" && /^W=/ { print "W=60"; next }
    section == "[Line]" && /^line=/ { print "line=1"; next }
    section == "[Line]" && /^Color=/ { print "Color=#000000"; next }
    section == "[Bunkatsu]" && /^H=/ { print "H=4"; next }
    section == "[Bunkatsu]" && /^W=/ { print "W=3"; next }
    { print }' | sed 's/$/\r/' | iconv -f UTF-8 -t CP932 > "$work/fixed.hdn"

out="$work/out"
start=$(date +%s.%N)
"$cli" --out "$out" shelf "$list" --design "$work/fixed.hdn" --pdf "$work/sheet.pdf" --pdf-engine web > "$work/cli.stdout" \
    2> "$work/cli.err" || { echo "e2e_pdf: vennlo-cli --pdf failed: $(cat "$work/cli.err")" >&2; exit 1; }
end=$(date +%s.%N)
echo "e2e_pdf: one-page sheet and its PDF in $(python3 -c "print(f'{$end - $start:.2f}')") s"
page="$out/temp.html"
printf '%s\n%s\n' "$page" "$work/sheet.pdf" | cmp -s - "$work/cli.stdout" \
    || { echo "e2e_pdf: vennlo-cli printed: $(cat "$work/cli.stdout")" >&2; exit 1; }

failures=0
pdfinfo "$work/sheet.pdf" > "$work/info"
grep -Eq '^Page size: +59[45]\.[0-9]+ x 84[12]\.[0-9]+ pts \(A4\)' "$work/info" || { echo "e2e_pdf: not A4 portrait: $(grep 'Page size' "$work/info")" >&2; failures=$((failures + 1)); }

# Twelve cards fill the one page exactly: no blank sheet after it.
ours=$(awk '/^Pages:/ { print $2 }' "$work/info")
[ "$ours" = 1 ] || { echo "e2e_pdf: $ours pages for 12 cards on 3 x 4, 1 expected" >&2; failures=$((failures + 1)); }

# The design names ＭＳ Ｐゴシック: its digits and letters are drawn in a Gothic face, never in the serif
# face the web engine falls back to for a font it does not know.
pdffonts "$work/sheet.pdf" > "$work/fonts"
serif=$(awk 'NR > 2 { print $1 }' "$work/fonts" | grep -Ei 'serif|times|mincho' | grep -vi 'sans' || true)
if [ -n "$serif" ]; then
    echo "e2e_pdf: a serif face in the PDF of a Gothic design: $serif" >&2
    failures=$((failures + 1))
else
    echo "e2e_pdf: no serif face in the PDF ($(awk 'NR > 2 { print $1 }' "$work/fonts" | sort -u | tr '\n' ' '))"
fi

# As many pages as the browser prints of the same page.
profile=$(mktemp -d)
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$profile" --no-pdf-header-footer \
    --print-to-pdf="$work/browser.pdf" "file://$page" >/dev/null 2>&1 || true
rm -rf "$profile"
if [ -s "$work/browser.pdf" ]; then
    ours=$(awk '/^Pages:/ { print $2 }' "$work/info")
    theirs=$(pdfinfo "$work/browser.pdf" | awk '/^Pages:/ { print $2 }')
    [ "$ours" = "$theirs" ] || { echo "e2e_pdf: $ours pages, the browser prints $theirs" >&2; failures=$((failures + 1)); }
else
    echo "e2e_pdf: chromium printed no PDF of $page" >&2
    failures=$((failures + 1))
fi

dpi=300
pdftoppm -r "$dpi" -gray -f 1 -l 1 "$work/sheet.pdf" "$work/raster" 2>/dev/null
raster=$(ls "$work"/raster*.pgm)

# The cut lines are the sheet's collapsed 1px cell borders, the long dark runs: a card is 45 mm high
# and 60 mm wide, text and barcode bars give no dark run longer than a few millimetres. Expected
# centres in CSS pixels (1/96 in): the body's 8px margin and half a border before the first line; a
# cell is 60 mm wide and 45 mm high (the card), plus its 1px padding on both sides and one border.
if ! python3 - "$raster" "$dpi" <<'PY'
import sys

path, dpi = sys.argv[1], int(sys.argv[2])
with open(path, 'rb') as f:
    data = f.read()
# Binary PGM: "P5\n<w> <h>\n<max>\n" then one byte per pixel.
fields, pos = [], 0
while len(fields) < 4:
    while data[pos:pos + 1].isspace():
        pos += 1
    end = pos
    while not data[end:end + 1].isspace():
        end += 1
    fields.append(data[pos:end])
    pos = end
pos += 1
assert fields[0] == b'P5', fields[0]
width, height = int(fields[1]), int(fields[2])
pixels = data[pos:pos + width * height]

mm = dpi / 25.4
px = dpi / 96.0
dark = [p < 128 for p in pixels]

def longest_run(cells):
    best = run = 0
    for c in cells:
        run = run + 1 if c else 0
        best = max(best, run)
    return best

def lines(longest, minimum):
    # Centres of the groups of neighbouring rows/columns whose longest dark run passes the minimum.
    found, group = [], []
    for i, n in enumerate(longest):
        if n >= minimum:
            group.append(i)
        elif group:
            found.append(sum(group) / len(group))
            group = []
    if group:
        found.append(sum(group) / len(group))
    return found

columns = [longest_run(dark[y * width + x] for y in range(height)) for x in range(width)]
rows = [longest_run(dark[y * width:(y + 1) * width]) for y in range(height)]
vertical = lines(columns, 40 * mm)
horizontal = lines(rows, 40 * mm)

origin = 8.5 * px
col_pitch, row_pitch = 60 * mm + 3 * px, 45 * mm + 3 * px
want_v = [origin + c * col_pitch for c in range(4)]
want_h = [origin + r * row_pitch for r in range(5)]

bad = 0
for name, got, want in (('vertical', vertical, want_v), ('horizontal', horizontal, want_h)):
    if len(got) != len(want):
        print(f'{name} cut lines: found {len(got)}, expected {len(want)}: '
              + ', '.join(f'{g / mm:.2f}' for g in got), file=sys.stderr)
        bad += 1
        continue
    worst = max(abs(g - w) for g, w in zip(got, want)) / mm
    print(f'{name} cut lines: {len(got)}, largest deviation {worst:.3f} mm')
    if worst > 0.5:
        for g, w in zip(got, want):
            print(f'  at {g / mm:.2f} mm, expected {w / mm:.2f} mm', file=sys.stderr)
        bad += 1
sys.exit(1 if bad else 0)
PY
then
    failures=$((failures + 1))
fi

zbarimg --quiet --raw "$raster" 2>/dev/null | sort > "$work/read" || true
if ! diff -u "$work/expected" "$work/read" > "$work/diff"; then
    echo "e2e_pdf: barcodes read back from the PDF differ from the list:" >&2
    cat "$work/diff" >&2
    failures=$((failures + 1))
else
    echo "e2e_pdf: all $count barcodes read back from the PDF"
fi

# A page that does not exist: exit status 1, the failure on stderr, no PDF left behind.
set +e
"$pdftool" "$work/missing.html" "$work/missing.pdf" 2> "$work/missing.err"
rc=$?
set -e
if [ "$rc" -ne 1 ] || [ -e "$work/missing.pdf" ] || ! grep -q '(53)' "$work/missing.err"; then
    echo "e2e_pdf: missing page: exit $rc, stderr: $(cat "$work/missing.err")" >&2
    failures=$((failures + 1))
fi

if [ -n "$keep" ]; then
    mkdir -p "$keep"
    cp "$page" "$keep/pdf_sheet.html"
    cp "$work/sheet.pdf" "$keep/pdf_sheet.pdf"
    cp "$raster" "$keep/pdf_sheet.pgm"
fi

[ "$failures" -eq 0 ] || { echo "e2e_pdf: $failures failure(s)" >&2; exit 1; }
echo "e2e_pdf: passed"
