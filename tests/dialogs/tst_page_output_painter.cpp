// The designer windows' PDF保存 command with the sheet painter the window hands it after a make: the PDF
// drawn into the chosen file, nothing written when the file dialog is cancelled, the error report
// under the window's name when the file cannot be written, and the display command's message before
// any page was made.

#include "dialogs/page_output_widgets.h"
#include "platform/font_config.h"
#include "platform/reports.h"
#include "shelf_labels/sheet_painter.h"
#include "shelf_labels/window_values.h"
#include "support/fake_ui_services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

class TestPageOutputPainter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void savePdf_data();
    void savePdf();
};

void TestPageOutputPainter::savePdf_data()
{
    QTest::addColumn<bool>("pageMade");    // the page of a make is in the application data folder
    QTest::addColumn<QString>("fileName"); // chosen in the file dialog; empty: cancelled
    QTest::addColumn<bool>("written");
    QTest::addColumn<QString>("message"); // the title of the box shown; empty: none
    QTest::newRow("drawn") << true << "sheet.pdf" << true << QString();
    QTest::newRow("dialog cancelled") << true << QString() << false << QString();
    QTest::newRow("folder missing") << true << "no/such/sheet.pdf" << false << platform::reportTitle();
    QTest::newRow("no page yet") << false << "sheet.pdf" << false << "値札の表示";
}

void TestPageOutputPainter::savePdf()
{
    QFETCH(bool, pageMade);
    QFETCH(QString, fileName);
    QFETCH(bool, written);
    QFETCH(QString, message);
    QTemporaryDir dir;
    if (pageMade) {
        QFile page(dir.filePath(QStringLiteral("temp.html")));
        QVERIFY(page.open(QIODevice::WriteOnly));
    }
    FakeUiServices services;
    const QString pdf = fileName.isEmpty() ? QString() : dir.filePath(fileName);
    if (!pdf.isEmpty())
        services.fileNames.enqueue(pdf);
    products::ProductList list;
    for (int i = 0; i < 20; ++i)
        list << products::Product{QStringLiteral("C-%1").arg(i),
                                  QStringLiteral("品%1").arg(i),
                                  QStringLiteral("120"),
                                  QString(),
                                  QStringLiteral("4901234567894"),
                                  false,
                                  false};
    const shelf_labels::Inputs in{list, shelf_labels::SetDefaultA().design, products::TaxSettings(),
                                  QStringLiteral("1")};
    dialogs::PageOutput output{
        .page = shelf_labels::makerPage(),
        .appDataFolder = dir.path(),
        .initialFolder = dir.path(),
        .noPage = {QStringLiteral("値札の表示"), QStringLiteral("表示するデータがまだありません.")},
        .windowName = QStringLiteral("frmTanafuda"),
        .painter = [&in] { return shelf_labels::sheetPainter(in); }};
    QWidget window;
    const bool done = dialogs::savePagePdfCommand(&window, output, services);
    QCOMPARE(done, written);
    QCOMPARE(QFileInfo::exists(pdf), written);
    QVERIFY(window.isEnabled());
    QCOMPARE(services.lastTitle(), message);
    if (message == platform::reportTitle())
        QVERIFY2(services.lastText().contains(QStringLiteral("frmTanafuda.cmdPDF")), qPrintable(services.lastText()));
    if (written) {
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished());
        // 20 cards on pages of 3 x 4.
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+2\\n"))));
    }
}

int main(int argc, char *argv[])
{
    platform::useProgramFontConfig(QStringLiteral(VENNLO_PROGRAM_DIR));
    QApplication app(argc, argv);
    TestPageOutputPainter test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_page_output_painter.moc"
