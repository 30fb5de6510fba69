#!/bin/sh
# Builds the fuzzers outside the main build: fuzz/build.sh [output dir]
# Run: <out>/fuzz_read_file -max_total_time=300 <corpus dir>
#      <out>/fuzz_profile_file -max_total_time=300 <corpus dir>
set -e
here=$(cd "$(dirname "$0")" && pwd)
src="$here/../src"
out=${1:-"$here/out"}
mkdir -p "$out"
qt_flags=$(pkg-config --cflags Qt6Core)
qt_libs=$(pkg-config --libs Qt6Core)
flags="-std=c++20 -g -O1 -fPIC -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I$src $qt_flags"
platform="$src/platform/cp932.cpp $src/platform/numbers.cpp $src/platform/apperror.cpp $src/platform/text_file.cpp"
# shellcheck disable=SC2086
clang++ $flags "$here/fuzz_read_file.cpp" \
  "$src/products/csv_file.cpp" "$src/platform/cp932_table.cpp" "$src/products/product.cpp" $platform \
  $qt_libs -o "$out/fuzz_read_file"
# shellcheck disable=SC2086
clang++ $flags "$here/fuzz_profile_file.cpp" "$src/platform/profile_file.cpp" $platform \
  $qt_libs -o "$out/fuzz_profile_file"
echo "$out/fuzz_read_file"
echo "$out/fuzz_profile_file"
