#include "platform/text_file.h"

#include "platform/cp932.h"

#include <QFileInfo>
#include <QSaveFile>

namespace platform {

bool writeFileAtomically(const QString &path, const QByteArray &bytes, AppError *error)
{
    // Unbuffered, so that a short write (disk full) shows in write()'s result: buffered, the flush
    // inside commit() lets it pass and a truncated file replaces the old one.
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Unbuffered) || f.write(bytes) != bytes.size() || !f.commit()) {
        if (error) {
            const QFileInfo info(path);
            if (!QFileInfo(info.absolutePath()).isDir())
                *error = AppError::pathNotFound(path);
            else
                *error = AppError::permissionDenied(path);
        }
        return false;
    }
    return true;
}

QByteArray cp932Lines(const QStringList &lines, qsizetype *firstBadLine)
{
    if (firstBadLine)
        *firstBadLine = -1;
    QString text;
    qsizetype total = 0;
    for (const QString &l : lines)
        total += l.size() + 2;
    text.reserve(total);
    for (const QString &l : lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    cp932::Encoded enc = cp932::encode(text);
    if (!enc.ok() && firstBadLine) {
        qsizetype pos = 0;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            pos += lines.at(i).size() + 2;
            if (enc.firstUnencodable < pos) {
                *firstBadLine = i;
                break;
            }
        }
    }
    return enc.ok() ? enc.bytes : QByteArray();
}

bool writeCp932Lines(const QString &path, const QStringList &lines, AppError *error)
{
    qsizetype bad = -1;
    const QByteArray bytes = cp932Lines(lines, &bad);
    if (bad >= 0) {
        if (error)
            *error = AppError{AppError::InvalidPropertyValue,
                              QStringLiteral("%1 行目に Shift_JIS で保存できない文字があります。").arg(bad + 1)};
        return false;
    }
    return writeFileAtomically(path, bytes, error);
}

QString htmlEscape(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        default: out += c;
        }
    }
    return out;
}

} // namespace platform
