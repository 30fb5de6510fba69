#include "price_tags/card.h"

#include "common/page_head.h"
#include "common/style_values.h"

#include <QStringList>

namespace price_tags {

QString logoAlignWord(const QString &align)
{
    if (align == QStringLiteral("右揃え") || align == QStringLiteral("右"))
        return QStringLiteral("right");
    if (align == QStringLiteral("中央"))
        return QStringLiteral("center");
    if (align == QStringLiteral("左揃え") || align == QStringLiteral("左"))
        return QStringLiteral("left");
    return QString();
}

QString quotedFamily(const QString &fontName)
{
    return common::cssQuotedFontName(fontName);
}

QString cardRest(bool twoTier, int layoutType, const CardTexts &t)
{
    const bool typeA = layoutType == 0;
    QString s;
    s.reserve(1200 + t.barcode.size());
    if (!twoTier && typeA) {
        s += QLatin1String(" colspan=\"2\">") + t.logo +
             QLatin1String("</td></tr><tr><td class=\"area1\" colspan=\"2\">") + t.code +
             QLatin1String("</td></tr><tr><td class=\"area2\" colspan=\"2\">") + t.name +
             QLatin1String("</td></tr><tr><td class=\"area31\">") + t.price +
             QLatin1String("</td><td class=\"area33\">") + t.tax +
             QLatin1String("</td></tr><tr><td colspan=\"2\"><div align=\"center\">") + t.barcode +
             QLatin1String("</div></td></tr><tr><td class=\"area6\" colspan=\"2\">") + t.digits +
             QStringLiteral("</td></tr></table></div></td>");
    } else if (!twoTier) {
        s += QLatin1String(" colspan=\"3\">") + t.logo +
             QLatin1String("</td></tr><tr><td class=\"area1\" colspan=\"2\">") + t.code +
             QLatin1String("</td><td rowspan=\"3\"><table border=\"0\" cellspacing=\"0\" width=\"100%\">"
                           "<tr><td><div align=\"center\">") +
             t.barcode + QLatin1String("</div></td></tr><tr><td class=\"area6\">") + t.digits +
             QLatin1String("</td></tr></table></td></tr><tr><td class=\"area2\" colspan=\"2\">") + t.name +
             QLatin1String("</td></tr><tr><td class=\"area31\">") + t.price +
             QLatin1String("</td><td class=\"area33\">") + t.tax + QStringLiteral("</td></tr></table></div></td>");
    } else if (typeA) {
        s += QStringLiteral(">") + t.logo + QLatin1String("</td></tr><tr><td class=\"area1\">") + t.code +
             QLatin1String("</td></tr><tr><td class=\"area2\">") + t.name +
             QLatin1String("</td></tr><tr><td class=\"area31\">") + t.price +
             QLatin1String("</td></tr><tr><td class=\"area33\">") + t.tax +
             QLatin1String("</td></tr><tr><td><div align=\"center\">") + t.barcode +
             QLatin1String("</div></td></tr><tr><td class=\"area6\">") + t.digits +
             QStringLiteral("</td></tr></table></div></td>");
    } else {
        s += QLatin1String(" colspan=\"2\">") + t.logo + QLatin1String("</td></tr><tr><td class=\"area1\">") + t.code +
             QLatin1String("</td><td rowspan=\"4\"><table border=\"0\" cellspacing=\"0\" width=\"100%\">"
                           "<tr><td><div align=\"center\">") +
             t.barcode + QLatin1String("</div></td></tr><tr><td class=\"area6\">") + t.digits +
             QLatin1String("</td></tr></table></td></tr><tr><td class=\"area2\">") + t.name +
             QLatin1String("</td></tr><tr><td class=\"area31\">") + t.price +
             QLatin1String("</td></tr><tr><td class=\"area33\">") + t.tax +
             QStringLiteral("</td></tr></table></div></td>");
    }
    return s;
}

QStringList pageHeadLines()
{
    return common::pageHeadLines({QStringLiteral("ぽらね値札作成　貼付用値札")});
}

} // namespace price_tags
