#include "platform/profile_file.h"

#include "platform/cp932.h"
#include "platform/text_file.h"

#include <QFileInfo>
#include <QStringDecoder>

namespace platform {

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// "[name]" → name, or a null string when the line is not a section header.
QString sectionName(const QString &line)
{
    const QString t = line.trimmed();
    if (!t.startsWith(QLatin1Char('[')))
        return {};
    const qsizetype close = t.indexOf(QLatin1Char(']'));
    const QString name = (close < 0 ? t.mid(1) : t.mid(1, close - 1)).trimmed();
    return name.isNull() ? QStringLiteral("") : name;
}

bool keyMatches(const QString &line, const QString &key)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    return QStringView(line).left(eq).trimmed().compare(key, Qt::CaseInsensitive) == 0;
}

QString oneLine(const QString &text)
{
    QString t = text;
    const qsizetype nul = t.indexOf(QChar(0));
    if (nul >= 0)
        t.truncate(nul);
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

bool isPlainAscii(const QByteArray &bytes)
{
    for (char c : bytes) {
        const uchar b = uchar(c);
        if ((b < 0x20 && b != '\t') || b >= 0x7F)
            return false;
    }
    return true;
}

// Printable ASCII needs no codec (the codec maps some control bytes to other controls).
QString decodeLine(const QByteArray &bytes, bool *hadErrors = nullptr)
{
    if (isPlainAscii(bytes)) {
        if (hadErrors)
            *hadErrors = false;
        return QString::fromLatin1(bytes);
    }
    return cp932::decode(bytes, hadErrors);
}

bool hasNonAscii(const QByteArray &bytes)
{
    for (char c : bytes) {
        if (uchar(c) >= 0x80)
            return true;
    }
    return false;
}

bool isUtf8Text(const QByteArray &bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return true;
    if (!hasNonAscii(bytes))
        return false;
    QStringDecoder dec(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = dec.decode(bytes);
    Q_UNUSED(text);
    return !dec.hasError();
}

} // namespace

ProfileFile::ProfileFile(const QString &path) : m_path(path) {}

bool ProfileFile::existsOnDisk() const
{
    return !m_path.isEmpty() && QFileInfo(m_path).isFile();
}

bool ProfileFile::load(AppError *error)
{
    m_lines.clear();
    m_utf8 = false;
    QByteArray bytes;
    switch (readRegularFile(m_path, MaxFileBytes, &bytes)) {
    case ReadFault::None:
        setBytes(bytes);
        return true;
    case ReadFault::NotFound:
        return true;
    case ReadFault::TooLarge:
        if (error)
            *error = AppError{AppError::Overflow,
                              QStringLiteral("ファイルが大きすぎます。読み込めるのは %1 MiB までです。 (%2)")
                                  .arg(MaxFileBytes / (1024 * 1024))
                                  .arg(m_path)};
        return false;
    case ReadFault::NotRegular:
    case ReadFault::Unreadable:
        break;
    }
    if (error)
        *error = AppError::permissionDenied(m_path);
    return false;
}

void ProfileFile::setBytes(const QByteArray &bytes)
{
    m_lines.clear();
    m_utf8 = isUtf8Text(bytes);
    // A line feed is never the second byte of a CP932 character, so the bytes split safely.
    const QList<QByteArray> raw = bytes.split('\n');
    m_lines.reserve(raw.size());
    for (QByteArray l : raw) {
        if (l.endsWith('\r'))
            l.chop(1);
        Line line;
        line.text = decodeLine(l);
        line.bytes = std::move(l);
        m_lines.append(std::move(line));
    }
    // A final line break leaves one empty element that is not a line of its own.
    if (!m_lines.isEmpty() && m_lines.last().bytes.isEmpty())
        m_lines.removeLast();
    if (!m_lines.isEmpty() && m_lines.first().bytes.startsWith(kUtf8Bom))
        m_lines.first().text = decodeLine(m_lines.first().bytes.mid(kUtf8Bom.size())); // the mark is no text
}

QByteArray ProfileFile::toBytes(AppError *error) const
{
    QByteArray out;
    bool unencodable = false;
    for (const Line &l : m_lines) {
        unencodable = unencodable || l.unencodable;
        out += l.bytes;
        out += "\r\n";
    }
    if (unencodable && error)
        *error =
            AppError{AppError::InvalidPropertyValue, QStringLiteral("Shift_JIS で保存できない文字が含まれています。")};
    return out;
}

bool ProfileFile::save(AppError *error) const
{
    AppError encodeError;
    const QByteArray bytes = toBytes(&encodeError);
    if (encodeError.isSet()) {
        if (error)
            *error = encodeError;
        return false;
    }
    return writeFileAtomically(m_path, bytes, error);
}

ProfileFile::Found ProfileFile::find(const QString &section, const QString &key) const
{
    Found found;
    const QString wantSection = section.trimmed();
    const QString wantKey = key.trimmed();
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const QString name = sectionName(m_lines.at(i).text);
        if (name.isNull())
            continue;
        if (name.compare(wantSection, Qt::CaseInsensitive) != 0)
            continue;
        found.sectionLine = i;
        qsizetype j = i + 1;
        for (; j < m_lines.size(); ++j) {
            if (!sectionName(m_lines.at(j).text).isNull())
                break;
            if (found.keyLine < 0 && !wantKey.isEmpty() && keyMatches(m_lines.at(j).text, wantKey))
                found.keyLine = j;
        }
        found.sectionEnd = j;
        break; // the first section of that name is the one that counts
    }
    return found;
}

QString ProfileFile::value(const QString &section, const QString &key, ValueStatus *status) const
{
    const Found f = find(section, key);
    if (f.keyLine < 0) {
        if (status)
            *status = ValueStatus::Missing;
        return QString();
    }
    // '=' is never the second byte of a CP932 character: the first one in the bytes is the separator.
    const QByteArray &bytes = m_lines.at(f.keyLine).bytes;
    QByteArray raw = bytes.mid(bytes.indexOf('=') + 1);
    const qsizetype nul = raw.indexOf('\0');
    if (nul >= 0)
        raw.truncate(nul);
    bool bad = false;
    QString v = decodeLine(raw, &bad);
    if (status)
        *status = (bad || (m_utf8 && hasNonAscii(raw))) ? ValueStatus::NotCp932 : ValueStatus::Valid;
    if (v.size() > MaxValueLength)
        v.truncate(MaxValueLength);
    return v.trimmed();
}

ProfileFile::ValueStatus ProfileFile::valueStatus(const QString &section, const QString &key) const
{
    ValueStatus status = ValueStatus::Missing;
    value(section, key, &status);
    return status;
}

bool ProfileFile::hasKey(const QString &section, const QString &key) const
{
    return find(section, key).keyLine >= 0;
}

bool ProfileFile::hasSection(const QString &section) const
{
    return find(section, QString()).sectionLine >= 0;
}

ProfileFile::Line ProfileFile::textLine(const QString &text)
{
    cp932::Encoded enc = cp932::encode(text);
    Line line;
    line.unencodable = !enc.ok();
    line.bytes = std::move(enc.bytes);
    line.text = text;
    return line;
}

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const Found f = find(section, key);
    if (f.keyLine >= 0) {
        // The key keeps the spelling (and the bytes) it has in the file.
        Line &old = m_lines[f.keyLine];
        const QByteArray keyBytes = old.bytes.left(old.bytes.indexOf('=')).trimmed();
        Line line = textLine(oneLine(value));
        line.bytes.prepend(keyBytes + '=');
        line.text.prepend(old.text.left(old.text.indexOf(QLatin1Char('='))).trimmed() + QLatin1Char('='));
        old = std::move(line);
        return;
    }
    const Line line = textLine(key.trimmed() + QLatin1Char('=') + oneLine(value));
    if (f.sectionLine >= 0) {
        // After the last non-blank line of the section, so that a blank separator line stays below.
        qsizetype at = f.sectionEnd;
        while (at - 1 > f.sectionLine && m_lines.at(at - 1).text.trimmed().isEmpty())
            --at;
        m_lines.insert(at, line);
        return;
    }
    m_lines.append(textLine(QLatin1Char('[') + section.trimmed() + QLatin1Char(']')));
    m_lines.append(line);
}

QStringList ProfileFile::lines() const
{
    QStringList out;
    out.reserve(m_lines.size());
    for (const Line &l : m_lines)
        out << l.text;
    return out;
}

QList<QByteArray> ProfileFile::rawLines() const
{
    QList<QByteArray> out;
    out.reserve(m_lines.size());
    for (const Line &l : m_lines)
        out << l.bytes;
    return out;
}

QString readProfileString(const QString &path, const QString &section, const QString &key)
{
    ProfileFile f(path);
    if (!f.load())
        return QString();
    return f.value(section, key);
}

bool writeProfileString(const QString &path, const QString &section, const QString &key, const QString &value,
                        AppError *error)
{
    ProfileFile f(path);
    if (!f.load(error))
        return false;
    f.setValue(section, key, value);
    return f.save(error);
}

} // namespace platform
