#pragma once

#include "dialogs/browser_settings.h"
#include "platform/apperror.h"

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace platform {
class UiServices;
}

namespace dialogs {

// The page file a maker writes into the application data folder, and the label its apology report
// gives when the page cannot be shown; each maker names its own (makerPage() in its sheet.h).
struct MakerPage {
    QString fileName;
    QString label;
    bool operator==(const MakerPage &) const = default;
};
// The page's full path in the application data folder, in the desktop's own separators.
QString makerPagePath(const MakerPage &page, const QString &appDataFolder);

// How a page is opened.
struct BrowserLaunch {
    enum class Kind { DefaultBrowser, Program, Nothing };
    Kind kind = Kind::Nothing;
    QString program;       // Program: the browser's path
    QStringList arguments; // Program: the page path
    QString target;        // DefaultBrowser: the page path
    bool operator==(const BrowserLaunch &) const = default;
};
// Used 0, or 1 with a path that names no existing file: the default browser; 1 with an existing
// program: that program with the page as its one argument; any other value: nothing.
BrowserLaunch browserLaunch(const BrowserSettings &browser, const QString &pagePath);
// The command line of a program launch: both paths quoted, one blank between ("\"a b\" \"c\"").
QString browserCommandLine(const QString &program, const QString &pagePath);

// Opens the page as browserLaunch says through the services. The failure, when the browser could
// not be started, for the caller to report with its maker's label once its window is usable again.
std::optional<platform::AppError> openPage(const BrowserSettings &browser, const QString &pagePath,
                                           platform::UiServices &services);

// The name a browser program is shown by: the file name without folders, in lower case, every ".exe"
// removed, the first character upper case ("C:\\Program Files\\WEB.EXE" → "Web").
QString browserDisplayName(const QString &programPath);

// What the browser choice dialog shows when it opens.
struct BrowserDialogStart {
    bool otherSelected = false; // OptionBrowser 1
    QString path;               // lblBRPath: the program when it still exists, else empty
};
BrowserDialogStart browserDialogStart(const BrowserSettings &browser);
// The choice after OK: Used 1 only with option 1 selected and a path naming an existing file.
BrowserSettings browserDialogResult(bool otherSelected, const QString &path);
// True when the path names an existing file (not a folder).
bool browserProgramExists(const QString &path);

inline const QString BrowserOtherCaption = QStringLiteral("その他のブラウザ(未指定)");

} // namespace dialogs
