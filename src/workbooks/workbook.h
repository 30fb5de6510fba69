#pragma once

#include "platform/apperror.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace products {

// One cell of a worksheet as the workbook stores it.
struct Cell {
    enum class Kind { Empty, Text, Number, Boolean, Date, Error };
    Kind kind = Kind::Empty;
    QString text;      // Text and Error: the text; Date: unused
    double number = 0; // Number and Boolean (1 or 0); Date: the serial day number (1900 system)

    static Cell fromText(QString t);
    static Cell fromNumber(double v);
    static Cell fromBoolean(bool b);
    static Cell fromDate(double serial);
    static Cell fromError(QString t);

    // The text of the value as the spreadsheet hands it out: numbers with up to 15 significant
    // digits and no separators or exponent below 10^15 (a JAN cell gives its 13 digits), booleans
    // "TRUE"/"FALSE", dates "yyyy/MM/dd", with " H:mm:ss" when they carry a time, times alone "H:mm:ss".
    QString shown() const;
    // The numeric value of a number, boolean or date, or of a text that reads as a number ("1,980").
    std::optional<double> numericValue() const;

    bool operator==(const Cell &) const = default;
};

// Serial day numbers of the 1900 date system (1 = 1900-01-01, with the spreadsheet's phantom
// 1900-02-29 as 60) to and from dates and times.
QDateTime dateTimeFromSerial(double serial);
double serialFromDateTime(const QDateTime &dateTime);

// Limits that keep memory bounded whatever a file claims.
namespace workbook_limits {
// A stored part of a zip workbook (.xlsx, .ods) or a whole .xls file beyond this is refused; a part
// is never read past it, whatever its header says.
constexpr qint64 MaxPartBytes = qint64(256) * 1024 * 1024;
} // namespace workbook_limits

// The first worksheet of a workbook, read row by row from the top. Rows are handed out in
// ascending order; a row the sheet does not hold is not handed out.
class WorkbookReader {
public:
    virtual ~WorkbookReader() = default;

    // Called with the 1-based row number and the cells of columns A, B, ... (at most the columns
    // asked for; fewer when the row ends earlier). Returns false to stop reading.
    using RowVisitor = std::function<bool(qint64 row, const QList<Cell> &cells)>;

    // Reads the first worksheet. Unset when the rows were read to the end or the visitor stopped.
    virtual platform::AppError readFirstSheet(int columns, const RowVisitor &visit) = 0;
    // How far reading has come, 0 to 100, or -1 when the reader cannot tell.
    virtual int percentDone() const { return -1; }
};

// What opening a workbook gave: a reader, or the error when the file is no workbook this program
// can read (a text file renamed, a damaged file, a file of another kind).
struct OpenedWorkbook {
    std::unique_ptr<WorkbookReader> reader;
    platform::AppError error;
};

// Opens an .xls, .xlsx or .ods workbook; the kind is told by the file's content, not its name.
OpenedWorkbook openWorkbook(const QString &path);

// The error number of a file that cannot be opened as a workbook.
constexpr int CannotOpenWorkbook = 1004;

} // namespace products
