#include "products/tax.h"

#include <cmath>

namespace products {

PriceSplit ruleA(qint64 base, Currency rate, int ks)
{
    PriceSplit s;
    s.base = base;
    if (base == 0)
        return s;
    Currency add;
    switch (ks) {
    case 0: add = Currency::fromRaw(0); break;
    case 1: add = Currency::fromRaw(5000); break;
    case 2: add = Currency::fromRaw(9900); break;
    default:
        s.valid = false;
        return s;
    }
    const Currency b = Currency::fromInt(base);
    s.tax = (b * rate + add).floor();
    s.included = (b * (Currency::fromInt(1) + rate) + add).floor();
    return s;
}

PriceSplit ruleB(qint64 included, Currency rate)
{
    PriceSplit s;
    s.included = included;
    if (included == 0)
        return s;
    const double divisor = double((Currency::fromInt(1) + rate).raw()) / double(Currency::Scale);
    s.base = qint64(std::floor(double(included) / divisor + 0.99));
    s.tax = qint64(qint32(included) - qint32(s.base));
    return s;
}

PriceSplit splitListPrice(qint64 listPrice, const TaxSettings &tax)
{
    return tax.indicate == 1 ? ruleB(listPrice, tax.rate) : ruleA(listPrice, tax.rate, tax.ks);
}

} // namespace products
