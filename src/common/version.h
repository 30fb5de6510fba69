#pragma once

#include <QString>

namespace common {

inline QString versionText()
{
    return QStringLiteral("Ver 3.07");
}
inline QString revisionText()
{
    return QStringLiteral("Build:62");
}
inline QString programTitle()
{
    return QStringLiteral("ぽらね値札作成");
}

} // namespace common
