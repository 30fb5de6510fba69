#pragma once

#include "common/maker.h"
#include "dialogs/browser_display_widgets.h"

#include <functional>

namespace dialogs {

// Runs make on a worker thread while the maker window stays painted: the window and its make and
// display commands are disabled, user input waits, and making is true for a close request to see.
// make must work on copies only; it runs on the other thread.
common::MakeResult makeAside(const ExplorerControls &controls, bool &making,
                             const std::function<common::MakeResult()> &make);

// The make's message box; after a page was made, the display command has the focus.
void showMakeResult(platform::UiServices &services, const ExplorerControls &controls,
                    const common::MakeResult &outcome);

} // namespace dialogs
