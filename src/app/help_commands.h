#pragma once

#include "platform/folders.h"

class QWidget;
namespace platform {
class UiServices;
}

namespace app {

// ヘルプ, ReadMeを開く, WebSite of the main window: open a file or address with the desktop, or say why not.
void ShowHelpFile(platform::UiServices &ui, QWidget *parent, const platform::Folders &folders);
void ShowReadMe(platform::UiServices &ui, QWidget *parent, const platform::Folders &folders);
void ShowWebSite(platform::UiServices &ui, QWidget *parent);

QString webSiteAddress();

// An earlier version left files in the program folder: its settings file, or data files the data folder
// does not hold yet. The old-folder copy command is offered only then.
bool earlierVersionPresent(const platform::Folders &folders);

} // namespace app
