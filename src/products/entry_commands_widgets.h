#pragma once

#include <QObject>

#include <memory>

namespace app {
class frmMain;
}

namespace products {

class EntryController;
class ListCommands;
class ListViewController;

// Puts the entry form and the list operations into the main window, on the list and document that
// ListCommands set up: 登 録 / 新 規 / 削 除, 税 計 算, the barcode preview, sorting, ↑ / ↓, the
// output-check menu, データ内検索 and チェックディジット一括挿入.
class EntryCommands : public QObject {
    Q_OBJECT
public:
    // Create after ListCommands and before frmMain::Form_Load, so the start-up hooks are in place.
    EntryCommands(app::frmMain &window, ListCommands &list);
    ~EntryCommands() override;

    EntryController *entry() const { return m_entry.get(); }
    ListViewController *listView() const { return m_listView.get(); }

private:
    void settingsKnown();

    app::frmMain &m_window;
    std::unique_ptr<EntryController> m_entry;
    std::unique_ptr<ListViewController> m_listView;
};

} // namespace products
