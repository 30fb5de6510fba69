#pragma once

#include "app/settings_store.h"
#include "common/maker.h"
#include "platform/folders.h"
#include "settings/settings.h"

#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <functional>
#include <memory>

class QLabel;
class QTimer;
namespace Ui {
class frmMain;
}
namespace dialogs {
class dlgSplash;
}
namespace platform {
class UiServices;
}
namespace barcode {
class BarcodePreview;
}
namespace products {
class EntryForm;
class ListCommands;
class ListDocument;
class ListFind;
class ListView;
class ProductListModel;
} // namespace products

namespace app {

// The program's main window: product list, entry form, barcode preview, maker buttons, menus.
// It owns the product list and the controllers that work on it, each given the controls it fills
// and enables; the window itself keeps the title, the status bar, the wait label, its size and
// the shell commands (help, version, list font, quit).
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    // Without a store the folders and settings file are the desktop's standard ones.
    frmMain(settings::Settings &settings, platform::UiServices &services, SettingsStore *store = nullptr,
            QWidget *parent = nullptr);
    ~frmMain() override;

    settings::Settings &settings() { return settings_; }
    const platform::Folders &folders() const { return folders_; }

    // Start-up: splash, folders, settings, first-run copies, window size and initial states.
    void Form_Load();
    // Runs the save prompts; true when the window may close (settings are written then).
    bool Form_QueryUnload();
    // The desktop session ends (SIGTERM, SIGHUP): as a close without prompts. The settings are written;
    // an unsaved list is kept as recovered-<time>.csv in the application data folder.
    void endSession();

    // A file given on the command line or handed over by a later start: a product list opens as 開く
    // would; a shelf-label (.hdn) or price-tag (.cdn) design opens its designer as the 棚札作成 or
    // 貼付用値札作成 button would, which then reads the design as デザインを開く would. While a dialog
    // or a read holds the window, the file waits until it is free.
    void openGivenFile(const QString &path);

    // Panels 1 (output count), 2 (current file) and 3 (the encoding a list was read in, hidden when empty).
    void setStatusText(int panel, const QString &text);
    QString statusText(int panel) const;
    // The wait label in the middle of the window.
    void showWaitMessage(const QString &text);
    void hideWaitMessage();

    dialogs::dlgSplash *splash() const;
    void closeSplash();

    // The product list and the controllers, for checks from outside.
    products::ProductListModel &model() const { return *model_; }
    products::ListDocument &document() const { return *document_; }
    products::EntryForm &entryForm() const { return *entry_; }
    products::ListView &listView() const { return *listView_; }
    products::ListFind &listFind() const { return *find_; }

Q_SIGNALS:
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private Q_SLOTS:
    // The maker windows (棚札作成, 貼付用値札作成, 商品台帳作成ツール).
    // from: the button or the menu entry (the empty-list notice's title may differ).
    // designFile: read into the opened window as its デザインを開く would.
    void mnuTanafuda_Click(common::LaunchedFrom from, const QString &designFile = {});
    void mnuCyoufu_Click(common::LaunchedFrom from, const QString &designFile = {});
    void mnuDaicyo_Click(common::LaunchedFrom from);

private:
    // Shows a maker's empty-list notice, if any; whether the list has rows to make from.
    bool noticeEmptyList(const common::Refusal &notice);
    std::function<void()> helpOn(const QString &topic);
    void createControllers();
    void connectDocument();
    void connectShellCommands();
    void applyWindowBounds();
    QString recoveryMarkerPath() const;
    void showRecoveredList();
    void applySavedSize();
    bool windowIsNormal() const;
    void storeWindowStatus();
    void applyListSettings();
    void applyListFont(); // [Size] GridFont
    void taxSettingsChanged();
    void setBusy(bool busy, const QString &waitText);
    bool isFreeForGivenFiles() const;
    void openPendingFiles();

    std::unique_ptr<Ui::frmMain> ui_;
    settings::Settings &settings_;
    platform::UiServices &services_;
    SettingsStore standardStore_;
    SettingsStore &store_;
    platform::Folders folders_;
    QLabel *panel1_ = nullptr;
    QLabel *panel2_ = nullptr;
    QLabel *panel3_ = nullptr;
    QPointer<dialogs::dlgSplash> splash_;
    bool unloaded_ = false;
    QStringList pendingFiles_;
    QTimer *pendingTimer_ = nullptr;
    bool openingGivenFile_ = false;

    // Declared in the order they are made; each is given only what was made before it.
    std::unique_ptr<products::ProductListModel> model_;
    std::unique_ptr<products::ListDocument> document_;
    std::unique_ptr<barcode::BarcodePreview> preview_;
    std::unique_ptr<products::EntryForm> entry_;
    std::unique_ptr<products::ListView> listView_;
    std::unique_ptr<products::ListFind> find_;
    std::unique_ptr<products::ListCommands> listCommands_;
};

} // namespace app
