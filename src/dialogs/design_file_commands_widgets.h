#pragma once

#include "common/maker.h"
#include "platform/apperror.h"

#include <QObject>
#include <QString>

#include <functional>
#include <optional>

class QAction;
class QMenu;
class QTabWidget;
class QWidget;

namespace platform {
class UiServices;
}

namespace dialogs {

// A designer's design-file commands: open, overwrite, save as, the save prompt before the design is
// replaced, and the window caption tied to the file. The maker brings its file filter and its codec
// (read into the window, write from the window); the read reports its own failures.
class DesignFileCommands : public QObject {
    Q_OBJECT
public:
    struct Setup {
        QWidget *window = nullptr;
        QAction *saveAction = nullptr; // 上書き保存: enabled while the tied file has unsaved edits
        QMenu *menu = nullptr;         // the menu holding it
        QTabWidget *tabs = nullptr;
        int tabAfterSave = 0; // the tab shown once a file is opened or saved
        QString filter;       // "デザインファイル(*.hdn)|*.hdn"
        QString extension;    // "hdn"
        QString initialFolder;
        QString readLabel;  // the error report of a file that is not there
        QString writeLabel; // the error report of a design that could not be written
        std::function<QString(const QString &file)> caption;
        std::function<common::Refusal(const QString &file)> savePrompt;
        // Shows the design read from path. nullopt when it could not be read (reported); else what is
        // to be said once the design is shown (values that took their defaults), often nothing.
        std::function<std::optional<platform::AppError>(const QString &path)> read;
        // Writes the window's design to path; the failure, if any.
        std::function<platform::AppError(const QString &path)> write;
    };

    DesignFileCommands(Setup setup, platform::UiServices &services, QObject *parent = nullptr);

    QString file() const { return m_file; }
    bool changed() const { return m_changed; }

    // An edit counts only while a file is tied: it is what the save prompt is about.
    void markChanged();
    // Offers to save the tied file's edits. False when the command must not go on: the user
    // cancelled (withCancel), or the save failed and the edits would be lost.
    bool confirmSave(bool withCancel);
    // デザインを開く, its second half (a file named from outside), 上書き保存 and 名前を付けて保存.
    void open();
    void openFile(const QString &path);
    void save();
    void saveAs();
    // A built-in design replaced the file's: the window is tied to no file.
    void untie();

private:
    bool writeTo(const QString &path);
    void tieTo(const QString &path);
    void setChanged(bool changed);

    Setup m_setup;
    platform::UiServices &m_services;
    QString m_file;
    bool m_changed = false;
};

} // namespace dialogs
