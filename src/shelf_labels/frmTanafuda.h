#pragma once

#include "common/print_calibration.h"
#include "dialogs/browser_display_widgets.h"
#include "dialogs/browser_settings.h"
#include "dialogs/design_file_commands_widgets.h"
#include "dialogs/logo_box_widgets.h"
#include "dialogs/stock_choice_widgets.h"
#include "platform/apperror.h"
#include "platform/folders.h"
#include "platform/user_services.h"
#include "products/tax.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/window_values.h"

#include <QDialog>
#include <QElapsedTimer>

#include <memory>
#include <optional>

namespace Ui {
class frmTanafuda;
}
class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace dialogs {
class FontRows;
}

namespace products {
class ProductListModel;
}

namespace common {
struct Refusal;
}

namespace shelf_labels {

// 棚札作成ツール: edits the shelf-label design, opens and saves design files, makes the sheet and shows
// it. The design and the tax note wording are the program's (edited in place: on every make, preview
// and close the window stores what it shows). withData false opens the window for design work only:
// the make button stays disabled.
class frmTanafuda : public QDialog {
    Q_OBJECT
public:
    frmTanafuda(products::ProductListModel &model, ShelfLabelDesign &design, products::TaxSettings &tax,
                const dialogs::BrowserSettings &browser, platform::UiServices &services,
                const platform::Folders &folders, bool withData, QWidget *parent = nullptr,
                common::PrintCalibration *calibration = nullptr);
    ~frmTanafuda() override;

    // The design file the window is tied to (empty when none) and whether it was edited since.
    QString designFile() const { return m_files->file(); }
    bool designChanged() const { return m_files->changed(); }
    // The second half of デザインを開く: reads the design file at path into the window and ties the
    // window to it; a file that cannot be read is reported and leaves the design as it was.
    void openDesignFile(const QString &path);

Q_SIGNALS:
    // F1 or the help picture: the program's help.
    void helpRequested();
    // The preview tab shows the design; milliseconds from the tab's selection.
    void previewShown(qint64 milliseconds);

protected:
    void closeEvent(QCloseEvent *event) override;
    void reject() override;

private:
    void connectControls();
    void markChanged();
    void updateStates();
    void showMessage(const common::Refusal &message);
    void showError(const QString &label, const platform::AppError &error);

    // Controls ↔ values.
    // label names the error report of a logo picture that cannot be read.
    void showValues(const WindowValues &values, const QString &label);
    WindowValues controlValues() const;
    void SetValues();
    // The design's on/off fields and colours with the controls that show them.
    QList<std::pair<QCheckBox *, bool ShelfLabelDesign::*>> flagBoxes() const;
    struct Swatch {
        QLabel *swatch;
        QPushButton *button; // its "..." button
        QString ShelfLabelDesign::*color;
    };
    QList<Swatch> swatches() const;

    // Logo.
    void showLogo(const QString &path, const QString &w, const QString &h, const QString &label);
    void resetLogoToNaturalSize();
    void cmdLogoName_Click();
    void cmdResize_Click();

    // Commands.
    void TabStrip1_Click(int index);
    void Check税込_Toggled(bool checked);
    void refillStartPositions();
    void cmd作成_Click();
    std::optional<platform::AppError> readDesign(const QString &path);
    void setDefaults(const WindowValues &values);

    dialogs::ExplorerControls explorerControls();

    std::unique_ptr<Ui::frmTanafuda> ui;
    products::ProductListModel &m_model;
    ShelfLabelDesign &m_design;
    products::TaxSettings &m_tax;
    const dialogs::BrowserSettings &m_browser;
    platform::UiServices &m_services;
    platform::Folders m_folders;
    bool m_withData;

    QButtonGroup *m_style;
    QButtonGroup *m_janNum;
    QButtonGroup *m_taxStyle;
    QList<QLineEdit *> m_padding;
    dialogs::FontRows *m_fonts;

    dialogs::DesignFileCommands *m_files;
    bool m_loading = false;
    bool m_making = false;
    std::optional<Inputs> m_lastMade; // what the PDF and print commands draw
    dialogs::LogoBox *m_logo;
    dialogs::StockChoice *m_stock;
    common::PrintCalibration *m_calibration; // the settings' printer shift; none in a bare window
    QString m_previewPath;
    QElapsedTimer m_previewClock;
};

} // namespace shelf_labels
