#pragma once

#include "dialogs/browser_settings.h"
#include "ledger/design.h"
#include "ledger/sheet.h"
#include "ledger/window_values.h"
#include "products/tax.h"

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class frmDaicyo;
}

namespace platform {
class UiServices;
}

namespace products {
class ProductListModel;
}

namespace ledger {

// 商品台帳作成ツール: edits the ledger settings, makes dtemp.html from the product list and shows it.
// The settings are stored back into the record on make and on closing (when the start page is valid);
// with listNotEmpty false the window only edits the settings (no make).
class frmDaicyo : public QDialog {
    Q_OBJECT
public:
    frmDaicyo(const products::ProductListModel &model, LedgerDesign &settings, const products::TaxSettings &tax,
              const dialogs::BrowserSettings &browser, platform::UiServices &services, const QString &appDataFolder,
              bool listNotEmpty, QWidget *parent = nullptr);
    ~frmDaicyo() override;

    // True while a make runs (the window is disabled meanwhile).
    bool isMaking() const { return m_making; }

    void done(int result) override;

Q_SIGNALS:
    // F1 or the help picture: the owner opens the program's help.
    void helpRequested();

private:
    void GetDInitial(const WindowValues &form);
    WindowValues windowValues() const;
    platform::AppError SetValues();
    void setSwatch(bool lineColor, const QString &colorText);
    void CheckPageNum_Toggled(bool checked);
    void txtStartPage_Changed(const QString &text);
    void chooseColor(bool lineColor);
    void chooseFont();
    void cmd作成_Click();

    std::unique_ptr<Ui::frmDaicyo> ui;
    const products::ProductListModel &m_model;
    LedgerDesign &m_settings;
    const products::TaxSettings &m_tax;
    const dialogs::BrowserSettings &m_browser;
    QString m_folder;
    bool m_listNotEmpty;
    platform::UiServices &m_services;
    QString m_lineColor;
    QString m_backColor;
    bool m_making = false;
    std::optional<Inputs> m_lastMade; // what the PDF and print commands draw
};

} // namespace ledger
