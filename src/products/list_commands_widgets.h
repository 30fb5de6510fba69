#pragma once

#include <QObject>

namespace app {
class frmMain;
}

namespace products {

class ListDocument;
class ProductListModel;

// Ties the product list and its file commands to the main window: the model on ListView1, the
// four file commands, title, status bar, the wait label, 上書き保存's enabling, the close prompts
// and the tax dialog. The logic stays in ListDocument; this only moves values between the two.
class ListCommands : public QObject {
    Q_OBJECT
public:
    // Create before frmMain::Form_Load, so the close hooks are in place.
    explicit ListCommands(app::frmMain &window);
    ~ListCommands() override;

    ProductListModel *model() const { return m_model; }
    ListDocument *document() const { return m_document; }

    // 消費税率・価格基準: the dialog, then the price column header and the price fields.
    void mnuTax();
    // The price column's header from [Tax] Indicate.
    void refreshPriceHeader();

private:
    void setBusy(bool busy, const QString &text);

    app::frmMain &m_window;
    ProductListModel *m_model;
    ListDocument *m_document;
};

} // namespace products
