#pragma once

#include "dialogs/browser_display.h"

class QWidget;

namespace platform {
class UiServices;
}

namespace dialogs {

// The maker window's own controls that showing its page disables for the while.
struct ExplorerControls {
    QWidget *window = nullptr;
    QWidget *cmdExplorer = nullptr;
    QWidget *makeCommand = nullptr; // cmd作成
    bool nonEmptyList = false;      // the make command comes back only when the maker has products
};

// Shows the maker's page in the chosen browser with the window disabled and the wait cursor; the
// window is usable again before a failure is reported (the apology report with the maker's label).
// False when the page could not be shown.
bool ShowExplorer(const MakerPage &page, const BrowserSettings &browser, const QString &appDataFolder,
                  const ExplorerControls &controls, platform::UiServices &services);

} // namespace dialogs
