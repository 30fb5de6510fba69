#include "app/help_commands.h"

#include "dialogs/old_files.h"

#include "app/startup.h"
#include "platform/apperror.h"
#include "platform/reports.h"
#include "platform/user_services.h"

#include <QFileInfo>

namespace app {

using platform::UiServices;

void ShowHelpFile(UiServices &ui, QWidget *parent, const platform::Folders &folders)
{
    if (!ui.openWithShell(helpFilePath(folders)))
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
