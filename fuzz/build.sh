#!/bin/sh
# Builds the fuzzers outside the main build: fuzz/build.sh [output dir]
# Run: <out>/fuzz_read_file -max_total_time=300 <corpus dir>
#      <out>/fuzz_profile_file -max_total_time=300 <corpus dir>
#      <out>/fuzz_workbook_xls -max_total_time=300 <corpus dir> tests/data/workbooks  (likewise _xlsx, _ods)
#      <out>/fuzz_shelf_design -max_total_time=300 <corpus dir> tests/data/shelf_labels
#      <out>/fuzz_price_tag_design -max_total_time=300 <corpus dir> tests/data/price_tags
set -e
here=$(cd "$(dirname "$0")" && pwd)
src="$here/../src"
out=${1:-"$here/out"}
mkdir -p "$out"
qt_flags=$(pkg-config --cflags Qt6Core Qt6Gui)
qt_libs=$(pkg-config --libs Qt6Core Qt6Gui)
flags="-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I$src $qt_flags"
platform="$src/platform/cp932.cpp $src/platform/numbers.cpp $src/platform/apperror.cpp $src/platform/text_file.cpp"
# shellcheck disable=SC2086
clang++ $flags "$here/fuzz_read_file.cpp" \
  "$src/products/csv_file.cpp" "$src/platform/cp932_table.cpp" "$src/products/product.cpp" $platform \
  $qt_libs -o "$out/fuzz_read_file"
# shellcheck disable=SC2086
clang++ $flags "$here/fuzz_profile_file.cpp" "$src/platform/profile_file.cpp" $platform \
  $qt_libs -o "$out/fuzz_profile_file"

# The workbook and design-file fuzzers link the core files they use from one archive, so that each
# takes only what it needs; the objects are kept in <out>/core and remade when their source changed.
objects="$out/core"
mkdir -p "$objects"
core=""
for f in platform/apperror platform/cp932 platform/cp932_table platform/numbers platform/profile_file \
         platform/text_file platform/user_services common/design_keys common/font_texts common/helpers \
         common/style_values products/product products/tax workbooks/workbook workbooks/workbook_biff \
         workbooks/workbook_import workbooks/workbook_xls workbooks/workbook_zip shelf_labels/design \
         shelf_labels/design_file shelf_labels/window_values price_tags/design price_tags/design_file \
         price_tags/window_values; do
  o="$objects/$(echo "$f" | tr / _).o"
  # shellcheck disable=SC2086
  [ "$o" -nt "$src/$f.cpp" ] || clang++ $flags -c "$src/$f.cpp" -o "$o"
  core="$core $o"
done
rm -f "$out/libcore.a"
# shellcheck disable=SC2086
ar qc "$out/libcore.a" $core
for target in fuzz_workbook_xls fuzz_workbook_xlsx fuzz_workbook_ods fuzz_shelf_design fuzz_price_tag_design; do
  # shellcheck disable=SC2086
  clang++ $flags "$here/$target.cpp" "$out/libcore.a" $qt_libs -lfreexl -lzip -o "$out/$target"
  echo "$out/$target"
done
echo "$out/fuzz_read_file"
echo "$out/fuzz_profile_file"
