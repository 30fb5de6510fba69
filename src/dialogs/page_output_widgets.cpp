#include "dialogs/page_output_widgets.h"

#include "dialogs/page_pdf_widgets.h"
#include "painting/page_stream.h"
#include "platform/reports.h"
#include "platform/user_services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileInfo>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QWidget>

#include <climits>

namespace dialogs {

namespace {

// The page the maker made last, or the empty text (and the display command's message) when none.
QString madePage(QWidget *window, const PageOutput &output, platform::UiServices &services)
{
    const QString page = makerPagePath(output.page, output.appDataFolder);
    if (QFileInfo(page).isFile())
        return page;
    services.message(window, output.noPage.title, output.noPage.text, output.noPage.icon);
    return QString();
}

common::PrintCalibration calibrationOf(const PageOutput &output)
{
    return output.calibration ? *output.calibration : common::PrintCalibration{};
}

// Paints with a progress dialog (pages done / pages) whose キャンセル stops the sheet, shifted by the
// printer's calibration.
struct PaintProgress {
    explicit PaintProgress(QWidget *window)
        : dialog(QStringLiteral("ページを出力しています..."), QStringLiteral("キャンセル"), 0, 0, window)
    {
        dialog.setWindowModality(Qt::WindowModal);
        dialog.setMinimumDuration(300);
        dialog.setAutoReset(false);
        dialog.setAutoClose(false);
    }
    painting::PaintOptions options(const common::PrintCalibration &calibration)
    {
        painting::PaintOptions o;
        o.offsetMm = QPointF(calibration.xMm(), calibration.yMm());
        o.progress = [this](qint64 done, qint64 pages) {
            dialog.setMaximum(int(std::min<qint64>(pages, INT_MAX)));
            dialog.setValue(int(std::min<qint64>(done, INT_MAX)));
            dialog.setLabelText(QStringLiteral("%1 / %2 ページ").arg(done).arg(pages));
            QApplication::processEvents();
        };
        o.cancelled = [this] { return dialog.wasCanceled(); };
        return o;
    }
    QProgressDialog dialog;
};

// The window disabled (no second command while the sheet is drawn) and the wait cursor meanwhile.
struct Busy {
    explicit Busy(QWidget *w) : window(w)
    {
        if (window)
            window->setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Busy()
    {
        QApplication::restoreOverrideCursor();
        if (window)
            window->setEnabled(true);
    }
    QWidget *window;
};

} // namespace

bool showPageCommand(const ExplorerControls &controls, const PageOutput &output, const BrowserSettings &browser,
                     platform::UiServices &services)
{
    if (madePage(controls.window, output, services).isEmpty())
        return false;
    return ShowExplorer(output.page, browser, output.appDataFolder, controls, services);
}

bool savePagePdfCommand(QWidget *window, const PageOutput &output, platform::UiServices &services)
{
    const QString page = madePage(window, output, services);
    if (page.isEmpty())
        return false;
    const auto request = platform::UiServices::FileDialogRequest::saving(
        output.initialFolder, QStringLiteral("PDF ファイル (*.pdf)|*.pdf"), QStringLiteral("PDF保存"),
        QStringLiteral("pdf"));
    const QString pdf = services.fileDialog(window, request);
    if (pdf.isEmpty())
        return false;
    platform::AppError error;
    if (const SheetPainter paint = output.painter ? output.painter() : SheetPainter()) {
        common::MakeResult result;
        painting::PaintOutcome outcome = painting::PaintOutcome::Failed;
        {
            Busy busy(window);
            PaintProgress progress(window);
            result = painting::makePdfWith(paint, pdf, progress.options(calibrationOf(output)), QString(), &outcome);
        }
        if (outcome == painting::PaintOutcome::Cancelled)
            return false;
        if (result.kind == common::MakeResult::Refused && result.refusal().refused()) {
            services.message(window, result.title, result.text, result.icon);
            return false;
        }
        if (!result.ok()) {
            platform::showErrorReport(services, window, output.windowName + QStringLiteral(".cmdPDF"), result.error);
            return false;
        }
        return true;
    }
    if (!savePagePdf(page, pdf, &error, window, PagePdfTimeoutBySize, calibrationOf(output))) {
        platform::showErrorReport(services, window, output.windowName + QStringLiteral(".cmdPDF"), error);
        return false;
    }
    return true;
}

bool printPageCommand(QWidget *window, const PageOutput &output, platform::UiServices &services)
{
    const QString page = madePage(window, output, services);
    if (page.isEmpty())
        return false;
    platform::AppError error;
    if (const SheetPainter paint = output.painter ? output.painter() : SheetPainter()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFullPage(true);
        printer.setPageSize(QPageSize(QPageSize::A4));
        QPrintDialog dialog(&printer, window);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        printer.setFullPage(true);
        common::MakeResult result;
        painting::PaintOutcome outcome = painting::PaintOutcome::Failed;
        {
            Busy busy(window);
            PaintProgress progress(window);
            result = paint(printer, progress.options(calibrationOf(output)), &outcome);
        }
        if (outcome == painting::PaintOutcome::Cancelled) {
            printer.abort();
            return false;
        }
        if (result.kind == common::MakeResult::Refused && result.refusal().refused()) {
            services.message(window, result.title, result.text, result.icon);
            return false;
        }
        if (result.ok())
            return true;
        platform::showErrorReport(services, window, output.windowName + QStringLiteral(".cmd印刷"), result.error);
        return false;
    }
    if (printPage(window, page, &error, PagePdfTimeoutBySize, calibrationOf(output)))
        return true;
    // Without a failure the print dialog was cancelled.
    if (error.isSet())
        platform::showErrorReport(services, window, output.windowName + QStringLiteral(".cmd印刷"), error);
    return false;
}

void connectPageOutput(const ExplorerControls &controls, QAbstractButton *pdfButton, QAbstractButton *printButton,
                       const PageOutput &output, const BrowserSettings &browser, platform::UiServices &services)
{
    QWidget *window = controls.window;
    QObject::connect(qobject_cast<QAbstractButton *>(controls.cmdExplorer), &QAbstractButton::clicked, window,
                     [controls, output, &browser, &services] { showPageCommand(controls, output, browser, services); });
    QObject::connect(pdfButton, &QAbstractButton::clicked, window,
                     [window, output, &services] { savePagePdfCommand(window, output, services); });
    QObject::connect(printButton, &QAbstractButton::clicked, window,
                     [window, output, &services] { printPageCommand(window, output, services); });
}

} // namespace dialogs
