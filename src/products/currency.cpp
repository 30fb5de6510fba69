#include "products/currency.h"

namespace products {

std::optional<Currency> Currency::parse(const QString &input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (text.at(0) == QLatin1Char('+') || text.at(0) == QLatin1Char('-')) {
        negative = text.at(0) == QLatin1Char('-');
        ++i;
    }
    __int128 whole = 0;
    qint64 frac = 0;
    int fracDigits = 0;
    int roundDigit = -1;
    bool sticky = false;
    bool anyDigit = false;
    bool seenPoint = false;
    for (; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('.')) {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        anyDigit = true;
        const int d = c.unicode() - '0';
        if (!seenPoint) {
            whole = whole * 10 + d;
            if (whole > (__int128)(Q_INT64_C(922337203685477)))
                return std::nullopt;
        } else if (fracDigits < 4) {
            frac = frac * 10 + d;
            ++fracDigits;
        } else if (roundDigit < 0) {
            roundDigit = d;
        } else if (d != 0) {
            sticky = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    for (; fracDigits < 4; ++fracDigits)
        frac *= 10;
    qint64 raw = qint64(whole) * Scale + frac;
    if (roundDigit > 5 || (roundDigit == 5 && (sticky || (raw & 1))))
        ++raw;
    return fromRaw(negative ? -raw : raw);
}

qint64 Currency::floor() const
{
    qint64 q = m_raw / Scale;
    if (m_raw % Scale != 0 && m_raw < 0)
        --q;
    return q;
}

QString Currency::toString() const
{
    const bool negative = m_raw < 0;
    const quint64 a = negative ? quint64(-m_raw) : quint64(m_raw);
    QString s = QString::number(a / Scale);
    quint64 frac = a % Scale;
    if (frac != 0) {
        QString f = QString::number(frac).rightJustified(4, QLatin1Char('0'));
        while (f.endsWith(QLatin1Char('0')))
            f.chop(1);
        s += QLatin1Char('.') + f;
    }
    return negative ? QLatin1Char('-') + s : s;
}

__int128 Currency::roundedRawProduct(__int128 a, __int128 b)
{
    const __int128 p = a * b;
    __int128 q = p / Scale;
    __int128 r = p % Scale;
    if (r < 0) {
        r += Scale;
        --q;
    }
    if (r * 2 > Scale || (r * 2 == Scale && (q & 1)))
        ++q;
    return q;
}

Currency operator*(Currency a, Currency b)
{
    return Currency::fromRaw(qint64(Currency::roundedRawProduct(a.m_raw, b.m_raw)));
}

} // namespace products
