#include "common/logo_ratio.h"

#include "platform/numbers.h"

#include <cmath>
#include <limits>

namespace common {

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

} // namespace common
