#include "price_tags/designer_rules.h"

#include "platform/numbers.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

namespace price_tags {

QString designerCaption(const QString &designFile)
{
    const QString caption = QStringLiteral("貼付用値札作成ツール");
    if (designFile.isEmpty())
        return caption;
    return caption + QStringLiteral(" [") + QFileInfo(designFile).fileName() + QLatin1Char(']');
}

QString savePromptText(const QString &designFile)
{
    return QFileInfo(designFile).fileName() + QStringLiteral(" は更新されています.\r\n更新を保存しますか?");
}

QString savePromptTitle()
{
    return QStringLiteral("デザインの変更確認");
}

QString emptyListNoticeText()
{
    return QStringLiteral("データリストにデータがありません.");
}

QString emptyListNoticeTitle()
{
    return QStringLiteral("値札作成");
}

QString nothingToShowText()
{
    return QStringLiteral("表示するデータがまだありません.");
}

QString displayTitle()
{
    return QStringLiteral("貼付用値札の表示");
}

std::optional<LogoRatios> SetComp(const QString &widthText, const QString &heightText, QSize picture)
{
    const auto isZero = [](const QString &t) { return t == QLatin1String("0"); };
    if (widthText.isEmpty() || heightText.isEmpty() || isZero(widthText) || isZero(heightText))
        return std::nullopt;
    if (picture.width() <= 0 || picture.height() <= 0)
        return std::nullopt;
    LogoRatios r;
    r.heightPerWidth = double(picture.height()) / picture.width();
    r.widthPerHeight = double(picture.width()) / picture.height();
    return r;
}

std::optional<QString> keptLogoSide(const QString &typed, double ratio)
{
    const std::optional<double> value = platform::numericValue(typed);
    if (!value)
        return std::nullopt;
    const double other = std::floor(*value * ratio + 0.5);
    if (!std::isfinite(other) || other < std::numeric_limits<qint32>::min() ||
        other > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return QString::number(qint64(other));
}

} // namespace price_tags
