#pragma once

#include "products/currency.h"
#include "products/tax_keys.h"

namespace products {

// The [Tax] settings.
struct TaxSettings {
    Currency rate = Currency::parse(tax_keys::Rate.defaultText()).value_or(Currency());
    // Price basis: 0 the list holds base prices, 1 tax-inclusive prices.
    int indicate = tax_keys::Indicate.defaultNumber();
    // Rounding when deriving the tax-inclusive price: 0 down, 1 half up, 2 up.
    int ks = tax_keys::KS.defaultNumber();
    // Wording of the tax note a card prints.
    int style = tax_keys::Style.defaultNumber();
    // Cards show the tax-inclusive price (1) or the base price (0).
    int zeikomi = tax_keys::Zeikomi.defaultNumber();
    // The reduced rate, for products of the reduced class.
    Currency reducedRate = Currency::parse(tax_keys::ReducedRate.defaultText()).value_or(Currency());

    // The rate of a product of that class.
    Currency rateFor(bool reduced) const { return reduced ? reducedRate : rate; }
    // These settings with the rate of a product of that class in rate, for the price rules.
    TaxSettings forClass(bool reduced) const
    {
        TaxSettings t = *this;
        t.rate = rateFor(reduced);
        return t;
    }
};

struct PriceSplit {
    qint64 base = 0;
    qint64 included = 0; // tax-inclusive price
    qint64 tax = 0;
    bool valid = true; // false when rule A was given an unknown rounding mode
    // Classic error number when the arithmetic failed (6 overflow: a result outside 32 bits,
    // 11 division by zero: a rate of -1); 0 otherwise. The prices are 0 then.
    int error = 0;
};

// Rule A: tax-inclusive price and tax from a base price, exact fixed-point products.
PriceSplit ruleA(qint64 base, Currency rate, int ks);
// Rule B: base price and tax from a tax-inclusive price, in double precision.
PriceSplit ruleB(qint64 included, Currency rate);
// Both prices and the tax of a list price under the settings' price basis.
PriceSplit splitListPrice(qint64 listPrice, const TaxSettings &tax);

// A rate the tax dialog takes: a fraction from 0 up to, not including, 1. Typed as a percentage
// ("10" for 10 %), it would make ¥398 cost ¥4,378.
bool isRateInRange(Currency rate);
// What the dialog says to a rate out of that range.
QString rateRangeMessage();
// The rate as a percentage, for people who think of it so: 0.05 → "5%", 0.0812 → "8.12%".
QString ratePercentText(Currency rate);

} // namespace products
