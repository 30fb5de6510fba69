#include "painting/units.h"

#include <cmath>

namespace painting {

std::optional<double> cssLengthPx(const QString &text)
{
    const QString t = text.trimmed();
    struct Unit {
        const char *name;
        double px;
    };
    static const Unit units[] = {{"pt", PxPerInch / PtPerInch}, {"mm", PxPerInch / MmPerInch}, {"px", 1.0}};
    for (const Unit &u : units) {
        if (!t.endsWith(QLatin1String(u.name), Qt::CaseInsensitive))
            continue;
        bool ok = false;
        const double v = t.chopped(2).toDouble(&ok);
        if (!ok || v < 0)
            return std::nullopt;
        return v * u.px;
    }
    return std::nullopt;
}

double layoutLength(double px)
{
    return std::trunc(px * 64) / 64;
}

std::optional<double> mmTextPx(const QString &text)
{
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return mmToPx(v);
}

} // namespace painting
