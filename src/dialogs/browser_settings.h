#pragma once

#include <QString>

namespace dialogs {

// Which browser shows the generated pages: 0 = the desktop's default browser, 1 = the program at path.
struct BrowserSettings {
    int used = 0; // BR/Used
    QString path; // BR/Path
    bool operator==(const BrowserSettings &) const = default;
};

} // namespace dialogs
