#include "app/dlgSearch.h"
#include "app/dlgView.h"
#include "app/entry_form_widgets.h"
#include "app/frmMain.h"
#include "app/frmPopupMenu.h"
#include "app/list_document.h"
#include "app/list_find_widgets.h"
#include "app/list_view_widgets.h"
#include "barcode/barcode.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"
#include "support/fake_ui_services.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyledItemDelegate>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include <memory>

using products::Product;
using products::ProductList;
using Answer = platform::UiServices::Answer;

namespace {

Product row(const QString &code, const QString &name, const QString &remarks = {}, const QString &jan = {},
            bool checked = false)
{
    return Product{code, name, QStringLiteral("100"), remarks, jan, checked};
}

} // namespace

class TestListView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void sortTwiceGivesOppositeOrders();
    void sortDirectionSharedByColumns();
    void unsortableColumnsDoNothing_data();
    void unsortableColumnsDoNothing();
    void sortFollowsSelectionWithoutPerRowSignals();
    void moveFirstUpOrLastDownDoesNothing();
    void moveDownKeepsEachRowsCheck();
    void moveUpSelectsAndMarksChanged();
    void popupOnlyWithRows();
    void checkAllAndNone();
    void findOnEmptyList();
    void findIgnoresCase();
    void forwardSearchToTheEndDisablesNext();
    void backwardSearchStartsWithRowFound();
    void closingFindReenablesEntry();
    void bulkCheckDigits_data();
    void bulkCheckDigits();
    void bulkCheckDigitsCancelled();
    void gotFocusRefillsForm();
    void headerStillSortsAfterOpeningAFile();
    void gridFontAtOnce();
    void saveEntryFollowsFlagWhenFileMenuOpens();
    void reducedClassFollowsItsRow();

private:
    template <typename T> T *child(const char *name) const
    {
        T *c = window->findChild<T *>(QString::fromUtf8(name));
        if (!c)
            qFatal("no child %s", name);
        return c;
    }
    products::ProductListModel *model() const { return &window->model(); }
    products::ListDocument *document() const { return &window->document(); }
    products::EntryForm *entry() const { return &window->entryForm(); }
    products::ListView *ops() const { return &window->listView(); }
    products::ListFind *finder() const { return &window->listFind(); }
    QTreeView *list() const { return child<QTreeView>("ListView1"); }
    void clickHeader(int column)
    {
        QHeaderView *h = list()->header();
        QTest::mouseClick(h->viewport(), Qt::LeftButton, {},
                          QPoint(h->sectionViewportPosition(column) + h->sectionSize(column) / 2, h->height() / 2));
    }
    void clickRow(int r)
    {
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualRect(model()->index(r, 2)).center());
    }
    QStringList column(int c) const
    {
        QStringList out;
        for (int r = 0; r < model()->rowCount(); ++r)
            out.append(model()->data(model()->index(r, c)).toString());
        return out;
    }
    products::dlgSearch *openFind()
    {
        child<QAction>("mnuFind")->trigger();
        return finder()->searchDialog();
    }
    static QPushButton *button(QWidget *dialog, const char *name)
    {
        return dialog->findChild<QPushButton *>(QString::fromUtf8(name));
    }

    std::unique_ptr<FakeUiServices> fake;
    std::unique_ptr<settings::Settings> settings;
    std::unique_ptr<app::frmMain> window;
};

void TestListView::init()
{
    fake = std::make_unique<FakeUiServices>();
    settings = std::make_unique<settings::Settings>();
    window = std::make_unique<app::frmMain>(*settings, *fake);
    entry()->setBarcodeFolder(QStringLiteral(VENNLO_PROGRAM_DIR "/BarCode/"));
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
}

void TestListView::cleanup()
{
    window.reset();
    settings.reset();
    fake.reset();
}

void TestListView::sortTwiceGivesOppositeOrders()
{
    model()->setRows({row("1", "ばなな"), row("2", "りんご"), row("3", "いちご")});
    QHeaderView *header = list()->header();
    QVERIFY(!header->isSortIndicatorShown()); // the list is in its own order
    clickHeader(2);
    QCOMPARE(column(2), (QStringList{"いちご", "ばなな", "りんご"}));
    QCOMPARE(column(0), (QStringList{"1", "2", "3"}));
    // The header shows the column and the direction sorted by.
    QVERIFY(header->isSortIndicatorShown());
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    clickHeader(0); // not sortable: the indicator stays where it was
    QCOMPARE(header->sortIndicatorSection(), 2);
    QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
    clickHeader(2);
    QCOMPARE(column(2), (QStringList{"りんご", "ばなな", "いちご"}));
    QCOMPARE(column(0), (QStringList{"1", "2", "3"}));
    QCOMPARE(header->sortIndicatorOrder(), Qt::DescendingOrder);
    QVERIFY(!document()->isModified());
    // Moving a row or reading a list leaves no sorted order.
    entry()->selectRow(1);
    ops()->ListMoveUp();
    QVERIFY(!header->isSortIndicatorShown());
}

void TestListView::sortDirectionSharedByColumns()
{
    model()->setRows({row("b", "y", "", "2"), row("a", "x", "", "3"), row("c", "z", "", "1")});
    clickHeader(1); // ascending by code
    QCOMPARE(column(1), (QStringList{"a", "b", "c"}));
    clickHeader(5); // the next click of any column sorts descending
    QCOMPARE(column(5), (QStringList{"3", "2", "1"}));
    clickHeader(4);
    QCOMPARE(column(4), (QStringList{"", "", ""}));
    QCOMPARE(column(0), (QStringList{"1", "2", "3"}));
}

void TestListView::unsortableColumnsDoNothing_data()
{
    QTest::addColumn<int>("column");
    QTest::newRow("No.") << 0;
    QTest::newRow("price") << 3;
}

void TestListView::unsortableColumnsDoNothing()
{
    QFETCH(int, column);
    model()->setRows({row("b", "2"), row("a", "1")});
    clickHeader(column);
    QCOMPARE(this->column(1), (QStringList{"b", "a"}));
    QVERIFY(ops()->sortAscending()); // the click did not use up a direction
    // An empty list does nothing either.
    model()->clear();
    clickHeader(2);
    QVERIFY(ops()->sortAscending());
}

void TestListView::sortFollowsSelectionWithoutPerRowSignals()
{
    ProductList rows;
    for (int i = 0; i < 2000; ++i)
        rows.append(row(QString::number(i), QStringLiteral("n%1").arg(1999 - i, 4, 10, QLatin1Char('0'))));
    model()->setRows(rows);
    clickRow(0); // "n1999"
    QSignalSpy data(model(), &QAbstractItemModel::dataChanged);
    QSignalSpy layout(model(), &QAbstractItemModel::layoutChanged);
    QSignalSpy reset(model(), &QAbstractItemModel::modelReset);
    ops()->ListView1_ColumnClick(2);
    QCOMPARE(layout.count(), 1);
    QCOMPARE(data.count(), 0);
    QCOMPARE(reset.count(), 0);
    QCOMPARE(entry()->selectedRow(), 1999);
    QCOMPARE(model()->product(1999).name, QStringLiteral("n1999"));
    QCOMPARE(model()->number(1999), 2000);
    QCOMPARE(model()->number(0), 1);
}

void TestListView::moveFirstUpOrLastDownDoesNothing()
{
    const ProductList rows{row("A", "a", "", "", true), row("B", "b")};
    model()->setRows(rows);
    clickRow(0);
    child<QPushButton>("cmdUp")->click();
    QCOMPARE(model()->rows(), rows);
    clickRow(1);
    child<QAction>("mnuDown")->trigger();
    QCOMPARE(model()->rows(), rows);
    QVERIFY(!document()->isModified());
}

void TestListView::moveDownKeepsEachRowsCheck()
{
    model()->setRows({row("A", "a", "", "", true), row("B", "b"), row("C", "c")});
    clickRow(0);
    child<QPushButton>("cmdDown")->click();
    QCOMPARE(column(1), (QStringList{"B", "A", "C"}));
    QCOMPARE(column(0), (QStringList{"1", "2", "3"}));
    QVERIFY(!model()->isChecked(0));
    QVERIFY(model()->isChecked(1));
    QCOMPARE(entry()->selectedRow(), 1);
    QVERIFY(document()->isModified());
}

void TestListView::moveUpSelectsAndMarksChanged()
{
    model()->setRows({row("A", "a"), row("B", "b"), row("C", "c")});
    clickRow(2);
    child<QAction>("mnuUp")->trigger();
    QCOMPARE(column(1), (QStringList{"A", "C", "B"}));
    QCOMPARE(entry()->selectedRow(), 1);
    QCOMPARE(QApplication::focusWidget(), list());
    QCOMPARE(child<QLineEdit>("txt品番")->text(), QStringLiteral("C"));
    QVERIFY(child<QPushButton>("cmdUp")->isEnabled());
    QVERIFY(document()->isModified());
}

void TestListView::popupOnlyWithRows()
{
    products::frmPopupMenu *popup = ops()->popup();
    QCOMPARE(popup->objectName(), QStringLiteral("frmPopupMenu"));
    // A part of the list, not a hidden window of its own that the accessibility bus shows empty; the
    // entries are reachable through it and work from there.
    QVERIFY(!popup->isWindow());
    QCOMPARE(popup->window(), list()->window());
    QAccessibleInterface *holder = QAccessible::queryAccessibleInterface(popup);
    QCOMPARE(holder->childCount(), 1);
    QAccessibleInterface *menu = holder->child(0);
    QCOMPARE(menu->object(), static_cast<QObject *>(popup->mnuPopup));
    QCOMPARE(menu->childCount(), 2);
    QCOMPARE(menu->child(0)->text(QAccessible::Name), QStringLiteral("すべてにチェック"));
    QCOMPARE(menu->child(1)->text(QAccessible::Name), QStringLiteral("すべてのチェックを解除"));
    QAccessibleInterface *parent = QAccessible::queryAccessibleInterface(popup->parentWidget());
    bool inTheTree = false;
    for (int i = 0; i < parent->childCount(); ++i)
        inTheTree = inTheTree || parent->child(i)->object() == popup;
    QVERIFY(inTheTree);
    model()->setRows({row("A", "a")});
    menu->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(model()->checkedCount(), 1);
    model()->clear();
    QCOMPARE(popup->mnuPopup->objectName(), QStringLiteral("mnuPopup"));
    QCOMPARE(popup->mnuSelectAll->text(), QStringLiteral("すべてにチェック"));
    QCOMPARE(popup->mnuCancelAll->text(), QStringLiteral("すべてのチェックを解除"));
    QCOMPARE(list()->contextMenuPolicy(), Qt::CustomContextMenu);
    ops()->showPopup(QPoint(5, 5));
    QVERIFY(!popup->mnuPopup->isVisible());
    model()->setRows({row("A", "a")});
    Q_EMIT list()->customContextMenuRequested(QPoint(5, 5));
    QTRY_VERIFY(popup->mnuPopup->isVisible());
    popup->mnuPopup->hide();
}

void TestListView::checkAllAndNone()
{
    ProductList rows;
    for (int i = 0; i < 500; ++i)
        rows.append(row(QString::number(i), QStringLiteral("n"), {}, {}, i == 3));
    model()->setRows(rows);
    QSignalSpy data(model(), &QAbstractItemModel::dataChanged);
    QSignalSpy status(document(), &products::ListDocument::panel1Changed);
    ops()->popup()->mnuSelectAll->trigger();
    QCOMPARE(model()->checkedCount(), 500);
    QCOMPARE(data.count(), 1);
    QCOMPARE(document()->panel1(), QStringLiteral("出力件数: 500"));
    QVERIFY(status.count() <= 2);
    ops()->popup()->mnuCancelAll->trigger();
    QCOMPARE(model()->checkedCount(), 0);
    QCOMPARE(document()->panel1(), QStringLiteral("出力件数: 500")); // none checked: every row is output
    QVERIFY(!document()->isModified());
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

void TestListView::findOnEmptyList()
{
    QVERIFY(openFind() == nullptr);
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->lastTitle(), QStringLiteral("ぽらね値札作成"));
    QCOMPARE(fake->lastText(), QStringLiteral("検索するデータがありません"));
    QVERIFY(child<QAction>("mnuFind")->isEnabled());
}

void TestListView::findIgnoresCase()
{
    model()->setRows({row("x1", "one"), row("x2", "two", "in ABC box"), row("x3", "three")});
    products::dlgSearch *dialog = openFind();
    QVERIFY(dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(!dialog->isModal());
    QCOMPARE(dialog->windowTitle(), QStringLiteral("データ内検索"));
    QVERIFY(!child<QAction>("mnuFind")->isEnabled());
    auto *text = dialog->findChild<QLineEdit *>(QStringLiteral("txtFind"));
    QTest::keyClicks(text, QStringLiteral("abc"));
    button(dialog, "btnFind")->click();
    QCOMPARE(entry()->selectedRow(), 1);
    QVERIFY(fake->messages.isEmpty());
    QCOMPARE(finder()->findState().position, 3);
}

void TestListView::forwardSearchToTheEndDisablesNext()
{
    model()->setRows({row("k", "a"), row("k", "b"), row("z", "c")});
    products::dlgSearch *dialog = openFind();
    QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("txtFind")), QStringLiteral("K"));
    QPushButton *next = button(dialog, "btnFind");
    QPushButton *rev = button(dialog, "btnFindRev");
    next->click();
    QCOMPARE(entry()->selectedRow(), 0);
    next->click();
    QCOMPARE(entry()->selectedRow(), 1);
    QVERIFY(next->isEnabled());
    next->click();
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(fake->lastTitle(), QStringLiteral("データ内検索"));
    QCOMPARE(fake->lastText(), QStringLiteral("検索が終了しました."));
    QVERIFY(!next->isEnabled());
    QVERIFY(rev->isEnabled());
    QCOMPARE(entry()->selectedRow(), 1); // the last hit stays selected
}

void TestListView::backwardSearchStartsWithRowFound()
{
    model()->setRows({row("k", "a"), row("x", "b"), row("k", "c"), row("x", "d")});
    clickRow(3); // the search starts at the current row
    products::dlgSearch *dialog = openFind();
    QCOMPARE(finder()->findState().position, 4);
    QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("txtFind")), QStringLiteral("k"));
    button(dialog, "btnFindRev")->click();
    QCOMPARE(entry()->selectedRow(), 2);
    button(dialog, "btnFind")->click(); // forward starts with the row just found
    QCOMPARE(entry()->selectedRow(), 2);
    button(dialog, "btnFindRev")->click();
    QCOMPARE(entry()->selectedRow(), 2);
    button(dialog, "btnFindRev")->click();
    QCOMPARE(entry()->selectedRow(), 0);
    button(dialog, "btnFindRev")->click();
    QCOMPARE(fake->lastText(), QStringLiteral("検索が終了しました."));
    QVERIFY(!button(dialog, "btnFindRev")->isEnabled());
}

void TestListView::closingFindReenablesEntry()
{
    model()->setRows({row("k", "a"), row("m", "b")});
    products::dlgSearch *dialog = openFind();
    QTest::keyClicks(dialog->findChild<QLineEdit *>(QStringLiteral("txtFind")), QStringLiteral("m"));
    button(dialog, "btnFind")->click();
    entry()->setRowCommandsEnabled(false);
    button(dialog, "CancelButton")->click();
    QVERIFY(child<QAction>("mnuFind")->isEnabled());
    QVERIFY(child<QPushButton>("cmd新規")->isEnabled());
    QVERIFY(child<QPushButton>("cmdDelete")->isEnabled());
    QCOMPARE(child<QLineEdit>("txt品番")->text(), QStringLiteral("m"));
    QTRY_VERIFY(finder()->searchDialog() == nullptr);
}

void TestListView::bulkCheckDigits_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("message");
    QTest::newRow("12 and 7 digits") << QStringList{"456789123454", "1234567", "4901234567894", "", "12345"}
                                     << QStringList{"4567891234540", "12345670", "4901234567894", "", "12345"}
                                     << "2 件のチェックディジットを付加しました.";
    QTest::newRow("none needed") << QStringList{"4901234567894", "12345670", "", "12a4567"}
                                 << QStringList{"4901234567894", "12345670", "", "12a4567"}
                                 << "対象が見つかりませんでした.";
}

void TestListView::bulkCheckDigits()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QString, message);
    ProductList rows;
    for (const QString &jan : before)
        rows.append(row(QStringLiteral("c"), QStringLiteral("n"), {}, jan));
    model()->setRows(rows);
    QSignalSpy data(model(), &QAbstractItemModel::dataChanged);
    fake->answers.enqueue(Answer::Ok);
    child<QAction>("mnuMakeCD")->trigger();
    QCOMPARE(fake->messages.size(), 2);
    QCOMPARE(fake->messages.first().title, QStringLiteral("チェックディジット一括挿入"));
    QCOMPARE(fake->messages.first().text,
             QStringLiteral("JANコードにチェックディジットが無い場合(桁数が12もしくは７)\r\n"
                            "リスト上のデータにチェックディジットを付加します.\r\nよろしいですか?"));
    QCOMPARE(fake->messages.first().icon, platform::UiServices::Icon::Information);
    QCOMPARE(fake->messages.first().buttons, platform::UiServices::Buttons::OkCancel);
    QCOMPARE(fake->lastTitle(), QStringLiteral("チェックディジット一括挿入"));
    QCOMPARE(fake->lastText(), message);
    QCOMPARE(column(5), after);
    const bool changed = before != after;
    QCOMPARE(document()->isModified(), changed);
    QVERIFY(data.count() <= 1); // one change for the whole list, never one per row
}

void TestListView::bulkCheckDigitsCancelled()
{
    model()->setRows({row("c", "n", {}, "456789123454")});
    fake->answers.enqueue(Answer::Cancel);
    child<QAction>("mnuMakeCD")->trigger();
    QCOMPARE(fake->messages.size(), 1);
    QCOMPARE(model()->product(0).jan, QStringLiteral("456789123454"));
    QVERIFY(!document()->isModified());
}

void TestListView::gotFocusRefillsForm()
{
    model()->setRows({row("A", "a"), row("B", "b")});
    clickRow(1);
    auto *code = child<QLineEdit>("txt品番");
    code->setFocus();
    code->setText(QStringLiteral("edited"));
    QTest::keyClick(code, Qt::Key_Tab, Qt::ShiftModifier); // back to the list... or any widget before it
    list()->setFocus(Qt::TabFocusReason);
    QCOMPARE(code->text(), QStringLiteral("B"));
    // A deselected current row is left alone.
    child<QPushButton>("cmd新規")->click();
    code->setText(QStringLiteral("new"));
    list()->setFocus(Qt::TabFocusReason);
    QCOMPARE(code->text(), QStringLiteral("new"));
}

void TestListView::headerStillSortsAfterOpeningAFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.csv"));
    QVERIFY(products::writeCsvFile(path, {row("2", "b"), row("1", "a"), row("3", "c")}).ok());
    document()->openFile(path);
    QCOMPARE(model()->rowCount(), 3);
    clickHeader(1);
    QCOMPARE(column(1), (QStringList{"1", "2", "3"}));
    QVERIFY(!document()->isModified());
}

void TestListView::gridFontAtOnce()
{
    QTimer::singleShot(0, this, [] {
        auto *dialog = qobject_cast<app::dlgView *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        auto *combo = dialog->findChild<QComboBox *>(QStringLiteral("ComboFontSize"));
        combo->setCurrentIndex(combo->findText(QStringLiteral("12")));
        Q_EMIT combo->activated(combo->currentIndex());
        auto *ok = dialog->findChild<QPushButton *>(QStringLiteral("OKButton"));
        QVERIFY(ok->isEnabled());
        ok->click();
    });
    child<QAction>("mnuGridFont")->trigger();
    QCOMPARE(settings->gridFont, 12);
    QCOMPARE(list()->font().pointSize(), 12);
}

void TestListView::saveEntryFollowsFlagWhenFileMenuOpens()
{
    auto *fileMenu = child<QMenu>("mnuFile");
    auto *save = child<QAction>("mnuSave");
    document()->setModified(true);
    Q_EMIT fileMenu->aboutToShow();
    QVERIFY(save->isEnabled());
    document()->setModified(false);
    Q_EMIT fileMenu->aboutToShow();
    QVERIFY(!save->isEnabled());
}

// The tax class goes where its row goes (sort, move, check digits, checks), the list marks it after the
// name without changing the name, and find does not see the mark.
void TestListView::reducedClassFollowsItsRow()
{
    ProductList rows{row("1", "茶", {}, "490123456789"), row("2", "皿"), row("3", "新聞"), row("4", "茶")};
    rows[0].reduced = rows[2].reduced = true;
    model()->setRows(rows);
    const auto reducedNames = [this] {
        QStringList out;
        for (const Product &p : model()->rows())
            out << p.code + (p.reduced ? QStringLiteral("R") : QString());
        return out.join(QLatin1Char(','));
    };
    clickHeader(products::ProductListModel::GoodName);
    clickRow(0);
    child<QPushButton>("cmdDown")->click();
    fake->answers.enqueue(Answer::Ok);
    child<QAction>("mnuMakeCD")->trigger();
    ops()->mnuSelectAll();
    QCOMPARE(model()->checkedCount(), 4);
    QStringList expected;
    for (const Product &p : model()->rows()) {
        const bool wasReduced = p.code == QLatin1String("1") || p.code == QLatin1String("3");
        expected << p.code + (wasReduced ? QStringLiteral("R") : QString());
        if (p.code == QLatin1String("1"))
            QCOMPARE(p.jan, QStringLiteral("4901234567894"));
    }
    QVERIFY(reducedNames() != QStringLiteral("1R,2,3R,4")); // the rows did move
    QCOMPARE(reducedNames(), expected.join(QLatin1Char(',')));

    // Same name, different class: only the reduced row is drawn wider, with its mark.
    int reducedRow = -1, standardRow = -1;
    for (int r = 0; r < model()->rowCount(); ++r) {
        if (model()->product(r).name == QStringLiteral("茶"))
            (model()->product(r).reduced ? reducedRow : standardRow) = r;
    }
    QVERIFY(reducedRow >= 0 && standardRow >= 0);
    QAbstractItemDelegate *delegate = list()->itemDelegateForColumn(products::ProductListModel::GoodName);
    QVERIFY(delegate);
    QStyleOptionViewItem option;
    option.initFrom(list());
    const auto width = [&](int r) {
        return delegate->sizeHint(option, model()->index(r, products::ProductListModel::GoodName)).width();
    };
    QVERIFY(width(reducedRow) > width(standardRow));
    QCOMPARE(model()->data(model()->index(reducedRow, products::ProductListModel::GoodName)).toString(),
             QStringLiteral("茶"));

    products::dlgSearch *dialog = openFind();
    QVERIFY(dialog);
    dialog->findChild<QLineEdit *>(QStringLiteral("txtFind"))->setText(QStringLiteral("※"));
    button(dialog, "btnFind")->click();
    QCOMPARE(fake->lastText(), QStringLiteral("検索が終了しました."));
}

QTEST_MAIN(TestListView)
#include "tst_list_view.moc"
