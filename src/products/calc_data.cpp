#include "products/calc_data.h"

#include "platform/numbers.h"

namespace products {

using platform::AppError;

QString calcCheckTitle()
{
    return QStringLiteral("入力値のチェック");
}

namespace {

// A whole number for the rules: the text rounded (ties to even); overflow beyond 32 bits.
bool wholeValue(const QString &text, qint64 *value, AppError *error)
{
    const auto v = platform::toWholeNumber(text);
    if (!v) {
        *error = AppError::overflow();
        return false;
    }
    *value = *v;
    return true;
}

} // namespace

CalcOutput CalcData(const CalcInput &in, const TaxSettings &tax)
{
    CalcOutput out;
    out.included = in.included;
    out.base = in.base;
    if (!in.included.isEmpty() && !platform::isNumeric(in.included)) {
        out.messageTitle = calcCheckTitle();
        out.messageText = QStringLiteral("「価格」には数値を入力してください.");
        return out;
    }
    if (!in.base.isEmpty() && !platform::isNumeric(in.base)) {
        out.messageTitle = calcCheckTitle();
        out.messageText = QStringLiteral("「本体価格」には数値を入力してください.");
        return out;
    }
    if (in.direction == 0) {
        out.includedMaxLength = 7;
        if (platform::isNumeric(in.included)) {
            qint64 p = 0;
            if (!wholeValue(in.included, &p, &out.error))
                return out;
            out.taxChanged = true;
            if (p != 0) {
                const PriceSplit s = ruleB(p, tax.rate);
                if (s.error) {
                    out.error = s.error == AppError::DivisionByZero ? AppError::divisionByZero() : AppError::overflow();
                    out.taxChanged = false;
                    return out;
                }
                out.base = platform::formatPlain(s.base);
                out.tax = platform::formatPlain(s.tax);
            } else {
                out.base = QStringLiteral("0");
                out.tax = QStringLiteral("0");
            }
        }
    } else {
        out.includedMaxLength = 8;
        if (platform::isNumeric(in.base)) {
            qint64 b = 0;
            if (!wholeValue(in.base, &b, &out.error))
                return out;
            if (b != 0) {
                const PriceSplit s = ruleA(b, tax.rate, tax.ks);
                if (s.error) {
                    out.error = AppError::overflow();
                    return out;
                }
                if (s.valid) {
                    out.taxChanged = true;
                    out.tax = platform::formatPlain(s.tax);
                    out.included = platform::formatPlain(s.included);
                }
            } else {
                out.taxChanged = true;
                out.tax = QStringLiteral("0");
                out.included = QStringLiteral("0");
            }
        }
    }
    out.done = true;
    return out;
}

} // namespace products
