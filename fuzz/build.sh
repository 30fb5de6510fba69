#!/bin/sh
# Builds the CSV reader fuzzer outside the main build: fuzz/build.sh [output dir]
# Run: <out>/fuzz_read_file -max_total_time=300 <corpus dir>
set -e
here=$(cd "$(dirname "$0")" && pwd)
src="$here/../src"
out=${1:-"$here/out"}
mkdir -p "$out"
qt_flags=$(pkg-config --cflags Qt6Core)
qt_libs=$(pkg-config --libs Qt6Core)
clang++ -std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$src" $qt_flags \
  "$here/fuzz_read_file.cpp" \
  "$src/products/csv_file.cpp" "$src/products/cp932_table.cpp" "$src/products/product.cpp" \
  "$src/platform/cp932.cpp" "$src/platform/numbers.cpp" "$src/platform/apperror.cpp" "$src/platform/text_file.cpp" \
  $qt_libs -o "$out/fuzz_read_file"
echo "$out/fuzz_read_file"
