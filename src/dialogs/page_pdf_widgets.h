#pragma once

#include "common/print_calibration.h"
#include "dialogs/page_pdf_time.h"
#include "platform/apperror.h"

#include <QString>

class QPrinter;
class QWidget;

namespace dialogs {

// A timeout of PagePdfTimeoutBySize gives the page the time pagePdfTimeoutMs allows for its size.
inline constexpr int PagePdfTimeoutBySize = -1;

// Turns a page file just made (temp.html, ctemp.html, dtemp.html beside its BarCode/ images) into a
// PDF: A4 portrait, margins 0, the page's own millimetres. Synchronous from the caller's view: a local
// event loop runs while the window (when given) is disabled and shows the wait cursor. The PDF is
// written whole or not at all. False with the failure in *error when the page could not be read,
// laid out in time or written. The calibration moves the page's content by the printer's shift
// (see placeOnPaper).
bool savePagePdf(const QString &htmlPath, const QString &pdfPath, platform::AppError *error, QWidget *window = nullptr,
                 int timeoutMs = PagePdfTimeoutBySize, const common::PrintCalibration &calibration = {});

// Shows the system's print dialog for the page and prints it, A4 portrait by default with margins 0.
// False when the page could not be loaded or printed (*error set) or the dialog was cancelled
// (*error left unset).
bool printPage(QWidget *parent, const QString &htmlPath, platform::AppError *error,
               int timeoutMs = PagePdfTimeoutBySize, const common::PrintCalibration &calibration = {});
// The printing itself, on a printer already set up (by the print dialog, or a PDF file printer).
bool printPageTo(QPrinter &printer, const QString &htmlPath, platform::AppError *error,
                 int timeoutMs = PagePdfTimeoutBySize, const common::PrintCalibration &calibration = {});

// The script that moves a loaded page by the printer's shift before it is printed. Each sheet of a
// page on a label stock is translated by x, y millimetres and made as much narrower and shorter as it
// moves right and down, so that the web engine never shrinks the page to fit it. On a free page the
// body's blocks are translated inside the body, which clips them when they move right: what moves
// past the body's 8 px margin at the right is cut rather than the whole page shrunk. Empty for a zero calibration: the
// page prints as it is.
QString placeOnPaperScript(const common::PrintCalibration &calibration);

} // namespace dialogs
