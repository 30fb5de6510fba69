#include "products/product.h"

#include "platform/cp932.h"

#include <algorithm>

namespace products {

ProductList rowsForMakers(const ProductList &all)
{
    const bool anyChecked = std::any_of(all.begin(), all.end(), [](const Product &p) { return p.checked; });
    if (!anyChecked)
        return all;
    ProductList out;
    for (const Product &p : all) {
        if (p.checked)
            out.append(p);
    }
    return out;
}

qsizetype rowCountForMakers(const ProductList &all)
{
    const auto checked = std::count_if(all.begin(), all.end(), [](const Product &p) { return p.checked; });
    return checked > 0 ? qsizetype(checked) : all.size();
}

platform::AppError unstorableTextForMakers(const ProductList &all)
{
    const bool anyChecked = std::any_of(all.begin(), all.end(), [](const Product &p) { return p.checked; });
    const auto ascii = [](const QString &t) {
        return std::all_of(t.begin(), t.end(), [](QChar c) { return c.unicode() < 0x80; });
    };
    for (qsizetype i = 0; i < all.size(); ++i) {
        const Product &p = all.at(i);
        if (anyChecked && !p.checked)
            continue;
        const struct {
            const QString &text;
            const char *caption;
        } texts[] = {
            {p.code, "品番等"}, {p.name, "商品名"}, {p.price, "価格"}, {p.remarks, "備考"}, {p.jan, "JANコード"}};
        for (const auto &t : texts) {
            if (ascii(t.text))
                continue;
            if (const QString bad = platform::cp932::firstUnencodableCharacter(t.text); !bad.isEmpty())
                return platform::AppError{platform::AppError::InvalidPropertyValue,
                                          QStringLiteral("No.%1 の%2に Shift_JIS で保存できない文字「%3」があります。")
                                              .arg(i + 1)
                                              .arg(QString::fromUtf8(t.caption), bad)};
        }
    }
    return {};
}

} // namespace products
