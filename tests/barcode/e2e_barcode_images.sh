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

echo "== codes that get no barcode"
for bad in 456789123454 45678912345401 1234567 A567891234540 1234a670 ""; do
  set +e
  out=$("$CLI" barcode "$bad" 40 2>/dev/null)
  rc=$?
  set -e
  if [ "$rc" -ne 1 ] || [ -n "$out" ]; then fail "'$bad' gave exit $rc and '$out'"; fi
  echo "ok   '$bad' refused"
done

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
assemble "$WORK/strips/wrong_digit.png" "${wrong_digit[@]}"
assemble "$WORK/strips/wrong_set.png" "${wrong_set[@]}"
for variant in wrong_digit wrong_set; do
  raw=$(zbarimg --raw -q "$WORK/strips/$variant.png" 2>/dev/null || true)
  if [ "$raw" = "4567891234540" ]; then
    echo "FAIL $variant strip still reads as 4567891234540" >&2
    failures=$((failures + 1))
  else
    echo "ok   $variant strip does not read as 4567891234540 (read: '${raw:-nothing}')"
  fi
done

# A page of image sequences of the given height, beside its BarCode folder as the generated pages are.
write_page() { # file height
  {
    printf '%s\r\n' '<!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">' '<html><head>' \
      '<meta http-equiv="Content-Type" content="text/html; charset=shift_jis">' \
      '<style type="text/css">body { margin: 0; } td { padding: 6mm 12mm; font: 10pt monospace; }</style>' \
      '</head><body><table>'
    local i=0 code
    for code in "${CODES[@]}"; do
      [ $((i % 3)) -eq 0 ] && printf '<tr>'
      printf '<td>%s<br>%s</td>' "$("$CLI" barcode "$code" "$2")" "$code"
      [ $((i % 3)) -eq 2 ] && printf '</tr>\r\n'
      i=$((i + 1))
    done
    printf '%s\r\n' '</table></body></html>'
  } >"$1"
}

# Every code must be read from the pictures, and nothing else.
check_read_back() { # label pictures...
  local label="$1"; shift
  local read_back code unexpected png
  read_back=$(for png in "$@"; do zbarimg -q "$png" 2>/dev/null || true; done | sort -u)
  for code in "${CODES[@]}"; do
    if grep -qx "$(symbology "$code"):$code" <<<"$read_back"; then
      echo "ok   $label $code"
    else
      echo "FAIL $label: $code not read" >&2
      failures=$((failures + 1))
    fi
  done
  unexpected=$(grep -vxF -f <(for code in "${CODES[@]}"; do echo "$(symbology "$code"):$code"; done) \
    <<<"$read_back" || true)
  if [ -n "$unexpected" ]; then
    echo "FAIL $label: read codes that were not on the page: $unexpected" >&2
    failures=$((failures + 1))
  fi
}

browser() {
  local profile
  profile=$(mktemp -d)
  chromium --headless --no-sandbox --disable-gpu --no-first-run --disable-background-networking \
    --disable-component-update --disable-sync --user-data-dir="$profile" "$@" >/dev/null 2>&1
  local rc=$?
  rm -rf "$profile"
  return $rc
}

cp -r "$IMAGES" "$WORK/page/BarCode"
# 40 is the default height of every maker, 15 the lowest the shelf-label designer offers.
for height in 40 15; do
  echo "== page printed by the browser, height $height"
  page="$WORK/page/page$height"
  write_page "$page.html" "$height"
  browser --no-pdf-header-footer --print-to-pdf="$page.pdf" "file://$page.html" \
    || fail "chromium could not print $page.html"
  [ -s "$page.pdf" ] || fail "chromium wrote no $page.pdf"
  pdftoppm -r 300 -png "$page.pdf" "$page"
  check_read_back "printed $height px" "$page"-*.png

  # On screen the images are shown at one pixel per module, below what the reader resolves
  # reliably; a screen of two device pixels per page pixel shows the same page at a size it reads.
  echo "== page on screen, height $height"
  browser --window-size=1000,1600 --force-device-scale-factor=2 --hide-scrollbars \
    --screenshot="$page-screen.png" "file://$page.html" || fail "chromium could not show $page.html"
  check_read_back "screen $height px" "$page-screen.png"
done

echo "== ${#CODES[@]} codes, $failures failures (pictures in $WORK)"
[ "$failures" -eq 0 ]
