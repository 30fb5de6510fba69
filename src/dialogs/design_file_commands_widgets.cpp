#include "dialogs/design_file_commands_widgets.h"

#include "platform/reports.h"
#include "platform/user_services.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QTabWidget>
#include <QWidget>

namespace dialogs {

using platform::UiServices;

DesignFileCommands::DesignFileCommands(Setup setup, UiServices &services, QObject *parent)
    : QObject(parent), m_setup(std::move(setup)), m_services(services)
{
    m_setup.saveAction->setEnabled(false);
    m_setup.window->setWindowTitle(m_setup.caption(m_file));
    connect(m_setup.menu, &QMenu::aboutToShow, this, [this] {
        if (m_file.isEmpty())
            m_setup.saveAction->setEnabled(false);
    });
}

void DesignFileCommands::markChanged()
{
    if (!m_file.isEmpty())
        setChanged(true);
}

void DesignFileCommands::setChanged(bool changed)
{
    m_changed = changed;
    m_setup.saveAction->setEnabled(changed);
}

bool DesignFileCommands::confirmSave(bool withCancel)
{
    if (m_file.isEmpty() || !m_changed)
        return true;
    const common::Refusal prompt = m_setup.savePrompt(m_file);
    const auto answer = m_services.message(m_setup.window, prompt.title, prompt.text, prompt.icon,
                                           withCancel ? UiServices::Buttons::YesNoCancel : UiServices::Buttons::YesNo,
                                           UiServices::Answer::Yes);
    if (answer == UiServices::Answer::Cancel)
        return false;
    if (answer == UiServices::Answer::No)
        return true;
    return writeTo(m_file);
}

// The changed flag goes only when the file really holds the design.
bool DesignFileCommands::writeTo(const QString &path)
{
    if (const platform::AppError error = m_setup.write(path); error.isSet()) {
        platform::showErrorReport(m_services, m_setup.window, m_setup.writeLabel, error);
        return false;
    }
    if (path == m_file)
        setChanged(false);
    return true;
}

void DesignFileCommands::tieTo(const QString &path)
{
    m_file = path;
    m_setup.window->setWindowTitle(m_setup.caption(m_file));
    m_setup.tabs->setCurrentIndex(m_setup.tabAfterSave);
    setChanged(false);
}

void DesignFileCommands::untie()
{
    m_file.clear();
    setChanged(false);
    m_setup.window->setWindowTitle(m_setup.caption(m_file));
}

void DesignFileCommands::open()
{
    if (!confirmSave(false))
        return;
    UiServices::FileDialogRequest request;
    request.initialFolder = m_setup.initialFolder;
    request.filter = m_setup.filter;
    request.title = QStringLiteral("ファイルを開く");
    request.fileMustExist = true;
    const QString path = m_services.fileDialog(m_setup.window, request);
    if (!path.isEmpty())
        openFile(path);
}

void DesignFileCommands::openFile(const QString &path)
{
    // A file named from outside (the command line, the file manager) may be gone: say so rather than
    // keep the design and name the window after a file that is not there.
    if (!QFileInfo(path).isFile()) {
        platform::showErrorReport(m_services, m_setup.window, m_setup.readLabel,
                                  platform::AppError::fileNotFound(path));
        return;
    }
    const std::optional<platform::AppError> replaced = m_setup.read(path);
    if (!replaced)
        return;
    tieTo(path);
    if (replaced->isSet())
        platform::showErrorReport(m_services, m_setup.window, m_setup.readLabel, *replaced);
}

void DesignFileCommands::save()
{
    if (m_file.isEmpty() || !writeTo(m_file))
        return;
    m_setup.tabs->setCurrentIndex(m_setup.tabAfterSave);
}

void DesignFileCommands::saveAs()
{
    const auto request = UiServices::FileDialogRequest::saving(m_setup.initialFolder, m_setup.filter,
                                                               QStringLiteral("ファイルの保存"), m_setup.extension);
    const QString path = m_services.fileDialog(m_setup.window, request);
    if (path.isEmpty() || !writeTo(path))
        return;
    tieTo(path);
}

} // namespace dialogs
