#include "price_tags/product_slots.h"

#include "platform/apperror.h"
#include "platform/numbers.h"

namespace price_tags {

QString taxInclusiveLabel(const QString &listPrice, const products::TaxSettings &tax, int *error)
{
    if (error)
        *error = 0;
    const auto price = platform::toWholeNumber(listPrice);
    if (!price) {
        if (error && platform::isNumeric(listPrice))
            *error = platform::AppError::Overflow;
        return QString();
    }
    if (tax.indicate == 1)
        return platform::formatThousands(*price);
    const products::PriceSplit split = products::ruleA(*price, tax.rate, tax.ks);
    if (split.error && error)
        *error = split.error;
    if (!split.valid || split.error)
        return QString();
    return platform::formatThousands(split.included);
}

SlotFill fillProductSlots(const products::ProductList &list, const products::TaxSettings &tax)
{
    SlotFill fill;
    fill.title = QStringLiteral("貼付用値札作成");
    QList<int> chosen;
    bool tooMany = false;
    for (int i = 0; i < list.size(); ++i) {
        if (!list.at(i).checked)
            continue;
        if (chosen.size() == SlotCount) {
            tooMany = true;
            break;
        }
        chosen.append(i);
    }
    if (chosen.isEmpty()) {
        fill.message =
            QStringLiteral("メイン画面データリストで作成する値札に　\r\n出力チェック(10件以内)を入れて下さい.");
        return fill;
    }
    if (tooMany) {
        fill.message =
            QStringLiteral("メイン画面データリストで作成する値札の出力チェックは.　\r\n10件以内でにして下さい.");
        return fill;
    }
    for (int s = 0; s < chosen.size(); ++s) {
        const products::Product &p = list.at(chosen.at(s));
        ProductSlot &slot = fill.items[s];
        slot.code = p.code;
        slot.name = p.name;
        int error = 0;
        slot.price = taxInclusiveLabel(p.price, tax.forClass(p.reduced), &error);
        if (error) {
            const platform::AppError e = error == platform::AppError::Overflow ? platform::AppError::overflow()
                                                                               : platform::AppError::divisionByZero();
            fill.items = ProductSlots();
            fill.message = platform::apologyReportText(QStringLiteral("ShowNefudaDialog"), e);
            fill.title = platform::reportTitle();
            fill.apology = true;
            return fill;
        }
        slot.jan = p.jan;
        slot.reduced = p.reduced;
        slot.filled = true;
    }
    return fill;
}

} // namespace price_tags
