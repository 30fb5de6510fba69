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
#include "price_tags/design.h"
#include "price_tags/designer_rules.h"
#include "price_tags/product_slots.h"
#include "price_tags/sheet.h"
#include "price_tags/window_values.h"

#include <QDialog>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QScrollBar;
class QWebEngineView;

namespace products {
class ProductListModel;
struct TaxSettings;
} // namespace products

namespace Ui {
class frmNefuda;
}

namespace dialogs {
class FontRows;
}

namespace price_tags {

// 貼付用値札作成ツール: up to ten products with their number of tags, the price-tag design in four tabs,
// the preview of one tag, and the make and display commands. It edits the program's price-tag design
// in place: the four print flags at once, everything else when a make or preview runs and when the
// window closes. Its make command writes ctemp.html into the application data folder.
class frmNefuda : public QDialog {
    Q_OBJECT
public:
    // items: the products of the data tab. listHasRows false opens the window for design work only
    // (no make, no copies).
    frmNefuda(const ProductSlots &items, bool listHasRows, PriceTagDesign &design,
              const dialogs::BrowserSettings &browser, platform::UiServices &services, const platform::Folders &folders,
              QWidget *parent = nullptr, common::PrintCalibration *calibration = nullptr);
    ~frmNefuda() override;

    QString currentDesignFile() const { return files_->file(); }
    bool designChanged() const { return files_->changed(); }
    // The second half of デザインを開く: reads the design file at path into the window and makes it
    // current; a file that cannot be read is reported and leaves the design as it was.
    void openDesignFile(const QString &path);

Q_SIGNALS:
    // F1 or the help picture: the owner opens the program's help.
    void helpRequested();

public Q_SLOTS:
    void reject() override;

private:
    // Load step: the in-memory design and the products into the controls.
    void load(const ProductSlots &items);
    WindowValues formFromControls() const;
    void showForm(const WindowValues &form);
    void applyEnabledStates();
    void connectHandlers();

    void markChanged();
    std::optional<platform::AppError> readDesign(const QString &path);
    void report(const QString &label, const platform::AppError &error);

    void tabChanged(int index);
    void showPreview();
    void rebuildStartPositions();

    void chooseLogo();
    void resizeLogo();
    bool logoSizeRefused();
    void resetLogoToPicture();

    void makeTags();
    void quit();
    void builtInDesign(BuiltInType type);

    dialogs::ExplorerControls explorerControls();

    std::unique_ptr<Ui::frmNefuda> ui;
    PriceTagDesign &design_;
    const dialogs::BrowserSettings browser_;
    platform::UiServices &services_;
    platform::Folders folders_;
    ProductSlots slots_;
    bool listHasRows_;

    QList<QLineEdit *> copies_;
    QList<QScrollBar *> copiesUpDown_;
    QList<QList<QLabel *>> slotLabels_; // each slot's item code, name, price and JAN code
    QList<QLineEdit *> padding_;
    dialogs::FontRows *fonts_;
    QButtonGroup *optionNum_;
    QButtonGroup *optionStyle_;
    QPointer<QWebEngineView> wbCPreView_;

    dialogs::DesignFileCommands *files_;
    dialogs::LogoBox *logo_;
    QString previewPath_;
    bool loading_ = false; // controls are being filled: no edits to mark
    dialogs::StockChoice *stock_;
    common::PrintCalibration *calibration_; // the settings' printer shift; none in a bare window
    bool making_ = false;
    std::optional<Inputs> lastMade_; // what the PDF and print commands draw
};

} // namespace price_tags
