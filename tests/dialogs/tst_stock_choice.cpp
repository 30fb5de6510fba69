// The designers' 用紙 choice and printer calibration: the shared stock chooser over a catalogue, the
// calibration dialog and its button, and both designer windows filling their division and card size
// from a chosen stock.

#include "dialogs/calibration_widgets.h"
#include "dialogs/stock_choice_widgets.h"
#include "price_tags/frmNefuda.h"
#include "products/product_list_model.h"
#include "shelf_labels/frmTanafuda.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include "support/fake_ui_services.h"

namespace {

label_stocks::LabelStock labelStock(const QString &brand, const QString &part, double w, double h, int nx, int ny)
{
    label_stocks::LabelStock s;
    s.brand = brand;
    s.part = part;
    s.paper = QStringLiteral("A4");
    s.paperWidthMm = 210;
    s.paperHeightMm = 297;
    s.labelWidthMm = w;
    s.labelHeightMm = h;
    s.columns = nx;
    s.rows = ny;
    s.leftMm = 10;
    s.topMm = 12;
    s.pitchXMm = w + 2.5;
    s.pitchYMm = h + 1;
    return s;
}

label_stocks::Catalogue catalogue()
{
    label_stocks::Catalogue c;
    c.stocks << labelStock(QStringLiteral("Hisago"), QStringLiteral("ELM012"), 86.4, 42.3, 2, 6)
             << labelStock(QStringLiteral("Hisago"), QStringLiteral("ELM024"), 63.5, 33.9, 3, 8)
             << labelStock(QStringLiteral("Other"), QStringLiteral("X1"), 50, 20, 3, 12);
    return c;
}

QStringList listed(const QListWidget *list)
{
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    return rows;
}

} // namespace

class TestStockChoice : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void search_data();
    void search();
    void choosing();
    void storedStockNotInCatalogue();
    void calibrationDialog_data();
    void calibrationDialog();
    void calibrationButton();
    void designersFillFromStock_data();
    void designersFillFromStock();

private:
    QTemporaryDir dir_;
};

void TestStockChoice::initTestCase()
{
    // The windows read the catalogue of this folder: the test's own stock.
    QFile f(dir_.filePath(QStringLiteral("stocks.xml")));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(R"(<?xml version="1.0"?><Glabels-templates>
<Template brand="Test" part="T8" size="Other" width="210mm" height="297mm"><Label-rectangle width="99.1mm"
height="67.7mm"><Layout nx="2" ny="4" x0="4.65mm" y0="13.1mm" dx="101.6mm" dy="67.7mm"/></Label-rectangle></Template>
</Glabels-templates>)");
    f.close();
    qputenv("VENNLO_LABEL_TEMPLATES", dir_.path().toLocal8Bit());
}

void TestStockChoice::search_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("rows"); // "(指定なし)" included
    QTest::newRow("everything") << "" << 4;
    QTest::newRow("brand") << "hisago" << 3;
    QTest::newRow("brand and part") << "Hisago ELM012" << 2;
    QTest::newRow("nothing") << "nowhere" << 1;
}

void TestStockChoice::search()
{
    QFETCH(QString, text);
    QFETCH(int, rows);
    dialogs::StockChoice choice(nullptr, catalogue());
    QSignalSpy chosen(&choice, &dialogs::StockChoice::stockChosen);
    choice.searchBox()->setText(text);
    QCOMPARE(choice.list()->count(), rows);
    QCOMPARE(choice.list()->item(0)->text(), dialogs::StockChoice::noStockText());
    QCOMPARE(choice.list()->currentRow(), 0);
    QCOMPARE(chosen.count(), 0); // searching chooses nothing
    // Reachable by their captions over the accessibility bus.
    QCOMPARE(choice.searchBox()->accessibleName(), QStringLiteral("用紙の検索:"));
    QCOMPARE(choice.list()->accessibleName(), QStringLiteral("用紙"));
    QCOMPARE(choice.title(), QStringLiteral("用紙"));
}

void TestStockChoice::choosing()
{
    const label_stocks::Catalogue c = catalogue();
    dialogs::StockChoice choice(nullptr, c);
    QSignalSpy chosen(&choice, &dialogs::StockChoice::stockChosen);
    choice.searchBox()->setText(QStringLiteral("ELM024"));
    QVERIFY(listed(choice.list()).at(1).contains(QStringLiteral("63.5 × 33.9 mm")));
    choice.list()->setCurrentRow(1);
    QCOMPARE(chosen.count(), 1);
    QCOMPARE(choice.stock(), label_stocks::chosenStock(c.stocks[1]));
    // The stock stays listed and selected whatever the search then shows.
    choice.searchBox()->setText(QStringLiteral("Other"));
    QCOMPARE(choice.list()->currentRow(), 2);
    choice.list()->setCurrentRow(0);
    QCOMPARE(chosen.count(), 2);
    QVERIFY(!choice.stock().isSet());
}

void TestStockChoice::storedStockNotInCatalogue()
{
    dialogs::StockChoice choice(nullptr, catalogue());
    QSignalSpy chosen(&choice, &dialogs::StockChoice::stockChosen);
    const label_stocks::ChosenStock stored{QStringLiteral("Gone:99"), 210, 297, 40, 20, 4, 10, 5, 5, 50, 28};
    choice.setStock(stored);
    QCOMPARE(chosen.count(), 0);
    QCOMPARE(choice.stock(), stored);
    QCOMPARE(choice.list()->currentItem()->text(),
             QStringLiteral("Gone:99  40 × 20 mm  40 面 (4 × 10)  (保存された寸法)"));
}

void TestStockChoice::calibrationDialog_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("none") << 0 << 0;
    QTest::newRow("right and up") << 15 << -7;
    QTest::newRow("the bounds") << -1000 << 1000;
}

void TestStockChoice::calibrationDialog()
{
    QFETCH(int, x);
    QFETCH(int, y);
    FakeUiServices services;
    dialogs::CalibrationDialog dialog(dir_.path(), services);
    dialog.setCalibration(common::PrintCalibration{x, y});
    QCOMPARE(dialog.calibration(), (common::PrintCalibration{x, y}));
    dialog.xBox()->setValue(x / 10.0 + 0.1);
    QCOMPARE(dialog.calibration().xTenthsMm, std::min(x + 1, common::MaxCalibrationTenthsMm));
    QCOMPARE(dialog.xBox()->accessibleName(), QStringLiteral("横 (右へ):"));
    QCOMPARE(dialog.yBox()->accessibleName(), QStringLiteral("縦 (下へ):"));
    QCOMPARE(dialog.printButton()->text(), QStringLiteral("補正用ページを印刷(&P)..."));
    platform::AppError error;
    const QString page = dialogs::CalibrationDialog::writeCalibrationPage(dir_.path(), &error);
    QVERIFY(!error.isSet());
    QVERIFY(QFileInfo(page).isFile());
}

// The button stands right after the print button in its row and edits the record it was given.
void TestStockChoice::calibrationButton()
{
    FakeUiServices services;
    QWidget window;
    auto *outer = new QVBoxLayout(&window);
    auto *row = new QHBoxLayout;
    outer->addLayout(row);
    auto *print = new QPushButton(QStringLiteral("印刷"), &window);
    auto *quit = new QPushButton(QStringLiteral("閉じる"), &window);
    row->addWidget(print);
    row->addWidget(quit);
    common::PrintCalibration calibration{3, 4};
    QAbstractButton *button = dialogs::addCalibrationCommand(&window, print, &calibration, dir_.path(), services);
    QCOMPARE(row->indexOf(button), 1);
    QCOMPARE(button->text(), QStringLiteral("印刷位置の補正(&J)..."));
    QTimer::singleShot(0, [] {
        auto *dialog = qobject_cast<dialogs::CalibrationDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->xBox()->setValue(-1.2);
        dialog->accept();
    });
    button->click();
    QCOMPARE(calibration, (common::PrintCalibration{-12, 4}));
}

void TestStockChoice::designersFillFromStock_data()
{
    QTest::addColumn<bool>("shelf");
    QTest::newRow("棚札") << true;
    QTest::newRow("貼付用値札") << false;
}

// Choosing the stock fills the division and fixes the card at the label size; "(指定なし)" leaves them.
void TestStockChoice::designersFillFromStock()
{
    QFETCH(bool, shelf);
    FakeUiServices services;
    platform::Folders folders;
    folders.appData = dir_.path();
    folders.data = dir_.path();
    products::ProductListModel model;
    shelf_labels::ShelfLabelDesign shelfDesign;
    products::TaxSettings tax;
    price_tags::PriceTagDesign tagDesign;
    common::PrintCalibration calibration;
    std::unique_ptr<QDialog> window;
    if (shelf)
        window = std::make_unique<shelf_labels::frmTanafuda>(model, shelfDesign, tax, dialogs::BrowserSettings(),
                                                             services, folders, false, nullptr, &calibration);
    else
        window = std::make_unique<price_tags::frmNefuda>(price_tags::ProductSlots(), false, tagDesign,
                                                         dialogs::BrowserSettings(), services, folders, nullptr,
                                                         &calibration);
    auto *choice = window->findChild<dialogs::StockChoice *>();
    QVERIFY(choice);
    QVERIFY(window->findChild<QPushButton *>(QStringLiteral("cmd印刷位置の補正")));
    choice->searchBox()->setText(QStringLiteral("Test T8"));
    choice->list()->setCurrentRow(1);
    QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("cmbCountW"))->currentText(), QStringLiteral("2"));
    QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("cmbCountH"))->currentText(), QStringLiteral("4"));
    QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("txtCardWidth"))->text(), QStringLiteral("99.1"));
    QCOMPARE(window->findChild<QLineEdit *>(QStringLiteral("txtCardHeight"))->text(), QStringLiteral("67.7"));
    QVERIFY(window->findChild<QCheckBox *>(QStringLiteral("CheckCardWidth"))->isChecked());
    QVERIFY(window->findChild<QCheckBox *>(QStringLiteral("CheckCardHeight"))->isChecked());
    QCOMPARE(choice->stock().key, QStringLiteral("Test:T8"));
    choice->list()->setCurrentRow(0);
    QVERIFY(!choice->stock().isSet());
    QCOMPARE(window->findChild<QComboBox *>(QStringLiteral("cmbCountW"))->currentText(), QStringLiteral("2"));
}

QTEST_MAIN(TestStockChoice)
#include "tst_stock_choice.moc"
