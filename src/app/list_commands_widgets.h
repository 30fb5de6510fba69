#pragma once

#include <QObject>

#include <memory>

namespace products {
class EntryController;
class ListDocument;
class ListViewController;
class ProductListModel;
} // namespace products

namespace app {

class frmMain;

// Puts the product list into the main window: the model shown by ListView1, the file commands of the
// list document, the entry form, the list operations, and the settings dialogs that change how the
// list is shown (データリストの表示設定, 消費税率・価格基準).
class ListCommands : public QObject {
    Q_OBJECT
public:
    explicit ListCommands(frmMain &window);
    ~ListCommands() override;

    products::ProductListModel *model() const { return m_model; }
    products::ListDocument *document() const { return m_document; }
    products::EntryController *entry() const { return m_entry.get(); }
    products::ListViewController *listView() const { return m_listView.get(); }

    void mnuGridFont();
    void mnuTax();

private:
    void connectDocument();
    void settingsKnown();

    frmMain &m_window;
    products::ProductListModel *m_model;
    products::ListDocument *m_document;
    std::unique_ptr<products::EntryController> m_entry;
    std::unique_ptr<products::ListViewController> m_listView;
};

} // namespace app
