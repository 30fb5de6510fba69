#pragma once

#include "common/maker.h"
#include "dialogs/browser_display.h"
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

// What the PDF and print commands of a maker window need to know of it.
struct PageOutput {
    PageMaker maker = PageMaker::ShelfLabels;
    QString appDataFolder;  // where the maker writes its page
    QString initialFolder;  // where the PDF file dialog starts
    common::Refusal noPage; // the display command's message when no page was made yet
    QString windowName;     // "frmTanafuda": the error reports are "frmTanafuda.cmdPDF", "frmTanafuda.cmd印刷"
    // Draws the sheet itself; gives nothing (an empty function) before the window's first make, when
    // the page on disk is turned into the PDF or the print by the web engine instead.
    std::function<SheetPainter()> painter;
};

// The PDF command: asks for a file name and writes the PDF of the page the window made last, with the
// window disabled and the wait cursor meanwhile. False when no PDF was written (no page yet, the
// dialog cancelled, or a failure, which is shown in the error report).
bool savePagePdfCommand(QWidget *window, const PageOutput &output, platform::UiServices &services);
// The print command: the print dialog, then the page on the chosen printer, with a progress dialog
// (pages done / pages) that can cancel it. False when nothing was printed.
bool printPageCommand(QWidget *window, const PageOutput &output, platform::UiServices &services);

// Gives the window's PDF and print buttons their commands.
void connectPageOutput(QWidget *window, QAbstractButton *pdfButton, QAbstractButton *printButton,
                       const PageOutput &output, platform::UiServices &services);

} // namespace dialogs
