#include "app/list_commands_widgets.h"

#include "app/dlgExcelInfo.h"
#include "app/dlgTax.h"
#include "app/list_document.h"
#include "platform/folders.h"
#include "platform/user_services.h"
#include "products/tax.h"
#include "workbooks/workbook_import.h"

#include <QAction>
#include <QMenu>

namespace products {

ListCommands::ListCommands(const Widgets &widgets, ListDocument &document, TaxSettings &tax, int &excelEX,
                           const platform::Folders &folders, platform::UiServices &services, QWidget *window)
    : ui(widgets), m_document(document), m_tax(tax), m_excelEX(excelEX), m_folders(folders), m_services(services),
      m_window(window)
{
    m_document.setDialogParent(window);
    // The folders are known only once the window's start-up has run; each command asks for them.
    const auto withFolder = [this](void (ListDocument::*command)()) {
        return [this, command] {
            m_document.setDataFolder(m_folders.data);
            (m_document.*command)();
        };
    };
    connect(ui.mnuNew, &QAction::triggered, this, withFolder(&ListDocument::mnuNew));
    connect(ui.mnuOpen, &QAction::triggered, this, withFolder(&ListDocument::mnuOpen));
    connect(ui.mnuSave, &QAction::triggered, this, withFolder(&ListDocument::mnuSave));
    connect(ui.mnuSaveAs, &QAction::triggered, this, withFolder(&ListDocument::mnuSaveAs));
    connect(ui.mnuFile, &QMenu::aboutToShow, &m_document, &ListDocument::fileMenuOpening);
    connect(ui.mnuTax, &QAction::triggered, this, &ListCommands::mnuTax);
    if (ui.mnuExcel)
        connect(ui.mnuExcel, &QAction::triggered, this, &ListCommands::mnuExcel);
    connect(&m_document, &ListDocument::saveEnabledChanged, ui.mnuSave, &QAction::setEnabled);
    ui.mnuSave->setEnabled(m_document.isSaveEnabled());
}

void ListCommands::mnuTax()
{
    dlgTax dialog(m_tax, m_services, m_window);
    if (dialog.exec() == QDialog::Accepted)
        m_tax = dialog.taxSettings();
    Q_EMIT taxSettingsChanged();
}

void ListCommands::mnuExcel()
{
    if (m_document.isBusy() || !m_document.importPrompts())
        return;
    if (m_excelEX != 1) {
        dlgExcelInfo notice(m_excelEX, m_window);
        notice.exec();
        m_excelEX = notice.ex();
    }
    platform::UiServices::FileDialogRequest request;
    request.initialFolder = m_folders.data;
    request.filter = workbookFileFilter();
    request.title = workbookDialogTitle();
    request.fileMustExist = true;
    const QString path = m_services.fileDialog(m_window, request);
    if (path.isEmpty())
        return;
    m_document.importWorkbookFile(path);
}

} // namespace products
