#pragma once

#include "platform/apperror.h"
#include "products/entry_rules.h"
#include "products/tax.h"

#include <QColor>
#include <QObject>
#include <QString>

#include <memory>

class QLineEdit;
class QTreeView;
namespace Ui {
class frmMain;
}
namespace platform {
class UiServices;
}
namespace barcode {
class BarcodePreview;
}

namespace products {

class ListDocument;
class ProductListModel;

// The entry form below the list: one product record, its key rules, the tax calculation, the
// barcode preview and the commands 登 録 / 新 規 / 削 除. It works on the main window's form widgets
// and on the list model; the unsaved-changes flag and the output count belong to the list document.
class EntryController : public QObject {
    Q_OBJECT
public:
    EntryController(Ui::frmMain *form, ProductListModel *model, ListDocument *document, const TaxSettings &tax,
                    const QString &barcodeFolder, platform::UiServices &services, QObject *parent = nullptr);
    ~EntryController() override;

    // Absolute folder of the preview images (with or without the trailing separator).
    void setBarcodeFolder(const QString &folder) { m_barcodeFolder = folder; }
    QString barcodeFolder() const { return m_barcodeFolder; }

    void SetTxtBackColor();
    void SetTextBox();
    void PutData();
    void NewData();
    void DelData();
    void ClearTextBox();
    void SetNumbers();
    void CalcData();
    void PreViewBarCode();
    void ClearPreview();

    // A row was clicked or chosen with the keyboard.
    void rowSelected();
    // The list got the focus from the user: refill the form from its current row if selected.
    void ListView1_GotFocus();

    // The selected row of the list (0-based), or -1.
    int selectedRow() const;
    // Selects and shows a row without running the row-selection handler; -1 deselects.
    void selectRow(int row);
    void deselect();
    // Gives the list the focus without its focus handler refilling the form.
    void focusList();

    // Enabling of 新 規, 削 除, ↑, ↓ with their menu entries, and of 税 計 算 / 消費税計算.
    void setRowCommandsEnabled(bool on);
    void setCalcEnabled(bool on);
    int direction() const { return m_direction; }

    EntryFields fields() const;
    const barcode::BarcodePreview &preview() const { return *m_preview; }

    // Light yellow of the derived price field (colour value 0xC0FFFF).
    static QColor derivedPriceColour();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectForm();
    void setFields(const EntryFields &f);
    void emptyFields();
    void priceTyped(int direction);
    void barcodeTyped();
    void optionTypeChosen(int id);
    void setBarcodeLength(int janType);
    static void showWhole(QLineEdit *edit, const QString &text, int limit);
    int barcodeLimit() const;
    QLineEdit *fieldEdit(EntryField field) const;
    bool filterKey(QLineEdit *edit, QEvent *event);
    void report(const QString &label, const platform::AppError &error);

    Ui::frmMain *ui;
    ProductListModel *m_model;
    ListDocument *m_document;
    const TaxSettings &m_tax;
    QString m_barcodeFolder;
    platform::UiServices &m_services;
    std::unique_ptr<barcode::BarcodePreview> m_preview;
    int m_direction = 0;
    int m_selecting = 0;     // >0 while the program itself changes the selection
    bool m_focusing = false; // while the program itself focuses the list
};

} // namespace products
