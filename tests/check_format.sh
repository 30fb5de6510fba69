#!/usr/bin/env bash
# The house format (.clang-format) stays applied to every C++ file of the tree.
set -euo pipefail
CLANG_FORMAT="$1"
cd "$2"
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'bench/*.cpp' 'bench/*.h' \
  'tools/*.cpp' 'tools/*.h' 2>/dev/null || find src tests bench tools -name '*.cpp' -o -name '*.h')
[ "${#files[@]}" -gt 0 ] || { echo "no C++ files found" >&2; exit 1; }
if ! "$CLANG_FORMAT" --dry-run --Werror "${files[@]}" 2>"${TMPDIR:-/tmp}/format.$$"; then
  grep -o '^[^:]*' "${TMPDIR:-/tmp}/format.$$" | sort -u | head -20 >&2
  rm -f "${TMPDIR:-/tmp}/format.$$"
  echo "not in the house format: run clang-format -i on the files above" >&2
  exit 1
fi
rm -f "${TMPDIR:-/tmp}/format.$$"
echo "${#files[@]} files in the house format"
