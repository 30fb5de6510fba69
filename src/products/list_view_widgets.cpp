#include "products/list_view_widgets.h"

#include "barcode/barcode.h"
#include "platform/user_services.h"
#include "products/dlgSearch.h"
#include "products/entry_form_widgets.h"
#include "products/frmPopupMenu.h"
#include "products/list_document.h"
#include "products/product_list_model.h"
#include "app/ui_frmMain.h"

#include <QApplication>
#include <QHeaderView>
#include <QMenu>

#include <exception>

namespace products {

using platform::AppError;
using platform::UiServices;

namespace {

AppError unexpected(const std::exception &e)
{
    return AppError{AppError::ObjectNotSet, QString::fromLocal8Bit(e.what())};
}

// The hourglass while every row's check is changed.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

ListViewController::ListViewController(Ui::frmMain *form, ProductListModel *model, ListDocument *document,
                                       EntryController *entry, UiServices &services, QObject *parent)
    : QObject(parent), ui(form), m_model(model), m_document(document), m_entry(entry), m_services(services),
      m_popup(std::make_unique<frmPopupMenu>())
{
    QHeaderView *header = ui->ListView1->header();
    // The list sorts only when told to (rows added later go to the end); its header still clicks.
    ui->ListView1->setSortingEnabled(false);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, &ListViewController::ListView1_ColumnClick);
    // Reading or writing a file switches the view's sorting off, and with it the header's clicks.
    connect(m_document, &ListDocument::busyChanged, this, [header](bool busy) {
        if (!busy)
            header->setSectionsClickable(true);
    });

    connect(ui->cmdUp, &QPushButton::clicked, this, &ListViewController::ListMoveUp);
    connect(ui->mnuUp, &QAction::triggered, this, &ListViewController::ListMoveUp);
    connect(ui->cmdDown, &QPushButton::clicked, this, &ListViewController::ListMoveDown);
    connect(ui->mnuDown, &QAction::triggered, this, &ListViewController::ListMoveDown);

    ui->ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ui->ListView1, &QWidget::customContextMenuRequested, this, &ListViewController::showPopup);
    connect(m_popup->mnuSelectAll, &QAction::triggered, this, &ListViewController::mnuSelectAll);
    connect(m_popup->mnuCancelAll, &QAction::triggered, this, &ListViewController::mnuCancelAll);

    connect(ui->mnuFind, &QAction::triggered, this, &ListViewController::mnuFind);
    connect(ui->mnuMakeCD, &QAction::triggered, this, &ListViewController::mnuMakeCD);
}

ListViewController::~ListViewController() { closeSearch(); }

dlgSearch *ListViewController::searchDialog() const { return m_search.data(); }

void ListViewController::apology(const QString &label, const AppError &error)
{
    m_services.critical(ui->ListView1->window(), platform::reportTitle(), platform::apologyReportText(label, error));
}

void ListViewController::errorReport(const QString &label, const AppError &error)
{
    m_services.critical(ui->ListView1->window(), platform::reportTitle(), platform::errorReportText(label, error));
}

void ListViewController::ListView1_ColumnClick(int column)
{
    try {
        if (!isSortableColumn(column) || m_model->rowCount() == 0)
            return;
        ProductList rows = m_model->rows();
        const QList<int> newIndex = sortRows(rows, column, m_ascending);
        m_ascending = !m_ascending;
        // The selection follows its row; the rows are renumbered; the list is not marked changed.
        m_model->reorderRows(newIndex);
        const int selected = m_entry->selectedRow();
        if (selected >= 0)
            ui->ListView1->scrollTo(m_model->index(selected, 0));
    } catch (const std::exception &e) {
        apology(QStringLiteral("ListView1_ColumnClick"), unexpected(e));
    }
}

void ListViewController::ListMoveUp()
{
    try {
        const int row = m_entry->selectedRow();
        if (m_model->rowCount() < 2 || row < 1)
            return;
        m_model->swapProducts(row, row - 1);
        m_entry->selectRow(row - 1);
        m_entry->focusList();
        m_entry->SetTextBox();
        m_document->setModified(true);
    } catch (const std::exception &e) {
        errorReport(QStringLiteral("ListMoveUp"), unexpected(e));
    }
}

void ListViewController::ListMoveDown()
{
    try {
        const int row = m_entry->selectedRow();
        if (m_model->rowCount() < 2 || row < 0 || row >= m_model->rowCount() - 1)
            return;
        m_model->swapProducts(row, row + 1);
        m_entry->selectRow(row + 1);
        m_entry->focusList();
        m_entry->SetTextBox();
        m_document->setModified(true);
    } catch (const std::exception &e) {
        errorReport(QStringLiteral("ListMoveDown"), unexpected(e));
    }
}

void ListViewController::showPopup(const QPoint &viewportPos)
{
    try {
        if (m_model->rowCount() == 0)
            return;
        m_popup->mnuPopup->popup(ui->ListView1->viewport()->mapToGlobal(viewportPos));
    } catch (const std::exception &e) {
        apology(QStringLiteral("ListView1_MouseDown"), unexpected(e));
    }
}

void ListViewController::setAllChecks(bool on, const char *label)
{
    try {
        {
            WaitCursor wait;
            m_model->setAllChecked(on);
        }
        m_document->CountCheckedData();
    } catch (const std::exception &e) {
        apology(QString::fromUtf8(label), unexpected(e));
    }
}

void ListViewController::mnuSelectAll() { setAllChecks(true, "Popup.mnuSelectAll"); }

void ListViewController::mnuCancelAll() { setAllChecks(false, "Popup.mnuCancelAll"); }

void ListViewController::mnuFind()
{
    try {
        if (m_model->rowCount() == 0) {
            m_services.information(ui->ListView1->window(), QStringLiteral("ぽらね値札作成"),
                                   QStringLiteral("検索するデータがありません"));
            return;
        }
        const QModelIndex current = ui->ListView1->currentIndex();
        m_find.position = current.isValid() ? current.row() + 1 : 1;
        m_find.ended = false;
        ui->mnuFind->setEnabled(false);
        if (!m_search) {
            m_search = new dlgSearch([this](const QString &t) { return FindNext(t); },
                                     [this](const QString &t) { return FindRev(t); }, ui->ListView1->window());
            m_search->setAttribute(Qt::WA_DeleteOnClose);
            connect(m_search.data(), &dlgSearch::closed, this, &ListViewController::searchClosed);
        }
        m_search->show();
        m_search->raise();
        m_search->activateWindow();
    } catch (const std::exception &e) {
        apology(QStringLiteral("main.mnuFind_Click"), unexpected(e));
    }
}

void ListViewController::searchClosed()
{
    ui->mnuFind->setEnabled(true);
    m_entry->focusList();
    m_entry->ListView1_GotFocus();
    if (m_entry->selectedRow() >= 0) {
        ui->cmd新規->setEnabled(true);
        ui->mnuNewData->setEnabled(true);
        ui->cmdDelete->setEnabled(true);
        ui->mnuDelData->setEnabled(true);
    }
}

void ListViewController::closeSearch()
{
    if (m_search)
        m_search->close();
}

bool ListViewController::FindNext(const QString &text) { return find(text, true); }

bool ListViewController::FindRev(const QString &text) { return find(text, false); }

bool ListViewController::find(const QString &text, bool forward)
{
    try {
        m_find.ended = false;
        const ProductList rows = m_model->rows();
        const int hit = forward ? findNext(rows, text, m_find) : findRev(rows, text, m_find);
        if (hit >= 0) {
            m_entry->selectRow(hit);
        } else {
            m_services.information(m_search ? static_cast<QWidget *>(m_search.data()) : ui->ListView1->window(),
                                   QStringLiteral("データ内検索"), QStringLiteral("検索が終了しました."));
        }
    } catch (const std::exception &e) {
        apology(forward ? QStringLiteral("Main.FindNext") : QStringLiteral("Main.FindRev"), unexpected(e));
    }
    return m_find.ended;
}

QString ListViewController::makeCDTitle() { return QStringLiteral("チェックディジット一括挿入"); }

QString ListViewController::makeCDPrompt()
{
    return QStringLiteral("JANコードにチェックディジットが無い場合(桁数が12もしくは７)\r\n"
                          "リスト上のデータにチェックディジットを付加します.\r\n"
                          "よろしいですか?");
}

void ListViewController::mnuMakeCD()
{
    try {
        const UiServices::Answer a =
            m_services.message(ui->ListView1->window(), makeCDTitle(), makeCDPrompt(), UiServices::Icon::Information,
                               UiServices::Buttons::OkCancel, UiServices::Answer::Ok);
        if (a != UiServices::Answer::Ok)
            return;
        ProductList rows = m_model->rows();
        // appendCheckDigits starts the check-digit counter at 0; it ends as the number of rows changed.
        const int changed = appendCheckDigits(rows);
        if (changed > 0) {
            m_model->updateRows(rows);
            m_document->setModified(true);
            m_services.information(ui->ListView1->window(), makeCDTitle(),
                                   QString::number(barcode::checkDigitCounter())
                                       + QStringLiteral(" 件のチェックディジットを付加しました."));
        } else {
            m_services.information(ui->ListView1->window(), makeCDTitle(), QStringLiteral("対象が見つかりませんでした."));
        }
        m_entry->SetTextBox();
    } catch (const std::exception &e) {
        apology(QStringLiteral("main.makecd"), unexpected(e));
    }
}

} // namespace products
