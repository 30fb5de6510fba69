#pragma once

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
// laid out in time or written.
bool savePagePdf(const QString &htmlPath, const QString &pdfPath, platform::AppError *error, QWidget *window = nullptr,
                 int timeoutMs = PagePdfTimeoutBySize);

// Shows the system's print dialog for the page and prints it, A4 portrait by default with margins 0.
// False when the page could not be loaded or printed (*error set) or the dialog was cancelled
// (*error left unset).
bool printPage(QWidget *parent, const QString &htmlPath, platform::AppError *error,
               int timeoutMs = PagePdfTimeoutBySize);
// The printing itself, on a printer already set up (by the print dialog, or a PDF file printer).
bool printPageTo(QPrinter &printer, const QString &htmlPath, platform::AppError *error,
                 int timeoutMs = PagePdfTimeoutBySize);

} // namespace dialogs
