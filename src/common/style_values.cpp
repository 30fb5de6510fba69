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

bool isSafeFontName(const QString &text)
{
    if (text.trimmed().isEmpty())
        return false;
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'"':
        case u'<':
        case u'>':
        case u'{':
        case u'}':
        case u';':
        case u'\\':
            return false;
        default:
            if (c.category() == QChar::Other_Control)
                return false;
        }
    }
    return true;
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
