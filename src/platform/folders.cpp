#include "platform/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace platform {

QString programFolder()
{
    return programFolderOf(QCoreApplication::applicationDirPath());
}

QString programFolderOf(const QString &exeDir)
{
    const QString installed = QDir::cleanPath(exeDir + QStringLiteral("/../share/vennlo"));
    if (!QFileInfo::exists(exeDir + QStringLiteral("/BarCode")) && QFileInfo(installed).isDir())
        return installed;
    return exeDir;
}

Folders Folders::standard()
{
    Folders f;
    QString docs = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (docs.isEmpty())
        docs = QDir::homePath() + QStringLiteral("/Documents");
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty())
        data = QDir::homePath() + QStringLiteral("/.local/share");
    f.documents = docs + QStringLiteral("/Vestrel");
    f.data = f.documents + QStringLiteral("/値札データ");
    f.appDataRoot = data + QStringLiteral("/Vestrel");
    f.appData = f.appDataRoot + QStringLiteral("/Vennla");
    f.barcode = f.appData + QStringLiteral("/BarCode/");
    f.programFiles = QStringLiteral("/usr/bin");
    f.program = programFolder();
    return f;
}

} // namespace platform
