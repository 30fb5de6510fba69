#include "products/list_commands_widgets.h"

#include "app/frmMain.h"
#include "app/ui_frmMain.h"
#include "products/dlgTax.h"
#include "products/list_document.h"
#include "products/product_list_model.h"

#include <QApplication>
#include <QMenu>
#include <QTreeView>

namespace products {

ListCommands::ListCommands(app::frmMain &window)
    : QObject(&window), m_window(window), m_model(new ProductListModel(this)),
      m_document(new ListDocument(m_model, this))
{
    Ui::frmMain &ui = window.form();
    m_document->setDialogParent(&window);
    m_window.setListModel(m_model);
    refreshPriceHeader();

    // The folders are known only once Form_Load has run; each command asks for them.
    const auto withFolder = [this](void (ListDocument::*command)()) {
        return [this, command] {
            m_document->setDataFolder(m_window.folders().data);
            (m_document->*command)();
        };
    };
    connect(ui.mnuNew, &QAction::triggered, this, withFolder(&ListDocument::mnuNew));
    connect(ui.mnuOpen, &QAction::triggered, this, withFolder(&ListDocument::mnuOpen));
    connect(ui.mnuSave, &QAction::triggered, this, withFolder(&ListDocument::mnuSave));
    connect(ui.mnuSaveAs, &QAction::triggered, this, withFolder(&ListDocument::mnuSaveAs));
    connect(ui.mnuFile, &QMenu::aboutToShow, m_document, &ListDocument::fileMenuOpening);
    connect(ui.mnuTax, &QAction::triggered, this, &ListCommands::mnuTax);

    connect(m_document, &ListDocument::titleChanged, &window, &QWidget::setWindowTitle);
    connect(m_document, &ListDocument::panel1Changed, this, [this](const QString &t) { m_window.setStatusText(1, t); });
    connect(m_document, &ListDocument::panel2Changed, this, [this](const QString &t) { m_window.setStatusText(2, t); });
    connect(m_document, &ListDocument::saveEnabledChanged, ui.mnuSave, &QAction::setEnabled);
    connect(m_document, &ListDocument::busyChanged, this, &ListCommands::setBusy);
    connect(m_document, &ListDocument::rowCommandsEnabled, this, [this](bool on) {
        m_window.setRowCommandsEnabled(on);
        if (!on)
            m_window.setCalcEnabled(false);
    });
    connect(m_document, &ListDocument::listFocusRequested, ui.ListView1, qOverload<>(&QWidget::setFocus));

    app::MainWindowHooks &hooks = window.hooks();
    hooks.workbookSavePrompt = [this] {
        if (!m_document->isWorkbookImported())
            return app::CloseDecision::GoOn;
        return m_document->workbookSavePrompt() ? app::CloseDecision::GoOn : app::CloseDecision::Stop;
    };
    hooks.saveChangesPrompt = [this] {
        if (!m_document->isModified())
            return app::CloseDecision::GoOn;
        return m_document->saveChangesPrompt() ? app::CloseDecision::GoOn : app::CloseDecision::Stop;
    };
}

ListCommands::~ListCommands() = default;

void ListCommands::refreshPriceHeader()
{
    m_model->setPriceBasis(m_window.settings().tax.indicate);
}

void ListCommands::setBusy(bool busy, const QString &text)
{
    QTreeView *list = m_window.form().ListView1;
    if (busy) {
        list->setSortingEnabled(false);
        // The list is not redrawn while it is filled or written.
        list->setUpdatesEnabled(false);
        m_window.showWaitMessage(text);
        m_window.setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
        m_window.setEnabled(true);
        m_window.hideWaitMessage();
        list->setUpdatesEnabled(true);
    }
}

void ListCommands::mnuTax()
{
    dlgTax dialog(m_window.settings().tax, &m_window);
    if (dialog.exec() == QDialog::Accepted)
        m_window.settings().tax = dialog.taxSettings();
    // Either way: the header, the price fields' colours and the entry form follow the settings.
    refreshPriceHeader();
    if (m_window.hooks().colourPriceFields)
        m_window.hooks().colourPriceFields();
    Q_EMIT m_document->entryFieldsRefresh();
}

} // namespace products
