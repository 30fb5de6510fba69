#include "platform/numbers.h"

#include <QLocale>

#include <cmath>
#include <limits>

namespace platform {

namespace {

// Strips a well-placed thousands separator pattern; returns false for a misplaced comma.
bool parseNumber(const QString &input, double *value)
{
    // Plain whole numbers (every price of a list) are read directly; up to 15 digits they are exact
    // as doubles, the same value the general path gives.
    {
        const qsizetype n = input.size();
        qsizetype i = n > 0 && (input.at(0) == QLatin1Char('-') || input.at(0) == QLatin1Char('+')) ? 1 : 0;
        if (n - i >= 1 && n - i <= 20) {
            qint64 v = 0;
            int digits = 0;
            for (; i < n; ++i) {
                const char16_t c = input.at(i).unicode();
                // Separators count after a digit, as below: "1,234" is 1234.
                if (c == u',' && digits > 0)
                    continue;
                if (c < u'0' || c > u'9' || ++digits > 15)
                    break;
                v = v * 10 + (c - u'0');
            }
            if (i == n && digits > 0) {
                if (value)
                    *value = input.at(0) == QLatin1Char('-') ? -double(v) : double(v);
                return true;
            }
        }
    }
    const QString t = input.trimmed();
    if (t.isEmpty())
        return false;
    QString cleaned;
    cleaned.reserve(t.size());
    qsizetype i = 0;
    if (t.at(0) == QLatin1Char('+') || t.at(0) == QLatin1Char('-')) {
        cleaned += t.at(0);
        ++i;
    }
    bool digits = false;
    bool point = false;
    bool exponent = false;
    for (; i < t.size(); ++i) {
        const QChar c = t.at(i);
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits = true;
            cleaned += c;
        } else if (c == QLatin1Char(',') && !point && !exponent && digits) {
            continue;
        } else if (c == QLatin1Char('.') && !point && !exponent) {
            point = true;
            cleaned += c;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && digits && !exponent) {
            exponent = true;
            cleaned += QLatin1Char('e');
            if (i + 1 < t.size() && (t.at(i + 1) == QLatin1Char('+') || t.at(i + 1) == QLatin1Char('-')))
                cleaned += t.at(++i);
            if (i + 1 >= t.size())
                return false;
        } else {
            return false;
        }
    }
    if (!digits)
        return false;
    bool ok = false;
    const double v = cleaned.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    if (value)
        *value = v;
    return true;
}

} // namespace

bool isNumeric(const QString &text)
{
    return parseNumber(text, nullptr);
}

std::optional<double> numericValue(const QString &text)
{
    double v = 0;
    if (!parseNumber(text, &v))
        return std::nullopt;
    return v;
}

std::optional<qint32> toWholeNumber(const QString &text)
{
    const auto v = numericValue(text);
    if (!v)
        return std::nullopt;
    const double r = std::nearbyint(*v); // default rounding mode: ties to even
    if (r < double(std::numeric_limits<qint32>::min()) || r > double(std::numeric_limits<qint32>::max()))
        return std::nullopt;
    return qint32(r);
}

std::optional<qint16> toInteger16(const QString &text)
{
    const auto v = toWholeNumber(text);
    if (!v || *v < std::numeric_limits<qint16>::min() || *v > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return qint16(*v);
}

QString formatThousands(qint64 value)
{
    QString digits = QString::number(value < 0 ? -value : value);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString formatPlain(qint64 value)
{
    return QString::number(value);
}

} // namespace platform
