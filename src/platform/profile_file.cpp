#include "platform/profile_file.h"

#include "platform/cp932.h"
#include "platform/text_file.h"

#include <QFile>
#include <QFileInfo>

namespace platform {

namespace {

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

bool keyMatches(const QString &line, const QString &key, QString *valueOut = nullptr)
{
    const qsizetype eq = line.indexOf(QLatin1Char('='));
    if (eq < 0)
        return false;
    if (QStringView(line).left(eq).trimmed().compare(key, Qt::CaseInsensitive) != 0)
        return false;
    if (valueOut)
        *valueOut = line.mid(eq + 1).trimmed();
    return true;
}

QString oneLine(const QString &text)
{
    QString t = text;
    t.replace(QLatin1String("\r\n"), QLatin1String(" "));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return t;
}

} // namespace

ProfileFile::ProfileFile(const QString &path) : m_path(path) {}

bool ProfileFile::existsOnDisk() const { return !m_path.isEmpty() && QFileInfo(m_path).isFile(); }

bool ProfileFile::load(AppError *error)
{
    m_lines.clear();
    QFileInfo info(m_path);
    if (!info.exists())
        return true;
    QFile f(m_path);
    if (info.isDir() || !f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = AppError::permissionDenied(m_path);
        return false;
    }
    setBytes(f.readAll());
    return true;
}

void ProfileFile::setBytes(const QByteArray &bytes)
{
    QString text = cp932::decode(bytes);
    m_lines = text.split(QLatin1Char('\n'));
    for (QString &l : m_lines) {
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    }
    // A final line break leaves one empty element that is not a line of its own.
    if (!m_lines.isEmpty() && m_lines.last().isEmpty())
        m_lines.removeLast();
}

QByteArray ProfileFile::toBytes(AppError *error) const
{
    QString text;
    for (const QString &l : m_lines) {
        text += l;
        text += QLatin1String("\r\n");
    }
    const cp932::Encoded enc = cp932::encode(text);
    if (!enc.ok() && error)
        *error = AppError{AppError::InvalidPropertyValue,
                          QStringLiteral("Shift_JIS で保存できない文字が含まれています。")};
    return enc.bytes;
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
        const QString name = sectionName(m_lines.at(i));
        if (name.isNull())
            continue;
        if (name.compare(wantSection, Qt::CaseInsensitive) != 0)
            continue;
        found.sectionLine = i;
        qsizetype j = i + 1;
        for (; j < m_lines.size(); ++j) {
            if (!sectionName(m_lines.at(j)).isNull())
                break;
            if (found.keyLine < 0 && !wantKey.isEmpty() && keyMatches(m_lines.at(j), wantKey))
                found.keyLine = j;
        }
        found.sectionEnd = j;
        break; // the first section of that name is the one that counts
    }
    return found;
}

QString ProfileFile::value(const QString &section, const QString &key) const
{
    const Found f = find(section, key);
    if (f.keyLine < 0)
        return QString();
    QString v;
    keyMatches(m_lines.at(f.keyLine), key.trimmed(), &v);
    if (v.size() > MaxValueLength)
        v.truncate(MaxValueLength);
    return v.trimmed();
}

bool ProfileFile::hasKey(const QString &section, const QString &key) const { return find(section, key).keyLine >= 0; }

bool ProfileFile::hasSection(const QString &section) const { return find(section, QString()).sectionLine >= 0; }

void ProfileFile::setValue(const QString &section, const QString &key, const QString &value)
{
    const QString line = key.trimmed() + QLatin1Char('=') + oneLine(value);
    const Found f = find(section, key);
    if (f.keyLine >= 0) {
        // The key keeps the spelling it has in the file.
        const QString &old = m_lines.at(f.keyLine);
        m_lines[f.keyLine] = old.left(old.indexOf(QLatin1Char('='))).trimmed() + QLatin1Char('=') + oneLine(value);
        return;
    }
    if (f.sectionLine >= 0) {
        // After the last non-blank line of the section, so that a blank separator line stays below.
        qsizetype at = f.sectionEnd;
        while (at - 1 > f.sectionLine && m_lines.at(at - 1).trimmed().isEmpty())
            --at;
        m_lines.insert(at, line);
        return;
    }
    m_lines.append(QLatin1Char('[') + section.trimmed() + QLatin1Char(']'));
    m_lines.append(line);
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
