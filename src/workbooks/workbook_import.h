#pragma once

#include "platform/apperror.h"
#include "products/product.h"
#include "workbooks/workbook.h"

#include <QString>

#include <functional>

namespace products {

// Bounds of an import. The list reads at most as many rows from a workbook as from a list file.
namespace import_limits {
constexpr qint64 MaxRows = 1000000;
// A cell holds at most this many characters in the spreadsheet programs; a longer text is no product.
constexpr qsizetype MaxCellLength = 32767;
// The progress callback is called after every this many rows.
constexpr qint64 ProgressInterval = 1000;
} // namespace import_limits

struct ImportProgress {
    qint64 rows = 0;  // product rows taken so far
    int percent = -1; // how much of the sheet has been read, 0 to 100, or -1 when unknown
};
// Called every ProgressInterval rows; returning false cancels the import.
using ImportProgressCallback = std::function<bool(const ImportProgress &)>;

// What ReadExcel got from a workbook: all the rows, or none and why.
struct ImportResult {
    ProductList rows;
    platform::AppError error;
    bool cannotOpen = false; // the file could not be opened as a workbook (the report adds the hint line)
    bool cancelled = false;  // the progress callback asked to stop; rows is empty

    bool ok() const { return !error.isSet() && !cancelled; }
};

// The products of the first worksheet, one per row from row 1 on, columns A to E: item code, name,
// price, remarks, JAN code, and optionally F, the tax class ("8", "8%", "0.08", "軽減" or "※": the
// reduced rate; empty or anything else: the standard rate; an error value is refused). The first row whose column B is
// empty ends the data. The price is the cell's value rounded to whole yen (kept as plain digits, the list shows it
// "#,##0"); an empty cell leaves it empty and a text that is no number (such as "特価") is kept as it stands. A
// trailing "B" of the JAN code is removed, and so is a "K", which marks the reduced rate as in the list file. The JIS
// forms of dashes and signs become their CP932 characters (platform::cp932::toCp932Forms). A text CP932 cannot hold, a
// control character, a cell longer than MaxCellLength, a price beyond 32 bits or more than MaxRows rows refuse the
// whole import, naming the row and column.
ImportResult importWorkbook(const QString &path, const ImportProgressCallback &progress = {});
// The same from a reader already opened.
ImportResult importRows(WorkbookReader &reader, const ImportProgressCallback &progress = {});

// The box text of a failed import: the error report labelled "ReadExcel", and for a workbook that
// cannot be opened one more line, "Excel がインストールされていない可能性があります.".
QString importReportText(const ImportResult &result);

// Texts of the import command's file dialog and wait label.
QString workbookFileFilter();  // "Excelファイル(*.xls;*.xlsx;*.ods)|*.xls;*.xlsx;*.ods"
QString workbookDialogTitle(); // "Excelファイルのインポート"
QString importWaitText();      // "しばらくお待ち下さい." CR LF "Excelデータをインポート中"

// The refusal of a cell whose text is longer than MaxCellLength.
platform::AppError cellTextTooLong(qint64 row, int column);

// Column letter of a 1-based column: 1 "A", 27 "AA".
QString columnLetter(int column);

} // namespace products
