#pragma once

#include <QObject>

class QAction;
class QMenu;
class QWidget;
namespace platform {
class UiServices;
struct Folders;
} // namespace platform

namespace products {

class ListDocument;
struct TaxSettings;

// The file commands of the product list (新規作成, 開く, 上書き保存, 名前を付けて保存) and
// 消費税率・価格基準. The logic stays in ListDocument; this moves the commands to it, keeps
// 上書き保存 enabled as the document says, and runs the tax dialog on the tax settings it edits.
class ListCommands : public QObject {
    Q_OBJECT
public:
    // The main window's menu entries these commands own.
    struct Widgets {
        QMenu *mnuFile = nullptr;
        QAction *mnuNew = nullptr;
        QAction *mnuOpen = nullptr;
        QAction *mnuSave = nullptr;
        QAction *mnuSaveAs = nullptr;
        QAction *mnuTax = nullptr;
        QAction *mnuExcel = nullptr;
    };

    // The folders are those of the window, known once its start-up has run.
    // excelEX is [Excel] EX: 1 when the import notice is no longer to be shown.
    ListCommands(const Widgets &widgets, ListDocument &document, TaxSettings &tax, int &excelEX,
                 const platform::Folders &folders, platform::UiServices &services, QWidget *window);

    // 消費税率・価格基準: the dialog, then taxSettingsChanged either way.
    void mnuTax();
    // Excelファイルのインポート: prompts, the notice (unless switched off), the file dialog, the import.
    void mnuExcel();

Q_SIGNALS:
    // The price column's header, the price fields' colours and the entry form follow the settings.
    void taxSettingsChanged();

private:
    Widgets ui;
    ListDocument &m_document;
    TaxSettings &m_tax;
    int &m_excelEX;
    const platform::Folders &m_folders;
    platform::UiServices &m_services;
    QWidget *m_window;
};

} // namespace products
