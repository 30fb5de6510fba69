#include "dialogs/page_output_widgets.h"

#include "dialogs/page_pdf_widgets.h"
#include "platform/reports.h"
#include "platform/user_services.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QWidget>

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
