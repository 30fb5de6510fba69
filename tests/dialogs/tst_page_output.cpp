// The PDF and print commands of the three maker windows, driven through their buttons with scripted
// dialogs: the PDF of the page the window made, a cancelled dialog that writes nothing, the display
// command's message before the first make, and the error report of a PDF that cannot be written.

#include "support/fake_ui_services.h"

#include "dialogs/browser_settings.h"
#include "ledger/design.h"
#include "ledger/frmDaicyo.h"
#include "platform/apperror.h"
#include "platform/folders.h"
#include "price_tags/design.h"
#include "price_tags/frmNefuda.h"
#include "price_tags/product_slots.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"
#include "products/tax.h"
#include "shelf_labels/design.h"
#include "shelf_labels/frmTanafuda.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {

const QString kShelfList = QStringLiteral(VENNLO_TEST_DATA_DIR "/shelf_labels/jan_list.csv");
const QString kTagList = QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/twelve.csv");
const QString kNoPage = QStringLiteral("表示するデータがまだありません.");

// One maker window over a fresh application data folder, with the records it edits.
struct Maker {
    QTemporaryDir dir;
    FakeUiServices services;
    platform::Folders folders;
    products::ProductListModel model;
    products::TaxSettings tax;
    dialogs::BrowserSettings browser;
    shelf_labels::ShelfLabelDesign shelf;
    price_tags::PriceTagDesign tags;
    ledger::LedgerDesign ledgerDesign;
    std::unique_ptr<QWidget> window;
    QString label;     // the window's name in its error reports
    QString pageTitle; // the title of the display command's message

    explicit Maker(const QString &kind)
    {
        folders.appData = dir.filePath(QStringLiteral("appdata"));
        folders.data = dir.filePath(QStringLiteral("data"));
        QDir().mkpath(folders.appData);
        QDir().mkpath(folders.data);
        if (kind == QLatin1String("shelf")) {
            model.setRows(products::readCsvFile(kShelfList).rows);
            window = std::make_unique<shelf_labels::frmTanafuda>(model, shelf, tax, browser, services, folders, true);
            label = QStringLiteral("frmTanafuda");
            pageTitle = QStringLiteral("棚札の表示");
        } else if (kind == QLatin1String("tags")) {
            products::ProductList list = products::readCsvFile(kTagList).rows;
            for (int r : {0, 1, 2})
                list[r].checked = true;
            window = std::make_unique<price_tags::frmNefuda>(price_tags::fillProductSlots(list, tax).items, true, tags,
                                                             browser, services, folders);
            label = QStringLiteral("frmNefuda");
            pageTitle = QStringLiteral("貼付用値札の表示");
        } else {
            model.setRows(products::readCsvFile(kTagList).rows);
            window =
                std::make_unique<ledger::frmDaicyo>(model, ledgerDesign, tax, browser, services, folders.appData, true);
            label = QStringLiteral("frmDaicyo");
            pageTitle = QStringLiteral("商品台帳の表示");
        }
        window->show();
    }
    QPushButton *button(const char *name)
    {
        QPushButton *b = window->findChild<QPushButton *>(QString::fromUtf8(name));
        if (!b)
            qFatal("no button %s", name);
        return b;
    }
    QStringList filesIn(const QString &folder) const { return QDir(folder).entryList(QDir::Files); }
};

} // namespace

class TestPageOutput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void commands_data();
    void commands();
};

void TestPageOutput::commands_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("command"); // cmdExplorer, cmdPDF or cmd印刷
    QTest::addColumn<bool>("made");       // the window made its page first
    QTest::addColumn<QString>(
        "answer"); // the file name the dialog gives, relative to the test folder; empty: cancelled
    QTest::addColumn<bool>("pdfWritten"); // a PDF of at least one page is there afterwards
    QTest::addColumn<QString>("message"); // "report", "no page" or empty for none
    for (const char *kind : {"shelf", "tags", "ledger"}) {
        QTest::addRow("%s: PDF", kind) << kind << "cmdPDF" << true << "out/page.pdf" << true << QString();
        QTest::addRow("%s: PDF cancelled", kind) << kind << "cmdPDF" << true << QString() << false << QString();
        QTest::addRow("%s: PDF before the first make", kind)
            << kind << "cmdPDF" << false << "out/page.pdf" << false << "no page";
        QTest::addRow("%s: PDF into a missing folder", kind)
            << kind << "cmdPDF" << true << "out/missing/page.pdf" << false << "report";
        QTest::addRow("%s: print cancelled", kind) << kind << "cmd印刷" << true << QString() << false << QString();
        QTest::addRow("%s: print before the first make", kind)
            << kind << "cmd印刷" << false << QString() << false << "no page";
        QTest::addRow("%s: display", kind) << kind << "cmdExplorer" << true << QString() << false << QString();
        QTest::addRow("%s: display before the first make", kind)
            << kind << "cmdExplorer" << false << QString() << false << "no page";
    }
}

void TestPageOutput::commands()
{
    QFETCH(QString, kind);
    QFETCH(QString, command);
    QFETCH(bool, made);
    QFETCH(QString, answer);
    QFETCH(bool, pdfWritten);
    QFETCH(QString, message);

    Maker m(kind);
    const QString outFolder = m.dir.filePath(QStringLiteral("out"));
    QVERIFY(QDir().mkpath(outFolder));
    QVERIFY(m.button(command.toUtf8().constData())->isEnabled());
    if (made) {
        // A price tag per product, so that the tag sheet has something to make.
        for (QLineEdit *copies :
             m.window->findChildren<QLineEdit *>(QRegularExpression(QStringLiteral("^txtCCount_[0-2]$"))))
            copies->setText(QStringLiteral("1"));
        m.button("cmd作成")->click();
        QVERIFY2(!m.filesIn(m.folders.appData).isEmpty(), qPrintable(m.services.lastText()));
    }
    const qsizetype messagesBefore = m.services.messages.size();
    if (!answer.isEmpty())
        m.services.fileNames.enqueue(m.dir.filePath(answer));

    // The print dialog is cancelled as soon as it shows.
    bool printDialogShown = false;
    QTimer closer;
    if (command == QStringLiteral("cmd印刷") && made) {
        connect(&closer, &QTimer::timeout, this, [&] {
            if (auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget())) {
                printDialogShown = true;
                closer.stop();
                dialog->reject();
            }
        });
        closer.start(20);
    }
    m.button(command.toUtf8().constData())->click();

    QVERIFY(m.window->isEnabled());
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    if (command == QStringLiteral("cmd印刷") && made)
        QVERIFY(printDialogShown);
    QCOMPARE(m.services.opened.size(), command == QLatin1String("cmdExplorer") && made ? 1 : 0);

    // The file dialog is asked only when there is a page, for a PDF file to save.
    const bool asked = command == QLatin1String("cmdPDF") && made;
    QCOMPARE(m.services.fileRequests.size(), asked ? 1 : 0);
    if (asked) {
        const auto &request = m.services.fileRequests.first();
        QCOMPARE(request.filter, QStringLiteral("PDF ファイル (*.pdf)|*.pdf"));
        QCOMPARE(request.defaultExtension, QStringLiteral("pdf"));
        QVERIFY(request.forSaving);
        QVERIFY(request.overwritePrompt);
        QCOMPARE(request.initialFolder,
                 kind == QLatin1String("ledger") ? platform::Folders::standard().data : m.folders.data);
    }

    const QList<FakeUiServices::Message> shown = m.services.messages.mid(messagesBefore);
    if (message.isEmpty()) {
        QVERIFY2(shown.isEmpty(), qPrintable(m.services.lastText()));
    } else {
        QCOMPARE(shown.size(), 1);
        if (message == QLatin1String("no page")) {
            QCOMPARE(shown.first().title, m.pageTitle);
            QCOMPARE(shown.first().text, kNoPage);
            QCOMPARE(shown.first().icon, platform::UiServices::Icon::Information);
        } else {
            QCOMPARE(shown.first().title, platform::reportTitle());
            QCOMPARE(shown.first().icon, platform::UiServices::Icon::Critical);
            QVERIFY2(shown.first().text.contains(m.label + QStringLiteral(".cmdPDF")), qPrintable(shown.first().text));
        }
    }

    // Only the PDF asked for is ever written, and only when it was made whole.
    const QStringList written = m.filesIn(outFolder);
    if (pdfWritten) {
        QCOMPARE(written, QStringList{QStringLiteral("page.pdf")});
        QFile pdf(m.dir.filePath(answer));
        QVERIFY(pdf.open(QIODevice::ReadOnly));
        const QByteArray bytes = pdf.readAll();
        QVERIFY2(bytes.startsWith("%PDF-"), bytes.left(16).constData());
        QVERIFY(bytes.size() > 1000);
        QVERIFY(bytes.contains("/Type /Page") || bytes.contains("/Type/Page"));
    } else {
        QCOMPARE(written, QStringList());
    }
}

QTEST_MAIN(TestPageOutput)
#include "tst_page_output.moc"
