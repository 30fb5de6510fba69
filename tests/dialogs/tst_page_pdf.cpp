#include "dialogs/page_pdf_widgets.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <QtTest>

namespace {

// Two pages of fixed millimetres, as the makers write them (Shift_JIS with its charset).
const QByteArray twoPages = "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">"
                            "<style>div {height:100mm; width:60mm; border:1px solid #000000;}"
                            "div.break {page-break-after:always;}</style></head><body>"
                            "<div class=\"break\">\x93\xfa\x96\x7b</div><div>2</div></body></html>";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Page count and the first media box of a PDF as the web engine writes it (no object streams).
int pageCount(const QByteArray &pdf)
{
    return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b"))));
}

bool isA4Portrait(const QByteArray &pdf)
{
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("/MediaBox\\s*\\[\\s*0\\s+0\\s+([0-9.]+)\\s+([0-9.]+)\\s*\\]"))
            .match(QString::fromLatin1(pdf));
    // A4 is 595.28 x 841.89 points; the engine rounds to its own units.
    return m.hasMatch() && qAbs(m.captured(1).toDouble() - 595.28) < 1.0 &&
           qAbs(m.captured(2).toDouble() - 841.89) < 1.0;
}

} // namespace

class TestPagePdf : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void savesA4PagesWithTheWindowDisabledMeanwhile();
    void failures_data();
    void failures();
    void printsToAPrinter();
    void unstyledDigitsInASansFace();
    void loadsOnlyThePageAndItsPictures_data();
    void loadsOnlyThePageAndItsPictures();
};

void TestPagePdf::savesA4PagesWithTheWindowDisabledMeanwhile()
{
    QTemporaryDir dir;
    const QString html = dir.filePath(QStringLiteral("temp.html"));
    const QString pdf = dir.filePath(QStringLiteral("temp.pdf"));
    writeFile(html, twoPages);
    QWidget window;
    window.show();
    bool enabledMeanwhile = true;
    QTimer::singleShot(0, &window, [&] { enabledMeanwhile = window.isEnabled(); });

    platform::AppError error;
    QVERIFY2(dialogs::savePagePdf(html, pdf, &error, &window), qPrintable(error.description));
    QVERIFY(!error.isSet());
    QVERIFY(!enabledMeanwhile);
    QVERIFY(window.isEnabled());
    const QByteArray bytes = readFile(pdf);
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(pageCount(bytes), 2);
    QVERIFY(isA4Portrait(bytes));
}

void TestPagePdf::failures_data()
{
    QTest::addColumn<QString>("page"); // what stands at the page's path: "", "file", "folder"
    QTest::addColumn<QString>("pdfName");
    QTest::addColumn<int>("number");
    QTest::newRow("no page") << QString() << QStringLiteral("out.pdf") << platform::AppError::FileNotFound;
    QTest::newRow("no folder for the PDF")
        << QStringLiteral("file") << QStringLiteral("missing/out.pdf") << platform::AppError::PathNotFound;
    QTest::newRow("the page is a folder")
        << QStringLiteral("folder") << QStringLiteral("out.pdf") << platform::AppError::FileNotFound;
    QTest::newRow("the PDF over the page itself") << QStringLiteral("file") << QStringLiteral("temp.html") << 75;
}

void TestPagePdf::failures()
{
    QFETCH(QString, page);
    QFETCH(QString, pdfName);
    QFETCH(int, number);
    QTemporaryDir dir;
    const QString html = dir.filePath(QStringLiteral("temp.html"));
    if (page == QLatin1String("file"))
        writeFile(html, twoPages);
    else if (page == QLatin1String("folder"))
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("temp.html")));
    const QString pdf = dir.filePath(pdfName);
    // A PDF from before stays as it was when the new one cannot be made.
    const QByteArray previous = "previous";
    if (!pdfName.contains(QLatin1Char('/')))
        writeFile(pdf, previous);

    platform::AppError error;
    QVERIFY(!dialogs::savePagePdf(html, pdf, &error));
    QCOMPARE(error.number, number);
    QVERIFY(!error.description.isEmpty());
    if (pdfName.contains(QLatin1Char('/')))
        QVERIFY(!QFile::exists(pdf));
    else
        QCOMPARE(readFile(pdf), previous);
}

// A page handed to the tool cannot pull another local file into the PDF: frames, objects, embeds and
// style sheets are not loaded; the page's own pictures are.
void TestPagePdf::loadsOnlyThePageAndItsPictures_data()
{
    QTest::addColumn<QByteArray>("markup"); // SECRET stands for the local file's URL
    QTest::addColumn<bool>("picture");      // whether the PDF shows a picture
    QTest::newRow("iframe") << QByteArray("<iframe src=\"SECRET\" width=\"600\" height=\"400\"></iframe>") << false;
    QTest::newRow("object") << QByteArray("<object data=\"SECRET\" type=\"text/plain\" width=\"600\" "
                                          "height=\"400\"></object>")
                            << false;
    QTest::newRow("embed") << QByteArray("<embed src=\"SECRET\" type=\"text/plain\" width=\"600\" height=\"400\">")
                           << false;
    QTest::newRow("frameset") << QByteArray("</body><frameset><frame src=\"SECRET\"></frameset><body>") << false;
    QTest::newRow("barcode image") << QByteArray("<img src=\"BarCode/LB.bmp\" width=\"40\" height=\"40\">") << true;
}

void TestPagePdf::loadsOnlyThePageAndItsPictures()
{
    QFETCH(QByteArray, markup);
    QFETCH(bool, picture);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");
    QTemporaryDir dir;
    const QString secret = dir.filePath(QStringLiteral("secret.txt"));
    writeFile(secret, "SECRET-LINE-4711\n");
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("BarCode")));
    QImage bar(4, 8, QImage::Format_RGB32);
    bar.fill(Qt::black);
    QVERIFY(bar.save(dir.filePath(QStringLiteral("BarCode/LB.bmp")), "BMP"));
    const QString html = dir.filePath(QStringLiteral("temp.html"));
    const QString pdf = dir.filePath(QStringLiteral("temp.pdf"));
    writeFile(html, "<html><body><p>VISIBLE-TEXT</p>" +
                        markup.replace("SECRET", QUrl::fromLocalFile(secret).toEncoded()) + "</body></html>");

    platform::AppError error;
    QVERIFY2(dialogs::savePagePdf(html, pdf, &error), qPrintable(error.description));
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished(60000));
    const QByteArray shown = text.readAllStandardOutput();
    QVERIFY2(shown.contains("VISIBLE-TEXT"), shown.constData());
    QVERIFY2(!shown.contains("SECRET-LINE-4711"), shown.constData());
    const QByteArray bytes = readFile(pdf);
    QCOMPARE(bytes.contains("/Subtype /Image") || bytes.contains("/Subtype/Image"), picture);
}

void TestPagePdf::printsToAPrinter()
{
    QTemporaryDir dir;
    const QString html = dir.filePath(QStringLiteral("ctemp.html"));
    const QString pdf = dir.filePath(QStringLiteral("printed.pdf"));
    writeFile(html, twoPages);
    // Screen resolution: the engine rasterises each page for the printer, at 1200 dpi a slow business.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()));

    platform::AppError error;
    QVERIFY2(dialogs::printPageTo(printer, html, &error), qPrintable(error.description));
    const QByteArray bytes = readFile(pdf);
    QVERIFY(bytes.startsWith("%PDF-"));
    QCOMPARE(pageCount(bytes), 2);
    QVERIFY(isA4Portrait(bytes));

    QVERIFY(!dialogs::printPageTo(printer, dir.filePath(QStringLiteral("none.html")), &error));
    QCOMPARE(error.number, platform::AppError::FileNotFound);
}

// The JAN digits under a barcode name no font: the PDF draws them in a sans face, as browsers do a
// Japanese page, not in the web engine's serif default.
void TestPagePdf::unstyledDigitsInASansFace()
{
    QTemporaryDir dir;
    const QString html = dir.filePath(QStringLiteral("temp.html"));
    const QString pdf = dir.filePath(QStringLiteral("temp.pdf"));
    writeFile(html, "<html><head><meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">"
                    "<style type=\"text/css\"><!--\r\ntd.area6 {font-size:10pt;\r\n        text-align:center;}\r\n"
                    "--></style></head><body><table><tr><td class=\"area6\">4901234567894</td></tr></table>"
                    "</body></html>\r\n");
    platform::AppError error;
    QVERIFY2(dialogs::savePagePdf(html, pdf, &error), qPrintable(error.description));
    const QByteArray bytes = readFile(pdf);
    const QRegularExpression baseFont(QStringLiteral("/BaseFont\\s*/([A-Za-z0-9+_-]+)"));
    QStringList fonts;
    for (const QRegularExpressionMatch &m : baseFont.globalMatch(QString::fromLatin1(bytes)))
        fonts << m.captured(1);
    QVERIFY2(!fonts.isEmpty(), "no font named in the PDF");
    for (const QString &f : std::as_const(fonts))
        QVERIFY2(!f.contains(QLatin1String("Serif")), qPrintable(fonts.join(QLatin1Char(' '))));
}

int main(int argc, char *argv[])
{
    // The web engine shares its OpenGL contexts with the application: set before it exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    TestPagePdf test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_page_pdf.moc"
