#include "dialogs/page_pdf_widgets.h"

#include "common/helpers.h"
#include "dialogs/page_fonts_widgets.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageReader>
#include <QLoggingCategory>
#include <QPageLayout>
#include <QPageSize>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineUrlRequestInterceptor>
#include <QWebEngineView>
#include <QWidget>

namespace dialogs {

// How long each step of a PDF takes: QT_LOGGING_RULES="vennlo.pdf.info=true".
Q_LOGGING_CATEGORY(lcPagePdf, "vennlo.pdf", QtWarningMsg)

namespace {

// Classic "device I/O error": the page engine failed to load, lay out or print the page.
constexpr int DeviceIoError = 57;
// Classic "path/file access error": the PDF was to be written over the page.
constexpr int FileAccessError = 75;

platform::AppError engineFailure(const QString &what)
{
    return platform::AppError{DeviceIoError, what};
}

void setError(platform::AppError *error, const platform::AppError &e)
{
    if (error)
        *error = e;
}

QPageLayout a4NoMargins()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// Disables the window and shows the wait cursor for as long as it lives.
class BusyWindow {
public:
    explicit BusyWindow(QWidget *window) : window_(window)
    {
        if (window_)
            window_->setEnabled(false);
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~BusyWindow()
    {
        QGuiApplication::restoreOverrideCursor();
        if (window_)
            window_->setEnabled(true);
    }
    BusyWindow(const BusyWindow &) = delete;
    BusyWindow &operator=(const BusyWindow &) = delete;

private:
    QPointer<QWidget> window_;
};

// Runs local event loops for one job until each step is done or the job's time is up. Declared before
// the page it waits for, so that a late answer of the page never reaches a finished wait.
class Wait {
public:
    explicit Wait(int timeoutMs)
    {
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, &loop_, [this] {
            timedOut_ = true;
            loop_.exit(1);
        });
        timer_.start(timeoutMs);
    }
    void begin() { done_ = false; }
    void markDone()
    {
        done_ = true;
        loop_.exit(0);
    }
    // False when the time ran out before the step was done.
    bool run()
    {
        while (!done_ && !timedOut_)
            loop_.exec();
        return done_;
    }

private:
    QEventLoop loop_;
    QTimer timer_;
    bool done_ = false;
    bool timedOut_ = false;
};

// Lets a page load nothing but itself and the pictures it shows from local files (its BarCode/
// images, the logo): frames, objects, embeds, style sheets, scripts and every request to the network
// are refused, so that a page cannot put another local file into the PDF. A picture is let through
// only when it reads as one of a size a label can show.
class PageOnlyInterceptor : public QWebEngineUrlRequestInterceptor {
public:
    PageOnlyInterceptor(const QUrl &page, QObject *parent) : QWebEngineUrlRequestInterceptor(parent), page_(page) {}

    void interceptRequest(QWebEngineUrlRequestInfo &info) override
    {
        const QUrl url = info.requestUrl().adjusted(QUrl::RemoveFragment);
        bool allowed = false;
        if (url.isLocalFile()) {
            switch (info.resourceType()) {
            case QWebEngineUrlRequestInfo::ResourceTypeMainFrame:
                allowed = url == page_;
                break;
            case QWebEngineUrlRequestInfo::ResourceTypeImage:
                allowed = isPicture(url.toLocalFile());
                break;
            default:
                break;
            }
        }
        if (!allowed)
            qCInfo(lcPagePdf, "refused to load %s", qPrintable(info.requestUrl().toDisplayString()));
        info.block(!allowed);
    }

private:
    static bool isPicture(const QString &path)
    {
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        const QSize size = reader.size();
        return reader.canRead() && size.isValid() && qint64(size.width()) * size.height() <= common::MaxLogoPixels;
    }

    QUrl page_;
};

// Checks that the page is there and settles the time it may take.
bool checkPageFile(const QString &htmlPath, int *timeoutMs, platform::AppError *error)
{
    if (!QFileInfo(htmlPath).isFile()) {
        setError(error, platform::AppError::fileNotFound(htmlPath));
        return false;
    }
    if (*timeoutMs == PagePdfTimeoutBySize)
        *timeoutMs = pagePdfTimeoutMs(htmlPath);
    return true;
}

// Loads the page and waits for it, images included.
bool loadPage(QWebEnginePage &page, const QString &htmlPath, Wait &wait, platform::AppError *error)
{
    // The page and its BarCode/ images are local files; nothing else needs to be fetched.
    const QUrl url = QUrl::fromLocalFile(QFileInfo(htmlPath).absoluteFilePath());
    // Owned by the page, so that it guards every request the page makes until the page is gone.
    page.setUrlRequestInterceptor(new PageOnlyInterceptor(url, &page));
    QWebEngineSettings *settings = page.settings();
    settings->setAttribute(QWebEngineSettings::LocalContentCanAccessRemoteUrls, false);
    settings->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    settings->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    settings->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    settings->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    settings->setAttribute(QWebEngineSettings::AutoLoadIconsForPage, false);
    settings->setAttribute(QWebEngineSettings::DnsPrefetchEnabled, false);
    usePageFonts(settings);
    bool loaded = false;
    wait.begin();
    const QMetaObject::Connection finished =
        QObject::connect(&page, &QWebEnginePage::loadFinished, &page, [&](bool ok) {
            loaded = ok;
            wait.markDone();
        });
    page.load(url);
    const bool inTime = wait.run();
    QObject::disconnect(finished);
    if (!inTime) {
        page.triggerAction(QWebEnginePage::Stop);
        setError(error, engineFailure(QStringLiteral("ページを時間内に読み込めませんでした: ") + htmlPath));
        return false;
    }
    if (!loaded) {
        setError(error, engineFailure(QStringLiteral("ページを読み込めませんでした: ") + htmlPath));
        return false;
    }
    return true;
}

bool writeWhole(const QString &path, const QByteArray &bytes, platform::AppError *error)
{
    const QFileInfo info(path);
    if (!info.absoluteDir().exists()) {
        setError(error, platform::AppError::pathNotFound(path));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        setError(error, platform::AppError::permissionDenied(path));
        return false;
    }
    return true;
}

// Runs the calibration's script in the page (in the program's own script world: the page's scripts
// stay off) and waits for it.
bool placeOnPaper(QWebEnginePage &page, const common::PrintCalibration &calibration, Wait &wait,
                  platform::AppError *error, const QString &htmlPath)
{
    const QString script = placeOnPaperScript(calibration);
    if (script.isEmpty())
        return true;
    bool placed = false;
    wait.begin();
    page.runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &result) {
        placed = result.toBool();
        wait.markDone();
    });
    if (!wait.run() || !placed) {
        setError(error, engineFailure(QStringLiteral("印刷位置の補正をページに適用できませんでした: ") + htmlPath));
        return false;
    }
    return true;
}

} // namespace

QString placeOnPaperScript(const common::PrintCalibration &c)
{
    if (c.isZero())
        return QString();
    // Numbers only reach the script, as decimal texts of tenths of a millimetre.
    return QStringLiteral("(function (x, y) {"
                          " var move = function (e) {"
                          "  e.style.transformOrigin = '0 0';"
                          "  e.style.transform = 'translate(' + x + 'mm, ' + y + 'mm)';"
                          " };"
                          " var sheets = document.querySelectorAll('div.sheet, div.lastsheet');"
                          " for (var i = 0; i < sheets.length; ++i) {"
                          "  var style = getComputedStyle(sheets[i]);"
                          "  if (x > 0) sheets[i].style.width = 'calc(' + style.width + ' - ' + x + 'mm)';"
                          "  if (y > 0) sheets[i].style.height = 'calc(' + style.height + ' - ' + y + 'mm)';"
                          "  move(sheets[i]);"
                          " }"
                          " if (!sheets.length) {"
                          "  if (x > 0) {"
                          "   document.documentElement.style.overflow = 'hidden';"
                          "   document.body.style.overflow = 'hidden';"
                          "  }"
                          "  if (y > 0) document.body.style.paddingBottom = y + 'mm';"
                          "  for (var k = 0; k < document.body.children.length; ++k) move(document.body.children[k]);"
                          " }"
                          " return true;"
                          "})(%1 / 10, %2 / 10)")
        .arg(c.xTenthsMm)
        .arg(c.yTenthsMm);
}

bool savePagePdf(const QString &htmlPath, const QString &pdfPath, platform::AppError *error, QWidget *window,
                 int timeoutMs, const common::PrintCalibration &calibration)
{
    if (!checkPageFile(htmlPath, &timeoutMs, error))
        return false;
    // The page must stay as it is; a PDF under its name (or through a link to it) would replace it.
    if (QFileInfo(pdfPath) == QFileInfo(htmlPath)) {
        setError(error, platform::AppError{FileAccessError,
                                           QStringLiteral("PDF をページ自身に上書きすることはできません: ") + pdfPath});
        return false;
    }
    BusyWindow busy(window);
    QElapsedTimer clock;
    clock.start();
    Wait wait(timeoutMs);
    QByteArray pdf;
    bool answered = false;
    QWebEnginePage page;
    if (!loadPage(page, htmlPath, wait, error) || !placeOnPaper(page, calibration, wait, error, htmlPath))
        return false;
    qCInfo(lcPagePdf, "page loaded in %lld ms", clock.restart());

    wait.begin();
    page.printToPdf(
        [&](const QByteArray &bytes) {
            pdf = bytes;
            answered = true;
            wait.markDone();
        },
        a4NoMargins());
    if (!wait.run() || !answered) {
        setError(error, engineFailure(QStringLiteral("PDF を時間内に作成できませんでした: ") + pdfPath));
        return false;
    }
    qCInfo(lcPagePdf, "PDF of %lld bytes made in %lld ms", qint64(pdf.size()), clock.restart());
    if (pdf.isEmpty()) {
        setError(error, engineFailure(QStringLiteral("PDF を作成できませんでした: ") + pdfPath));
        return false;
    }
    const bool written = writeWhole(pdfPath, pdf, error);
    qCInfo(lcPagePdf, "written in %lld ms", clock.elapsed());
    return written;
}

bool printPageTo(QPrinter &printer, const QString &htmlPath, platform::AppError *error, int timeoutMs,
                 const common::PrintCalibration &calibration)
{
    if (!checkPageFile(htmlPath, &timeoutMs, error))
        return false;
    Wait wait(timeoutMs);
    bool printed = false;
    QWebEngineView view;
    if (!loadPage(*view.page(), htmlPath, wait, error) ||
        !placeOnPaper(*view.page(), calibration, wait, error, htmlPath))
        return false;
    wait.begin();
    QObject::connect(&view, &QWebEngineView::printFinished, &view, [&](bool ok) {
        printed = ok;
        wait.markDone();
    });
    view.print(&printer);
    if (!wait.run()) {
        setError(error, engineFailure(QStringLiteral("ページを時間内に印刷できませんでした: ") + htmlPath));
        return false;
    }
    if (!printed) {
        setError(error, engineFailure(QStringLiteral("ページを印刷できませんでした: ") + htmlPath));
        return false;
    }
    return true;
}

bool printPage(QWidget *parent, const QString &htmlPath, platform::AppError *error, int timeoutMs,
               const common::PrintCalibration &calibration)
{
    if (!checkPageFile(htmlPath, &timeoutMs, error))
        return false;
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(a4NoMargins());
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    BusyWindow busy(parent);
    return printPageTo(printer, htmlPath, error, timeoutMs, calibration);
}

} // namespace dialogs
