#include "platform/font_config.h"

#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

namespace platform {

QString programFontConfigFile(const QString &programFolder)
{
    return programFolder + QStringLiteral("/vennlo-fonts.conf");
}

QString useProgramFontConfig(const QString &programFolder)
{
    if (!qEnvironmentVariableIsEmpty("FONTCONFIG_FILE"))
        return QString();
    const QString file = programFontConfigFile(programFolder);
    if (!QFileInfo(file).isFile())
        return QString();
    qputenv("FONTCONFIG_FILE", QFile::encodeName(file));
    return file;
}

QString executableFolder()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
}

} // namespace platform
