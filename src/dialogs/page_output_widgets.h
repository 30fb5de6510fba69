#pragma once

#include "common/maker.h"
#include "common/print_calibration.h"
#include "dialogs/browser_display.h"
#include "dialogs/browser_display_widgets.h"
#include "painting/page_stream.h"

#include <QString>

#include <functional>

class QAbstractButton;
class QPagedPaintDevice;
class QWidget;

namespace platform {
class UiServices;
}

namespace dialogs {

// Draws the sheet the window made last onto a PDF writer or a printer (its maker's sheetPainter, with
// the window's label stock and printer calibration put into the options).
using painting::SheetPainter;

// What the display, PDF and print commands of a maker window need to know of it.
struct PageOutput {
    MakerPage page;         // the page the maker writes
    QString appDataFolder;  // where the maker writes its page
    QString initialFolder;  // where the PDF file dialog starts
    common::Refusal noPage; // the display command's message when no page was made yet
    QString windowName;     // "frmXxx": the error reports are "frmXxx.cmdPDF", "frmXxx.cmd印刷"
    // The printer's shift the PDF and the print apply (the settings' record); none when null.
    const common::PrintCalibration *calibration = nullptr;
    // Draws the sheet itself; gives nothing (an empty function) before the window's first make, when
    // the page on disk is turned into the PDF or the print by the web engine instead.
    std::function<SheetPainter()> painter;
};

// The display command: the page the window made last in the chosen browser, with the window
// disabled meanwhile. False when nothing was shown (no page yet, said; or a failure, reported).
bool showPageCommand(const ExplorerControls &controls, const PageOutput &output, const BrowserSettings &browser,
                     platform::UiServices &services);
// The PDF command: asks for a file name and writes the PDF of the page the window made last, with the
// window disabled and the wait cursor meanwhile. False when no PDF was written (no page yet, the
// dialog cancelled, or a failure, which is shown in the error report).
bool savePagePdfCommand(QWidget *window, const PageOutput &output, platform::UiServices &services);
// The print command: the print dialog, then the page on the chosen printer, with a progress dialog
// (pages done / pages) that can cancel it. False when nothing was printed.
bool printPageCommand(QWidget *window, const PageOutput &output, platform::UiServices &services);

// Gives the window's display (controls.cmdExplorer), PDF and print buttons their commands.
void connectPageOutput(const ExplorerControls &controls, QAbstractButton *pdfButton, QAbstractButton *printButton,
                       const PageOutput &output, const BrowserSettings &browser, platform::UiServices &services);

} // namespace dialogs
