#include "ledger/frmDaicyo.h"

#include "ui_frmDaicyo.h"

#include "dialogs/browser_display_widgets.h"
#include "dialogs/dlgFont.h"
#include "dialogs/dlgPalete.h"
#include "dialogs/make_aside_widgets.h"
#include "dialogs/page_output_widgets.h"
#include "dialogs/palette.h"
#include "ledger/sheet.h"
#include "ledger/sheet_painter.h"
#include "ledger/window_rules.h"
#include "platform/apperror.h"
#include "platform/folders.h"
#include "platform/reports.h"
#include "platform/user_services.h"
#include "products/product_list_model.h"

#include <QRegularExpressionValidator>
#include <QShortcut>

namespace ledger {

using platform::AppError;

frmDaicyo::frmDaicyo(const products::ProductListModel &model, LedgerDesign &settings, const products::TaxSettings &tax,
                     const dialogs::BrowserSettings &browser, platform::UiServices &services,
                     const QString &appDataFolder, bool listNotEmpty, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmDaicyo>()), m_model(model), m_settings(settings), m_tax(tax),
      m_browser(browser), m_folder(appDataFolder), m_listNotEmpty(listNotEmpty), m_services(services)
{
    ui->setupUi(this);
    ui->txtStartPage->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), ui->txtStartPage));
    ui->UpDownStartPage->setRange(StartPageMin, StartPageMax);

    GetDInitial(ledgerWindowValues(settings));
    ui->cmd作成->setEnabled(m_listNotEmpty);

    connect(ui->CheckPageNum, &QCheckBox::toggled, this, &frmDaicyo::CheckPageNum_Toggled);
    connect(ui->txtStartPage, &QLineEdit::textChanged, this, &frmDaicyo::txtStartPage_Changed);
    connect(ui->UpDownStartPage, &QScrollBar::valueChanged, this, [this](int value) {
        if (startPageStep(ui->txtStartPage->text()) != value)
            ui->txtStartPage->setText(QString::number(value));
    });
    connect(ui->cmdColorLine, &QPushButton::clicked, this, [this] { chooseColor(true); });
    connect(ui->cmdBackColor, &QPushButton::clicked, this, [this] { chooseColor(false); });
    connect(ui->cmdFont, &QPushButton::clicked, this, &frmDaicyo::chooseFont);
    connect(ui->cmd作成, &QPushButton::clicked, this, &frmDaicyo::cmd作成_Click);
    dialogs::connectPageOutput(
        {this, ui->cmdExplorer, ui->cmd作成, m_listNotEmpty}, ui->cmdPDF, ui->cmd印刷,
        {.page = makerPage(),
         .appDataFolder = m_folder,
         .initialFolder = platform::Folders::standard().data,
         .noPage = {QStringLiteral("商品台帳の表示"), QStringLiteral("表示するデータがまだありません.")},
         .windowName = QStringLiteral("frmDaicyo"),
         .painter = [this] { return sheetPainter(m_lastMade); }},
        m_browser, m_services);
    connect(ui->cmdQuit, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->picHelp, &QToolButton::clicked, this, &frmDaicyo::helpRequested);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &frmDaicyo::helpRequested);
}

frmDaicyo::~frmDaicyo() = default;

void frmDaicyo::GetDInitial(const WindowValues &f)
{
    ui->cmbLinesInPage->setCurrentText(f.linesInPage);
    setSwatch(true, f.lineColor);
    setSwatch(false, f.backColor);
    ui->lblFont->setText(f.fontName);
    ui->lblFontSize->setText(f.fontSize);
    ui->cmbPadding->setCurrentText(f.padding);
    ui->txtStartPage->setText(f.startPage);
    txtStartPage_Changed(f.startPage);
    ui->CheckPageNum->setChecked(f.pageNumbers);
    ui->txtStartPage->setEnabled(f.pageNumbers);
    ui->UpDownStartPage->setEnabled(f.pageNumbers);
}

WindowValues frmDaicyo::windowValues() const
{
    WindowValues f;
    f.linesInPage = ui->cmbLinesInPage->currentText();
    f.lineColor = m_lineColor;
    f.backColor = m_backColor;
    f.pageNumbers = ui->CheckPageNum->isChecked();
    f.fontName = ui->lblFont->text();
    f.fontSize = ui->lblFontSize->text();
    f.padding = ui->cmbPadding->currentText();
    f.startPage = ui->txtStartPage->text();
    return f;
}

AppError frmDaicyo::SetValues()
{
    return storeWindowValues(windowValues(), m_settings);
}

void frmDaicyo::setSwatch(bool lineColor, const QString &colorText)
{
    const QColor color = dialogs::colorFromText(colorText);
    QLabel *swatch = lineColor ? ui->PicColorLine : ui->picBackColor;
    (lineColor ? m_lineColor : m_backColor) = dialogs::colorText(color);
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, color);
    swatch->setPalette(p);
    swatch->setAccessibleDescription(dialogs::colorText(color));
}

void frmDaicyo::CheckPageNum_Toggled(bool checked)
{
    if (!checked)
        ui->txtStartPage->setText(QStringLiteral("1"));
    ui->txtStartPage->setEnabled(checked);
    ui->UpDownStartPage->setEnabled(checked);
}

void frmDaicyo::txtStartPage_Changed(const QString &text)
{
    if (const int step = startPageStep(text)) {
        const QSignalBlocker quiet(ui->UpDownStartPage);
        ui->UpDownStartPage->setValue(step);
    }
}

void frmDaicyo::chooseColor(bool lineColor)
{
    dialogs::dlgPalete palette(lineColor ? m_lineColor : m_backColor, m_services, this);
    if (palette.exec() == QDialog::Accepted)
        setSwatch(lineColor, palette.colorText());
}

// The ledger's font: a name and a size in points without unit, always regular.
void frmDaicyo::chooseFont()
{
    const dialogs::FontChoice start{ui->lblFont->text(), ui->lblFontSize->text(), dialogs::FontStyles.first(), {}, {}};
    dialogs::dlgFont font(PageFont, start, m_services, this);
    if (font.exec() != QDialog::Accepted)
        return;
    ui->lblFont->setText(font.choice().name);
    ui->lblFontSize->setText(font.choice().size);
}

void frmDaicyo::cmd作成_Click()
{
    const QString start = ui->txtStartPage->text();
    const common::Refusal startRefused = checkStartPage(start);
    if (startRefused.refused()) {
        m_services.message(this, startRefused.title, startRefused.text, startRefused.icon);
        if (startRefused.next == Next::StartPage)
            ui->txtStartPage->setText(QStringLiteral("1"));
        return;
    }

    const dialogs::ExplorerControls controls{this, ui->cmdExplorer, ui->cmd作成, m_listNotEmpty};
    common::MakeResult outcome;
    const AppError stored = SetValues();
    const Inputs in{m_model.rows(), m_settings, m_tax, start};
    const common::Refusal refusal = check(in);
    if (stored.isSet()) {
        outcome = common::MakeResult::failed(QStringLiteral("frmDaicyo.cmd作成"), stored);
    } else if (refusal.refused()) {
        outcome = common::MakeResult::refusedBy(refusal);
    } else {
        outcome = dialogs::makeAside(controls, m_making, [in, folder = m_folder] { return make(in, folder); });
        if (outcome.ok())
            m_lastMade = in;
    }

    dialogs::showMakeResult(m_services, controls, outcome);
}

void frmDaicyo::done(int result)
{
    if (m_making)
        return;
    const common::Refusal refusal = checkStartPage(ui->txtStartPage->text());
    if (refusal.refused()) {
        m_services.message(this, refusal.title, refusal.text, refusal.icon);
    } else if (const AppError e = SetValues(); e.isSet()) {
        platform::showErrorReport(m_services, this, QStringLiteral("frmDaicyo.SetValues"), e);
    }
    QDialog::done(result);
}

} // namespace ledger
