#pragma once

#include "platform/folders.h"

#include <QLatin1String>
#include <QString>

class QWidget;
namespace platform {
class UiServices;
}

namespace app {

// ヘルプ, ReadMeを開く, WebSite of the main window: open a file or address with the desktop, or say why not.
// topic names a section of the HTML help (its id, such as "tanafuda"), where the help then opens; the
// compiled help has no sections and opens as it is.
void ShowHelpFile(platform::UiServices &ui, QWidget *parent, const platform::Folders &folders,
                  const QString &topic = QString());
void ShowReadMe(platform::UiServices &ui, QWidget *parent, const platform::Folders &folders);
void ShowWebSite(platform::UiServices &ui, QWidget *parent);

QString webSiteAddress();

// What ShowHelpFile opens: the help file, or with a topic the HTML help's address with that section.
QString helpTarget(const platform::Folders &folders, const QString &topic);

// The help sections of the windows whose F1 and help picture open the help.
namespace help_topic {
inline constexpr QLatin1String mainWindow("main");
inline constexpr QLatin1String tanafuda("tanafuda");
inline constexpr QLatin1String nefuda("nefuda");
inline constexpr QLatin1String daicyo("daicyo");
inline constexpr QLatin1String fileCopy("filecopy");
} // namespace help_topic

// An earlier version left files in the program folder: its settings file, or data files the data folder
// does not hold yet. The old-folder copy command is offered only then.
bool earlierVersionPresent(const platform::Folders &folders);

} // namespace app
