#pragma once

#include "products/list_operations.h"

#include <QObject>
#include <QPointer>

class QAction;
class QTreeView;
namespace platform {
class UiServices;
}

namespace products {

class EntryForm;
class ProductListModel;
class dlgSearch;

// データ内検索: the modeless find dialog and the search through the list it asks for.
class ListFind : public QObject {
    Q_OBJECT
public:
    ListFind(QTreeView *list, QAction *mnuFind, ProductListModel &model, EntryForm &entry,
             platform::UiServices &services, QObject *parent = nullptr);
    ~ListFind() override;

    void mnuFind();
    // Return the search-ended flag.
    bool FindNext(const QString &text);
    bool FindRev(const QString &text);

    dlgSearch *searchDialog() const;
    // Closes the find dialog (the main window's unload).
    void closeSearch();
    FindState findState() const { return m_find; }

private:
    void searchClosed();
    bool find(const QString &text, bool forward);
    QWidget *window() const;

    QTreeView *m_list;
    QAction *m_mnuFind;
    ProductListModel *m_model;
    EntryForm *m_entry;
    platform::UiServices &m_services;
    QPointer<dlgSearch> m_search;
    FindState m_find;
};

} // namespace products
