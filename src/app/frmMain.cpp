#include "app/frmMain.h"

#include "app/dlgView.h"
#include "app/help_commands.h"
#include "common/helpers.h"
#include "app/reports.h"
#include "app/startup.h"
#include "app/version.h"
#include "dialogs/dlgSplash.h"
#include "dialogs/dlgVersion.h"
#include "platform/user_services.h"
#include "ui_frmMain.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QLabel>
#include <QStandardItemModel>
#include <QStatusBar>

#include <exception>

namespace app {

using platform::AppError;

namespace {
constexpr int ColumnCount = 6;
constexpr int PriceColumn = 3;
} // namespace

frmMain::frmMain(Settings &settings, QWidget *parent)
    : QMainWindow(parent), ui_(std::make_unique<Ui::frmMain>()), settings_(settings)
{
    ui_->setupUi(this);
    ui_->OptionType->setId(ui_->OptionType_0, 0);
    ui_->OptionType->setId(ui_->OptionType_1, 1);

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
    ui_->StatusBar1->addWidget(panel1_);
    ui_->StatusBar1->addWidget(panel2_, 1);

    // The product list's model comes from the list's own class; until then the columns are known.
    auto *placeholder = new QStandardItemModel(0, ColumnCount, this);
    placeholder->setHorizontalHeaderLabels({QStringLiteral("No."), QStringLiteral("品番等"), QStringLiteral("商品名"),
                                            QStringLiteral("本体価格"), QStringLiteral("備考"),
                                            QStringLiteral("JANコード")});
    placeholderModel_ = placeholder;
    ui_->ListView1->setModel(placeholder);

    ui_->mnuShowHelp->setShortcut(QKeySequence::HelpContents);
    ui_->mnuShowHelp->setShortcutContext(Qt::ApplicationShortcut);
    connectShellCommands();
    applyWindowBounds();
    // The maker buttons keep their own common width at the right edge; free width stays between.
    ui_->mainLayout->setAlignment(ui_->makerButtons, Qt::AlignRight);
}

frmMain::~frmMain()
{
    // Not closed: closing would show and enable this window while it is being destroyed.
    delete splash_.data();
}

void frmMain::connectShellCommands()
{
    connect(ui_->cmdQuit, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_->mnuEnd, &QAction::triggered, this, &QWidget::close);
    connect(ui_->mnuVersion, &QAction::triggered, this, [this] {
        dialogs::dlgVersion dialog(this);
        dialog.exec();
    });
    connect(ui_->mnuGridFont, &QAction::triggered, this, [this] {
        dlgView dialog(settings_.gridFont, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        settings_.gridFont = dialog.fontSize();
        applyListFont();
    });
    connect(ui_->mnuShowHelp, &QAction::triggered, this, [this] { ShowHelpFile(this, folders_); });
    connect(ui_->mnuReadMe, &QAction::triggered, this, [this] { ShowReadMe(this, folders_); });
    connect(ui_->mnuWebsite, &QAction::triggered, this, [this] { ShowWebSite(this); });
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
        folders_ = hooks_.getFolders ? hooks_.getFolders(&error) : GetSPF(&error);
        if (error) {
            closeSplash();
            showApologyReport(this, QStringLiteral("Main.GetSPF"), *error);
        }
        if (auto e = MakeSpecialFolder(folders_)) {
            closeSplash();
            showApologyReport(this, QStringLiteral("MakeSpecialFolder"), *e);
        }
        const SettingsLoad load = hooks_.loadSettings ? hooks_.loadSettings(folders_)
                                                      : GetInitial(folders_.settingsFile(), folders_.oldSettingsFile());
        settings_ = load.settings;
        if (!load.reports.isEmpty()) {
            closeSplash();
            showSettingsReports(platform::UiServices::instance(), load.reports, this);
        }
        if (auto e = AppDataFilesCopy(folders_)) {
            closeSplash();
            showApologyReport(this, QStringLiteral("AppDataFilesCopy"), *e);
        }
        if (hooks_.colourPriceFields)
            hooks_.colourPriceFields();

        applySavedSize();
        setWindowTitle(programTitle() + QStringLiteral(" [新規]"));
        setStatusText(2, QString());

        ui_->mnuSave->setEnabled(false);
        setRowCommandsEnabled(false);
        setCalcEnabled(false);
        applyListSettings();
        ui_->mnuCopyMyDoc->setEnabled(earlierVersionPresent(folders_));
    } catch (const std::exception &e) {
        closeSplash();
        setEnabled(true);
        showErrorReport(this, QStringLiteral("main.form_load"),
                        AppError{AppError::ObjectNotSet, QString::fromLocal8Bit(e.what())});
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
    if (hooks_.workbookSavePrompt && hooks_.workbookSavePrompt() == CloseDecision::Stop)
        return false;
    if (hooks_.saveChangesPrompt && hooks_.saveChangesPrompt() == CloseDecision::Stop)
        return false;

    const bool normal = windowIsNormal();
    if (normal)
        storeWindowStatus();
    AppError error;
    const bool saved = hooks_.saveSettings ? hooks_.saveSettings(settings_, folders_, normal, &error)
                                           : SetInitial(settings_, folders_.settingsFile(), normal, &error);
    if (!saved)
        showSettingsReports(platform::UiServices::instance(), {SettingsReport{SetInitialLabel, error}}, this);
    if (hooks_.unloadDialogs)
        hooks_.unloadDialogs();
    closeSplash();
    return true;
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
        panel1_->setText(text);
    else if (panel == 2)
        panel2_->setText(text);
}

QString frmMain::statusText(int panel) const
{
    if (panel == 1)
        return panel1_->text();
    if (panel == 2)
        return panel2_->text();
    return {};
}

void frmMain::setListModel(QAbstractItemModel *model)
{
    ui_->ListView1->setModel(model ? model : placeholderModel_);
    applyListSettings();
}

QString frmMain::priceColumnCaption() const
{
    return settings_.tax.indicate == 1 ? QStringLiteral("税込価格") : QStringLiteral("本体価格");
}

void frmMain::applyListSettings()
{
    if (QAbstractItemModel *model = ui_->ListView1->model())
        model->setHeaderData(PriceColumn, Qt::Horizontal, priceColumnCaption());
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

void frmMain::setRowCommandsEnabled(bool enabled)
{
    for (QWidget *w : {static_cast<QWidget *>(ui_->cmd新規), static_cast<QWidget *>(ui_->cmdDelete),
                       static_cast<QWidget *>(ui_->cmdUp), static_cast<QWidget *>(ui_->cmdDown)})
        w->setEnabled(enabled);
    for (QAction *a : {ui_->mnuNewData, ui_->mnuDelData, ui_->mnuUp, ui_->mnuDown})
        a->setEnabled(enabled);
}

void frmMain::setCalcEnabled(bool enabled)
{
    ui_->cmdCalc->setEnabled(enabled);
    ui_->mnuCalcData->setEnabled(enabled);
}

} // namespace app
