#pragma once

#include "app/settings.h"
#include "platform/folders.h"

#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>
#include <optional>

class QAbstractItemModel;
class QLabel;
namespace Ui {
class frmMain;
}
namespace dialogs {
class dlgSplash;
}

namespace app {

enum class CloseDecision { GoOn, Stop };

// What the main window leaves to the parts that own the product list and its dialogs. An unset
// prompt lets the window close; the folders and the settings file have their standard defaults
// (GetSPF, GetInitial, SetInitial) that a test may replace.
struct MainWindowHooks {
    std::function<platform::Folders(std::optional<platform::AppError> *)> getFolders;
    std::function<SettingsLoad(const platform::Folders &)> loadSettings;
    std::function<bool(const Settings &, const platform::Folders &, bool windowNormal, platform::AppError *)>
        saveSettings;
    std::function<CloseDecision()> workbookSavePrompt; // runs only while a workbook import is pending
    std::function<CloseDecision()> saveChangesPrompt;  // runs only while the list has unsaved changes
    std::function<void()> colourPriceFields;           // SetTxtBackColor, once the settings are known
    std::function<void()> unloadDialogs;               // the find dialog and other modeless windows
};

// The program's main window: product list, entry form, barcode preview, maker buttons, menus.
// It lays out and enables its controls; the commands of the list, the makers and the dialogs are
// wired by their own classes through form().
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(Settings &settings, QWidget *parent = nullptr);
    ~frmMain() override;

    Ui::frmMain &form() { return *ui_; }
    MainWindowHooks &hooks() { return hooks_; }
    Settings &settings() { return settings_; }
    const platform::Folders &folders() const { return folders_; }

    // Start-up: splash, folders, settings, first-run copies, window size and initial states.
    void Form_Load();
    // Runs the save prompts; true when the window may close (settings are written then).
    bool Form_QueryUnload();

    void setStatusText(int panel, const QString &text); // panels 1 and 2
    QString statusText(int panel) const;

    // The list view's model; header caption, font and column widths are applied to it.
    void setListModel(QAbstractItemModel *model);
    void applyListSettings();
    void applyListFont(); // [Size] GridFont
    QString priceColumnCaption() const;

    // The wait label in the middle of the window.
    void showWaitMessage(const QString &text);
    void hideWaitMessage();

    // The row commands (新 規, 削 除, ↑, ↓ and their menu entries) and the tax calculation.
    void setRowCommandsEnabled(bool enabled);
    void setCalcEnabled(bool enabled);

    dialogs::dlgSplash *splash() const;
    void closeSplash();

Q_SIGNALS:
    void unloaded();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void applyWindowBounds();
    void applySavedSize();
    bool windowIsNormal() const;
    void storeWindowStatus();
    void connectShellCommands();

    std::unique_ptr<Ui::frmMain> ui_;
    Settings &settings_;
    MainWindowHooks hooks_;
    platform::Folders folders_;
    QAbstractItemModel *placeholderModel_ = nullptr;
    QLabel *panel1_ = nullptr;
    QLabel *panel2_ = nullptr;
    QPointer<dialogs::dlgSplash> splash_;
    bool unloaded_ = false;
};

} // namespace app
