#pragma once

#include <QObject>

#include <memory>

class QAction;
class QPoint;
class QPushButton;
class QTreeView;
namespace platform {
class UiServices;
}

namespace products {

class EntryForm;
class ListDocument;
class ProductListModel;
class frmPopupMenu;

// The commands on the list as a whole: header-click sorting, ↑ / ↓, the right-click menu of the output
// checks and チェックディジット一括挿入. Every bulk change reaches the model in one step, so a long
// list is redrawn once.
class ListView : public QObject {
    Q_OBJECT
public:
    // The main window's controls these commands drive.
    struct Widgets {
        QTreeView *ListView1 = nullptr;
        QPushButton *cmdUp = nullptr;
        QPushButton *cmdDown = nullptr;
        QAction *mnuUp = nullptr;
        QAction *mnuDown = nullptr;
        QAction *mnuMakeCD = nullptr;
    };

    ListView(const Widgets &widgets, ProductListModel &model, ListDocument &document, EntryForm &entry,
             platform::UiServices &services, QObject *parent = nullptr);
    ~ListView() override;

    void ListView1_ColumnClick(int column);
    void ListMoveUp();
    void ListMoveDown();
    // The right-click menu at a position of the list's viewport (shown only with rows).
    void showPopup(const QPoint &viewportPos);
    void mnuSelectAll();
    void mnuCancelAll();
    void mnuMakeCD();

    frmPopupMenu *popup() const { return m_popup; }
    bool sortAscending() const { return m_ascending; }

    static QString makeCDPrompt();
    static QString makeCDTitle();

private:
    void setAllChecks(bool on, const char *label);
    void setBusy(bool busy);
    // The header's sort indicator on the column last sorted by (-1: none, the list is in its own order).
    void showSortIndicator(int column);
    QWidget *window() const;

    Widgets ui;
    ProductListModel *m_model;
    ListDocument *m_document;
    EntryForm *m_entry;
    platform::UiServices &m_services;
    frmPopupMenu *m_popup;   // a child of the window
    bool m_ascending = true; // the direction of the next sorting click, shared by every column
    int m_sortColumn = -1;
};

} // namespace products
