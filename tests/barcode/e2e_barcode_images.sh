#!/usr/bin/env bash
# The BarCode images, laid side by side in the order the image sequence names them, must be read
# back by a real barcode reader as the code they were made from: first as a plain picture, then as
# a page rendered and printed by the browser and rasterised at printer resolution.
#
#   e2e_barcode_images.sh <build dir> <source dir>
set -euo pipefail

BUILD="$(cd "$1" && pwd)"
SRC="$(cd "$2" && pwd)"
CLI="$BUILD/vennlo-cli"
IMAGES="$BUILD/BarCode"
WORK="$BUILD/e2e_barcode_images"

fail() { echo "FAIL: $*" >&2; exit 1; }

for tool in convert zbarimg chromium pdftoppm; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/test installs it)"
done
[ -x "$CLI" ] || fail "$CLI not built"
[ -f "$IMAGES/LB.bmp" ] || fail "$IMAGES not generated (target vennlo_resources)"

rm -rf "$WORK"
mkdir -p "$WORK/strips" "$WORK/page"

# Codes of both lengths, every first digit (every parity row of EAN-13), and every code of the
# shipped sample list.
CODES=(
  4567891234540 4901234567894 4006381333931 9780201379624 0123456789012
  1234567890128 2000000000008 3012345678902 5012345678900 6012345678909
  7012345678908 8012345678907 9999999999994
  12345670 96385074 49012347 00000000 55123457
)
while IFS= read -r code; do
  [[ " ${CODES[*]} " == *" $code "* ]] || CODES+=("$code")
done < <(grep -ao '"[0-9]\{8,13\}B"' "$SRC/resources/sample.csv" | tr -d '"B')

# The image names of a code, in tag order, from the tags the program writes.
image_names() {
  "$CLI" barcode "$1" 40 | grep -o 'src="BarCode/[^"]*"' | sed 's|src="BarCode/||; s|"$||'
}

symbology() { [ "${#1}" -eq 13 ] && echo EAN-13 || echo EAN-8; }

# Lays the images side by side at their own two pixels per module, with a white quiet zone.
assemble() { # out names...
  local out="$1"; shift
  local files=() n
  for n in "$@"; do files+=("$IMAGES/$n"); done
  convert "${files[@]}" +append +repage -bordercolor white -border 40x20 "$out"
}

echo "== strips of images"
failures=0
for code in "${CODES[@]}"; do
  mapfile -t names < <(image_names "$code")
  expected=$([ "${#code}" -eq 13 ] && echo 15 || echo 11)
  [ "${#names[@]}" -eq "$expected" ] || fail "$code: ${#names[@]} images, expected $expected"
  assemble "$WORK/strips/$code.png" "${names[@]}"
  raw=$(zbarimg --raw -q "$WORK/strips/$code.png" 2>/dev/null || true)
  typed=$(zbarimg -q "$WORK/strips/$code.png" 2>/dev/null || true)
  if [ "$raw" = "$code" ] && [ "$typed" = "$(symbology "$code"):$code" ]; then
    echo "ok   $code -> $typed"
  else
    echo "FAIL $code -> raw '${raw}' typed '${typed}'" >&2
    failures=$((failures + 1))
  fi
done

# The check must be able to fail: a strip with one digit image changed (parity kept, so the
# symbol stays well formed) and one with a left-half image from the wrong set must not read back
# as the original code.
mapfile -t names < <(image_names 4567891234540)
wrong_digit=("${names[@]}"); wrong_digit[9]="8_R.bmp"
wrong_set=("${names[@]}"); wrong_set[2]="6_L1.bmp"
for variant in wrong_digit wrong_set; do
  declare -n v="$variant"
  assemble "$WORK/strips/$variant.png" "${v[@]}"
  raw=$(zbarimg --raw -q "$WORK/strips/$variant.png" 2>/dev/null || true)
  if [ "$raw" = "4567891234540" ]; then
    echo "FAIL $variant strip still reads as 4567891234540" >&2
    failures=$((failures + 1))
  else
    echo "ok   $variant strip does not read as 4567891234540 (read: '${raw:-nothing}')"
  fi
done

echo "== page printed by the browser"
cp -r "$IMAGES" "$WORK/page/BarCode"
{
  printf '%s\r\n' '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">' '<html><head>' \
    '<meta http-equiv="Content-Type" content="text/html; charset=shift_jis">' \
    '<style type="text/css">body { margin: 0; } td { padding: 6mm 12mm; font: 10pt monospace; }</style>' \
    '</head><body><table>'
  i=0
  for code in "${CODES[@]}"; do
    [ $((i % 3)) -eq 0 ] && printf '<tr>'
    printf '<td>%s<br>%s</td>' "$("$CLI" barcode "$code" 40)" "$code"
    [ $((i % 3)) -eq 2 ] && printf '</tr>\r\n'
    i=$((i + 1))
  done
  printf '%s\r\n' '</table></body></html>'
} > "$WORK/page/page.html"

profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT
chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
  --disable-component-update --disable-sync --user-data-dir="$profile" --no-pdf-header-footer \
  --print-to-pdf="$WORK/page/page.pdf" "file://$WORK/page/page.html" >/dev/null 2>&1 \
  || fail "chromium could not print the page"
[ -s "$WORK/page/page.pdf" ] || fail "chromium wrote no PDF"
pdftoppm -r 300 -png "$WORK/page/page.pdf" "$WORK/page/page"

read_back=$(for png in "$WORK/page"/page*.png; do zbarimg -q "$png" 2>/dev/null || true; done | sort -u)
for code in "${CODES[@]}"; do
  if grep -qx "$(symbology "$code"):$code" <<<"$read_back"; then
    echo "ok   page $code"
  else
    echo "FAIL page: $code not read from the printed page" >&2
    failures=$((failures + 1))
  fi
done
unexpected=$(grep -vxF -f <(for c in "${CODES[@]}"; do echo "$(symbology "$c"):$c"; done) <<<"$read_back" || true)
if [ -n "$unexpected" ]; then
  echo "FAIL page: read codes that were not printed: $unexpected" >&2
  failures=$((failures + 1))
fi

echo "== ${#CODES[@]} codes, $failures failures (pictures in $WORK)"
[ "$failures" -eq 0 ]
