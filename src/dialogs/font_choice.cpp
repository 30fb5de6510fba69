#include "dialogs/font_choice.h"

#include "platform/numbers.h"

#include <QRegularExpression>

namespace dialogs {

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

FontChoice fontResult(const FontFields &fields, const FontChoice &start, const FontChoice &dialog, const QString &unit)
{
    FontChoice result = start;
    result.name = dialog.name;
    result.size = fields.unit ? dialog.size + unit : dialog.size;
    if (fields.style)
        result.style = dialog.style;
    if (fields.color)
        result.color = dialog.color;
    if (fields.align)
        result.align = dialog.align;
    return result;
}

} // namespace dialogs
