#pragma once

#include "platform/apperror.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class QFile;

namespace platform {

// Why readRegularFile() gave no bytes.
enum class ReadFault {
    None,
    NotFound,   // nothing at that path (or a folder on the way is missing)
    NotRegular, // a folder, FIFO, device or socket: never read, so a FIFO cannot block and /dev/zero cannot fill memory
    TooLarge,   // more than the caller's bound; nothing beyond the bound is read
    Unreadable, // no permission, or an I/O error
};

// Reads the whole file at path when it is a regular file of at most maxBytes bytes. The kind of file is
// checked on the opened handle, so a path swapped for a FIFO after a check cannot block the read.
ReadFault readRegularFile(const QString &path, qint64 maxBytes, QByteArray *bytes);
// Opens the file at path for reading, with the same checks, for a caller that reads it piece by piece
// (and keeps to maxBytes itself: a file may grow after the check).
ReadFault openRegularFile(const QString &path, qint64 maxBytes, QFile *file);

// Writes bytes to path atomically: the previous file stays as it was when anything fails.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, AppError *error = nullptr);

// Writes the lines as CP932 text with CR LF after every line, atomically. A character code page 932
// cannot hold is refused (nothing written); error then names the character.
bool writeCp932Lines(const QString &path, const QStringList &lines, AppError *error = nullptr);
// The error of a page holding a character code page 932 cannot hold: it names the character, which
// the user can find in the list or the design, never the line of a page the user does not see.
AppError unstorableInPage(const QString &character);

// Joins the lines with CR LF after every line and encodes them as CP932; firstBadLine is the 0-based
// line holding the first unencodable character, or -1.
QByteArray cp932Lines(const QStringList &lines, qsizetype *firstBadLine = nullptr);

// "&", "<", ">" and the double quote as character references, for product texts placed in a page.
QString htmlEscape(const QString &text);

} // namespace platform
