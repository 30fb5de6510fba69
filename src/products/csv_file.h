#pragma once

#include "platform/apperror.h"
#include "products/product.h"

#include <QByteArray>
#include <QString>

namespace products {

// Bounds a shop's list never comes near. A larger file is refused before it is read, and a read stops
// at the row bound, so memory follows at most these and never what a file (or a stream without a
// size) would otherwise bring. The list is held as UTF-16 text, up to twice the file's size.
constexpr qsizetype MaxListRows = 1000000;
constexpr qint64 MaxListFileBytes = 128 * 1024 * 1024;

// The character encoding a list file was read in. Lists are always written in CP932.
enum class ListEncoding { Cp932, Utf8 };

// What ReadFile got out of a product-list file: the rows read, and when it stopped early, why.
struct ReadResult {
    ProductList rows;
    platform::AppError error;   // unset when the whole file was read
    bool formatProblem = false; // the file does not have the list's layout (the report adds the hint)
    // Nothing of the file was taken: it holds a character Shift_JIS cannot store (the error names its
    // line, column and the character). The window keeps the list it had.
    bool refused = false;
    int line = 0; // 1-based line where the faulty record starts, 0 when none
    ListEncoding encoding = ListEncoding::Cp932;
    bool byteOrderMark = false; // UTF-8 announced by its byte-order mark (which is not part of the list)
    // Read as CP932 although the bytes are valid UTF-8 too (see ReadFile): the user may have meant UTF-8.
    bool alsoValidUtf8 = false;

    bool ok() const { return !error.isSet(); }
};

// What WriteFile made of the rows: the file's bytes, or why it refused to make them.
struct WriteResult {
    QByteArray bytes;
    platform::AppError error;
    // When a text cannot be held in CP932: the 0-based row, the column caption and the character.
    int badRow = -1;
    QString badField;
    QString badCharacter;

    bool ok() const { return !error.isSet(); }
};

// The cleaning applied to each text field on writing: "," becomes "・", double quotes and
// apostrophes are removed.
QString cleanField(const QString &text);

// Reads a list record by record: five fields a record (a quoted field may span lines and holds a
// double quote as two), blank lines skipped. A faulty record ends the read; the rows before it are
// kept. A record past maxRows ends the read with an overflow that names the bound. In a UTF-8 list
// the JIS forms of dashes and signs become their CP932 characters (platform::cp932::toCp932Forms),
// and a character CP932 cannot hold refuses the whole list (refused).
//
// The bytes are UTF-8 when they start with the UTF-8 byte-order mark (dropped), or when they are valid
// UTF-8 holding a character of three or four bytes (every Japanese letter and symbol is one); CP932
// text is practically never that (it takes a file whose every non-ASCII run is a JIS level-2 kanji
// with a low second byte followed by a half-width katakana, like "燿ｱ", which reads as UTF-8 then). The
// first bytes that are not UTF-8 after Japanese UTF-8, in bytes CP932 cannot read either, are reported
// as a fault of a UTF-8 file. Valid UTF-8 whose only non-ASCII characters take two bytes (accented
// Latin, Greek, Cyrillic) is also a run of CP932 half-width katakana pairs: "ﾅｽ" is the same two bytes
// as "Ž". Such bytes are read as CP932 whenever CP932 can read them, since a CP932 reading saves back
// to the very same bytes, while a UTF-8 reading would turn a half-width "ﾐｿ" into "п" for good on the
// next save; alsoValidUtf8 says so. Everything else is CP932, as are pure ASCII files (the same in both).
ReadResult ReadFile(const QByteArray &bytes, qsizetype maxRows = MaxListRows);
// CP932 bytes with CR LF: "code","name",price,"remarks","janB" for each row in list order, "janK" for a
// product of the reduced tax class.
WriteResult WriteFile(const ProductList &rows);

// The same over a file on disk. Only a regular file of at most MaxListFileBytes is read: a folder, FIFO
// or device is refused without reading (never blocking), a larger file with a report naming the bound.
// Writing is atomic: a failed write leaves the old file as it was.
ReadResult readCsvFile(const QString &path);
WriteResult writeCsvFile(const QString &path, const ProductList &rows);

// The status-bar line after opening a list: which encoding it was read in when that is not plain CP932,
// empty otherwise.
QString encodingNoteText(const ReadResult &result);

// The error report for a failed read: the plain report, with the format hint for layout problems.
QString readErrorReportText(const QString &label, const ReadResult &result);
// The format hint line of that report.
QString formatHintText();

} // namespace products
