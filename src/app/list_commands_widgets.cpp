#include "app/list_commands_widgets.h"

#include "app/dlgView.h"
#include "app/frmMain.h"
#include "platform/user_services.h"
#include "products/dlgTax.h"
#include "products/entry_form_widgets.h"
#include "products/list_document.h"
#include "products/list_view_widgets.h"
#include "products/product_list_model.h"
#include "ui_frmMain.h"

#include <QApplication>
#include <QMenuBar>
#include <QTreeView>

namespace app {

ListCommands::ListCommands(frmMain &window)
    : QObject(&window), m_window(window), m_model(new products::ProductListModel(this)),
      m_document(new products::ListDocument(m_model, this))
{
    Ui::frmMain *ui = &window.form();
    window.setListModel(m_model);
    platform::UiServices &services = platform::UiServices::instance();
    m_entry = std::make_unique<products::EntryController>(ui, m_model, m_document, window.settings().tax,
                                                          window.folders().barcode, services);
    m_listView =
        std::make_unique<products::ListViewController>(ui, m_model, m_document, m_entry.get(), services);
    m_document->setDialogParent(&window);
    connectDocument();

    connect(ui->mnuGridFont, &QAction::triggered, this, &ListCommands::mnuGridFont);
    connect(ui->mnuTax, &QAction::triggered, this, &ListCommands::mnuTax);

    MainWindowHooks &hooks = window.hooks();
    hooks.colourPriceFields = [this] { settingsKnown(); };
    hooks.workbookSavePrompt = [this] { return m_document->queryClose() ? CloseDecision::GoOn : CloseDecision::Stop; };
    hooks.unloadDialogs = [this] { m_listView->closeSearch(); };
}

ListCommands::~ListCommands() = default;

void ListCommands::connectDocument()
{
    Ui::frmMain *ui = &m_window.form();
    products::ListDocument *doc = m_document;
    connect(doc, &products::ListDocument::titleChanged, &m_window, &QWidget::setWindowTitle);
    connect(doc, &products::ListDocument::panel1Changed, this, [this](const QString &t) { m_window.setStatusText(1, t); });
    connect(doc, &products::ListDocument::panel2Changed, this, [this](const QString &t) { m_window.setStatusText(2, t); });
    connect(doc, &products::ListDocument::saveEnabledChanged, ui->mnuSave, &QAction::setEnabled);
    connect(doc, &products::ListDocument::busyChanged, this, [this](bool busy, const QString &text) {
        if (busy)
            m_window.showWaitMessage(text);
        else
            m_window.hideWaitMessage();
        m_window.centralWidget()->setEnabled(!busy);
        m_window.menuBar()->setEnabled(!busy);
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    connect(doc, &products::ListDocument::entryFieldsCleared, m_entry.get(), &products::EntryController::ClearTextBox);
    connect(doc, &products::ListDocument::entryFieldsRefresh, m_entry.get(), &products::EntryController::SetTextBox);
    connect(doc, &products::ListDocument::rowCommandsEnabled, m_entry.get(),
            &products::EntryController::setRowCommandsEnabled);
    connect(doc, &products::ListDocument::listFocusRequested, this, [this] {
        m_entry->focusList();
        m_entry->ListView1_GotFocus();
    });

    // The dialogs start in the data folder, known only once the window has loaded.
    auto withFolder = [this](void (products::ListDocument::*command)()) {
        return [this, command] {
            m_document->setDataFolder(m_window.folders().data);
            (m_document->*command)();
        };
    };
    connect(ui->mnuNew, &QAction::triggered, this, withFolder(&products::ListDocument::mnuNew));
    connect(ui->mnuOpen, &QAction::triggered, this, withFolder(&products::ListDocument::mnuOpen));
    connect(ui->mnuSave, &QAction::triggered, this, withFolder(&products::ListDocument::mnuSave));
    connect(ui->mnuSaveAs, &QAction::triggered, this, withFolder(&products::ListDocument::mnuSaveAs));
    connect(ui->mnuFile, &QMenu::aboutToShow, doc, &products::ListDocument::fileMenuOpening);
}

void ListCommands::settingsKnown()
{
    m_model->setPriceBasis(m_window.settings().tax.indicate);
    m_entry->setBarcodeFolder(m_window.folders().barcode);
    m_document->setDataFolder(m_window.folders().data);
    m_entry->SetTxtBackColor();
    m_window.setStatusText(1, products::ProductListModel::noOutputCountText());
}

void ListCommands::mnuGridFont()
{
    Settings &settings = m_window.settings();
    dlgView dialog(settings.gridFont, &m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    settings.gridFont = dialog.fontSize();
    QTreeView *list = m_window.form().ListView1;
    QFont font = list->font();
    font.setPointSize(settings.gridFont);
    list->setFont(font);
}

void ListCommands::mnuTax()
{
    Settings &settings = m_window.settings();
    products::dlgTax dialog(settings.tax, &m_window);
    if (dialog.exec() == QDialog::Accepted)
        settings.tax = dialog.taxSettings();
    // Prices in the list stay as they are; only what is derived from them changes.
    m_model->setPriceBasis(settings.tax.indicate);
    m_entry->SetTxtBackColor();
    m_entry->SetTextBox();
}

} // namespace app
