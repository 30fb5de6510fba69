#include "app/startup.h"

#include "platform/single_instance.h"
#include "platform/user_services.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

namespace app {

using platform::AppError;
using platform::Folders;

bool checkSingleInstance(platform::SingleInstance &instance, platform::UiServices &ui, const QString &file)
{
    if (instance.acquire() == platform::SingleInstance::State::First) {
        instance.listen();
        return true;
    }
    if (!file.isEmpty() && instance.handOver(file))
        return false;
    ui.information(nullptr, QStringLiteral("ぽらね値札作成"), QStringLiteral("すでに起動しています."));
    return false;
}

QString givenFilePath(const QString &argument)
{
    if (argument.isEmpty())
        return {};
    if (argument.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive)) {
        const QUrl url(argument);
        const bool here = url.host().isEmpty() || url.host() == QStringLiteral("localhost");
        return url.isLocalFile() && here ? QFileInfo(url.path()).absoluteFilePath() : QString();
    }
    return QFileInfo(argument).absoluteFilePath();
}

GivenFileKind givenFileKind(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QStringLiteral("hdn"), Qt::CaseInsensitive) == 0)
        return GivenFileKind::ShelfDesign;
    if (suffix.compare(QStringLiteral("cdn"), Qt::CaseInsensitive) == 0)
        return GivenFileKind::TagDesign;
    return GivenFileKind::ProductList;
}

Folders GetSPF(std::optional<AppError> *error)
{
    Folders f = Folders::standard();
    if (error) {
        if (f.documents.isEmpty() || f.appDataRoot.isEmpty() || f.program.isEmpty())
            *error = AppError::pathNotFound();
        else
            error->reset();
    }
    return f;
}

namespace {

std::optional<AppError> makeFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return std::nullopt;
    if (info.exists())
        return AppError::pathNotFound(path); // a file stands where the folder should be
    if (!QDir().mkpath(path))
        return AppError::permissionDenied(path);
    return std::nullopt;
}

// Copies every file and subfolder of source into the existing folder target.
std::optional<AppError> copyTree(const QString &source, const QString &target)
{
    const QDir src(source);
    QDirIterator it(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = target + QLatin1Char('/') + src.relativeFilePath(from);
        if (it.fileInfo().isDir()) {
            if (!QDir().mkpath(to))
                return AppError::permissionDenied(to);
            continue;
        }
        QFile::remove(to);
        if (!QFile::copy(from, to))
            return QFileInfo::exists(from) ? AppError::permissionDenied(to) : AppError::fileNotFound(from);
    }
    return std::nullopt;
}

std::optional<AppError> copyBarCodeFolder(const Folders &folders)
{
    const QString target = folders.appData + QStringLiteral("/BarCode");
    if (QFileInfo::exists(target))
        return std::nullopt;
    const QString source = folders.program + QStringLiteral("/BarCode");
    if (!QFileInfo(source).isDir())
        return makeFolder(target);
    // Filled beside the target and renamed into place, so a copy broken off half-way never leaves a
    // BarCode folder that later starts would take as complete.
    const QString staging = folders.appData + QStringLiteral("/BarCode.copying");
    QDir(staging).removeRecursively();
    if (auto e = makeFolder(staging))
        return e;
    if (auto e = copyTree(source, staging)) {
        QDir(staging).removeRecursively();
        return e;
    }
    if (!QDir().rename(staging, target)) {
        QDir(staging).removeRecursively();
        return AppError::permissionDenied(target);
    }
    return std::nullopt;
}

} // namespace

std::optional<AppError> MakeSpecialFolder(const Folders &folders)
{
    std::optional<AppError> first;
    for (const QString &path : {folders.documents, folders.data, folders.appDataRoot, folders.appData}) {
        auto e = makeFolder(path);
        if (e && !first)
            first = e;
    }
    return first;
}

QStringList sampleFileNames()
{
    return {QStringLiteral("sample.csv"), QStringLiteral("名刺カードサンプル.hdn"), QStringLiteral("sample_logo.gif"),
            QStringLiteral("sample_logoC.gif")};
}

std::optional<AppError> AppDataFilesCopy(const Folders &folders)
{
    // Each copy is independent of the others: one that fails does not keep the rest from being made.
    std::optional<AppError> first = copyBarCodeFolder(folders);
    for (const QString &name : sampleFileNames()) {
        const QString source = folders.program + QLatin1Char('/') + name;
        const QString target = folders.data + QLatin1Char('/') + name;
        if (!QFileInfo::exists(source) || QFileInfo::exists(target))
            continue;
        if (!QFile::copy(source, target)) {
            if (!first)
                first = AppError::permissionDenied(target);
            continue;
        }
        // Shipped files may be read-only in the installation; the user's copy must be editable.
        QFile(target).setPermissions(QFile(target).permissions() | QFileDevice::WriteOwner | QFileDevice::ReadOwner);
    }
    return first;
}

namespace {
QString inProgramFolder(const Folders &folders, const QString &name)
{
    if (folders.program.endsWith(QLatin1Char('/')))
        return folders.program + name;
    return folders.program + QLatin1Char('/') + name;
}
} // namespace

QString helpFilePath(const Folders &folders)
{
    // The desktops the program runs on have no compiled-help viewer: the help ships as an HTML page,
    // and the compiled file is used only where someone put one.
    const QString html = inProgramFolder(folders, QStringLiteral("vennlo_help.html"));
    if (QFileInfo::exists(html))
        return html;
    return inProgramFolder(folders, QStringLiteral("vennlo.chm"));
}
QString readMeFilePath(const Folders &folders)
{
    return inProgramFolder(folders, QStringLiteral("readme.txt"));
}

} // namespace app
