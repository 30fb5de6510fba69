#include "products/entry_commands_widgets.h"

#include "app/frmMain.h"
#include "platform/user_services.h"
#include "products/entry_form_widgets.h"
#include "products/list_commands_widgets.h"
#include "products/list_document.h"
#include "products/list_view_widgets.h"

namespace products {

EntryCommands::EntryCommands(app::frmMain &window, ListCommands &list) : QObject(&window), m_window(window)
{
    platform::UiServices &services = platform::UiServices::instance();
    m_entry = std::make_unique<EntryController>(&window.form(), list.model(), list.document(), window.settings().tax,
                                                window.folders().barcode, services);
    m_listView = std::make_unique<ListViewController>(&window.form(), list.model(), list.document(), m_entry.get(),
                                                      services);

    ListDocument *doc = list.document();
    connect(doc, &ListDocument::entryFieldsCleared, m_entry.get(), &EntryController::ClearTextBox);
    connect(doc, &ListDocument::entryFieldsRefresh, m_entry.get(), &EntryController::SetTextBox);

    app::MainWindowHooks &hooks = window.hooks();
    // Called by Form_Load once the folders and settings are known, and after the tax dialog.
    hooks.colourPriceFields = [this] { settingsKnown(); };
    auto previousUnload = hooks.unloadDialogs;
    hooks.unloadDialogs = [this, previousUnload] {
        m_listView->closeSearch();
        if (previousUnload)
            previousUnload();
    };
}

EntryCommands::~EntryCommands() = default;

void EntryCommands::settingsKnown()
{
    m_entry->setBarcodeFolder(m_window.folders().barcode);
    m_entry->SetTxtBackColor();
}

} // namespace products
