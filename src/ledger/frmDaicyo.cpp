#include "ledger/frmDaicyo.h"

#include "ui_frmDaicyo.h"

#include "ledger/ledger_page.h"
#include "ledger/window_rules.h"
#include "platform/apperror.h"
#include "platform/user_services.h"
#include "products/product_list_model.h"

#include <QApplication>
#include <QColor>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFontDialog>
#include <QRegularExpressionValidator>
#include <QThread>

namespace ledger {

using platform::AppError;
using Icon = platform::UiServices::Icon;

namespace {

// Swatch colours as the settings hold them: "#RRGGBB", upper case.
QColor colorOfText(const QString &text)
{
    const QColor c = QColor::fromString(text);
    return c.isValid() ? c : QColor(Qt::black);
}

QString textOfColor(const QColor &color)
{
    return color.name(QColor::HexRgb).toUpper();
}

// Makes the ledger on a worker thread while the (disabled) window keeps painting; the values are
// copies, so nothing the window owns is touched from the other thread.
LedgerOutcome makeAside(products::ProductList list, products::TaxSettings tax, LedgerSettings settings,
                        QString startPage, QString folder)
{
    LedgerOutcome outcome;
    QEventLoop loop;
    std::unique_ptr<QThread> worker(
        QThread::create([&] { outcome = makeLedger(list, tax, settings, startPage, folder); }));
    QObject::connect(worker.get(), &QThread::finished, &loop, &QEventLoop::quit);
    worker->start();
    loop.exec();
    worker->wait();
    return outcome;
}

} // namespace

frmDaicyo::frmDaicyo(const products::ProductListModel &model, LedgerSettings &settings,
                     const products::TaxSettings &tax, const QString &appDataFolder, bool listNotEmpty,
                     platform::UiServices &services, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmDaicyo>()), m_model(model), m_settings(settings), m_tax(tax),
      m_folder(appDataFolder), m_listNotEmpty(listNotEmpty), m_services(services)
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
    connect(ui->cmdExplorer, &QPushButton::clicked, this, &frmDaicyo::cmdExplorer_Click);
    connect(ui->cmdQuit, &QPushButton::clicked, this, &QDialog::close);
    connect(ui->picHelp, &QToolButton::clicked, this, &frmDaicyo::helpRequested);
}

frmDaicyo::~frmDaicyo() = default;

void frmDaicyo::GetDInitial(const LedgerForm &f)
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

LedgerForm frmDaicyo::windowValues() const
{
    LedgerForm f;
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
    return storeLedgerSettings(windowValues(), m_settings);
}

void frmDaicyo::setSwatch(bool lineColor, const QString &colorText)
{
    const QColor color = colorOfText(colorText);
    QLabel *swatch = lineColor ? ui->PicColorLine : ui->picBackColor;
    (lineColor ? m_lineColor : m_backColor) = textOfColor(color);
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, color);
    swatch->setPalette(p);
    swatch->setAccessibleDescription(textOfColor(color));
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

// The colour palette stands here until the shared palette dialog is in; the system chooser gives the
// same value.
void frmDaicyo::chooseColor(bool lineColor)
{
    QColor color = colorOfText(lineColor ? m_lineColor : m_backColor);
    if (m_services.chooseColor(this, color))
        setSwatch(lineColor, textOfColor(color));
}

// The ledger's font: a name and a size in points without unit, always regular.
void frmDaicyo::chooseFont()
{
    bool ok = false;
    QFont start(ui->lblFont->text());
    start.setPointSize(qMax(1, ui->lblFontSize->text().toInt()));
    const QFont chosen = QFontDialog::getFont(&ok, start, this, QStringLiteral("フォントの選択"));
    if (!ok)
        return;
    ui->lblFont->setText(chosen.family());
    ui->lblFontSize->setText(QString::number(qMax(1, chosen.pointSize())));
}

void frmDaicyo::setCommandsEnabled(bool enabled)
{
    ui->cmd作成->setEnabled(enabled && m_listNotEmpty);
    ui->cmdExplorer->setEnabled(enabled);
    setEnabled(enabled);
}

void frmDaicyo::cmd作成_Click()
{
    const QString start = ui->txtStartPage->text();
    const LedgerRefusal startRefused = checkStartPage(start);
    if (startRefused.refused()) {
        m_services.message(this, startRefused.title, startRefused.text, startRefused.icon);
        if (startRefused.resetStartPage)
            ui->txtStartPage->setText(QStringLiteral("1"));
        return;
    }

    m_making = true;
    setCommandsEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    LedgerOutcome outcome;
    outcome.icon = Icon::Critical;
    const AppError stored = SetValues();
    const LedgerRefusal refusal = checkLedgerMake(start, m_settings);
    if (stored.isSet()) {
        outcome.title = platform::reportTitle();
        outcome.text = platform::errorReportText(QStringLiteral("frmDaicyo.cmd作成"), stored);
    } else if (refusal.refused()) {
        outcome.title = refusal.title;
        outcome.text = refusal.text;
        outcome.icon = refusal.icon;
    } else {
        outcome = makeAside(m_model.rows(), m_tax, m_settings, start, m_folder);
    }
    QApplication::restoreOverrideCursor();
    setCommandsEnabled(true);
    m_making = false;

    m_services.message(this, outcome.title, outcome.text, outcome.icon);
    if (outcome.ok)
        ui->cmdExplorer->setFocus();
}

void frmDaicyo::cmdExplorer_Click()
{
    const QString page = QDir(m_folder).filePath(dtempFileName());
    if (QFileInfo(page).isFile())
        ShowExplorer(page);
    else
        m_services.information(this, QStringLiteral("商品台帳の表示"),
                               QStringLiteral("表示するデータがまだありません."));
}

// Opens the page with the desktop's browser until the shared browser display is in.
void frmDaicyo::ShowExplorer(const QString &page)
{
    setCommandsEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool shown = m_services.openWithShell(page);
    QApplication::restoreOverrideCursor();
    setCommandsEnabled(true);
    if (!shown)
        m_services.critical(
            this, platform::reportTitle(),
            platform::apologyReportText(QStringLiteral("frmDaicyo.ShowExplorer"), AppError::fileNotFound(page)));
}

void frmDaicyo::done(int result)
{
    if (m_making)
        return;
    const LedgerRefusal refusal = checkStartPage(ui->txtStartPage->text());
    if (refusal.refused()) {
        m_services.message(this, refusal.title, refusal.text, refusal.icon);
    } else if (const AppError e = SetValues(); e.isSet()) {
        m_services.critical(this, platform::reportTitle(),
                            platform::errorReportText(QStringLiteral("frmDaicyo.SetValues"), e));
    }
    QDialog::done(result);
}

} // namespace ledger
