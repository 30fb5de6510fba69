#include "platform/text_file.h"

#include "platform/cp932.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

ReadFault openRegularFile(const QString &path, qint64 maxBytes, QFile *file)
{
#ifdef Q_OS_UNIX
    // Non-blocking, so that opening a FIFO with no writer returns at once; the type is then taken
    // from the handle itself.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return (errno == ENOENT || errno == ENOTDIR) ? ReadFault::NotFound : ReadFault::Unreadable;
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return ReadFault::Unreadable;
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return ReadFault::NotRegular;
    }
    if (st.st_size > maxBytes) {
        ::close(fd);
        return ReadFault::TooLarge;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file->open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return ReadFault::Unreadable;
    }
#else
    const QFileInfo info(path);
    if (!info.exists())
        return ReadFault::NotFound;
    if (!info.isFile())
        return ReadFault::NotRegular;
    if (info.size() > maxBytes)
        return ReadFault::TooLarge;
    file->setFileName(path);
    if (!file->open(QIODevice::ReadOnly))
        return ReadFault::Unreadable;
#endif
    return ReadFault::None;
}

ReadFault readRegularFile(const QString &path, qint64 maxBytes, QByteArray *bytes)
{
    bytes->clear();
    QFile f;
    if (const ReadFault fault = openRegularFile(path, maxBytes, &f); fault != ReadFault::None)
        return fault;
    const qint64 sizeNow = f.size();
    // The size only sizes the buffer; a file that grows while it is read (or one such as those under
    // /proc that reports no size) is still cut off at the bound.
    QByteArray data;
    data.reserve(qsizetype(sizeNow));
    char block[64 * 1024];
    for (;;) {
        const qint64 n = f.read(block, sizeof block);
        if (n < 0)
            return ReadFault::Unreadable;
        if (n == 0)
            break;
        if (data.size() + n > maxBytes)
            return ReadFault::TooLarge;
        data.append(block, qsizetype(n));
    }
    *bytes = std::move(data);
    return ReadFault::None;
}

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

AppError unstorableInPage(const QString &character)
{
    return AppError{AppError::InvalidPropertyValue,
                    QStringLiteral("ページに Shift_JIS で保存できない文字「%1」があります。").arg(character)};
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
            *error = unstorableInPage(cp932::firstUnencodableCharacter(lines.at(bad)));
        return false;
    }
    return writeFileAtomically(path, bytes, error);
}

QString htmlEscape(const QString &text)
{
    // Most product texts have nothing to escape: they are shared, not copied.
    const auto special = [](QChar c) {
        return c == QLatin1Char('&') || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('"');
    };
    if (std::none_of(text.begin(), text.end(), special))
        return text;
    QString out;
    out.reserve(text.size() + 16);
    for (QChar c : text) {
        switch (c.unicode()) {
        case '&':
            out += QLatin1String("&amp;");
            break;
        case '<':
            out += QLatin1String("&lt;");
            break;
        case '>':
            out += QLatin1String("&gt;");
            break;
        case '"':
            out += QLatin1String("&quot;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

} // namespace platform
