#include "dialogs/font_choice.h"

#include "platform/numbers.h"

#include <QRegularExpression>

namespace dialogs {

std::optional<FontTarget> fontTargetFromCode(int code)
{
    if (code >= 0 && code <= 5)
        return FontTarget::ShelfLabelItem;
    if (code == 6)
        return FontTarget::PriceMark;
    if (code >= 10 && code <= 19)
        return FontTarget::PriceTagItem;
    if (code == 20)
        return FontTarget::Ledger;
    return std::nullopt;
}

FontFields fontFields(FontTarget target)
{
    switch (target) {
    case FontTarget::ShelfLabelItem:
    case FontTarget::PriceTagItem:
        return {};
    case FontTarget::PriceMark:
        return {.color = false, .align = false, .unit = true, .style = true};
    case FontTarget::Ledger:
        return {.color = false, .align = false, .unit = false, .style = false};
    }
    return {};
}

QStringList listedFontNames(const QStringList &families)
{
    QStringList names;
    for (const QString &family : families) {
        if (family.isEmpty() || family.startsWith(u'@') || family.startsWith(u'$') || family.startsWith(u'&') ||
            family.startsWith(u'%'))
            continue;
        names.append(family);
    }
    return names;
}

FontSize splitFontSize(const QString &sizeText)
{
    if (sizeText.endsWith(QStringLiteral("mm")))
        return {sizeText.chopped(2), QStringLiteral("mm")};
    if (sizeText.endsWith(QStringLiteral("pt")))
        return {sizeText.chopped(2), QStringLiteral("pt")};
    return {sizeText, QStringLiteral("pt")};
}

bool fontSizeAccepted(const QString &number)
{
    // The field takes digits and a point only; a pasted "1e3" or "1,280" would break the page's style.
    static const QRegularExpression plain(QStringLiteral("^(\\d+\\.?\\d*|\\.\\d+)$"));
    if (!plain.match(number).hasMatch())
        return false;
    const std::optional<qint32> whole = platform::toWholeNumber(number);
    return whole && *whole >= 1;
}

FontChoice fontResult(FontTarget target, const FontChoice &start, const FontChoice &dialog, const QString &unit)
{
    FontChoice result = start;
    result.name = dialog.name;
    switch (target) {
    case FontTarget::Ledger:
        result.size = dialog.size;
        break;
    case FontTarget::PriceMark:
        result.size = dialog.size + unit;
        result.style = dialog.style;
        break;
    case FontTarget::ShelfLabelItem:
    case FontTarget::PriceTagItem:
        result.size = dialog.size + unit;
        result.style = dialog.style;
        result.color = dialog.color;
        result.align = dialog.align;
        break;
    }
    return result;
}

} // namespace dialogs
