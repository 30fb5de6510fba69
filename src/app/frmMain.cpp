#include "app/frmMain.h"

#include "app/dlgView.h"
#include "app/entry_form_widgets.h"
#include "app/help_commands.h"
#include "app/list_commands_widgets.h"
#include "app/list_document.h"
#include "app/list_find_widgets.h"
#include "app/list_view_widgets.h"
#include "app/startup.h"
#include "barcode/barcode_preview_widgets.h"
#include "common/helpers.h"
#include "common/version.h"
#include "dialogs/dlgBrowser.h"
#include "dialogs/dlgFileCopy.h"
#include "dialogs/dlgSplash.h"
#include "dialogs/dlgVersion.h"
#include "ledger/frmDaicyo.h"
#include "ledger/sheet.h"
#include "platform/reports.h"
#include "platform/text_file.h"
#include "platform/user_services.h"
#include "platform/value_label_widgets.h"
#include "price_tags/frmNefuda.h"
#include "price_tags/product_slots.h"
#include "price_tags/sheet.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"
#include "shelf_labels/frmTanafuda.h"
#include "shelf_labels/sheet.h"
#include "ui_frmMain.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QStatusBar>
#include <QTimer>

#include <exception>

namespace app {

using platform::AppError;

namespace {
constexpr int ColumnCount = 6;
} // namespace

frmMain::frmMain(settings::Settings &settings, platform::UiServices &services, SettingsStore *store, QWidget *parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::frmMain>()), settings_(settings), services_(services),
      store_(store ? *store : standardStore_)
{
    ui_->setupUi(this);

    // The wait label floats over the middle of the list.
    ui_->mainLayout->addWidget(ui_->lblMSG, 0, 0, 1, 3, Qt::AlignCenter);
    ui_->lblMSG->hide();

    panel1_ = new QLabel(this);
    panel1_->setObjectName(QStringLiteral("StatusBar1_Panel1"));
    panel1_->setAccessibleName(QStringLiteral("出力件数"));
    panel1_->setMinimumWidth(120);
    panel2_ = new QLabel(this);
    panel2_->setObjectName(QStringLiteral("StatusBar1_Panel2"));
    panel2_->setAccessibleName(QStringLiteral("ファイル"));
    panel3_ = new QLabel(this);
    panel3_->setObjectName(QStringLiteral("StatusBar1_Panel3"));
    panel3_->setAccessibleName(QStringLiteral("文字コード"));
    panel3_->hide();
    ui_->StatusBar1->addWidget(panel1_);
    ui_->StatusBar1->addWidget(panel2_, 1);
    ui_->StatusBar1->addWidget(panel3_);

    createControllers();
    connectDocument();

    ui_->mnuShowHelp->setShortcut(QKeySequence::HelpContents);
    ui_->mnuShowHelp->setShortcutContext(Qt::ApplicationShortcut);
    connectShellCommands();
    applyWindowBounds();
    pendingTimer_ = new QTimer(this);
    pendingTimer_->setInterval(250);
    connect(pendingTimer_, &QTimer::timeout, this, &frmMain::openPendingFiles);
    // The maker buttons keep their own common width at the right edge; free width stays between.
    ui_->mainLayout->setAlignment(ui_->makerButtons, Qt::AlignRight);
}

frmMain::~frmMain()
{
    // Not closed: closing would show and enable this window while it is being destroyed.
    delete splash_.data();
}

void frmMain::createControllers()
{
    model_ = std::make_unique<products::ProductListModel>();
    model_->setPriceBasis(settings_.tax.indicate);
    ui_->ListView1->setModel(model_.get());
    document_ = std::make_unique<products::ListDocument>(*model_, services_);
    preview_ = std::make_unique<barcode::BarcodePreview>(ui_->picBarCode);

    products::EntryForm::Widgets entry;
    entry.ListView1 = ui_->ListView1;
    entry.txt品番 = ui_->txt品番;
    entry.txt商品名 = ui_->txt商品名;
    entry.txt本体価格 = ui_->txt本体価格;
    entry.txt価格 = ui_->txt価格;
    entry.txt備考 = ui_->txt備考;
    entry.txtBarCode = ui_->txtBarCode;
    entry.lbl消費税 = ui_->lbl消費税;
    entry.Check軽減税率 = ui_->Check軽減税率;
    entry.lblCD = ui_->lblCD;
    entry.OptionType = ui_->OptionType;
    entry.OptionType_0 = ui_->OptionType_0;
    entry.OptionType_1 = ui_->OptionType_1;
    entry.cmdPutGrid = ui_->cmdPutGrid;
    entry.cmd新規 = ui_->cmd新規;
    entry.cmdDelete = ui_->cmdDelete;
    entry.cmdUp = ui_->cmdUp;
    entry.cmdDown = ui_->cmdDown;
    entry.cmdCalc = ui_->cmdCalc;
    entry.mnuPutData = ui_->mnuPutData;
    entry.mnuNewData = ui_->mnuNewData;
    entry.mnuDelData = ui_->mnuDelData;
    entry.mnuUp = ui_->mnuUp;
    entry.mnuDown = ui_->mnuDown;
    entry.mnuCalcData = ui_->mnuCalcData;
    entry_ = std::make_unique<products::EntryForm>(entry, *model_, *document_, settings_.tax, *preview_, services_);

    products::ListView::Widgets list;
    list.ListView1 = ui_->ListView1;
    list.cmdUp = ui_->cmdUp;
    list.cmdDown = ui_->cmdDown;
    list.mnuUp = ui_->mnuUp;
    list.mnuDown = ui_->mnuDown;
    list.mnuMakeCD = ui_->mnuMakeCD;
    listView_ = std::make_unique<products::ListView>(list, *model_, *document_, *entry_, services_);

    find_ = std::make_unique<products::ListFind>(ui_->ListView1, ui_->mnuFind, *model_, *entry_, services_);

    products::ListCommands::Widgets file;
    file.mnuFile = ui_->mnuFile;
    file.mnuNew = ui_->mnuNew;
    file.mnuOpen = ui_->mnuOpen;
    file.mnuSave = ui_->mnuSave;
    file.mnuSaveAs = ui_->mnuSaveAs;
    file.mnuTax = ui_->mnuTax;
    file.mnuExcel = ui_->mnuExcel;
    listCommands_ = std::make_unique<products::ListCommands>(file, *document_, settings_.tax, settings_.excelEX,
                                                             folders_, services_, this);
    connect(listCommands_.get(), &products::ListCommands::taxSettingsChanged, this, &frmMain::taxSettingsChanged);
}

void frmMain::connectDocument()
{
    using products::ListDocument;
    ListDocument *doc = document_.get();
    connect(doc, &ListDocument::titleChanged, this, &QWidget::setWindowTitle);
    connect(doc, &ListDocument::panel1Changed, this, [this](const QString &t) { setStatusText(1, t); });
    connect(doc, &ListDocument::panel2Changed, this, [this](const QString &t) { setStatusText(2, t); });
    connect(doc, &ListDocument::encodingNoteChanged, this, [this](const QString &t) { setStatusText(3, t); });
    connect(doc, &ListDocument::busyChanged, this, &frmMain::setBusy);
    connect(doc, &ListDocument::rowCommandsEnabled, this, [this](bool on) {
        entry_->setRowCommandsEnabled(on);
        if (!on)
            entry_->setCalcEnabled(false);
    });
    // The form was just filled from the list: focusing the list must not fill it a second time.
    connect(doc, &ListDocument::listFocusRequested, entry_.get(), &products::EntryForm::focusList);
    connect(doc, &ListDocument::entryFieldsCleared, entry_.get(), &products::EntryForm::ClearTextBox);
    connect(doc, &ListDocument::entryFieldsRefresh, entry_.get(), &products::EntryForm::SetTextBox);
    connect(doc, &ListDocument::firstRowSelectionRequested, entry_.get(), [this] { entry_->selectRow(0); });
}

void frmMain::taxSettingsChanged()
{
    model_->setPriceBasis(settings_.tax.indicate);
    entry_->SetTxtBackColor();
    entry_->SetTextBox();
}

void frmMain::setBusy(bool busy, const QString &waitText)
{
    if (busy) {
        showWaitMessage(waitText);
        setEnabled(false);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    } else {
        QApplication::restoreOverrideCursor();
        setEnabled(true);
        hideWaitMessage();
    }
}

bool frmMain::isFreeForGivenFiles() const
{
    // The window is disabled while the splash is up or a list is read or written.
    return !unloaded_ && !openingGivenFile_ && isEnabled() && !QApplication::activeModalWidget() &&
           !document_->isBusy();
}

void frmMain::openGivenFile(const QString &path)
{
    pendingFiles_.append(path);
    openPendingFiles();
}

void frmMain::openPendingFiles()
{
    if (pendingFiles_.isEmpty()) {
        pendingTimer_->stop();
        return;
    }
    if (!isFreeForGivenFiles()) {
        pendingTimer_->start();
        return;
    }
    pendingTimer_->stop();
    const QString path = pendingFiles_.takeFirst();
    openingGivenFile_ = true;
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
    switch (givenFileKind(path)) {
    case GivenFileKind::ShelfDesign:
        mnuTanafuda_Click(common::LaunchedFrom::Button, path);
        break;
    case GivenFileKind::TagDesign:
        mnuCyoufu_Click(common::LaunchedFrom::Button, path);
        break;
    case GivenFileKind::ProductList:
        document_->setDataFolder(folders_.data);
        document_->openGivenFile(path);
        break;
    }
    openingGivenFile_ = false;
    if (!pendingFiles_.isEmpty())
        pendingTimer_->start();
}

namespace {

// The last step of the one way a maker window opens: F1 and the help picture open the maker's help, a
// given design file is read once the window shows (as its デザインを開く would), and the window runs
// over the main window.
template <class Window>
void runMakerWindow(Window &window, const std::function<void()> &showHelp, const QString &designFile)
{
    QObject::connect(&window, &Window::helpRequested, &window, showHelp);
    if constexpr (requires { window.openDesignFile(designFile); }) {
        if (!designFile.isEmpty())
            QTimer::singleShot(0, &window, [&window, designFile] { window.openDesignFile(designFile); });
    }
    window.exec();
}

} // namespace

// Each maker opens the same way: with an empty list its notice (titled after the button or the menu
// entry) and then its window for design work only; each window gets only the records it edits or reads.
bool frmMain::noticeEmptyList(const common::Refusal &notice)
{
    if (notice.refused())
        services_.message(this, notice.title, notice.text, notice.icon);
    return model_->rowCount() > 0;
}

std::function<void()> frmMain::helpOn(const QString &topic)
{
    return [this, topic] { ShowHelpFile(services_, this, folders_, topic); };
}

void frmMain::mnuTanafuda_Click(common::LaunchedFrom from, const QString &designFile)
{
    const bool withData = noticeEmptyList(shelf_labels::emptyListNotice(model_->rowCount(), from));
    shelf_labels::frmTanafuda window(*model_, settings_.shelf, settings_.tax, settings_.browser, services_, folders_,
                                     withData, this, &settings_.calibration);
    runMakerWindow(window, helpOn(help_topic::tanafuda), designFile);
}

// The price-tag window shows the checked products in its slots; rows it cannot show stop it opening.
void frmMain::mnuCyoufu_Click(common::LaunchedFrom from, const QString &designFile)
{
    const bool withData = noticeEmptyList(price_tags::emptyListNotice(model_->rowCount(), from));
    price_tags::ProductSlots items;
    if (withData) {
        const price_tags::SlotFill fill = price_tags::fillProductSlots(model_->rows(), settings_.tax);
        if (!fill.message.isEmpty()) {
            services_.message(this, fill.title, fill.message,
                              fill.apology ? common::Icon::Critical : common::Icon::Information);
            return;
        }
        items = fill.items;
    }
    price_tags::frmNefuda window(items, withData, settings_.tag, settings_.browser, services_, folders_, this,
                                 &settings_.calibration);
    runMakerWindow(window, helpOn(help_topic::nefuda), designFile);
}

void frmMain::mnuDaicyo_Click(common::LaunchedFrom from)
{
    const bool withData = noticeEmptyList(ledger::emptyListNotice(model_->rowCount(), from));
    ledger::frmDaicyo window(*model_, settings_.ledger, settings_.tax, settings_.browser, services_, folders_.appData,
                             withData, this);
    runMakerWindow(window, helpOn(help_topic::daicyo), {});
}

void frmMain::connectShellCommands()
{
    using common::LaunchedFrom;
    connect(ui_->cmdTanafuda, &QPushButton::clicked, this, [this] { mnuTanafuda_Click(LaunchedFrom::Button); });
    connect(ui_->mnuTanafuda, &QAction::triggered, this, [this] { mnuTanafuda_Click(LaunchedFrom::Menu); });
    connect(ui_->cmdCyofu, &QPushButton::clicked, this, [this] { mnuCyoufu_Click(LaunchedFrom::Button); });
    connect(ui_->mnuCyoufu, &QAction::triggered, this, [this] { mnuCyoufu_Click(LaunchedFrom::Menu); });
    connect(ui_->cmdDaicyo, &QPushButton::clicked, this, [this] { mnuDaicyo_Click(LaunchedFrom::Button); });
    connect(ui_->mnuDaicyo, &QAction::triggered, this, [this] { mnuDaicyo_Click(LaunchedFrom::Menu); });
    connect(ui_->cmdQuit, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_->mnuEnd, &QAction::triggered, this, &QWidget::close);
    connect(ui_->mnuVersion, &QAction::triggered, this, [this] {
        dialogs::dlgVersion dialog(this);
        dialog.exec();
    });
    connect(ui_->mnuGridFont, &QAction::triggered, this, [this] {
        dlgView dialog(settings_.gridFont, services_, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        settings_.gridFont = dialog.fontSize();
        applyListFont();
    });
    connect(ui_->mnuShowHelp, &QAction::triggered, this,
            [this] { ShowHelpFile(services_, this, folders_, help_topic::mainWindow); });
    connect(ui_->mnuBrowser, &QAction::triggered, this, [this] {
        dialogs::dlgBrowser dialog(settings_.browser, QStringLiteral("/usr/bin"), services_, this);
        if (dialog.exec() == QDialog::Accepted)
            settings_.browser = dialog.browser();
    });
    connect(ui_->mnuCopyMyDoc, &QAction::triggered, this, [this] {
        dialogs::dlgFileCopy dialog(folders_.program, folders_.data, services_, this);
        connect(&dialog, &dialogs::dlgFileCopy::helpRequested, this,
                [this] { ShowHelpFile(services_, this, folders_, help_topic::fileCopy); });
        dialog.exec();
        ui_->mnuCopyMyDoc->setEnabled(earlierVersionPresent(folders_));
    });
    connect(ui_->mnuReadMe, &QAction::triggered, this, [this] { ShowReadMe(services_, this, folders_); });
    connect(ui_->mnuWebsite, &QAction::triggered, this, [this] { ShowWebSite(services_, this); });
}

void frmMain::applyWindowBounds()
{
    const common::WindowSizeBounds bounds = common::mainWindowSizeBounds();
    setMinimumSize(bounds.minimum);
    setMaximumSize(bounds.maximum);
}

void frmMain::applySavedSize()
{
    applyWindowBounds();
    int w = common::TwipsToPixelsX(settings_.status.width);
    int h = common::TwipsToPixelsY(settings_.status.height);
    if (w <= 0 || h <= 0) { // a broken size falls back to the default one
        w = common::TwipsToPixelsX(common::MainWindowMinWidthTwips);
        h = common::TwipsToPixelsY(common::MainWindowMinHeightTwips);
    }
    resize(QSize(w, h).expandedTo(minimumSize()).boundedTo(maximumSize()));
}

dialogs::dlgSplash *frmMain::splash() const
{
    return splash_.data();
}

void frmMain::closeSplash()
{
    if (splash_)
        splash_->close();
}

void frmMain::Form_Load()
{
    try {
        splash_ = new dialogs::dlgSplash(this);
        splash_->showSplash();

        std::optional<AppError> error;
        folders_ = store_.folders(&error);
        if (error) {
            closeSplash();
            platform::showApologyReport(services_, this, QStringLiteral("Main.GetSPF"), *error);
        }
        if (auto e = MakeSpecialFolder(folders_)) {
            closeSplash();
            platform::showApologyReport(services_, this, QStringLiteral("MakeSpecialFolder"), *e);
        }
        const settings::SettingsLoad load = store_.load(folders_);
        settings_ = load.settings;
        if (!load.reports.isEmpty()) {
            closeSplash();
            settings::showSettingsReports(services_, load.reports, this);
        }
        if (auto e = AppDataFilesCopy(folders_)) {
            closeSplash();
            platform::showApologyReport(services_, this, QStringLiteral("AppDataFilesCopy"), *e);
        }
        entry_->setBarcodeFolder(folders_.barcode);
        entry_->SetTxtBackColor();

        applySavedSize();
        setWindowTitle(common::programTitle() + QStringLiteral(" [新規]"));
        setStatusText(2, QString());

        entry_->setRowCommandsEnabled(false);
        entry_->setCalcEnabled(false);
        applyListSettings();
        ui_->mnuCopyMyDoc->setEnabled(earlierVersionPresent(folders_));
        showRecoveredList();
    } catch (const std::exception &e) {
        closeSplash();
        setEnabled(true);
        platform::showErrorReport(services_, this, QStringLiteral("main.form_load"), platform::unexpectedError(e));
    }
}

bool frmMain::windowIsNormal() const
{
    return !(windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen));
}

void frmMain::storeWindowStatus()
{
    settings_.status.width = common::PixelsToTwipsX(width());
    settings_.status.height = common::PixelsToTwipsY(height());
    const QHeaderView *header = ui_->ListView1->header();
    for (int i = 0; i < ColumnCount && i < header->count(); ++i)
        settings_.status.columnWidth[i] = common::PixelsToTwipsX(header->sectionSize(i));
}

bool frmMain::Form_QueryUnload()
{
    if (document_->isWorkbookImported() && !document_->workbookSavePrompt())
        return false;
    if (document_->isModified() && !document_->saveChangesPrompt())
        return false;

    const bool normal = windowIsNormal();
    if (normal)
        storeWindowStatus();
    AppError error;
    if (!store_.save(settings_, folders_, normal, &error))
        settings::showSettingsReports(services_, {settings::SettingsReport{settings::SetInitialLabel, error}}, this);
    find_->closeSearch();
    closeSplash();
    return true;
}

QString frmMain::recoveryMarkerPath() const
{
    return QDir(folders_.appData).filePath(QStringLiteral("recovered.txt"));
}

void frmMain::endSession()
{
    if (unloaded_)
        return;
    // No prompt can be answered while the session ends: an unsaved list is kept beside the settings
    // instead, and the next start names it in the status bar.
    if ((document_->isModified() || document_->isWorkbookImported()) && model_->rowCount() > 0) {
        const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        const QString path = QDir(folders_.appData).filePath(QStringLiteral("recovered-%1.csv").arg(stamp));
        if (products::writeCsvFile(path, model_->rows()).ok())
            platform::writeFileAtomically(recoveryMarkerPath(), QDir::toNativeSeparators(path).toUtf8());
    }
    const bool normal = windowIsNormal();
    if (normal)
        storeWindowStatus();
    AppError error;
    store_.save(settings_, folders_, normal, &error);
    find_->closeSearch();
    closeSplash();
    unloaded_ = true;
    Q_EMIT unloaded();
}

void frmMain::showRecoveredList()
{
    QFile marker(recoveryMarkerPath());
    if (!marker.open(QIODevice::ReadOnly))
        return;
    const QString path = QString::fromUtf8(marker.read(4096)).trimmed();
    marker.close();
    marker.remove();
    if (!path.isEmpty())
        setStatusText(2, QStringLiteral("前回の終了時に保存されていなかったリスト: ") + path);
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (unloaded_) {
        event->accept();
        return;
    }
    if (!Form_QueryUnload()) {
        event->ignore();
        return;
    }
    unloaded_ = true;
    event->accept();
    Q_EMIT unloaded();
}

void frmMain::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    // The splash stays above the main window that appears after it.
    if (splash_ && splash_->isVisible())
        splash_->raise();
}

void frmMain::setStatusText(int panel, const QString &text)
{
    if (panel == 1)
        platform::setValueText(panel1_, text);
    else if (panel == 2)
        platform::setValueText(panel2_, text);
    else if (panel == 3) {
        platform::setValueText(panel3_, text);
        panel3_->setToolTip(text); // whole, should a narrow window cut the panel
        panel3_->setVisible(!text.isEmpty());
    }
}

QString frmMain::statusText(int panel) const
{
    if (panel == 1)
        return panel1_->text();
    if (panel == 2)
        return panel2_->text();
    if (panel == 3)
        return panel3_->text();
    return {};
}

void frmMain::applyListSettings()
{
    model_->setPriceBasis(settings_.tax.indicate);
    applyListFont();
    QHeaderView *header = ui_->ListView1->header();
    for (int i = 0; i < ColumnCount && i < header->count(); ++i) {
        const int w = settings_.status.columnWidth[i];
        if (w > 0)
            header->resizeSection(i, common::TwipsToPixelsX(w));
    }
}

void frmMain::applyListFont()
{
    if (settings_.gridFont > 0) {
        QFont font = ui_->ListView1->font();
        font.setPointSize(settings_.gridFont);
        ui_->ListView1->setFont(font);
    }
}

void frmMain::showWaitMessage(const QString &text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    ui_->lblMSG->setText(shown);
    ui_->lblMSG->adjustSize();
    ui_->lblMSG->show();
    ui_->lblMSG->raise();
}

void frmMain::hideWaitMessage()
{
    ui_->lblMSG->hide();
}

} // namespace app
