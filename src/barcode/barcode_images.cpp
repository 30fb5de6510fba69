#include "barcode/barcode_images.h"

#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace barcode {

using platform::AppError;

namespace {

// The shipped images are a few kilobytes; anything far larger is not one of them.
constexpr qint64 kMaxImageBytes = 1024 * 1024;

AppError cannotCopy(const QString &target)
{
    return AppError{AppError::PermissionDenied,
                    QStringLiteral("バーコード用の画像をコピーできませんでした。 (") + target + QLatin1Char(')')};
}

// Puts the shipped bytes under the image's name: written to a temporary file beside it and renamed
// over it, so that a copy broken off (disk full) leaves the old file or none, never a cut image.
std::optional<AppError> replaceImage(const QByteArray &bytes, const QString &target, const QString &folder)
{
    QTemporaryFile temp(folder + QStringLiteral("/.vennlo-image-XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush())
        return cannotCopy(target);
    // rename(2) replaces the old name in one step, a symbolic link included (not what it points to).
    if (std::rename(QFile::encodeName(temp.fileName()).constData(), QFile::encodeName(target).constData()) != 0)
        return cannotCopy(target);
    temp.setAutoRemove(false);
    return std::nullopt;
}

} // namespace

QStringList barcodeImageNames()
{
    QStringList names{QStringLiteral("LB.bmp"), QStringLiteral("CB.bmp"), QStringLiteral("RB.bmp")};
    for (int d = 0; d < 10; ++d) {
        const QString digit = QString::number(d);
        names << digit + QStringLiteral("_L1.bmp") << digit + QStringLiteral("_L2.bmp")
              << digit + QStringLiteral("_R.bmp");
    }
    return names;
}

std::optional<AppError> ensureBarcodeImages(const QString &sourceFolder, const QString &targetFolder)
{
    const QDir target(targetFolder);
    const QDir source(sourceFolder);
    std::optional<AppError> first;
    bool folderMade = false;
    for (const QString &name : barcodeImageNames()) {
        const QFileInfo info(target.filePath(name));
        QByteArray shipped;
        const platform::ReadFault sourceFault =
            platform::readRegularFile(source.filePath(name), kMaxImageBytes, &shipped);
        std::optional<AppError> e;
        if (info.isFile()) {
            // Without the shipped image there is nothing to compare with: what is there stays.
            QByteArray present;
            if (sourceFault != platform::ReadFault::None ||
                (platform::readRegularFile(info.filePath(), kMaxImageBytes, &present) == platform::ReadFault::None &&
                 present == shipped))
                continue;
            e = replaceImage(shipped, info.filePath(), targetFolder);
        } else if (info.exists() || info.isSymLink()) {
            // A folder or anything else under an image's name cannot be replaced by the image.
            e = cannotCopy(info.filePath());
        } else if (sourceFault == platform::ReadFault::NotFound) {
            e = AppError::fileNotFound(source.filePath(name));
        } else if (sourceFault != platform::ReadFault::None) {
            e = cannotCopy(info.filePath());
        } else if (!folderMade && !QDir().mkpath(targetFolder)) {
            e = cannotCopy(info.filePath());
        } else {
            folderMade = true;
            e = replaceImage(shipped, info.filePath(), targetFolder);
        }
        if (e && !first)
            first = e;
    }
    return first;
}

} // namespace barcode
