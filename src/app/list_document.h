#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QWidget;
namespace platform {
class UiServices;
}

namespace products {

class ProductListModel;

// The file commands of the product list (新規作成, 開く, 上書き保存, 名前を付けて保存) with the
// current file, the unsaved-changes and workbook-import flags and the save prompts. It shows its
// prompts and file dialogs through the services it is given and tells the window what to show
// through signals, so it holds no widget.
class ListDocument : public QObject {
    Q_OBJECT
public:
    ListDocument(ProductListModel &model, platform::UiServices &services, QObject *parent = nullptr);

    ProductListModel *model() const { return m_model; }
    // Where the file dialogs start (the data folder).
    void setDataFolder(const QString &folder) { m_dataFolder = folder; }
    QString dataFolder() const { return m_dataFolder; }
    // The window the prompts and dialogs belong to.
    void setDialogParent(QWidget *parent) { m_dialogParent = parent; }

    QString currentFile() const { return m_currentFile; }
    QString workbookFile() const { return m_workbookFile; }
    bool isModified() const { return m_modified; }
    // Every edit of the list sets the unsaved-changes flag.
    void setModified(bool on);
    bool isWorkbookImported() const { return m_workbookImported; }
    // Set by the workbook import, with the workbook's path; the list is then tied to no CSV file.
    void setWorkbookImported(bool on, const QString &workbook = {});

    QString title() const { return m_title; }
    QString panel1() const { return m_panel1; }
    QString panel2() const { return m_panel2; }
    // The status-bar line on the encoding the list was read in (encodingNoteText); empty once the list
    // is saved, made new or imported, and after reading a plain CP932 file.
    QString encodingNote() const { return m_encodingNote; }
    bool isSaveEnabled() const { return m_saveEnabled; }
    bool isBusy() const { return m_busy; }

    void mnuNew();
    void mnuOpen();
    void mnuSave();
    void mnuSaveAs();
    // 上書き保存 follows the unsaved-changes flag whenever the ファイル menu opens.
    void fileMenuOpening();
    // The main window's close: both prompts as needed; true when the window may close.
    bool queryClose();

    // The prompts; true means go on with the command that raised them.
    bool saveChangesPrompt();
    bool workbookSavePrompt();

    // Makes path the current file and reads it (the second half of 開く).
    void openFile(const QString &path);
    // 開く with the file already chosen (given on the command line or by the file manager): the same
    // prompts first, then the same read and refusals.
    void openGivenFile(const QString &path);
    // Excelファイルのインポート: the two prompts before the list is replaced; true to go on.
    bool importPrompts();
    // ReadExcel: the first worksheet of the workbook replaces the list, which is then tied to no file
    // and carries the workbook-import flag. A workbook that cannot be read is reported and leaves the
    // list, its file and its flags as they were. True when the list was replaced.
    bool importWorkbookFile(const QString &path);
    // Status bar panel 1 from the output checks.
    void CountCheckedData();

    static QString newTitle();
    static QString titleFor(const QString &path);
    static QString fileFilter();
    static QString readingText();
    static QString savingText();

Q_SIGNALS:
    void titleChanged(const QString &title);
    void panel1Changed(const QString &text);
    void panel2Changed(const QString &text);
    void encodingNoteChanged(const QString &text);
    void saveEnabledChanged(bool enabled);
    void modifiedChanged(bool modified);
    // The wait label and the disabled window while a file is read or written.
    void busyChanged(bool busy, const QString &waitText);
    // The entry form: empty it, or refill it from the selected row.
    void entryFieldsCleared();
    void entryFieldsRefresh();
    // A file was read: its first row is to be selected.
    void firstRowSelectionRequested();
    // 新規, 削除, 税計算, ↑, ↓ and their menu entries.
    void rowCommandsEnabled(bool enabled);
    void listFocusRequested();

private:
    // 開く: the save prompts, then the file chosen by name() (empty: nothing is opened).
    void openAfterPrompts(const std::function<QString()> &name);
    bool ReadFile();
    bool WriteFile();
    QString askSaveName();
    bool saveUnder(const QString &path);
    void setTitle(const QString &t);
    void setPanel1(const QString &t);
    void setPanel2(const QString &t);
    void setEncodingNote(const QString &t);
    void setSaveEnabled(bool on);
    void setBusy(bool on, const QString &text);
    void showTiedToFile();
    void showUntied();

    ProductListModel *m_model;
    platform::UiServices &m_services;
    QWidget *m_dialogParent = nullptr;
    QString m_dataFolder;
    QString m_currentFile;
    QString m_workbookFile;
    QString m_title;
    QString m_panel1;
    QString m_panel2;
    QString m_encodingNote;
    bool m_modified = false;
    bool m_workbookImported = false;
    bool m_readRefused = false; // the last ReadFile took nothing: the file holds what the list cannot save
    bool m_saveEnabled = false;
    bool m_busy = false;
};

} // namespace products
