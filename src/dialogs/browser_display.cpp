#include "dialogs/browser_display.h"

#include "platform/user_services.h"

#include <QDir>
#include <QFileInfo>

namespace dialogs {

QString makerPagePath(const MakerPage &page, const QString &appDataFolder)
{
    return QDir::toNativeSeparators(QDir(appDataFolder).filePath(page.fileName));
}

bool browserProgramExists(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

BrowserLaunch browserLaunch(const BrowserSettings &browser, const QString &pagePath)
{
    BrowserLaunch launch;
    if (browser.used == 1 && browserProgramExists(browser.path)) {
        launch.kind = BrowserLaunch::Kind::Program;
        launch.program = browser.path;
        launch.arguments = {pagePath};
    } else if (browser.used == 0 || browser.used == 1) {
        // A chosen program that has gone since is no error: the default browser stands in.
        launch.kind = BrowserLaunch::Kind::DefaultBrowser;
        launch.target = pagePath;
    }
    return launch;
}

QString browserCommandLine(const QString &program, const QString &pagePath)
{
    return u'"' + program + QStringLiteral("\" \"") + pagePath + u'"';
}

std::optional<platform::AppError> openPage(const BrowserSettings &browser, const QString &pagePath,
                                           platform::UiServices &services)
{
    const BrowserLaunch launch = browserLaunch(browser, pagePath);
    switch (launch.kind) {
    case BrowserLaunch::Kind::DefaultBrowser:
        if (!services.openWithShell(launch.target))
            return platform::AppError{429, QStringLiteral("ブラウザでページを開けませんでした: ") + launch.target};
        break;
    case BrowserLaunch::Kind::Program:
        if (!services.startProgram(launch.program, launch.arguments))
            return platform::AppError{5, QStringLiteral("ブラウザを起動できませんでした: ") +
                                             browserCommandLine(launch.program, pagePath)};
        break;
    case BrowserLaunch::Kind::Nothing:
        break;
    }
    return std::nullopt;
}

QString browserDisplayName(const QString &programPath)
{
    QString name = programPath;
    const qsizetype cut = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    name = name.mid(cut + 1).toLower().remove(QStringLiteral(".exe"));
    if (!name.isEmpty())
        name[0] = name.at(0).toUpper();
    return name;
}

BrowserDialogStart browserDialogStart(const BrowserSettings &browser)
{
    if (browserProgramExists(browser.path))
        return {browser.used != 0, browser.path};
    return {false, QString()};
}

BrowserSettings browserDialogResult(bool otherSelected, const QString &path)
{
    if (!browserProgramExists(path))
        return {0, QString()};
    return {otherSelected ? 1 : 0, path};
}

} // namespace dialogs
