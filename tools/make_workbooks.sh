#!/bin/sh
# Remakes the workbooks the import tests read, with real spreadsheet programs:
#   products.fods (hand-written flat ODF, the source) -> products.xlsx, products.xls, products.ods
#   by LibreOffice Calc headless, and products_xlwt.xls by python3-xlwt (same products; formula
#   cells written as their values, as xlwt cannot compute them).
# Needs Debian's libreoffice-calc-nogui and python3-xlwt (only for this script, not for building).
# Usage: tools/make_workbooks.sh [FOLDER]   (default: tests/data/workbooks beside this script)
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$(cd "${1:-$here/../tests/data/workbooks}" && pwd)
profile=$(mktemp -d)
trap 'rm -rf "$profile"' EXIT

for kind in xlsx xls ods; do
    soffice --headless --norestore "-env:UserInstallation=file://$profile" \
        --convert-to "$kind" --outdir "$out" "$out/products.fods"
done

/usr/bin/python3 - "$out/products_xlwt.xls" <<'PY'
import datetime
import sys

import xlwt

book = xlwt.Workbook(encoding="utf-8")
sheet = book.add_sheet("商品")
date = xlwt.easyxf(num_format_str="yyyy/mm/dd")
date_time = xlwt.easyxf(num_format_str="yyyy/mm/dd hh:mm")
thousands = xlwt.easyxf(num_format_str="#,##0")
rows = [
    ["A-001", "りんごジュース 1L", 198, None, 4901234567894],
    [1002, "特選 緑茶", (1980, thousands), "おすすめ", "4512345678907B"],
    [None, "みかん", None, "産地直送", None],
    ["X-4", "セール品", "特価", (datetime.date(2024, 1, 15), date), "49123456"],
    ["F-5", "合計式", 2178, 396, 4901234567894],
    ["N-6", "Coffee, Blend", 123.5, 0.1, None],
    ["T-7", "日時", 1234567, (datetime.datetime(2024, 3, 5, 10, 30), date_time), None],
    ["E-8", None, 500, None, None],
    ["after", "取り込まれない", 1, None, None],
]
for r, row in enumerate(rows):
    for c, value in enumerate(row):
        if value is None:
            continue
        if isinstance(value, tuple):
            sheet.write(r, c, value[0], value[1])
        else:
            sheet.write(r, c, value)
other = book.add_sheet("その他")
other.write(0, 0, "別シート")
other.write(0, 1, "読まない")
book.save(sys.argv[1])
PY
