#include "products/tax.h"

#include "platform/apperror.h"

#include <cmath>
#include <limits>

namespace products {

namespace {

bool fits32(qint64 v)
{
    return v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max();
}

PriceSplit overflowed(PriceSplit s)
{
    s.error = platform::AppError::Overflow;
    s.base = s.included = s.tax = 0;
    return s;
}

} // namespace

PriceSplit ruleA(qint64 base, Currency rate, int ks)
{
    PriceSplit s;
    s.base = base;
    if (base == 0)
        return s;
    Currency add;
    switch (ks) {
    case 0:
        add = Currency::fromRaw(0);
        break;
    case 1:
        add = Currency::fromRaw(5000);
        break;
    case 2:
        add = Currency::fromRaw(9900);
        break;
    default:
        s.valid = false;
        return s;
    }
    // The four-place products are exact; a rate far outside any real one could still leave the
    // 64-bit range or give a price beyond 32 bits.
    const __int128 b = (__int128)base * Currency::Scale;
    const __int128 r = rate.raw();
    const __int128 limit = (__int128)std::numeric_limits<qint64>::max();
    const __int128 taxRaw = Currency::roundedRawProduct(b, r) + add.raw();
    const __int128 inclRaw = Currency::roundedRawProduct(b, r + Currency::Scale) + add.raw();
    if (taxRaw > limit || taxRaw < -limit || inclRaw > limit || inclRaw < -limit)
        return overflowed(s);
    s.tax = Currency::fromRaw(qint64(taxRaw)).floor();
    s.included = Currency::fromRaw(qint64(inclRaw)).floor();
    if (!fits32(s.tax) || !fits32(s.included))
        return overflowed(s);
    return s;
}

PriceSplit ruleB(qint64 included, Currency rate)
{
    PriceSplit s;
    s.included = included;
    if (included == 0)
        return s;
    const double divisor = double((Currency::fromInt(1) + rate).raw()) / double(Currency::Scale);
    if (divisor == 0.0) {
        s.error = platform::AppError::DivisionByZero;
        s.included = 0;
        return s;
    }
    const double base = std::floor(double(included) / divisor + 0.99);
    if (!std::isfinite(base) || base < double(std::numeric_limits<qint32>::min()) ||
        base > double(std::numeric_limits<qint32>::max()))
        return overflowed(s);
    s.base = qint64(base);
    s.tax = included - s.base;
    if (!fits32(included) || !fits32(s.tax))
        return overflowed(s);
    return s;
}

PriceSplit splitListPrice(qint64 listPrice, const TaxSettings &tax)
{
    return tax.indicate == 1 ? ruleB(listPrice, tax.rate) : ruleA(listPrice, tax.rate, tax.ks);
}

bool isRateInRange(Currency rate)
{
    return rate.raw() >= 0 && rate.raw() < Currency::Scale;
}

QString rateRangeMessage()
{
    return QStringLiteral("税率は 0.1 のように小数で入力してください (10% → 0.1)");
}

QString ratePercentText(Currency rate)
{
    constexpr qint64 limit = std::numeric_limits<qint64>::max() / 100;
    if (rate.raw() > limit || rate.raw() < -limit)
        return QString();
    return Currency::fromRaw(rate.raw() * 100).toString() + QLatin1Char('%');
}

} // namespace products
