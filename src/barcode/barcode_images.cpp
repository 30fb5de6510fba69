#include "barcode/barcode_images.h"

#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

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

// Copies one image without ever replacing a file of that name.
std::optional<AppError> copyImage(const QString &source, const QString &target, const QString &folder)
{
    QByteArray bytes;
    switch (platform::readRegularFile(source, kMaxImageBytes, &bytes)) {
    case platform::ReadFault::None:
        break;
    case platform::ReadFault::NotFound:
        return AppError::fileNotFound(source);
    default:
        return cannotCopy(target);
    }
    QTemporaryFile temp(folder + QStringLiteral("/.vennlo-image-XXXXXX"));
    if (!temp.open() || temp.write(bytes) != bytes.size() || !temp.flush())
        return cannotCopy(target);
    // Renaming a temporary file does not replace an existing one: an image that appeared meanwhile is
    // kept, and the copy counts as done.
    if (!temp.rename(target)) {
        if (QFileInfo(target).isFile())
            return std::nullopt;
        return cannotCopy(target);
    }
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
        if (info.isFile())
            continue;
        std::optional<AppError> e;
        if (info.exists() || info.isSymLink()) {
            // A folder or anything else under an image's name cannot be replaced by the image.
            e = cannotCopy(info.filePath());
        } else if (!folderMade && !QDir().mkpath(targetFolder)) {
            e = cannotCopy(info.filePath());
        } else {
            folderMade = true;
            e = copyImage(source.filePath(name), info.filePath(), targetFolder);
        }
        if (e && !first)
            first = e;
    }
    return first;
}

} // namespace barcode
