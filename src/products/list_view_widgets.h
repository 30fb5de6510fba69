#pragma once

#include "platform/apperror.h"
#include "products/list_operations.h"

#include <QObject>
#include <QPointer>

#include <memory>

namespace Ui {
class frmMain;
}
namespace platform {
class UiServices;
}

namespace products {

class EntryController;
class ListDocument;
class ProductListModel;
class dlgSearch;
class frmPopupMenu;

// The commands on the list as a whole: header-click sorting, ↑ / ↓, the right-click menu of the output
// checks, データ内検索 with its modeless dialog, and チェックディジット一括挿入. Every bulk change
// reaches the model in one step, so a long list is redrawn once.
class ListViewController : public QObject {
    Q_OBJECT
public:
    ListViewController(Ui::frmMain *form, ProductListModel *model, ListDocument *document, EntryController *entry,
                       platform::UiServices &services, QObject *parent = nullptr);
    ~ListViewController() override;

    void ListView1_ColumnClick(int column);
    void ListMoveUp();
    void ListMoveDown();
    // The right-click menu at a position of the list's viewport (shown only with rows).
    void showPopup(const QPoint &viewportPos);
    void mnuSelectAll();
    void mnuCancelAll();
    void mnuFind();
    // Return the search-ended flag.
    bool FindNext(const QString &text);
    bool FindRev(const QString &text);
    void mnuMakeCD();

    frmPopupMenu *popup() const { return m_popup.get(); }
    dlgSearch *searchDialog() const;
    // Closes the find dialog (the main window's unload).
    void closeSearch();
    bool sortAscending() const { return m_ascending; }
    FindState findState() const { return m_find; }

    static QString makeCDPrompt();
    static QString makeCDTitle();

private:
    void setAllChecks(bool on, const char *label);
    void searchClosed();
    bool find(const QString &text, bool forward);
    void apology(const QString &label, const platform::AppError &error);
    void errorReport(const QString &label, const platform::AppError &error);

    Ui::frmMain *ui;
    ProductListModel *m_model;
    ListDocument *m_document;
    EntryController *m_entry;
    platform::UiServices &m_services;
    std::unique_ptr<frmPopupMenu> m_popup;
    QPointer<dlgSearch> m_search;
    FindState m_find;
    bool m_ascending = true; // the direction of the next sorting click, shared by every column
};

} // namespace products
