#include "common/font_texts.h"

namespace common {

QString cssFontPrefix(const QString &fontStyle)
{
    if (fontStyle == QStringLiteral("通常"))
        return QStringLiteral("normal normal normal ");
    if (fontStyle == QStringLiteral("太字"))
        return QStringLiteral("normal normal bold ");
    if (fontStyle == QStringLiteral("斜体"))
        return QStringLiteral("italic normal normal ");
    if (fontStyle == QStringLiteral("両方"))
        return QStringLiteral("italic normal bold ");
    return QString();
}

QString cssAlign(const QString &align)
{
    if (align == QStringLiteral("右"))
        return QStringLiteral("right");
    if (align == QStringLiteral("左"))
        return QStringLiteral("left");
    if (align == QStringLiteral("中央"))
        return QStringLiteral("center");
    return QString();
}

} // namespace common
