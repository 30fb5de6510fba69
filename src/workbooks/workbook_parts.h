#pragma once

// The readers behind openWorkbook, one per kind of file, and the errors they share.

#include "platform/apperror.h"
#include "workbooks/workbook.h"

#include <QHash>

#include <memory>

namespace products::workbook_parts {

// "This file cannot be read as a workbook", naming the file and, when known, why.
platform::AppError notAWorkbook(const QString &fileName, const QString &why = {});
// A file or a part of one beyond workbook_limits::MaxPartBytes.
platform::AppError tooLarge(const QString &name);

// Whether a number format (built-in id, or the format code of a custom one) shows its value as a
// date or a time.
bool isDateFormat(int id, const QString &code);

// An .xls (BIFF) workbook through libfreexl.
std::unique_ptr<WorkbookReader> openXls(const QString &path, platform::AppError *error);
// Empty when the compound file around an .xls holds together (its tables and the chains of its
// workbook stream stay inside the file and never come back to a sector) and its sheets claim no
// more cells than one full sheet and what its records could fill; else the damaged part.
QString compoundFileDamage(const QByteArray &file);
// Why libfreexl gave up on the records of an .xls whose compound file holds: the damaged part named
// ("ブックの共有文字列 (SST) が壊れています。"), the workbook stream's when nothing more is known.
QString workbookRecordsDamage(const QByteArray &file);
// The cells of the named worksheet of an .xls file that libfreexl leaves empty (formula results,
// booleans, errors), keyed by 0-based (row << 16 | column), for the columns below `columns`.
// Empty when the file is no BIFF8 workbook or cannot be walked.
QHash<quint64, Cell> biffExtraCells(const QByteArray &file, const QString &sheetName, int columns);

// An .xlsx or .ods workbook: a zip of XML parts.
std::unique_ptr<WorkbookReader> openZipWorkbook(const QString &path, platform::AppError *error);

} // namespace products::workbook_parts
