#include "dialogs/old_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace dialogs {

bool isOldDataFileName(const QString &fileName)
{
    const QString end = fileName.right(3).toLower();
    return end == QLatin1String("csv") || end == QLatin1String("hdn") || end == QLatin1String("cdn") ||
           end == QLatin1String("jpg") || end == QLatin1String("gif");
}

namespace {
void searchFolder(const QString &folder, const QDir &data, OldFileSearch &out, const FileProgress &progress)
{
    const QDir dir(folder);
    if (!dir.exists() || !dir.isReadable()) {
        out.error = platform::AppError::pathNotFound(folder);
        out.errorFolder = folder;
        return;
    }
    QStringList found;
    const QFileInfoList files = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo &f : files) {
        if (progress)
            progress();
        if (isOldDataFileName(f.fileName()) && !QFileInfo::exists(data.filePath(f.fileName())))
            found.append(QDir::toNativeSeparators(f.absoluteFilePath()));
    }
    out.paths = found + out.paths;
    const QFileInfoList subs = dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo &s : subs) {
        if (s.isSymLink())
            continue; // a link back up would walk for ever
        searchFolder(s.absoluteFilePath(), data, out, progress);
        if (out.error.isSet())
            return;
    }
}
} // namespace

OldFileSearch findOldDataFiles(const QString &programFolder, const QString &dataFolder, const FileProgress &progress)
{
    OldFileSearch out;
    searchFolder(programFolder, QDir(dataFolder), out, progress);
    return out;
}

OldFileCopy copyOldDataFiles(const QStringList &sources, const QString &dataFolder, const FileProgress &progress)
{
    OldFileCopy out;
    const QDir data(dataFolder);
    for (const QString &source : sources) {
        if (progress)
            progress();
        const QFileInfo from(source);
        const QString target = data.filePath(from.fileName());
        if (!from.isFile() || QFileInfo::exists(target)) {
            ++out.skipped;
            continue;
        }
        // QFile::copy never replaces an existing file, so a name that appeared meanwhile is kept too.
        if (!QFile::copy(from.absoluteFilePath(), target)) {
            out.error =
                data.exists() ? platform::AppError::permissionDenied(target) : platform::AppError::pathNotFound(target);
            return out;
        }
        ++out.copied;
    }
    return out;
}

} // namespace dialogs
