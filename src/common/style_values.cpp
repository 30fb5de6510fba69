#include "common/style_values.h"

namespace common {

bool isColorText(const QString &text)
{
    if (text.size() != 7 || text.at(0) != QLatin1Char('#'))
        return false;
    for (qsizetype i = 1; i < 7; ++i) {
        const char16_t c = text.at(i).unicode();
        const bool hex = (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
        if (!hex)
            return false;
    }
    return true;
}

bool isFontSizeText(const QString &text)
{
    QStringView number(text);
    if (number.endsWith(QLatin1String("pt"), Qt::CaseInsensitive) ||
        number.endsWith(QLatin1String("mm"), Qt::CaseInsensitive))
        number.chop(2);
    if (number.isEmpty())
        return false;
    bool digit = false;
    bool point = false;
    for (QChar c : number) {
        if (c.unicode() >= u'0' && c.unicode() <= u'9') {
            digit = true;
        } else if (c == QLatin1Char('.') && !point) {
            point = true;
        } else {
            return false;
        }
    }
    return digit;
}

namespace {
bool breaksQuotedName(QChar c)
{
    switch (c.unicode()) {
    case u'"':
    case u'<':
    case u'>':
    case u'{':
    case u'}':
    case u';':
    case u'\\':
        return true;
    default:
        return c.category() == QChar::Other_Control;
    }
}
} // namespace

bool isSafeFontName(const QString &text)
{
    if (text.trimmed().isEmpty())
        return false;
    for (QChar c : text) {
        if (breaksQuotedName(c))
            return false;
    }
    return true;
}

platform::AppError keysTookDefaults(const QStringList &keys)
{
    constexpr int shown = 10;
    QString names = keys.mid(0, shown).join(QStringLiteral(", "));
    if (keys.size() > shown)
        names += QStringLiteral(" ほか %1 件").arg(keys.size() - shown);
    platform::AppError e = platform::AppError::typeMismatch();
    e.description += QStringLiteral(" (") + names + QLatin1Char(')');
    return e;
}

QString cssQuotedFontName(const QString &name)
{
    QString out;
    out.reserve(name.size() + 2);
    out += QLatin1Char('"');
    for (QChar c : name) {
        if (breaksQuotedName(c))
            out += QLatin1Char('\\') + QString::number(c.unicode(), 16).toUpper() + QLatin1Char(' ');
        else
            out += c;
    }
    out += QLatin1Char('"');
    return out;
}

namespace {
QString checked(bool ok, const QString &text, const QString &fallback, bool *rejected)
{
    if (rejected)
        *rejected = !ok;
    return ok ? text : fallback;
}
} // namespace

QString checkedColor(const QString &text, const QString &fallback, bool *rejected)
{
    return checked(isColorText(text), text, fallback, rejected);
}

QString checkedFontSize(const QString &text, const QString &fallback, bool *rejected)
{
    return checked(isFontSizeText(text), text, fallback, rejected);
}

QString checkedFontName(const QString &text, const QString &fallback, bool *rejected)
{
    return checked(isSafeFontName(text), text, fallback, rejected);
}

} // namespace common
