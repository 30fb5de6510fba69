// The ledger window driven through its object names, with scripted platform services.

#include "barcode/barcode.h"
#include "dialogs/dlgFont.h"
#include "dialogs/dlgPalete.h"
#include "ledger/frmDaicyo.h"
#include "ledger/sheet.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "support/cli_runner.h"
#include "support/fake_ui_services.h"

using namespace ledger;

namespace {

const QString kList = QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/twelve.csv");
const QString kBadStart = QStringLiteral("開始ページの値が不正です.");

template <typename T> T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QString::fromUtf8(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

// Runs f on the modal dialog of type D once it is open.
template <typename D, typename F> void whenOpen(F f)
{
    QTimer::singleShot(0, [f] {
        D *d = qobject_cast<D *>(QApplication::activeModalWidget());
        if (!d)
            qFatal("the dialog did not open");
        f(*d);
    });
}

products::ProductList bigList(int n)
{
    products::ProductList list;
    list.reserve(n);
    for (int i = 0; i < n; ++i) {
        const QString first12 = QStringLiteral("49%1").arg(i, 10, 10, QLatin1Char('0'));
        list.append({QStringLiteral("HB-%1").arg(i), QStringLiteral("台帳の商品 %1").arg(i),
                     QString::number(100 + i % 900), QStringLiteral("備考"),
                     first12 + QString::number(barcode::GetCheckDigit(first12)), false});
    }
    return list;
}

} // namespace

class TestFrmDaicyo : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void load_data();
    void load();
    void designOnly();
    void startPageRefused_data();
    void startPageRefused();
    void startPageControls();
    void closeStores_data();
    void closeStores();
    void makeEqualsCli();
    void makeFailureReported();
    void disabledWhileMaking();

private:
    FakeUiServices m_ui;
    products::ProductListModel m_model;
    QTemporaryDir m_dir;
    dialogs::BrowserSettings m_browser;
    products::TaxSettings m_tax; // the window keeps a reference: it must outlive every window
};

void TestFrmDaicyo::init()
{
    m_ui.messages.clear();
    m_ui.opened.clear();
    m_ui.colors.clear();
    m_model.setRows(products::readCsvFile(kList).rows);
    QFile::remove(m_dir.filePath(pageFileName()));
}

void TestFrmDaicyo::load_data()
{
    QTest::addColumn<int>("lip");
    QTest::addColumn<int>("pn");
    QTest::addColumn<int>("pd");
    QTest::addColumn<QString>("lines");
    QTest::addColumn<QString>("padding");
    QTest::newRow("defaults") << 12 << 0 << 2 << "12"
                              << "2";
    QTest::newRow("page numbers, 16 rows, no padding") << 16 << 1 << 0 << "16"
                                                       << "0";
    QTest::newRow("padding 12 shown as 2") << 5 << 0 << 12 << "5"
                                           << "2";
}

void TestFrmDaicyo::load()
{
    QFETCH(int, lip);
    QFETCH(int, pn);
    QFETCH(int, pd);
    LedgerDesign s;
    s.rowsPerPage = lip;
    s.pageNumbers = pn;
    s.padding = pd;
    s.lineColor = QStringLiteral("#112233");
    s.fontName = QStringLiteral("IPAゴシック");
    s.fontSize = 9;
    frmDaicyo w(m_model, s, m_tax, m_browser, m_ui, m_dir.path(), true);
    QCOMPARE(w.windowTitle(), QStringLiteral("商品台帳作成ツール"));
    QTEST(child<QComboBox>(w, "cmbLinesInPage")->currentText(), "lines");
    QTEST(child<QComboBox>(w, "cmbPadding")->currentText(), "padding");
    QCOMPARE(child<QCheckBox>(w, "CheckPageNum")->isChecked(), pn == 1);
    QCOMPARE(child<QLineEdit>(w, "txtStartPage")->text(), QStringLiteral("1"));
    QCOMPARE(child<QLineEdit>(w, "txtStartPage")->isEnabled(), pn == 1);
    QCOMPARE(child<QScrollBar>(w, "UpDownStartPage")->isEnabled(), pn == 1);
    QCOMPARE(child<QLabel>(w, "PicColorLine")->palette().color(QPalette::Window), QColor(0x11, 0x22, 0x33));
    QCOMPARE(child<QLabel>(w, "PicColorLine")->accessibleDescription(), QStringLiteral("#112233"));
    QCOMPARE(child<QLabel>(w, "picBackColor")->palette().color(QPalette::Window), QColor(255, 255, 0));
    QCOMPARE(child<QLabel>(w, "lblFont")->text(), QStringLiteral("IPAゴシック"));
    QCOMPARE(child<QLabel>(w, "lblFontSize")->text(), QStringLiteral("9"));
    m_ui.messages.clear(); // the font dialog's notice when the stored font is not installed here
    QVERIFY(child<QPushButton>(w, "cmd作成")->isEnabled());
}

void TestFrmDaicyo::designOnly()
{
    m_model.clear();
    LedgerDesign s;
    frmDaicyo w(m_model, s, m_tax, m_browser, m_ui, m_dir.path(), false);
    QPushButton *make = child<QPushButton>(w, "cmd作成");
    QVERIFY(!make->isEnabled());

    // No page yet: the notice; an old page: shown, and the make stays disabled afterwards.
    child<QPushButton>(w, "cmdExplorer")->click();
    QCOMPARE(m_ui.lastTitle(), QStringLiteral("商品台帳の表示"));
    QCOMPARE(m_ui.lastText(), QStringLiteral("表示するデータがまだありません."));
    QVERIFY(m_ui.opened.isEmpty());
    QFile old(m_dir.filePath(pageFileName()));
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.close();
    child<QPushButton>(w, "cmdExplorer")->click();
    QCOMPARE(m_ui.opened, QStringList(m_dir.filePath(pageFileName())));
    QCOMPARE(m_ui.messages.size(), 1);
    QVERIFY(!make->isEnabled());
    QVERIFY(w.isEnabled());
}

void TestFrmDaicyo::startPageRefused_data()
{
    QTest::addColumn<QString>("start");
    QTest::newRow("0") << "0";
    QTest::newRow("empty") << "";
}

void TestFrmDaicyo::startPageRefused()
{
    QFETCH(QString, start);
    LedgerDesign s;
    s.pageNumbers = 1;
    frmDaicyo w(m_model, s, m_tax, m_browser, m_ui, m_dir.path(), true);
    child<QLineEdit>(w, "txtStartPage")->setText(start);
    child<QPushButton>(w, "cmd作成")->click();
    QCOMPARE(m_ui.messages.size(), 1);
    QCOMPARE(m_ui.lastText(), kBadStart);
    QCOMPARE(m_ui.lastTitle(), QStringLiteral("入力値チェック"));
    QCOMPARE(m_ui.messages.last().icon, platform::UiServices::Icon::Critical);
    QCOMPARE(child<QLineEdit>(w, "txtStartPage")->text(), QStringLiteral("1"));
    QVERIFY(!QFile::exists(m_dir.filePath(pageFileName())));
}

void TestFrmDaicyo::startPageControls()
{
    LedgerDesign s;
    frmDaicyo w(m_model, s, m_tax, m_browser, m_ui, m_dir.path(), true);
    QCheckBox *pn = child<QCheckBox>(w, "CheckPageNum");
    QLineEdit *start = child<QLineEdit>(w, "txtStartPage");
    QScrollBar *upDown = child<QScrollBar>(w, "UpDownStartPage");

    pn->setChecked(true);
    QVERIFY(start->isEnabled() && upDown->isEnabled());
    start->clear();
    QTest::keyClicks(start, "3a-.7");
    QCOMPARE(start->text(), QStringLiteral("37"));
    QCOMPARE(upDown->value(), 37);
    upDown->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(start->text(), QStringLiteral("38"));

    pn->setChecked(false);
    QCOMPARE(start->text(), QStringLiteral("1"));
    QVERIFY(!start->isEnabled() && !upDown->isEnabled());
}

void TestFrmDaicyo::closeStores_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<bool>("stored");
    QTest::newRow("start page 4") << "4" << true;
    QTest::newRow("start page 0") << "0" << false;
}

void TestFrmDaicyo::closeStores()
{
    QFETCH(QString, start);
    QFETCH(bool, stored);
    LedgerDesign s;
    s.pageNumbers = 1;
    const LedgerDesign before = s;
    frmDaicyo w(m_model, s, m_tax, m_browser, m_ui, m_dir.path(), true);
    w.show();
    child<QComboBox>(w, "cmbLinesInPage")->setCurrentText(QStringLiteral("7"));
    child<QComboBox>(w, "cmbPadding")->setCurrentText(QStringLiteral("5"));
    whenOpen<dialogs::dlgPalete>([](QDialog &d) {
        child<QPushButton>(d, "lblColorName_5")->click(); // navy
        child<QPushButton>(d, "OKButton")->click();
    });
    child<QPushButton>(w, "cmdColorLine")->click();
    QString shownOnOpening;
    whenOpen<dialogs::dlgPalete>([&shownOnOpening](QDialog &d) {
        shownOnOpening = child<QLabel>(d, "lblSelectedColor")->text();
        child<QPushButton>(d, "lblColorName_15")->click(); // red
        child<QPushButton>(d, "OKButton")->click();
    });
    child<QPushButton>(w, "cmdBackColor")->click();
    whenOpen<dialogs::dlgPalete>([](QDialog &d) {
        child<QPushButton>(d, "lblColorName_0")->click();
        child<QPushButton>(d, "CancelButton")->click();
    });
    child<QPushButton>(w, "cmdBackColor")->click(); // cancelled: stays red
    QCOMPARE(shownOnOpening, QStringLiteral("#FFFF00"));
    QString font;
    whenOpen<dialogs::dlgFont>([&font](QDialog &d) {
        QListWidget *fonts = child<QListWidget>(d, "List1");
        fonts->setCurrentRow(fonts->count() - 1);
        font = fonts->currentItem()->text();
        child<QLineEdit>(d, "txtFontSize")->setText(QStringLiteral("9"));
        child<QPushButton>(d, "OKButton")->click();
    });
    child<QPushButton>(w, "cmdFont")->click();
    QCOMPARE(child<QLabel>(w, "lblFont")->text(), font);
    QCOMPARE(child<QLabel>(w, "lblFontSize")->text(), QStringLiteral("9"));
    m_ui.messages.clear(); // the font dialog's notice when the stored font is not installed here
    QCOMPARE(child<QLabel>(w, "picBackColor")->accessibleDescription(), QStringLiteral("#FF0000"));
    child<QLineEdit>(w, "txtStartPage")->setText(start);
    child<QPushButton>(w, "cmdQuit")->click();
    QVERIFY(!w.isVisible());
    if (!stored) {
        QCOMPARE(m_ui.lastText(), kBadStart);
        QCOMPARE(s, before);
        return;
    }
    QVERIFY(m_ui.messages.isEmpty());
    QCOMPARE(s.rowsPerPage, 7);
    QCOMPARE(s.padding, 5);
    QCOMPARE(s.lineColor, QStringLiteral("#000080"));
    QCOMPARE(s.backColor, QStringLiteral("#FF0000"));
    QCOMPARE(s.pageNumbers, 1);
    QCOMPARE(s.fontName, font);
    QCOMPARE(s.fontSize, 9);
}

void TestFrmDaicyo::makeEqualsCli()
{
    for (int row : {2, 4, 5, 6})
        m_model.setChecked(row, true);
    LedgerDesign ledger; // what a settings file without these keys gives, as the command line reads it
    frmDaicyo w(m_model, ledger, m_tax, m_browser, m_ui, m_dir.path(), true);
    w.show();
    child<QComboBox>(w, "cmbLinesInPage")->setCurrentText(QStringLiteral("3"));
    child<QCheckBox>(w, "CheckPageNum")->setChecked(true);
    child<QLineEdit>(w, "txtStartPage")->setText(QStringLiteral("5"));
    child<QPushButton>(w, "cmd作成")->click();
    QCOMPARE(m_ui.lastTitle(), QStringLiteral("ぽらね値札作成"));
    QCOMPARE(m_ui.lastText(), QStringLiteral("商品台帳を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
    QCOMPARE(ledger.rowsPerPage, 3);
    QVERIFY(w.isEnabled() && child<QPushButton>(w, "cmd作成")->isEnabled());
    QCOMPARE(QApplication::focusWidget(), child<QPushButton>(w, "cmdExplorer"));

    QTemporaryDir cli;
    const QString ini = cli_runner::settingsFile(cli, {{"DC", "LIP", "3"}, {"DC", "PN", "1"}});
    const cli_runner::Run r = cli_runner::runCli(
        {"--settings", ini, "--out", cli.path(), "ledger", kList, "--check", "3,5-7", "--start-page", "5"});
    QCOMPARE(r.exitCode, 0);
    const QByteArray page = cli_runner::readBytes(m_dir.filePath(pageFileName()));
    QVERIFY(page.contains("- 6 -"));
    QCOMPARE(page, cli_runner::readBytes(cli.filePath(pageFileName())));

    child<QPushButton>(w, "cmdExplorer")->click();
    QCOMPARE(m_ui.opened, QStringList(m_dir.filePath(pageFileName())));

    if (qEnvironmentVariableIsSet("VENNLO_SCREENSHOTS"))
        w.grab().save(qEnvironmentVariable("VENNLO_SCREENSHOTS") + QStringLiteral("/frmDaicyo.png"));
}

void TestFrmDaicyo::makeFailureReported()
{
    // The data folder is a file: the page cannot be written.
    const QString notAFolder = m_dir.filePath(QStringLiteral("plain-file"));
    QFile f(notAFolder);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.close();
    LedgerDesign s;
    frmDaicyo w(m_model, s, m_tax, m_browser, m_ui, notAFolder, true);
    child<QPushButton>(w, "cmd作成")->click();
    QCOMPARE(m_ui.messages.size(), 1);
    QCOMPARE(m_ui.lastTitle(), QStringLiteral("エラー情報"));
    QVERIFY(m_ui.lastText().startsWith(QStringLiteral("エラーが発生しました(frmDaicto.MakeHtmlFile)")));
    QVERIFY(w.isEnabled() && child<QPushButton>(w, "cmd作成")->isEnabled());
    QVERIFY(child<QPushButton>(w, "cmdExplorer")->isEnabled());
}

void TestFrmDaicyo::disabledWhileMaking()
{
    m_model.setRows(bigList(2000));
    LedgerDesign s;
    frmDaicyo w(m_model, s, m_tax, m_browser, m_ui, m_dir.path(), true);
    w.show();
    bool sawMaking = false, disabled = false, waitCursor = false;
    QTimer::singleShot(0, &w, [&] {
        sawMaking = w.isMaking();
        disabled = !w.isEnabled();
        waitCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        w.close(); // refused while making
    });
    child<QPushButton>(w, "cmd作成")->click();
    QVERIFY(sawMaking);
    QVERIFY(disabled);
    QVERIFY(waitCursor);
    QVERIFY(w.isVisible() && w.isEnabled());
    QVERIFY(!QApplication::overrideCursor());
    QCOMPARE(m_ui.lastTitle(), QStringLiteral("ぽらね値札作成"));
}

QTEST_MAIN(TestFrmDaicyo)
#include "tst_frmDaicyo.moc"
