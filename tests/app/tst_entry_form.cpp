#include "app/entry_form_widgets.h"
#include "app/frmMain.h"
#include "app/list_document.h"
#include "barcode/barcode_preview_widgets.h"
#include "products/product_list_model.h"
#include "support/fake_ui_services.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <memory>

using products::Product;
using products::ProductList;
using Answer = platform::UiServices::Answer;

namespace {

Product row(const QString &code, const QString &name, const QString &price, const QString &remarks = {},
            const QString &jan = {}, bool checked = false)
{
    return Product{code, name, price, remarks, jan, checked};
}

} // namespace

class TestEntryForm : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void putDataChecksInOrder_data();
    void putDataChecksInOrder();
    void pastedCommaRefused();
    void jisFormsBecomeCp932_data();
    void jisFormsBecomeCp932();
    void typedKeysFiltered_data();
    void typedKeysFiltered();
    void barcodeLengthFollowsOptionType();
    void derivedPriceFieldIsYellow_data();
    void derivedPriceFieldIsYellow();
    void setTextBoxPrices_data();
    void setTextBoxPrices();
    void storedValuesLongerThanTheLimitsShownWhole();
    void focusSelectsWholeText();
    void typingPriceEmptiesTheOther_data();
    void typingPriceEmptiesTheOther();
    void wrongCheckDigitCorrectedByPutData();
    void overwriteNoLeavesRowAndFlag();
    void overwriteYesKeepsNumberAndCheck();
    void appendOnEmptySelection();
    void emptyBarcodeStoresEmptyJan();
    void newDataClearsAndDeselects();
    void deleteAsksWithNoDefault();
    void deleteRenumbers();
    void deleteLastRowClearsForm();
    void selectionEnablesRowCommands();
    void previewAfterSelectingRows();
    void previewOnTypingFullCode();
    void previewMissingFolderReported();
    void pastedLetterInCodeToldOnPut_data();
    void pastedLetterInCodeToldOnPut();
    void textSetFromOutsideActsAsTyped();
    void formFillEnablesNoCalculation();
    void previewRoomReservedFromTheStart();
    void reducedRateCheckBox_data();
    void reducedRateCheckBox();
    void reducedRateTypedAndStored();
    void calcAfterSelectingARowKeepsTheStoredPrice();

private:
    template <typename T> T *child(const char *name) const
    {
        T *c = window->findChild<T *>(QString::fromUtf8(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    QLineEdit *edit(const char *name) const { return child<QLineEdit>(name); }
    void setRows(const ProductList &rows) { model()->setRows(rows); }
    products::ProductListModel *model() const { return &window->model(); }
    products::ListDocument *document() const { return &window->document(); }
    products::EntryForm *entry() const { return &window->entryForm(); }
    QTreeView *list() const { return child<QTreeView>("ListView1"); }
    // Clicks a row as the user does.
    void clickRow(int r)
    {
        const QRect rect = list()->visualRect(model()->index(r, 2));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
    }
    QStringList shownImages() const { return entry()->preview().shownNames(); }
    static QString imageFolder() { return QStringLiteral(VENNLO_PROGRAM_DIR "/BarCode/"); }

    std::unique_ptr<FakeUiServices> fake;
    std::unique_ptr<settings::Settings> settings;
    std::unique_ptr<app::frmMain> window;
};

void TestEntryForm::init()
{
    fake = std::make_unique<FakeUiServices>();
    settings = std::make_unique<settings::Settings>();
    window = std::make_unique<app::frmMain>(*settings, *fake);
    entry()->setBarcodeFolder(imageFolder());
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    window->activateWindow();
    QApplication::processEvents();
}

void TestEntryForm::cleanup()
{
    window.reset();
    settings.reset();
    fake.reset();
}

void TestEntryForm::putDataChecksInOrder_data()
{
    QTest::addColumn<int>("indicate");
    QTest::addColumn<QStringList>("form"); // code, name, base, incl, remarks, barcode
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("focus");

    const QString q = QStringLiteral("\"");
    QTest::newRow("quote in code, before everything")
        << 0 << QStringList{"A" + q, "", "x", "", "a,", "1"} << "品番等にダブルコーテーション「\"」は使用できません."
        << "txt品番";
    QTest::newRow("comma in code") << 0 << QStringList{"A,1", "", "", "", "", ""}
                                   << "品番等にカンマ(,)は使用できません."
                                   << "txt品番";
    QTest::newRow("no name") << 0 << QStringList{"A1", "", "100", "", "", ""} << "商品名がありません"
                             << "txt商品名";
    QTest::newRow("quote in name") << 0 << QStringList{"", "x" + q, "100", "", "", ""}
                                   << "商品名にダブルコーテーション「\"」は使用できません."
                                   << "txt商品名";
    QTest::newRow("comma in name") << 0 << QStringList{"", "a,b", "", "", "", ""}
                                   << "商品名にカンマ(,)は使用できません."
                                   << "txt商品名";
    QTest::newRow("quote in remarks") << 0 << QStringList{"", "n", "", "", q, ""}
                                      << "備考にダブルコーテーション「\"」は使用できません."
                                      << "txt備考";
    QTest::newRow("comma in remarks") << 0 << QStringList{"", "n", "", "", ",", "x"}
                                      << "備考にカンマ(,)は使用できません."
                                      << "txt備考";
    QTest::newRow("name outside Shift_JIS") << 0 << QStringList{"", QString::fromUtf8("𠮷野家"), "100", "", "", ""}
                                            << "商品名に保存できない文字「𠮷」(Shift_JIS にない文字)が含まれています."
                                            << "txt商品名";
    QTest::newRow("no base price") << 0 << QStringList{"", "n", "", "105", "", ""} << "本体価格を設定してください"
                                   << "txt本体価格";
    QTest::newRow("no tax-inclusive price")
        << 1 << QStringList{"", "n", "100", "", "", ""} << "税込価格を設定してください"
        << "txt価格";
    QTest::newRow("barcode not numeric") << 0 << QStringList{"", "n", "100", "", "", "12a"}
                                         << "バーコードのデータが不正です."
                                         << "txtBarCode";
    QTest::newRow("barcode of 11 digits")
        << 0 << QStringList{"", "n", "100", "", "", "12345678901"} << "バーコードデータの桁数が違います."
        << "txtBarCode";
}

void TestEntryForm::putDataChecksInOrder()
{
    QFETCH(int, indicate);
    QFETCH(QStringList, form);
    QFETCH(QString, message);
    QFETCH(QString, focus);
    settings->tax.indicate = indicate;
    const char *names[] = {"txt品番", "txt商品名", "txt本体価格", "txt価格", "txt備考", "txtBarCode"};
    for (int i = 0; i < 6; ++i)
        edit(names[i])->setText(form.at(i));
    child<QPushButton>("cmdPutGrid")->click();

    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->lastTitle(), QStringLiteral("登録確認"));
    QCOMPARE(fake->lastText(), message);
    QCOMPARE(fake->messages.last().icon, platform::UiServices::Icon::Information);
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
    QCOMPARE(model()->rowCount(), 0);
    QVERIFY(!document()->isModified());
}

void TestEntryForm::pastedCommaRefused()
{
    QApplication::clipboard()->setText(QStringLiteral("りんご,青森"));
    QLineEdit *name = edit("txt商品名");
    name->setFocus();
    name->paste();
    QCOMPARE(name->text(), QStringLiteral("りんご,青森"));
    edit("txt本体価格")->setText(QStringLiteral("100"));
    child<QAction>("mnuPutData")->trigger();
    QCOMPARE(fake->lastText(), QStringLiteral("商品名にカンマ(,)は使用できません."));
    QCOMPARE(QApplication::focusWidget(), name);
    QCOMPARE(model()->rowCount(), 0);
}

// Typed, pasted or set by assistive technology on a Linux desktop: the JIS forms become the CP932
// characters as the text changes, the cursor stays, and 登 録 stores what the field shows.
void TestEntryForm::jisFormsBecomeCp932_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("how"); // 0 paste, 1 input method commit, 2 setText
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("pasted name") << "txt商品名" << 0 << "営業 9:00〜18:00"
                                 << "営業 9:00～18:00";
    QTest::newRow("input method in code") << "txt品番" << 1 << "A−1—2"
                                          << "A－1―2";
    QTest::newRow("remarks set from outside") << "txt備考" << 2 << "¢£¬‖"
                                              << "￠￡￢∥";
}

void TestEntryForm::jisFormsBecomeCp932()
{
    QFETCH(QString, field);
    QFETCH(int, how);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QLineEdit *e = edit(field.toUtf8().constData());
    e->setFocus();
    if (how == 0) {
        QApplication::clipboard()->setText(text);
        e->paste();
    } else if (how == 1) {
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(e, &commit);
    } else {
        e->setText(text);
    }
    QCOMPARE(e->text(), shown);
    QCOMPARE(e->cursorPosition(), shown.size());
    if (field != QStringLiteral("txt商品名"))
        edit("txt商品名")->setText(QStringLiteral("n"));
    edit("txt本体価格")->setText(QStringLiteral("100"));
    child<QPushButton>("cmdPutGrid")->click();
    QVERIFY2(fake->messages.isEmpty(), qPrintable(fake->lastText()));
    QCOMPARE(model()->rowCount(), 1);
    const products::Product p = model()->product(0);
    QVERIFY2(QStringList({p.code, p.name, p.remarks}).contains(shown),
             qPrintable(p.code + u'|' + p.name + u'|' + p.remarks));
}

void TestEntryForm::typedKeysFiltered_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("code") << "txt品番"
                          << "A,B\"C-1"
                          << "ABC-1";
    QTest::newRow("name") << "txt商品名"
                          << "x,\"y z"
                          << "xy z";
    QTest::newRow("remarks") << "txt備考"
                             << "\"r,e"
                             << "re";
    QTest::newRow("base price") << "txt本体価格"
                                << "1a2.3,4-"
                                << "1234";
    QTest::newRow("tax-inclusive price") << "txt価格"
                                         << "9x9"
                                         << "99";
    QTest::newRow("barcode") << "txtBarCode"
                             << "49 01-23"
                             << "490123";
    QTest::newRow("barcode at most 12") << "txtBarCode"
                                        << "49012345678945"
                                        << "490123456789";
}

void TestEntryForm::typedKeysFiltered()
{
    QFETCH(QString, field);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLineEdit *e = edit(field.toUtf8().constData());
    e->setFocus();
    QTest::keyClicks(e, typed);
    QCOMPARE(e->text(), shown);
    // Backspace still works in the filtered fields.
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(e->text(), shown.left(shown.size() - 1));
}

void TestEntryForm::barcodeLengthFollowsOptionType()
{
    QLineEdit *bar = edit("txtBarCode");
    QCOMPARE(bar->maxLength(), 12);
    QTest::mouseClick(child<QRadioButton>("OptionType_1"), Qt::LeftButton, {}, QPoint(6, 6));
    QCOMPARE(bar->maxLength(), 7);
    bar->setFocus();
    QTest::keyClicks(bar, QStringLiteral("123456789"));
    QCOMPARE(bar->text(), QStringLiteral("1234567"));
    QTest::mouseClick(child<QRadioButton>("OptionType_0"), Qt::LeftButton, {}, QPoint(6, 6));
    QCOMPARE(bar->maxLength(), 12);
}

void TestEntryForm::derivedPriceFieldIsYellow_data()
{
    QTest::addColumn<int>("indicate");
    QTest::addColumn<QString>("yellow");
    QTest::addColumn<QString>("white");
    QTest::newRow("base prices stored") << 0 << "txt価格"
                                        << "txt本体価格";
    QTest::newRow("tax-inclusive prices stored") << 1 << "txt本体価格"
                                                 << "txt価格";
}

void TestEntryForm::derivedPriceFieldIsYellow()
{
    QFETCH(int, indicate);
    QFETCH(QString, yellow);
    QFETCH(QString, white);
    settings->tax.indicate = 1 - indicate;
    entry()->SetTxtBackColor();
    settings->tax.indicate = indicate;
    entry()->SetTxtBackColor();
    QCOMPARE(edit(yellow.toUtf8().constData())->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(edit(white.toUtf8().constData())->palette().color(QPalette::Base), QColor(Qt::white));
}

void TestEntryForm::setTextBoxPrices_data()
{
    QTest::addColumn<int>("indicate");
    QTest::addColumn<QString>("price");
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("incl");
    QTest::addColumn<QString>("tax");
    QTest::newRow("base 1000") << 0 << "1000"
                               << "1000"
                               << "1050"
                               << "50";
    QTest::newRow("base 99") << 0 << "99"
                             << "99"
                             << "103"
                             << "4";
    QTest::newRow("base 0") << 0 << "0"
                            << "0"
                            << "0"
                            << "0";
    QTest::newRow("base empty") << 0 << ""
                                << ""
                                << ""
                                << "";
    QTest::newRow("inclusive 105") << 1 << "105"
                                   << "100"
                                   << "105"
                                   << "5";
    QTest::newRow("inclusive 100") << 1 << "100"
                                   << "96"
                                   << "100"
                                   << "4";
    QTest::newRow("inclusive 0") << 1 << "0"
                                 << "0"
                                 << "0"
                                 << "0";
}

void TestEntryForm::setTextBoxPrices()
{
    QFETCH(int, indicate);
    QFETCH(QString, price);
    QFETCH(QString, base);
    QFETCH(QString, incl);
    QFETCH(QString, tax);
    settings->tax.indicate = indicate;
    setRows({row("C1", "品", price, "備考1")});
    clickRow(0);
    QCOMPARE(edit("txt品番")->text(), QStringLiteral("C1"));
    QCOMPARE(edit("txt商品名")->text(), QStringLiteral("品"));
    QCOMPARE(edit("txt備考")->text(), QStringLiteral("備考1"));
    QCOMPARE(edit("txt本体価格")->text(), base);
    QCOMPARE(edit("txt価格")->text(), incl);
    QCOMPARE(child<QLabel>("lbl消費税")->text(), tax);
    QCOMPARE(edit("txt価格")->maxLength(), indicate == 0 ? 8 : 7);
    QVERIFY(fake->messages.isEmpty());
}

void TestEntryForm::storedValuesLongerThanTheLimitsShownWhole()
{
    // A tax-inclusive list may hold an 8-digit price; a foreign list a 14-digit code. Showing them cut
    // would let 登 録 store a different price without a word.
    settings->tax.indicate = 1;
    setRows({row("A", "a", "12345678", "", "12345678901234")});
    clickRow(0);
    QCOMPARE(edit("txt価格")->text(), QStringLiteral("12345678"));
    QCOMPARE(edit("txt本体価格")->text(), QStringLiteral("11757789"));
    QCOMPARE(edit("txtBarCode")->text(), QStringLiteral("12345678901234"));
    child<QPushButton>("cmdPutGrid")->click();
    QCOMPARE(fake->lastText(), QStringLiteral("バーコードデータの桁数が違います."));
    edit("txtBarCode")->clear();
    fake->answers.enqueue(Answer::Yes);
    child<QPushButton>("cmdPutGrid")->click();
    QCOMPARE(model()->product(0).price, QStringLiteral("12345678"));
    // Typing is still held to the limit.
    QLineEdit *incl = edit("txt価格");
    incl->clear();
    entry()->SetTxtBackColor();
    incl->setFocus();
    QTest::keyClicks(incl, QStringLiteral("123456789"));
    QCOMPARE(incl->text(), QStringLiteral("1234567"));
}

void TestEntryForm::focusSelectsWholeText()
{
    for (const char *name : {"txtBarCode", "txt価格", "txt本体価格", "txt品番", "txt商品名", "txt備考"}) {
        QLineEdit *e = edit(name);
        e->setText(QStringLiteral("123"));
        e->deselect();
        child<QPushButton>("cmdPutGrid")->setFocus();
        QTest::mouseClick(e, Qt::LeftButton, {}, QPoint(2, e->height() / 2));
        QTRY_COMPARE(e->selectedText(), QStringLiteral("123"));
    }
}

void TestEntryForm::typingPriceEmptiesTheOther_data()
{
    QTest::addColumn<QString>("typedInto");
    QTest::addColumn<QString>("other");
    QTest::addColumn<int>("direction");
    QTest::addColumn<QString>("afterCalc"); // the other field after 税 計 算
    QTest::addColumn<QString>("taxAfterCalc");
    QTest::newRow("tax-inclusive typed") << "txt価格"
                                         << "txt本体価格" << 0 << "100"
                                         << "5";
    QTest::newRow("base typed") << "txt本体価格"
                                << "txt価格" << 1 << "110"
                                << "5";
}

void TestEntryForm::typingPriceEmptiesTheOther()
{
    QFETCH(QString, typedInto);
    QFETCH(QString, other);
    QFETCH(int, direction);
    QFETCH(QString, afterCalc);
    QFETCH(QString, taxAfterCalc);
    QLineEdit *typed = edit(typedInto.toUtf8().constData());
    QLineEdit *derived = edit(other.toUtf8().constData());
    auto *calc = child<QPushButton>("cmdCalc");
    auto *calcEntry = child<QAction>("mnuCalcData");
    entry()->setCalcEnabled(false);
    derived->setText(QStringLiteral("7"));
    child<QLabel>("lbl消費税")->setText(QStringLiteral("1"));
    typed->clear();
    typed->setFocus();
    QTest::keyClicks(typed, direction == 0 ? QStringLiteral("105") : QStringLiteral("105"));
    QCOMPARE(derived->text(), QString());
    QCOMPARE(child<QLabel>("lbl消費税")->text(), QString());
    QCOMPARE(entry()->direction(), direction);
    QVERIFY(calc->isEnabled());
    QVERIFY(calcEntry->isEnabled());
    calc->click();
    QCOMPARE(derived->text(), afterCalc);
    QCOMPARE(child<QLabel>("lbl消費税")->text(), taxAfterCalc);
    QVERIFY(!calc->isEnabled());
    QVERIFY(!calcEntry->isEnabled());
}

void TestEntryForm::wrongCheckDigitCorrectedByPutData()
{
    setRows({row("A", "りんご", "100", "", "4901234567890")});
    clickRow(0);
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->lastTitle(), QStringLiteral("チェックデジット"));
    QCOMPARE(fake->lastText(),
             QStringLiteral("バーコード・チェックデジット(最右桁)が違います.\r\n登録ボタンで修正します."));
    QCOMPARE(fake->messages.last().icon, platform::UiServices::Icon::Critical);
    QCOMPARE(edit("txtBarCode")->text(), QStringLiteral("490123456789"));
    QCOMPARE(child<QLabel>("lblCD")->text(), QStringLiteral("4"));

    fake->answers.enqueue(Answer::Yes);
    child<QPushButton>("cmdPutGrid")->click();
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->lastTitle(), QStringLiteral("登録確認"));
    QCOMPARE(fake->lastText(), QStringLiteral("No.1 りんご を上書きしますか?"));
    QCOMPARE(fake->messages.last().icon, platform::UiServices::Icon::Question);
    QCOMPARE(fake->messages.last().buttons, platform::UiServices::Buttons::YesNo);
    QCOMPARE(model()->product(0).jan, QStringLiteral("4901234567894"));
    QVERIFY(document()->isModified());
    // The corrected row no longer warns.
    QCOMPARE(fake->messages.size(), 2);
}

void TestEntryForm::overwriteNoLeavesRowAndFlag()
{
    const Product before = row("A", "りんご", "100", "r", "4901234567894");
    setRows({before});
    clickRow(0);
    edit("txt商品名")->setText(QStringLiteral("みかん"));
    fake->answers.enqueue(Answer::No);
    child<QAction>("mnuPutData")->trigger();
    QCOMPARE(fake->lastText(), QStringLiteral("No.1 りんご を上書きしますか?"));
    QCOMPARE(model()->rowCount(), 1);
    QCOMPARE(model()->product(0), before);
    QVERIFY(!document()->isModified());
}

void TestEntryForm::overwriteYesKeepsNumberAndCheck()
{
    setRows({row("A", "a", "1"), row("B", "b", "2", "", "", true)});
    clickRow(1);
    edit("txt本体価格")->setText(QStringLiteral("12345"));
    edit("txt備考")->setText(QStringLiteral("新"));
    fake->answers.enqueue(Answer::Yes);
    child<QPushButton>("cmdPutGrid")->click();
    QCOMPARE(fake->lastText(), QStringLiteral("No.2 b を上書きしますか?"));
    QCOMPARE(model()->number(1), 2);
    QVERIFY(model()->isChecked(1));
    QCOMPARE(model()->product(1).price, QStringLiteral("12345"));
    QCOMPARE(model()->data(model()->index(1, 3)).toString(), QStringLiteral("12,345"));
    QCOMPARE(model()->product(1).remarks, QStringLiteral("新"));
    QCOMPARE(document()->panel1(), QStringLiteral("出力件数: 1"));
}

void TestEntryForm::appendOnEmptySelection()
{
    setRows({row("A", "a", "1")});
    child<QPushButton>("cmd新規")->setEnabled(true);
    child<QAction>("mnuNewData")->trigger();
    edit("txt品番")->setText(QStringLiteral("Z9"));
    edit("txt商品名")->setText(QStringLiteral("新商品"));
    edit("txt本体価格")->setText(QStringLiteral("0500"));
    edit("txtBarCode")->setText(QStringLiteral("1234567"));
    entry()->setCalcEnabled(true);
    child<QPushButton>("cmdPutGrid")->click();
    QVERIFY(fake->messages.isEmpty()); // no overwrite question
    QCOMPARE(model()->rowCount(), 2);
    QCOMPARE(model()->number(1), 2);
    QCOMPARE(model()->product(1), row("Z9", "新商品", "500", "", "12345670"));
    QCOMPARE(entry()->selectedRow(), 1);
    QCOMPARE(QApplication::focusWidget(), list());
    QVERIFY(document()->isModified());
    QVERIFY(!child<QPushButton>("cmdCalc")->isEnabled());
    for (const char *b : {"cmd新規", "cmdDelete", "cmdUp", "cmdDown"})
        QVERIFY2(child<QPushButton>(b)->isEnabled(), b);
    for (const char *a : {"mnuNewData", "mnuDelData", "mnuUp", "mnuDown"})
        QVERIFY2(child<QAction>(a)->isEnabled(), a);
    // The form now shows the stored row, check digit included.
    QCOMPARE(edit("txt本体価格")->text(), QStringLiteral("500"));
    QCOMPARE(child<QLabel>("lblCD")->text(), QStringLiteral("0"));
    QCOMPARE(document()->panel1(), QStringLiteral("出力件数: 2"));
}

void TestEntryForm::emptyBarcodeStoresEmptyJan()
{
    edit("txt商品名")->setText(QStringLiteral("n"));
    edit("txt本体価格")->setText(QStringLiteral("1"));
    child<QPushButton>("cmdPutGrid")->click();
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(model()->rowCount(), 1);
    QCOMPARE(model()->number(0), 1);
    QCOMPARE(model()->product(0).jan, QString());
}

void TestEntryForm::newDataClearsAndDeselects()
{
    setRows({row("A", "a", "100", "r", "4567891234540")});
    clickRow(0);
    QCOMPARE(shownImages().count(QString()), 0);
    child<QPushButton>("cmd新規")->click();
    for (const char *e : {"txt品番", "txt価格", "txt商品名", "txt備考", "txt本体価格", "txtBarCode"})
        QVERIFY2(edit(e)->text().isEmpty(), e);
    QVERIFY(child<QLabel>("lbl消費税")->text().isEmpty());
    QVERIFY(child<QLabel>("lblCD")->text().isEmpty());
    QCOMPARE(shownImages().count(QString()), barcode::BarcodePreview::Slots);
    QCOMPARE(entry()->selectedRow(), -1);
    for (const char *b : {"cmd新規", "cmdDelete", "cmdUp", "cmdDown", "cmdCalc"})
        QVERIFY2(!child<QPushButton>(b)->isEnabled(), b);
    QCOMPARE(QApplication::focusWidget(), edit("txt品番"));
    QCOMPARE(model()->rowCount(), 1);
}

void TestEntryForm::deleteAsksWithNoDefault()
{
    setRows({row("A", "a", "1"), row("B", "ばなな", "2")});
    clickRow(1);
    child<QPushButton>("cmdDelete")->click(); // no scripted answer: the default, No
    QCOMPARE(fake->lastTitle(), QStringLiteral("削除確認"));
    QCOMPARE(fake->lastText(), QStringLiteral("No.2 ばなな を削除しますか?"));
    QCOMPARE(fake->messages.last().buttons, platform::UiServices::Buttons::YesNo);
    QCOMPARE(model()->rowCount(), 2);
    QVERIFY(!document()->isModified());
}

void TestEntryForm::deleteRenumbers()
{
    setRows({row("A", "a", "1"), row("B", "b", "2"), row("C", "c", "3", "", "", true)});
    clickRow(0);
    fake->answers.enqueue(Answer::Yes);
    child<QAction>("mnuDelData")->trigger();
    QCOMPARE(model()->rowCount(), 2);
    QCOMPARE(model()->number(0), 1);
    QCOMPARE(model()->number(1), 2);
    QCOMPARE(model()->product(0).code, QStringLiteral("B"));
    QCOMPARE(entry()->selectedRow(), -1);
    QVERIFY(edit("txt品番")->text().isEmpty());
    QVERIFY(document()->isModified());
    QVERIFY(!child<QPushButton>("cmd新規")->isEnabled());
    QVERIFY(!child<QPushButton>("cmdDelete")->isEnabled());
    QCOMPARE(document()->panel1(), QStringLiteral("出力件数: 1"));
}

void TestEntryForm::deleteLastRowClearsForm()
{
    setRows({row("A", "a", "100", "r", "4567891234540")});
    clickRow(0);
    fake->answers.enqueue(Answer::Yes);
    child<QPushButton>("cmdDelete")->click();
    QCOMPARE(model()->rowCount(), 0);
    for (const char *e : {"txt品番", "txt価格", "txt商品名", "txt備考", "txt本体価格", "txtBarCode"})
        QVERIFY2(edit(e)->text().isEmpty(), e);
    QVERIFY(child<QLabel>("lblCD")->text().isEmpty());
    QCOMPARE(shownImages().count(QString()), barcode::BarcodePreview::Slots);
    QVERIFY(document()->isModified());
    for (const char *b : {"cmd新規", "cmdDelete", "cmdUp", "cmdDown"})
        QVERIFY2(!child<QPushButton>(b)->isEnabled(), b);
    QCOMPARE(document()->panel1(), QStringLiteral("出力件数: 0"));
}

void TestEntryForm::selectionEnablesRowCommands()
{
    setRows({row("A", "a", "1"), row("B", "b", "2")});
    entry()->setRowCommandsEnabled(false);
    clickRow(1);
    for (const char *b : {"cmd新規", "cmdDelete", "cmdUp", "cmdDown"})
        QVERIFY2(child<QPushButton>(b)->isEnabled(), b);
    for (const char *a : {"mnuNewData", "mnuDelData", "mnuUp", "mnuDown"})
        QVERIFY2(child<QAction>(a)->isEnabled(), a);
    // Keyboard selection fills the form as well.
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Up);
    QCOMPARE(entry()->selectedRow(), 0);
    QCOMPARE(edit("txt品番")->text(), QStringLiteral("A"));
}

void TestEntryForm::previewAfterSelectingRows()
{
    setRows({row("A", "a", "1", "", "4567891234540"), row("B", "b", "2", "", "12345670"), row("C", "c", "3")});
    clickRow(0);
    const QStringList standard{"LB.bmp",   "5_L1.bmp", "6_L2.bmp", "7_L1.bmp", "8_L1.bmp",
                               "9_L2.bmp", "1_L2.bmp", "CB.bmp",   "2_R.bmp",  "3_R.bmp",
                               "4_R.bmp",  "5_R.bmp",  "4_R.bmp",  "0_R.bmp",  "RB.bmp"};
    QCOMPARE(shownImages(), standard);
    QVERIFY(child<QRadioButton>("OptionType_0")->isChecked());
    QCOMPARE(child<QLabel>("lblCD")->text(), QStringLiteral("0"));

    clickRow(1);
    QStringList shortCode{"LB.bmp",  "1_L1.bmp", "2_L1.bmp", "3_L1.bmp", "4_L1.bmp", "CB.bmp",
                          "5_R.bmp", "6_R.bmp",  "7_R.bmp",  "0_R.bmp",  "RB.bmp"};
    QStringList expected = shortCode;
    for (int k = 11; k < 15; ++k)
        expected.append(QString());
    QCOMPARE(shownImages(), expected);
    QVERIFY(child<QRadioButton>("OptionType_1")->isChecked());
    QCOMPARE(edit("txtBarCode")->maxLength(), 7);
    QCOMPARE(child<QLabel>("lblCD")->text(), QStringLiteral("0"));
    // The images abut, starting at the left of the box.
    auto *pic = child<QWidget>("picBarCode");
    QApplication::processEvents(); // the layout places the images
    for (int k = 1; k < 11; ++k) {
        auto *prev = pic->findChild<QLabel *>(QStringLiteral("Image1_%1").arg(k - 1));
        auto *cur = pic->findChild<QLabel *>(QStringLiteral("Image1_%1").arg(k));
        QCOMPARE(cur->x(), prev->x() + prev->width());
    }

    clickRow(2);
    QCOMPARE(shownImages().count(QString()), 15);
    QVERIFY(child<QRadioButton>("OptionType_0")->isChecked());
    QVERIFY(fake->messages.isEmpty());
}

void TestEntryForm::previewOnTypingFullCode()
{
    QLineEdit *bar = edit("txtBarCode");
    bar->setFocus();
    QTest::keyClicks(bar, QStringLiteral("45678912345"));
    QCOMPARE(shownImages().count(QString()), 15);
    QTest::keyClicks(bar, QStringLiteral("4"));
    QCOMPARE(child<QLabel>("lblCD")->text(), QStringLiteral("0"));
    QCOMPARE(shownImages().count(QString()), 0);
    QTest::keyClick(bar, Qt::Key_Backspace);
    QCOMPARE(child<QLabel>("lblCD")->text(), QString());
    QCOMPARE(shownImages().count(QString()), 15);
    QVERIFY(fake->messages.isEmpty());
}

void TestEntryForm::previewMissingFolderReported()
{
    QTemporaryDir dir;
    entry()->setBarcodeFolder(dir.path() + QStringLiteral("/BarCode/"));
    setRows({row("A", "a", "1", "", "4567891234540")});
    clickRow(0);
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->lastTitle(), QStringLiteral("エラー情報"));
    QVERIFY2(
        fake->lastText().startsWith(QStringLiteral("エラーが発生しました(PreViewBarCode)\r\nエラー番号: 53\r\n内容: ")),
        qPrintable(fake->lastText()));
    // The form itself was still filled.
    QCOMPARE(edit("txtBarCode")->text(), QStringLiteral("456789123454"));
}

void TestEntryForm::pastedLetterInCodeToldOnPut_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("before"); // the code shown before the paste
    QTest::addColumn<QString>("pasted");
    QTest::newRow("standard over a shown code") << "OptionType_0"
                                                << "456789123454"
                                                << "45678912345A";
    QTest::newRow("short") << "OptionType_1"
                           << ""
                           << "123456Z";
    QTest::newRow("full-width digit") << "OptionType_0"
                                      << "" << QString::fromUtf8("45678912345４");
}

// While the code is being pasted an invalid one only empties the preview; 登 録 tells the user.
void TestEntryForm::pastedLetterInCodeToldOnPut()
{
    QFETCH(QString, option);
    QFETCH(QString, before);
    QFETCH(QString, pasted);
    child<QRadioButton>(option.toUtf8().constData())->setChecked(true);
    QLineEdit *bar = edit("txtBarCode");
    bar->setText(before);
    QApplication::clipboard()->setText(pasted);
    bar->setFocus();
    bar->selectAll();
    bar->paste();
    QCOMPARE(bar->text(), pasted);
    QVERIFY2(fake->messages.isEmpty(), qPrintable(fake->lastText()));
    QCOMPARE(shownImages().count(QString()), 15);
    QCOMPARE(child<QLabel>("lblCD")->text(), QString());

    edit("txt商品名")->setText(QStringLiteral("りんご"));
    edit("txt本体価格")->setText(QStringLiteral("100"));
    child<QPushButton>("cmdPutGrid")->click();
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->lastTitle(), QStringLiteral("登録確認"));
    QCOMPARE(fake->lastText(), QStringLiteral("バーコードのデータが不正です."));
    QCOMPARE(QApplication::focusWidget(), bar);
    QCOMPARE(model()->rowCount(), 0);
}

// Assistive technology and pasting set the whole text: the form acts as on typing, and the value
// labels read out their value with their caption.
void TestEntryForm::textSetFromOutsideActsAsTyped()
{
    auto *calc = child<QPushButton>("cmdCalc");
    entry()->setCalcEnabled(false);
    edit("txt本体価格")->setText(QStringLiteral("999"));
    edit("txt価格")->setText(QStringLiteral("1100"));
    QVERIFY(calc->isEnabled());
    QVERIFY(edit("txt本体価格")->text().isEmpty());
    calc->click();
    const QString tax = child<QLabel>("lbl消費税")->text();
    QVERIFY(!tax.isEmpty());
    auto heard = [](QWidget *w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
    QCOMPARE(heard(child<QLabel>("lbl消費税")), QStringLiteral("消費税: ") + tax);
    QCOMPARE(child<QLabel>("lbl消費税")->accessibleDescription(), tax);

    edit("txtBarCode")->setText(QStringLiteral("456789123454"));
    QCOMPARE(child<QLabel>("lblCD")->text(), QStringLiteral("0"));
    QCOMPARE(heard(child<QLabel>("lblCD")), QStringLiteral("チェックディジット 0"));
    QCOMPARE(shownImages().count(QString()), 0);
    entry()->NewData();
    QCOMPARE(heard(child<QLabel>("lbl消費税")), QStringLiteral("消費税:"));
    QCOMPARE(heard(child<QLabel>("lblCD")), QStringLiteral("チェックディジット"));
}

// Filling the form from a row is no edit: 税 計 算 stays off and both prices stay.
void TestEntryForm::formFillEnablesNoCalculation()
{
    setRows({row("A", "a", "1980", "", "4567891234540")});
    entry()->setCalcEnabled(false);
    clickRow(0);
    QVERIFY(!child<QPushButton>("cmdCalc")->isEnabled());
    QCOMPARE(edit("txt本体価格")->text(), QStringLiteral("1980"));
    QVERIFY(!edit("txt価格")->text().isEmpty());
}

// The first code shown moves nothing: the preview's room is there from the start.
void TestEntryForm::previewRoomReservedFromTheStart()
{
    QApplication::processEvents();
    auto *frame = child<QWidget>("frameテキストボックス");
    const QSize frameBefore = frame->size();
    const int listBefore = list()->height();
    edit("txtBarCode")->setText(QStringLiteral("456789123454"));
    QCOMPARE(shownImages().count(QString()), 0);
    QApplication::processEvents();
    QCOMPARE(frame->size(), frameBefore);
    QCOMPARE(list()->height(), listBefore);
}

// The form shows the row's tax class; toggling it recomputes the derived price and tax at once.
void TestEntryForm::reducedRateCheckBox_data()
{
    QTest::addColumn<int>("indicate");
    QTest::addColumn<QString>("price");
    QTest::addColumn<bool>("reduced");
    QTest::addColumn<QStringList>("shown");   // base, tax-inclusive, tax as selected
    QTest::addColumn<QStringList>("toggled"); // the same after the check box changed
    QTest::newRow("base, reduced") << 0 << "1000" << true << QStringList{"1000", "1080", "80"}
                                   << QStringList{"1000", "1100", "100"};
    QTest::newRow("base, standard") << 0 << "999" << false << QStringList{"999", "1098", "99"}
                                    << QStringList{"999", "1078", "79"};
    QTest::newRow("tax-inclusive, reduced")
        << 1 << "1000" << true << QStringList{"926", "1000", "74"} << QStringList{"910", "1000", "90"};
}

void TestEntryForm::reducedRateCheckBox()
{
    QFETCH(int, indicate);
    QFETCH(QString, price);
    QFETCH(bool, reduced);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, toggled);
    settings->tax.rate = *products::Currency::parse(QStringLiteral("0.1"));
    settings->tax.indicate = indicate;
    Product p = row("T", "茶", price);
    p.reduced = reduced;
    setRows({row("A", "a", "1"), p});
    clickRow(1);
    auto *box = child<QCheckBox>("Check軽減税率");
    QCOMPARE(box->text(), QStringLiteral("軽減税率"));
    QCOMPARE(box->isChecked(), reduced);
    const auto texts = [this] {
        return QStringList{edit("txt本体価格")->text(), edit("txt価格")->text(), child<QLabel>("lbl消費税")->text()};
    };
    QCOMPARE(texts(), shown);
    box->setChecked(!reduced);
    QCOMPARE(texts(), toggled);
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(model()->product(1).reduced, reduced); // the list changes on 登 録 only
    clickRow(0);
    QVERIFY(!box->isChecked());
}

void TestEntryForm::reducedRateTypedAndStored()
{
    settings->tax.rate = *products::Currency::parse(QStringLiteral("0.1"));
    setRows({row("A", "a", "1")}); // no row selected: 登 録 appends
    edit("txt商品名")->setText(QStringLiteral("新聞"));
    edit("txt本体価格")->setText(QStringLiteral("150"));
    auto *box = child<QCheckBox>("Check軽減税率");
    box->setChecked(true);
    QVERIFY(child<QLabel>("lbl消費税")->text().isEmpty()); // nothing derived before 税 計 算
    child<QPushButton>("cmdCalc")->click();
    QCOMPARE(edit("txt価格")->text(), QStringLiteral("162"));
    QCOMPARE(child<QLabel>("lbl消費税")->text(), QStringLiteral("12"));
    child<QPushButton>("cmdPutGrid")->click();
    QCOMPARE(model()->rowCount(), 2);
    QVERIFY(model()->product(1).reduced);
    const QModelIndex name = model()->index(1, products::ProductListModel::GoodName);
    QCOMPARE(model()->data(name).toString(), QStringLiteral("新聞"));
    QCOMPARE(model()->data(name, Qt::AccessibleDescriptionRole).toString(), QStringLiteral("軽減税率"));
    QVERIFY(!model()
                 ->data(model()->index(0, products::ProductListModel::GoodName), Qt::AccessibleDescriptionRole)
                 .isValid());
}

// A price typed into the other field, then a row chosen: 税 計 算 works from the row's stored price,
// never back from the price derived from it (99 → 104 → 100 with rounding up).
void TestEntryForm::calcAfterSelectingARowKeepsTheStoredPrice()
{
    settings->tax.ks = 2;
    setRows({row("A", "a", "99")});
    edit("txt価格")->setText(QStringLiteral("5"));
    QVERIFY(child<QPushButton>("cmdCalc")->isEnabled());
    clickRow(0);
    QCOMPARE(edit("txt価格")->text(), QStringLiteral("104"));
    child<QPushButton>("cmdCalc")->click();
    QCOMPARE(edit("txt本体価格")->text(), QStringLiteral("99"));
    QCOMPARE(edit("txt価格")->text(), QStringLiteral("104"));
    QCOMPARE(child<QLabel>("lbl消費税")->text(), QStringLiteral("5"));
}

QTEST_MAIN(TestEntryForm)
#include "tst_entry_form.moc"
