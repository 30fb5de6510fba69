#pragma once

#include "app/entry_rules.h"
#include "platform/apperror.h"
#include "products/tax.h"

#include <QColor>
#include <QObject>
#include <QString>

class QAction;
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTreeView;
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
// barcode preview and the commands 登 録 / 新 規 / 削 除. It fills and enables the entry widgets and
// the row commands, and follows the list's selection; the unsaved-changes flag and the output count
// belong to the list document.
class EntryForm : public QObject {
    Q_OBJECT
public:
    // The main window's controls this form fills and enables (the list only for its selection).
    struct Widgets {
        QTreeView *ListView1 = nullptr;
        QLineEdit *txt品番 = nullptr;
        QLineEdit *txt商品名 = nullptr;
        QLineEdit *txt本体価格 = nullptr;
        QLineEdit *txt価格 = nullptr;
        QLineEdit *txt備考 = nullptr;
        QLineEdit *txtBarCode = nullptr;
        QLabel *lbl消費税 = nullptr;
        QCheckBox *Check軽減税率 = nullptr; // the product is taxed at the reduced rate
        QLabel *lblCD = nullptr;
        QButtonGroup *OptionType = nullptr;
        QRadioButton *OptionType_0 = nullptr;
        QRadioButton *OptionType_1 = nullptr;
        QPushButton *cmdPutGrid = nullptr;
        QPushButton *cmd新規 = nullptr;
        QPushButton *cmdDelete = nullptr;
        QPushButton *cmdUp = nullptr;
        QPushButton *cmdDown = nullptr;
        QPushButton *cmdCalc = nullptr;
        QAction *mnuPutData = nullptr;
        QAction *mnuNewData = nullptr;
        QAction *mnuDelData = nullptr;
        QAction *mnuUp = nullptr;
        QAction *mnuDown = nullptr;
        QAction *mnuCalcData = nullptr;
    };

    EntryForm(const Widgets &widgets, ProductListModel &model, ListDocument &document, const TaxSettings &tax,
              barcode::BarcodePreview &preview, platform::UiServices &services, QObject *parent = nullptr);
    ~EntryForm() override;

    // Absolute folder of the preview images (with or without the trailing separator).
    // The preview reserves the room of a full code drawn with them.
    void setBarcodeFolder(const QString &folder);
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
    // 新 規 and 削 除 alone, with their menu entries (the find dialog closed on a found row).
    void setNewAndDeleteEnabled(bool on);
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
    void reducedToggled();
    // The tax settings with the rate of the class the form shows.
    TaxSettings formTax() const;
    void barcodeTyped();
    void optionTypeChosen(int id);
    void previewTypedCode();
    void setBarcodeLength(int janType);
    static void showWhole(QLineEdit *edit, const QString &text, int limit);
    int barcodeLimit() const;
    QLineEdit *fieldEdit(EntryField field) const;
    bool filterKey(QLineEdit *edit, QEvent *event);
    void report(const QString &label, const platform::AppError &error);
    template <typename F> void guarded(const char *label, F &&command);

    Widgets ui;
    ProductListModel *m_model;
    ListDocument *m_document;
    const TaxSettings &m_tax;
    QString m_barcodeFolder;
    platform::UiServices &m_services;
    barcode::BarcodePreview *m_preview;
    int m_direction = 0;
    int m_selecting = 0;     // >0 while the program itself changes the selection
    int m_filling = 0;       // >0 while the form itself writes its fields
    bool m_focusing = false; // while the program itself focuses the list
};

} // namespace products
