#include "app/help_commands.h"

#include "dialogs/old_files.h"

#include "app/startup.h"
#include "platform/apperror.h"
#include "platform/reports.h"
#include "platform/user_services.h"

#include <QFileInfo>
#include <QUrl>

namespace app {

using platform::UiServices;

QString helpTarget(const platform::Folders &folders, const QString &topic)
{
    const QString path = helpFilePath(folders);
    // The desktop opens an address without telling whether its file is there: a missing help file is
    // named as a path, so that opening it fails and is reported.
    if (topic.isEmpty() || !path.endsWith(QLatin1String(".html")) || !QFileInfo::exists(path))
        return path;
    QUrl url = QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath());
    url.setFragment(topic);
    return url.toString(QUrl::FullyEncoded);
}

void ShowHelpFile(UiServices &ui, QWidget *parent, const platform::Folders &folders, const QString &topic)
{
    if (!ui.openWithShell(helpTarget(folders, topic)))
        ui.critical(parent, QStringLiteral("ヘルプファイルエラー"),
                    QStringLiteral("ヘルプファイル(vennlo.chm)が存在しないか\r\n"
                                   "もしくはシステムが HTMLヘルプに対応していません"));
}

void ShowReadMe(UiServices &ui, QWidget *parent, const platform::Folders &folders)
{
    if (!ui.openWithShell(readMeFilePath(folders)))
        ui.critical(parent, QStringLiteral("Readme.txtを開く"),
                    QStringLiteral("readme.txt が存在しないか\r\n"
                                   "もしくはシステム対応していません"));
}

QString webSiteAddress()
{
    return QStringLiteral("https://vestrel.example/vennla/");
}

void ShowWebSite(UiServices &ui, QWidget *parent)
{
    if (!ui.openWithShell(webSiteAddress()))
        platform::showErrorReport(
            ui, parent, QStringLiteral("main.mnuWebSite"),
            platform::AppError{platform::AppError::FileNotFound, QStringLiteral("ブラウザを起動できません。")});
}

bool earlierVersionPresent(const platform::Folders &folders)
{
    // Files an older release kept in the program folder: its settings file, or any data file that the
    // data folder does not hold yet (what the copy tool would offer).
    return QFileInfo::exists(folders.oldSettingsFile()) ||
           !dialogs::findOldDataFiles(folders.program, folders.data).paths.isEmpty();
}

} // namespace app
