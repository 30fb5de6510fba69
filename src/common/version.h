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
// What --version prints after the program's name: the version window's two lines on one.
inline QString applicationVersionText()
{
    return versionText() + QLatin1Char(' ') + revisionText();
}
inline QString programTitle()
{
    return QStringLiteral("ぽらね値札作成");
}

} // namespace common
