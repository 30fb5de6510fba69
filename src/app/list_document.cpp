#include "app/list_document.h"

#include "platform/apperror.h"
#include "platform/reports.h"
#include "platform/user_services.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"
#include "workbooks/workbook_import.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <utility>

namespace products {

using platform::AppError;
using platform::UiServices;

namespace {

// Keeps a second command from starting while a file is read or written (events run meanwhile).
class BusyGuard {
public:
    explicit BusyGuard(bool &flag) : m_flag(flag), m_owner(!flag) { m_flag = true; }
    ~BusyGuard()
    {
        if (m_owner)
            m_flag = false;
    }
    bool entered() const { return m_owner; }

private:
    bool &m_flag;
    bool m_owner;
};

UiServices::FileDialogRequest csvRequest(const QString &folder, bool saving)
{
    UiServices::FileDialogRequest r;
    r.initialFolder = folder;
    r.filter = ListDocument::fileFilter();
    r.forSaving = saving;
    if (saving) {
        r.title = QStringLiteral("ファイルの保存");
        r.defaultExtension = QStringLiteral("csv");
        r.overwritePrompt = true;
        r.fileMustExist = false;
    } else {
        r.title = QStringLiteral("ファイルを開く");
        r.fileMustExist = true;
    }
    return r;
}

} // namespace

ListDocument::ListDocument(ProductListModel &model, UiServices &services, QObject *parent)
    : QObject(parent), m_model(&model), m_services(services), m_title(newTitle())
{
    connect(m_model, &ProductListModel::checksChanged, this, &ListDocument::CountCheckedData);
}

QString ListDocument::newTitle()
{
    return QStringLiteral("ぽらね値札作成 [新規]");
}

QString ListDocument::titleFor(const QString &path)
{
    return QStringLiteral("ぽらね値札作成 [") + QFileInfo(path).fileName() + QLatin1Char(']');
}

QString ListDocument::fileFilter()
{
    return QStringLiteral("CSVファイル(*.csv)|*.csv");
}

QString ListDocument::readingText()
{
    return QStringLiteral("しばらくお待ち下さい.\r\nファイルを開いています.");
}

QString ListDocument::savingText()
{
    return QStringLiteral("しばらくお待ち下さい.\r\n保存中です.");
}

void ListDocument::setModified(bool on)
{
    if (m_modified == on)
        return;
    m_modified = on;
    Q_EMIT modifiedChanged(on);
}

void ListDocument::setWorkbookImported(bool on, const QString &workbook)
{
    m_workbookImported = on;
    if (on) {
        m_workbookFile = workbook;
        m_currentFile.clear();
    }
}

void ListDocument::setTitle(const QString &t)
{
    m_title = t;
    Q_EMIT titleChanged(t);
}

void ListDocument::setPanel1(const QString &t)
{
    m_panel1 = t;
    Q_EMIT panel1Changed(t);
}

void ListDocument::setPanel2(const QString &t)
{
    m_panel2 = t;
    Q_EMIT panel2Changed(t);
}

void ListDocument::setEncodingNote(const QString &t)
{
    if (m_encodingNote == t)
        return;
    m_encodingNote = t;
    Q_EMIT encodingNoteChanged(t);
}

void ListDocument::setSaveEnabled(bool on)
{
    m_saveEnabled = on;
    Q_EMIT saveEnabledChanged(on);
}

void ListDocument::setBusy(bool on, const QString &text)
{
    Q_EMIT busyChanged(on, text);
    // Once, so the wait label is drawn before the work starts; the window is disabled meanwhile.
    if (on && QCoreApplication::instance())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void ListDocument::showTiedToFile()
{
    setTitle(titleFor(m_currentFile));
    setPanel2(QDir::toNativeSeparators(m_currentFile));
    setSaveEnabled(true);
}

void ListDocument::showUntied()
{
    setTitle(newTitle());
    setPanel2(QString());
}

void ListDocument::CountCheckedData()
{
    setPanel1(m_model->outputCountText());
}

bool ListDocument::ReadFile()
{
    setBusy(true, readingText());
    ReadResult r = readCsvFile(m_currentFile);
    m_readRefused = r.refused;
    if (r.refused) {
        // Nothing of such a file is taken: the list stays as it was, with its title and panels.
        setBusy(false, QString());
        platform::showReportText(m_services, m_dialogParent, readErrorReportText(QStringLiteral("main.ReadFile"), r));
        return false;
    }
    // The rows read before a fault stay in the list for the user to see.
    m_model->setRows(r.rows);
    setBusy(false, QString());
    setEncodingNote(encodingNoteText(r));
    if (r.ok()) {
        showTiedToFile();
        setModified(false);
        return true;
    }
    // A partly read list is no longer the file: untie it, so 上書き保存 asks for a name instead of
    // overwriting the whole file with the fragment.
    m_currentFile.clear();
    showUntied();
    platform::showReportText(m_services, m_dialogParent, readErrorReportText(QStringLiteral("main.ReadFile"), r));
    return false;
}

bool ListDocument::WriteFile()
{
    setBusy(true, savingText());
    const WriteResult r = writeCsvFile(m_currentFile, m_model->rows());
    setBusy(false, QString());
    if (!r.ok()) {
        UiServices &ui = m_services;
        if (r.error.number == AppError::InvalidPropertyValue && r.badRow >= 0) {
            ui.critical(m_dialogParent, QStringLiteral("ファイル保存"),
                        r.error.description +
                            QStringLiteral("\r\nその文字を直してから保存してください. ファイルは保存していません."));
        } else if (r.error.number == AppError::PermissionDenied) {
            ui.critical(m_dialogParent, QStringLiteral("ファイル保存"),
                        QStringLiteral("上書きできませんでした.当該ファイル( ") +
                            QDir::toNativeSeparators(m_currentFile) +
                            QStringLiteral(" )を\r\n他のソフトで編集中でないか確認してください."));
        } else {
            platform::showErrorReport(ui, m_dialogParent, QStringLiteral("main.WriteFile"), r.error);
        }
        return false;
    }
    if (m_workbookImported) {
        // Show the list as the CSV file now holds it, tied to that file.
        ReadFile();
    }
    m_workbookImported = false;
    // The list is in a CP932 file now, whatever it was read from.
    setEncodingNote(QString());
    Q_EMIT entryFieldsCleared();
    return true;
}

QString ListDocument::askSaveName()
{
    return m_services.fileDialog(m_dialogParent, csvRequest(m_dataFolder, true));
}

// Writes the list under path; it becomes the current file only when the write succeeded.
bool ListDocument::saveUnder(const QString &path)
{
    const QString previous = m_currentFile;
    m_currentFile = path;
    if (!WriteFile()) {
        m_currentFile = previous;
        return false;
    }
    showTiedToFile();
    setModified(false);
    return true;
}

bool ListDocument::saveChangesPrompt()
{
    UiServices &ui = m_services;
    const UiServices::Answer a =
        ui.message(m_dialogParent, QStringLiteral("変更保存の確認"), QStringLiteral("価格表の変更を保存しますか?"),
                   UiServices::Icon::Question, UiServices::Buttons::YesNoCancel, UiServices::Answer::Yes);
    if (a == UiServices::Answer::No)
        return true;
    if (a != UiServices::Answer::Yes)
        return false;
    // Yes saves and stops: the user gives the command again. The flag is cleared only when the list
    // was really written.
    if (!m_currentFile.isEmpty()) {
        if (WriteFile()) {
            setModified(false);
            ui.information(m_dialogParent, QStringLiteral("上書き保存確認"),
                           QDir::toNativeSeparators(m_currentFile) + QStringLiteral(" を上書き保存しました."));
        }
    } else {
        const QString name = askSaveName();
        if (!name.isEmpty())
            saveUnder(name);
    }
    return false;
}

bool ListDocument::workbookSavePrompt()
{
    const UiServices::Answer a =
        m_services.message(m_dialogParent, QStringLiteral("CSVファイル保存の確認"),
                           QStringLiteral("ExcelファイルをCSV形式で保存しますか?"), UiServices::Icon::Question,
                           UiServices::Buttons::YesNoCancel, UiServices::Answer::Yes);
    if (a == UiServices::Answer::No) {
        setModified(false);
        m_workbookImported = false;
        return true;
    }
    if (a == UiServices::Answer::Yes) {
        const QString name = askSaveName();
        if (!name.isEmpty() && saveUnder(name)) {
            setModified(false);
            m_workbookImported = false;
        }
    }
    return false;
}

void ListDocument::mnuNew()
{
    BusyGuard guard(m_busy);
    if (!guard.entered())
        return;
    if (m_workbookImported && !workbookSavePrompt())
        return;
    if (m_modified && !saveChangesPrompt())
        return;
    m_model->clear();
    Q_EMIT entryFieldsCleared();
    m_currentFile.clear();
    setTitle(newTitle());
    setPanel2(QString());
    setPanel1(ProductListModel::noOutputCountText());
    setEncodingNote(QString());
    setModified(false);
    setSaveEnabled(false);
    Q_EMIT rowCommandsEnabled(false);
}

void ListDocument::mnuOpen()
{
    openAfterPrompts([this] { return m_services.fileDialog(m_dialogParent, csvRequest(m_dataFolder, false)); });
}

void ListDocument::openGivenFile(const QString &path)
{
    openAfterPrompts([&path] { return path; });
}

void ListDocument::openAfterPrompts(const std::function<QString()> &name)
{
    BusyGuard guard(m_busy);
    if (!guard.entered())
        return;
    if (m_workbookImported && !workbookSavePrompt())
        return;
    if (m_modified && !saveChangesPrompt())
        return;
    const QString path = name();
    if (path.isEmpty())
        return;
    openFile(path);
}

void ListDocument::openFile(const QString &path)
{
    const QString previous = std::exchange(m_currentFile, path);
    Q_EMIT entryFieldsCleared();
    if (!ReadFile() && m_readRefused) {
        m_currentFile = previous;
        Q_EMIT entryFieldsRefresh();
        Q_EMIT listFocusRequested();
        return;
    }
    CountCheckedData();
    // As a list view does: the first row is selected, the form shows it and the row commands act on
    // it; an empty list leaves them off.
    Q_EMIT firstRowSelectionRequested();
    Q_EMIT entryFieldsRefresh();
    Q_EMIT rowCommandsEnabled(m_model->rowCount() > 0);
    m_workbookImported = false;
    Q_EMIT listFocusRequested();
}

bool ListDocument::importPrompts()
{
    if (m_workbookImported && !workbookSavePrompt())
        return false;
    return !(m_modified && !saveChangesPrompt());
}

bool ListDocument::importWorkbookFile(const QString &path)
{
    BusyGuard guard(m_busy);
    if (!guard.entered())
        return false;
    Q_EMIT entryFieldsCleared();
    setBusy(true, importWaitText());
    // Events run between blocks of rows so the wait label stays drawn; the window is disabled meanwhile.
    const ImportResult r = importWorkbook(path, [](const ImportProgress &) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return true;
    });
    setBusy(false, QString());
    if (!r.ok()) {
        // Nothing of the list is lost on a bad workbook: it stays as it was, with its file and flags.
        platform::showReportText(m_services, m_dialogParent, importReportText(r));
        Q_EMIT listFocusRequested();
        return false;
    }
    m_model->setRows(r.rows);
    m_currentFile.clear();
    setEncodingNote(QString());
    setWorkbookImported(true, path);
    setModified(false);
    setTitle(titleFor(path));
    setPanel2(QDir::toNativeSeparators(path));
    setSaveEnabled(false);
    CountCheckedData();
    Q_EMIT firstRowSelectionRequested();
    Q_EMIT entryFieldsRefresh();
    Q_EMIT rowCommandsEnabled(m_model->rowCount() > 0);
    Q_EMIT listFocusRequested();
    return true;
}

void ListDocument::mnuSave()
{
    BusyGuard guard(m_busy);
    if (!guard.entered())
        return;
    if (m_currentFile.isEmpty()) {
        const QString name = askSaveName();
        if (!name.isEmpty()) {
            Q_EMIT entryFieldsCleared();
            saveUnder(name);
        }
        return;
    }
    Q_EMIT entryFieldsCleared();
    if (WriteFile())
        setModified(false);
}

void ListDocument::mnuSaveAs()
{
    BusyGuard guard(m_busy);
    if (!guard.entered())
        return;
    const QString name = askSaveName();
    if (name.isEmpty())
        return;
    Q_EMIT entryFieldsCleared();
    saveUnder(name);
}

void ListDocument::fileMenuOpening()
{
    setSaveEnabled(m_modified);
}

bool ListDocument::queryClose()
{
    if (m_busy)
        return false;
    if (m_workbookImported && !workbookSavePrompt())
        return false;
    if (m_modified && !saveChangesPrompt())
        return false;
    return true;
}

} // namespace products
