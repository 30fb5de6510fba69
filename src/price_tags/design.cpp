#include "price_tags/design.h"

namespace price_tags {

PriceTagDesign::PriceTagDesign()
{
    fontName.fill(QStringLiteral("ＭＳ Ｐゴシック"));
    fontSize = {QStringLiteral("9pt"), QStringLiteral("9pt"), QStringLiteral("12pt"), QStringLiteral("9pt")};
    fontStyle = {QStringLiteral("通常"), QStringLiteral("通常"), QStringLiteral("太字"), QStringLiteral("通常")};
    fontColor.fill(QStringLiteral("#000000"));
    fontAlign = {QStringLiteral("左"), QStringLiteral("左"), QStringLiteral("中央"), QStringLiteral("左")};
}

} // namespace price_tags
