#include "app/list_view_widgets.h"

#include "app/entry_form_widgets.h"
#include "app/frmPopupMenu.h"
#include "app/list_document.h"
#include "barcode/barcode.h"
#include "platform/reports.h"
#include "platform/user_services.h"
#include "products/list_operations.h"
#include "products/product_list_model.h"

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTreeView>

namespace products {

using platform::ReportKind;
using platform::UiServices;

namespace {

// The hourglass while every row's check is changed.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

// Shows "※" after the name of a reduced-rate product, as the pages print it; the name itself, which
// find and the entry form read, stays as it is.
class ReducedMarkDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        if (index.data(ProductListModel::ReducedRole).toBool())
            option->text += ProductListModel::reducedMark();
    }
};

} // namespace

ListView::ListView(const Widgets &widgets, ProductListModel &model, ListDocument &document, EntryForm &entry,
                   UiServices &services, QObject *parent)
    : QObject(parent), ui(widgets), m_model(&model), m_document(&document), m_entry(&entry), m_services(services),
      m_popup(new frmPopupMenu(widgets.ListView1))
{
    QHeaderView *header = ui.ListView1->header();
    // The list sorts only when told to (rows added later go to the end); its header still clicks.
    ui.ListView1->setSortingEnabled(false);
    ui.ListView1->setItemDelegateForColumn(ProductListModel::GoodName, new ReducedMarkDelegate(ui.ListView1));
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &ListView::ListView1_ColumnClick);
    // A list read or emptied is in no sorted order any more.
    connect(m_model, &QAbstractItemModel::modelReset, this, [this] { showSortIndicator(-1); });
    connect(m_document, &ListDocument::busyChanged, this, &ListView::setBusy);

    connect(ui.cmdUp, &QPushButton::clicked, this, &ListView::ListMoveUp);
    connect(ui.mnuUp, &QAction::triggered, this, &ListView::ListMoveUp);
    connect(ui.cmdDown, &QPushButton::clicked, this, &ListView::ListMoveDown);
    connect(ui.mnuDown, &QAction::triggered, this, &ListView::ListMoveDown);

    ui.ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui.ListView1, &QWidget::customContextMenuRequested, this, &ListView::showPopup);
    connect(m_popup->mnuSelectAll, &QAction::triggered, this, &ListView::mnuSelectAll);
    connect(m_popup->mnuCancelAll, &QAction::triggered, this, &ListView::mnuCancelAll);

    connect(ui.mnuMakeCD, &QAction::triggered, this, &ListView::mnuMakeCD);
}

ListView::~ListView() = default;

QWidget *ListView::window() const
{
    return ui.ListView1->window();
}

void ListView::setBusy(bool busy)
{
    QTreeView *list = ui.ListView1;
    if (busy) {
        list->setSortingEnabled(false);
        // The list is not redrawn while it is filled or written.
        list->setUpdatesEnabled(false);
    } else {
        list->setUpdatesEnabled(true);
        // Switching the view's sorting off switched the header's clicks and its indicator off with it.
        list->header()->setSectionsClickable(true);
        showSortIndicator(m_sortColumn);
    }
}

void ListView::showSortIndicator(int column)
{
    m_sortColumn = column;
    QHeaderView *header = ui.ListView1->header();
    header->setSortIndicatorShown(column >= 0);
    // The indicator shows the direction the list was sorted in: the next click uses the other one.
    if (column >= 0)
        header->setSortIndicator(column, m_ascending ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void ListView::ListView1_ColumnClick(int column)
{
    // The header turns its indicator on a click by itself; it shows what this command did.
    showSortIndicator(m_sortColumn);
    platform::guarded(m_services, window(), ReportKind::Apology, QStringLiteral("ListView1_ColumnClick"), [&] {
        if (!isSortableColumn(column) || m_model->rowCount() == 0)
            return;
        ProductList rows = m_model->rows();
        const QList<int> newIndex = sortRows(rows, column, m_ascending);
        m_ascending = !m_ascending;
        showSortIndicator(column);
        // The selection follows its row; the rows are renumbered; the list is not marked changed.
        m_model->reorderRows(newIndex);
        const int selected = m_entry->selectedRow();
        if (selected >= 0)
            ui.ListView1->scrollTo(m_model->index(selected, 0));
    });
}

void ListView::ListMoveUp()
{
    platform::guarded(m_services, window(), ReportKind::Error, QStringLiteral("ListMoveUp"), [&] {
        const int row = m_entry->selectedRow();
        if (m_model->rowCount() < 2 || row < 1)
            return;
        m_model->swapProducts(row, row - 1);
        showSortIndicator(-1);
        m_entry->selectRow(row - 1);
        m_entry->focusList();
        m_entry->SetTextBox();
        m_document->setModified(true);
    });
}

void ListView::ListMoveDown()
{
    platform::guarded(m_services, window(), ReportKind::Error, QStringLiteral("ListMoveDown"), [&] {
        const int row = m_entry->selectedRow();
        if (m_model->rowCount() < 2 || row < 0 || row >= m_model->rowCount() - 1)
            return;
        m_model->swapProducts(row, row + 1);
        showSortIndicator(-1);
        m_entry->selectRow(row + 1);
        m_entry->focusList();
        m_entry->SetTextBox();
        m_document->setModified(true);
    });
}

void ListView::showPopup(const QPoint &viewportPos)
{
    platform::guarded(m_services, window(), ReportKind::Apology, QStringLiteral("ListView1_MouseDown"), [&] {
        if (m_model->rowCount() == 0)
            return;
        m_popup->mnuPopup->popup(ui.ListView1->viewport()->mapToGlobal(viewportPos));
    });
}

void ListView::setAllChecks(bool on, const char *label)
{
    platform::guarded(m_services, window(), ReportKind::Apology, QString::fromUtf8(label), [&] {
        {
            WaitCursor wait;
            m_model->setAllChecked(on);
        }
        m_document->CountCheckedData();
    });
}

void ListView::mnuSelectAll()
{
    setAllChecks(true, "Popup.mnuSelectAll");
}

void ListView::mnuCancelAll()
{
    setAllChecks(false, "Popup.mnuCancelAll");
}

QString ListView::makeCDTitle()
{
    return QStringLiteral("チェックディジット一括挿入");
}

QString ListView::makeCDPrompt()
{
    return QStringLiteral("JANコードにチェックディジットが無い場合(桁数が12もしくは７)\r\n"
                          "リスト上のデータにチェックディジットを付加します.\r\n"
                          "よろしいですか?");
}

void ListView::mnuMakeCD()
{
    platform::guarded(m_services, window(), ReportKind::Apology, QStringLiteral("main.makecd"), [&] {
        const UiServices::Answer a =
            m_services.message(window(), makeCDTitle(), makeCDPrompt(), UiServices::Icon::Information,
                               UiServices::Buttons::OkCancel, UiServices::Answer::Ok);
        if (a != UiServices::Answer::Ok)
            return;
        ProductList rows = m_model->rows();
        // appendCheckDigits starts the check-digit counter at 0; it ends as the number of rows changed.
        const int changed = appendCheckDigits(rows);
        if (changed > 0) {
            m_model->updateRows(rows);
            m_document->setModified(true);
            m_services.information(window(), makeCDTitle(),
                                   QString::number(barcode::checkDigitCounter()) +
                                       QStringLiteral(" 件のチェックディジットを付加しました."));
        } else {
            m_services.information(window(), makeCDTitle(), QStringLiteral("対象が見つかりませんでした."));
        }
        m_entry->SetTextBox();
    });
}

} // namespace products
