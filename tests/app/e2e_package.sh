#!/usr/bin/env bash
# The Debian package: made by cpack from the build, it holds the programs, the shipped files, the
# desktop entry, the icon and the design files' MIME types, the manual pages, copyright and changelog;
# lintian warns of nothing but the Shift_JIS sample list; unpacked into an empty root, its command line
# tells its version, finds its own shipped files (../share/vennlo) and makes a sheet with all its
# barcode images.
set -euo pipefail
BUILD_DIR="$1"

tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$BUILD_DIR" && cpack -G DEB -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1) || fail "cpack: $(tail -20 "$tmp/cpack.log")"
deb="$(ls "$tmp"/pkg/vennlo_*.deb 2>/dev/null | head -n 1)"
[ -n "$deb" ] || fail "no package made"

dpkg-deb --contents "$deb" >"$tmp/contents"
for f in ./usr/bin/vennlo ./usr/bin/vennlo-cli ./usr/share/applications/vennlo.desktop \
  ./usr/share/icons/hicolor/64x64/apps/vennlo.png ./usr/share/mime/packages/vennlo.xml \
  ./usr/share/vennlo/sample.csv ./usr/share/vennlo/readme.txt ./usr/share/vennlo/vennlo_help.html \
  ./usr/bin/vennlo-pdf ./usr/share/vennlo/BarCode/LB.bmp ./usr/share/vennlo/BarCode/9_R.bmp \
  ./usr/share/doc/vennlo/copyright ./usr/share/doc/vennlo/changelog.gz ./usr/share/man/man1/vennlo.1.gz \
  ./usr/share/man/man1/vennlo-cli.1.gz ./usr/share/man/man1/vennlo-pdf.1.gz; do
  grep -q " $f\$" "$tmp/contents" || fail "missing from the package: $f"
done
depends="$(dpkg-deb --field "$deb" Depends)"
for d in libqt6widgets6 libqt6core6 fontconfig fonts-noto-cjk xdg-utils; do
  case "$depends" in *"$d"*) ;; *) fail "Depends lacks $d: $depends" ;; esac
done
case "$(dpkg-deb --field "$deb" Recommends)" in *glabels-data*) ;; *) fail "Recommends lacks glabels-data" ;; esac

case "$(dpkg-deb --field "$deb" Description)" in *" ;"* | *";"[[:alnum:]]*) fail "the description holds a joined list" ;; esac

# No error or warning but the one the Shift_JIS sample list earns.
command -v lintian >/dev/null || fail "lintian is not installed (scripts/common.sh installs it)"
lintian --pedantic --tag-display-limit 0 "$deb" >"$tmp/lintian.log" 2>&1 || true
grep -E '^[EW]: ' "$tmp/lintian.log" | grep -Ev ' national-encoding \[?usr/share/vennlo/sample\.csv\]?$' >"$tmp/tags" || true
[ ! -s "$tmp/tags" ] || fail "lintian: $(cat "$tmp/tags")"

dpkg-deb -x "$deb" "$tmp/root"
desktop="$tmp/root/usr/share/applications/vennlo.desktop"
grep -qx 'Exec=vennlo %f' "$desktop" || fail "the desktop entry passes no file"
for t in text/csv application/x-vennlo-shelf-design application/x-vennlo-tag-design; do
  grep -q "^MimeType=.*$t;" "$desktop" || fail "the desktop entry does not open $t"
done
version="$(dpkg-deb --field "$deb" Version)"
for p in vennlo-cli vennlo-pdf; do
  case "$("$tmp/root/usr/bin/$p" --version)" in "$p Ver $version Build:"*) ;; *) fail "$p --version" ;; esac
done
out="$tmp/out"
"$tmp/root/usr/bin/vennlo-cli" --out "$out" shelf "$tmp/root/usr/share/vennlo/sample.csv" >"$tmp/cli.log" 2>&1 ||
  fail "the unpacked vennlo-cli failed: $(cat "$tmp/cli.log")"
[ -s "$out/temp.html" ] || fail "no page written"
[ "$(ls "$out/BarCode" | wc -l)" -eq 33 ] || fail "the page's BarCode folder does not hold the 33 images"
echo "package: $(basename "$deb"), $(wc -l <"$tmp/contents") entries; 1 passed, 0 failed"
