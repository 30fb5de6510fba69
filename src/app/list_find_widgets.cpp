#include "app/list_find_widgets.h"

#include "app/dlgSearch.h"
#include "app/entry_form_widgets.h"
#include "platform/reports.h"
#include "platform/user_services.h"
#include "products/product_list_model.h"

#include <QAction>
#include <QTreeView>

namespace products {

using platform::ReportKind;

ListFind::ListFind(QTreeView *list, QAction *mnuFind, ProductListModel &model, EntryForm &entry,
                   platform::UiServices &services, QObject *parent)
    : QObject(parent), m_list(list), m_mnuFind(mnuFind), m_model(&model), m_entry(&entry), m_services(services)
{
    connect(m_mnuFind, &QAction::triggered, this, &ListFind::mnuFind);
}

ListFind::~ListFind()
{
    closeSearch();
}

QWidget *ListFind::window() const
{
    return m_list->window();
}

dlgSearch *ListFind::searchDialog() const
{
    return m_search.data();
}

void ListFind::mnuFind()
{
    platform::guarded(m_services, window(), ReportKind::Apology, QStringLiteral("main.mnuFind_Click"), [&] {
        if (m_model->rowCount() == 0) {
            m_services.information(window(), QStringLiteral("ぽらね値札作成"),
                                   QStringLiteral("検索するデータがありません"));
            return;
        }
        const QModelIndex current = m_list->currentIndex();
        m_find.position = current.isValid() ? current.row() + 1 : 1;
        m_find.ended = false;
        m_mnuFind->setEnabled(false);
        if (!m_search) {
            m_search = new dlgSearch([this](const QString &t) { return FindNext(t); },
                                     [this](const QString &t) { return FindRev(t); }, window());
            m_search->setAttribute(Qt::WA_DeleteOnClose);
            connect(m_search.data(), &dlgSearch::closed, this, &ListFind::searchClosed);
        }
        m_search->show();
        m_search->raise();
        m_search->activateWindow();
    });
}

void ListFind::searchClosed()
{
    m_mnuFind->setEnabled(true);
    m_entry->focusList();
    m_entry->ListView1_GotFocus();
    if (m_entry->selectedRow() >= 0)
        m_entry->setNewAndDeleteEnabled(true);
}

void ListFind::closeSearch()
{
    if (m_search)
        m_search->close();
}

bool ListFind::FindNext(const QString &text)
{
    return find(text, true);
}

bool ListFind::FindRev(const QString &text)
{
    return find(text, false);
}

bool ListFind::find(const QString &text, bool forward)
{
    const QString label = forward ? QStringLiteral("Main.FindNext") : QStringLiteral("Main.FindRev");
    platform::guarded(m_services, window(), ReportKind::Apology, label, [&] {
        m_find.ended = false;
        const ProductList rows = m_model->rows();
        const int hit = forward ? findNext(rows, text, m_find) : findRev(rows, text, m_find);
        if (hit >= 0) {
            m_entry->selectRow(hit);
        } else {
            m_services.information(m_search ? static_cast<QWidget *>(m_search.data()) : window(),
                                   QStringLiteral("データ内検索"), QStringLiteral("検索が終了しました."));
        }
    });
    return m_find.ended;
}

} // namespace products
