#include "price_tags/frmNefuda.h"

#include "ui_frmNefuda.h"

#include "common/helpers.h"
#include "common/maker.h"
#include "dialogs/browser_display_widgets.h"
#include "dialogs/design_file_commands_widgets.h"
#include "dialogs/dlgFont.h"
#include "dialogs/dlgPalete.h"
#include "dialogs/logo_box_widgets.h"
#include "dialogs/make_aside_widgets.h"
#include "dialogs/page_fonts_widgets.h"
#include "dialogs/page_output_widgets.h"
#include "platform/numbers.h"
#include "platform/reports.h"
#include "platform/text_file.h"
#include "price_tags/design_file.h"
#include "price_tags/preview.h"
#include "price_tags/sheet.h"
#include "price_tags/sheet_painter.h"
#include "products/product_list_model.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QTimer>
#include <QUrl>
#include <QWebEngineView>

namespace price_tags {

using Icon = platform::UiServices::Icon;
using platform::AppError;

namespace {

enum Tab { TabData = 0, TabPage = 1, TabDesign = 2, TabLogo = 3, TabPreview = 4 };

// The picture control's "invalid picture".
AppError invalidPicture(const QString &path)
{
    return AppError{481, QStringLiteral("ピクチャが不正です。: ") + path};
}

void setValueLabel(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setAccessibleDescription(text);
}

void setSwatch(QLabel *swatch, const QString &colorText)
{
    swatch->setProperty("colorText", colorText);
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, QColor(colorText));
    swatch->setPalette(p);
    swatch->setAutoFillBackground(true);
    swatch->setAccessibleDescription(colorText);
}

QString swatchText(const QLabel *swatch)
{
    return swatch->property("colorText").toString();
}

// A list box shows a stored text that is not one of its entries by taking it in.
void setComboText(QComboBox *combo, const QString &text)
{
    if (combo->isEditable()) {
        combo->setEditText(text);
        return;
    }
    int i = combo->findText(text);
    if (i < 0) {
        combo->addItem(text);
        i = combo->count() - 1;
    }
    combo->setCurrentIndex(i);
}

// A wait cursor for the span of a scope.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
};

} // namespace

frmNefuda::frmNefuda(const ProductSlots &items, bool listHasRows, PriceTagDesign &design,
                     const dialogs::BrowserSettings &browser, platform::UiServices &services,
                     const platform::Folders &folders, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmNefuda>()), design_(design), browser_(browser), services_(services),
      folders_(folders), slots_(items), listHasRows_(listHasRows)
{
    ui->setupUi(this);
    ui->layoutMain->setMenuBar(ui->menuBar);
    files_ = new dialogs::DesignFileCommands(
        {.window = this,
         .saveAction = ui->mnuCSave,
         .menu = ui->mnuC,
         .tabs = ui->TabStrip1,
         .tabAfterSave = TabPage,
         .filter = QStringLiteral("デザインファイル(*.cdn)|*.cdn"),
         .extension = QStringLiteral("cdn"),
         .initialFolder = folders_.data,
         .readLabel = QStringLiteral("ReadCDesign"),
         .caption = designerCaption,
         .savePrompt =
             [](const QString &file) {
                 return common::Refusal{savePromptTitle(), savePromptText(file), Icon::Question};
             },
         .read = [this](const QString &path) { return readDesign(path); },
         .write = [this](const QString &path) { return writeDesign(path); }},
        services_, this);
    // The logo is shown at most 1000 pixels across, whatever the size boxes say; the page gets the typed size.
    logo_ = new dialogs::LogoBox(
        dialogs::logoBoxControls(this, *ui, ui->lblCLogo, ui->Image1, ui->FrameLogoSize, ui->cmbCLogoAlign), services_,
        folders_.data, this);

    copies_ = {ui->txtCCount_0, ui->txtCCount_1, ui->txtCCount_2, ui->txtCCount_3, ui->txtCCount_4,
               ui->txtCCount_5, ui->txtCCount_6, ui->txtCCount_7, ui->txtCCount_8, ui->txtCCount_9};
    copiesUpDown_ = {ui->UpDownC_0, ui->UpDownC_1, ui->UpDownC_2, ui->UpDownC_3, ui->UpDownC_4,
                     ui->UpDownC_5, ui->UpDownC_6, ui->UpDownC_7, ui->UpDownC_8, ui->UpDownC_9};
    hinban_ = {ui->lblHinban_0, ui->lblHinban_1, ui->lblHinban_2, ui->lblHinban_3, ui->lblHinban_4,
               ui->lblHinban_5, ui->lblHinban_6, ui->lblHinban_7, ui->lblHinban_8, ui->lblHinban_9};
    name_ = {ui->lblName_0, ui->lblName_1, ui->lblName_2, ui->lblName_3, ui->lblName_4,
             ui->lblName_5, ui->lblName_6, ui->lblName_7, ui->lblName_8, ui->lblName_9};
    price_ = {ui->lblPrice_0, ui->lblPrice_1, ui->lblPrice_2, ui->lblPrice_3, ui->lblPrice_4,
              ui->lblPrice_5, ui->lblPrice_6, ui->lblPrice_7, ui->lblPrice_8, ui->lblPrice_9};
    jan_ = {ui->lblJanCode_0, ui->lblJanCode_1, ui->lblJanCode_2, ui->lblJanCode_3, ui->lblJanCode_4,
            ui->lblJanCode_5, ui->lblJanCode_6, ui->lblJanCode_7, ui->lblJanCode_8, ui->lblJanCode_9};
    fontName_ = {ui->lblCFontName_0, ui->lblCFontName_1, ui->lblCFontName_2, ui->lblCFontName_3};
    fontSize_ = {ui->lblCFontSize_0, ui->lblCFontSize_1, ui->lblCFontSize_2, ui->lblCFontSize_3};
    fontStyle_ = {ui->lblCFontStyle_0, ui->lblCFontStyle_1, ui->lblCFontStyle_2, ui->lblCFontStyle_3};
    fontColor_ = {ui->picCFontColor_0, ui->picCFontColor_1, ui->picCFontColor_2, ui->picCFontColor_3};
    fontAlign_ = {ui->lblCAlign_0, ui->lblCAlign_1, ui->lblCAlign_2, ui->lblCAlign_3};
    fontButton_ = {ui->cmdCFont_0, ui->cmdCFont_1, ui->cmdCFont_2, ui->cmdCFont_3};
    padding_ = {ui->txtCardPadding_0, ui->txtCardPadding_1, ui->txtCardPadding_2, ui->txtCardPadding_3};

    optionNum_ = new QButtonGroup(this);
    optionNum_->addButton(ui->OptionNum_0, 0);
    optionNum_->addButton(ui->OptionNum_1, 1);
    optionStyle_ = new QButtonGroup(this);
    optionStyle_->addButton(ui->OptionStyle_0, 0);
    optionStyle_->addButton(ui->OptionStyle_1, 1);

    // Copies take digits only; sizes and paddings digits and the decimal point.
    const QRegularExpression digits(QStringLiteral("[0-9]*"));
    const QRegularExpression decimal(QStringLiteral("[0-9.]*"));
    for (QLineEdit *box : copies_) {
        box->setValidator(new QRegularExpressionValidator(digits, box));
        box->installEventFilter(this);
    }
    for (QLineEdit *box : {ui->txtCardHeight, ui->txtCardWidth, padding_[0], padding_[1], padding_[2], padding_[3],
                           ui->txtLogoWidth, ui->txtLogoHeight}) {
        box->setValidator(new QRegularExpressionValidator(decimal, box));
        box->installEventFilter(this);
    }
    for (int i = 0; i < SlotCount; ++i)
        pairUpDown(copies_[i], copiesUpDown_[i]);
    pairUpDown(ui->txtCardHeight, ui->UpCardHeight);
    pairUpDown(ui->txtCardWidth, ui->UpCardWidth);
    for (int i = 0; i < 4; ++i)
        pairUpDown(padding_[i],
                   std::array{ui->UpCardPadding_0, ui->UpCardPadding_1, ui->UpCardPadding_2, ui->UpCardPadding_3}[i]);
    pairUpDown(ui->txtLogoWidth, ui->UpDownWidth);
    pairUpDown(ui->txtLogoHeight, ui->UpDownHeight);

    ui->Image1->setScaledContents(true);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &frmNefuda::helpRequested);
    connect(ui->picHelp, &QAbstractButton::clicked, this, &frmNefuda::helpRequested);

    load(items);
    connectHandlers();
}

frmNefuda::~frmNefuda() = default;

bool frmNefuda::ShowNefudaDialog(const products::ProductListModel &model, PriceTagDesign &design,
                                 const products::TaxSettings &tax, const dialogs::BrowserSettings &browser,
                                 platform::UiServices &services, const platform::Folders &folders, QWidget *mainWindow,
                                 const std::function<void()> &showHelp, const QString &designFile)
{
    ProductSlots items;
    const bool hasRows = model.rowCount() > 0;
    if (!hasRows) {
        services.information(mainWindow, emptyListNoticeTitle(), emptyListNoticeText());
    } else {
        const SlotFill fill = fillProductSlots(model.rows(), tax);
        if (!fill.message.isEmpty()) {
            services.message(mainWindow, fill.title, fill.message, fill.apology ? Icon::Critical : Icon::Information);
            return false;
        }
        items = fill.items;
    }
    frmNefuda window(items, hasRows, design, browser, services, folders, mainWindow);
    if (showHelp)
        connect(&window, &frmNefuda::helpRequested, &window, showHelp);
    if (!designFile.isEmpty())
        QTimer::singleShot(0, &window, [&window, designFile] { window.openDesignFile(designFile); });
    window.exec();
    return true;
}

// ---- load and transfers -------------------------------------------------------------------------

void frmNefuda::load(const ProductSlots &items)
{
    loading_ = true;
    ui->TabStrip1->setCurrentIndex(TabData);
    for (QLineEdit *box : copies_)
        box->setText(QStringLiteral("0"));

    const QString missing = forgetMissingLogo(design_);
    if (!missing.isEmpty())
        services_.message(this, platform::reportTitle(), missing, Icon::Critical);
    showForm(loadWindowValues(design_));
    if (const QString path = logo_->path(); !path.isEmpty()) {
        logo_->setPicture(path, services_.loadPicture(path));
        if (logo_->picture().isNull())
            report(QStringLiteral("CMain.Load"), invalidPicture(path));
        logo_->show(true);
    }
    logo_->updateRatios();

    for (int i = 0; i < SlotCount; ++i) {
        const ProductSlot &slot = items[i];
        setValueLabel(hinban_[i], slot.code);
        setValueLabel(name_[i], slot.name);
        setValueLabel(price_[i], slot.price);
        setValueLabel(jan_[i], slot.jan);
        const bool on = slot.filled && listHasRows_;
        copies_[i]->setEnabled(on);
        copiesUpDown_[i]->setEnabled(on);
    }
    ui->cmd作成->setEnabled(listHasRows_);
    loading_ = false;
}

WindowValues frmNefuda::formFromControls() const
{
    WindowValues f;
    for (int i = 0; i < 4; ++i) {
        f.fontName[i] = fontName_[i]->text();
        f.fontSize[i] = fontSize_[i]->text();
        f.fontStyle[i] = fontStyle_[i]->text();
        f.fontColor[i] = swatchText(fontColor_[i]);
        f.fontAlign[i] = fontAlign_[i]->text();
        f.padding[i] = padding_[i]->text();
    }
    f.checkHinban = ui->CheckHinban->isChecked();
    f.checkName = ui->CheckName->isChecked();
    f.checkCZeikomi = ui->CheckCZeikomi->isChecked();
    f.check2Dan = ui->Check2Dan->isChecked();
    f.checkReducedMark = ui->Check軽減マーク->isChecked();
    f.checkJanCode = ui->CheckJanCode->isChecked();
    f.checkCLine = ui->CheckCLine->isChecked();
    f.checkLogo = ui->CheckLogo->isChecked();
    f.yMark = ui->cmbYMark->currentText();
    f.optionNum = optionNum_->checkedId();
    f.countW = ui->cmbCountW->currentText();
    f.countH = ui->cmbCountH->currentText();
    f.borderColor = swatchText(ui->lblCBorderColor);
    f.logoFile = logo_->path();
    f.logoAlign = ui->cmbCLogoAlign->currentText();
    f.logoWidth = ui->txtLogoWidth->text();
    f.logoHeight = ui->txtLogoHeight->text();
    f.checkCardHeight = ui->CheckCardHeight->isChecked();
    f.checkCardWidth = ui->CheckCardWidth->isChecked();
    f.cardHeight = ui->txtCardHeight->text();
    f.cardWidth = ui->txtCardWidth->text();
    f.optionStyle = optionStyle_->checkedId();
    f.startPos = ui->cmbStartPos->currentText();
    f.janImageHeight = ui->cmbJanImageHeight->currentText();
    return f;
}

// The controls take the values; the check boxes' handlers run as a user's click would run them, so
// the print flags reach the in-memory design here too. Nothing is marked changed.
void frmNefuda::showForm(const WindowValues &f)
{
    const bool wasLoading = loading_;
    loading_ = true;
    for (int i = 0; i < 4; ++i) {
        setValueLabel(fontName_[i], f.fontName[i]);
        setValueLabel(fontSize_[i], f.fontSize[i]);
        setValueLabel(fontStyle_[i], f.fontStyle[i]);
        setSwatch(fontColor_[i], f.fontColor[i]);
        setValueLabel(fontAlign_[i], f.fontAlign[i]);
        padding_[i]->setText(f.padding[i]);
    }
    ui->CheckHinban->setChecked(f.checkHinban);
    ui->CheckName->setChecked(f.checkName);
    ui->CheckCZeikomi->setChecked(f.checkCZeikomi);
    ui->Check2Dan->setChecked(f.check2Dan);
    ui->Check軽減マーク->setChecked(f.checkReducedMark);
    setComboText(ui->cmbYMark, f.yMark);
    ui->CheckJanCode->setChecked(f.checkJanCode);
    if (QAbstractButton *b = optionNum_->button(f.optionNum))
        b->setChecked(true);
    setComboText(ui->cmbCountW, f.countW);
    setComboText(ui->cmbCountH, f.countH);
    ui->CheckCLine->setChecked(f.checkCLine);
    setSwatch(ui->lblCBorderColor, f.borderColor);
    ui->CheckCardHeight->setChecked(f.checkCardHeight);
    ui->CheckCardWidth->setChecked(f.checkCardWidth);
    ui->txtCardHeight->setText(f.cardHeight);
    ui->txtCardWidth->setText(f.cardWidth);
    if (QAbstractButton *b = optionStyle_->button(f.optionStyle))
        b->setChecked(true);
    rebuildStartPositions();
    setComboText(ui->cmbStartPos, f.startPos);
    ui->CheckLogo->setChecked(f.checkLogo);
    logo_->setPicture(f.logoFile, logo_->picture());
    setComboText(ui->cmbCLogoAlign, f.logoAlign);
    ui->txtLogoWidth->setText(f.logoWidth);
    ui->txtLogoHeight->setText(f.logoHeight);
    setComboText(ui->cmbJanImageHeight, f.janImageHeight);
    logo_->setLoaded(false);
    applyEnabledStates();
    loading_ = wasLoading;
}

void frmNefuda::applyEnabledStates()
{
    setRowEnabled(0, ui->CheckHinban->isChecked());
    setRowEnabled(1, ui->CheckName->isChecked());
    setRowEnabled(2, true);
    setRowEnabled(3, ui->CheckCZeikomi->isChecked());
    ui->FrameTax->setEnabled(ui->CheckCZeikomi->isChecked());
    ui->Check2Dan->setEnabled(ui->CheckCZeikomi->isChecked());
    const bool jan = ui->CheckJanCode->isChecked();
    ui->OptionNum_0->setEnabled(jan);
    ui->OptionNum_1->setEnabled(jan);
    ui->cmbJanImageHeight->setEnabled(jan);
    ui->txtCardHeight->setEnabled(ui->CheckCardHeight->isChecked());
    ui->UpCardHeight->setEnabled(ui->CheckCardHeight->isChecked());
    ui->txtCardWidth->setEnabled(ui->CheckCardWidth->isChecked());
    ui->UpCardWidth->setEnabled(ui->CheckCardWidth->isChecked());
    logo_->updateEnabled();
}

// A printed item's row reads as a field; a row whose item is not printed looks like the window face.
void frmNefuda::setRowEnabled(int row, bool on)
{
    fontButton_[row]->setEnabled(on);
    for (QLabel *label : {fontName_[row], fontSize_[row], fontStyle_[row], fontAlign_[row]}) {
        label->setAutoFillBackground(true);
        label->setBackgroundRole(on ? QPalette::Base : QPalette::Button);
    }
}

// The up-down control is a scroll bar whose upper arrow counts up: a scroll bar's upper arrow goes
// towards its minimum, so the box shows the bar's value mirrored within its range.
void frmNefuda::pairUpDown(QLineEdit *box, QScrollBar *upDown)
{
    const auto mirrored = [upDown](int value) { return upDown->minimum() + upDown->maximum() - value; };
    connect(upDown, &QScrollBar::valueChanged, this, [this, box, mirrored](int value) {
        if (syncing_)
            return;
        if (box == ui->txtLogoHeight || box == ui->txtLogoWidth)
            logo_->workingOn(box == ui->txtLogoHeight);
        box->setText(QString::number(mirrored(value)));
    });
    connect(box, &QLineEdit::textChanged, this, [this, upDown, mirrored](const QString &text) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok)
            return;
        syncing_ = true;
        upDown->setValue(mirrored(qBound(upDown->minimum(), value, upDown->maximum())));
        syncing_ = false;
    });
}

// ---- handlers -----------------------------------------------------------------------------------

void frmNefuda::connectHandlers()
{
    connect(ui->TabStrip1, &QTabWidget::currentChanged, this, &frmNefuda::tabChanged);
    connect(ui->CheckHinban, &QCheckBox::toggled, this, &frmNefuda::checkHinbanToggled);
    connect(ui->CheckName, &QCheckBox::toggled, this, &frmNefuda::checkNameToggled);
    connect(ui->CheckCZeikomi, &QCheckBox::toggled, this, &frmNefuda::checkCZeikomiToggled);
    connect(ui->CheckLogo, &QCheckBox::toggled, this, &frmNefuda::checkLogoToggled);
    connect(ui->CheckJanCode, &QCheckBox::toggled, this, [this](bool on) {
        ui->OptionNum_0->setEnabled(on);
        ui->OptionNum_1->setEnabled(on);
        ui->cmbJanImageHeight->setEnabled(on);
        markChanged();
    });
    connect(ui->CheckCardHeight, &QCheckBox::toggled, this, [this](bool on) {
        ui->txtCardHeight->setEnabled(on);
        ui->UpCardHeight->setEnabled(on);
        markChanged();
    });
    connect(ui->CheckCardWidth, &QCheckBox::toggled, this, [this](bool on) {
        ui->txtCardWidth->setEnabled(on);
        ui->UpCardWidth->setEnabled(on);
        markChanged();
    });
    for (QCheckBox *box : {ui->Check2Dan, ui->CheckCLine, ui->Check軽減マーク})
        connect(box, &QCheckBox::toggled, this, &frmNefuda::markChanged);
    for (QComboBox *combo : {ui->cmbYMark, ui->cmbCLogoAlign, ui->cmbJanImageHeight})
        connect(combo, &QComboBox::currentIndexChanged, this, &frmNefuda::markChanged);
    for (QButtonGroup *group : {optionNum_, optionStyle_})
        connect(group, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on)
                markChanged();
        });
    for (QLineEdit *box : {ui->txtCardHeight, ui->txtCardWidth, padding_[0], padding_[1], padding_[2], padding_[3]})
        connect(box, &QLineEdit::textChanged, this, &frmNefuda::markChanged);
    for (QComboBox *combo : {ui->cmbCountH, ui->cmbCountW})
        connect(combo, &QComboBox::currentTextChanged, this, [this] {
            rebuildStartPositions();
            markChanged();
        });
    for (int row = 0; row < 4; ++row)
        connect(static_cast<QAbstractButton *>(fontButton_[row]), &QAbstractButton::clicked, this, [this, row] {
            {
                WaitCursor busy;
                chooseFont(row);
            }
            markChanged();
        });
    connect(ui->cmdCBorderColor, &QAbstractButton::clicked, this, [this] {
        chooseBorderColor();
        markChanged();
    });
    connect(ui->cmdCLogo, &QAbstractButton::clicked, this, &frmNefuda::chooseLogo);
    connect(ui->cmdCClear, &QAbstractButton::clicked, this, &frmNefuda::clearLogo);
    connect(ui->cmdResize, &QAbstractButton::clicked, this, &frmNefuda::resizeLogo);
    connect(ui->txtLogoWidth, &QLineEdit::textChanged, this, [this] { logoSizeTyped(false); });
    connect(ui->txtLogoHeight, &QLineEdit::textChanged, this, [this] { logoSizeTyped(true); });
    connect(ui->Check比率, &QCheckBox::toggled, logo_, &dialogs::LogoBox::updateRatios);
    connect(ui->cmd作成, &QAbstractButton::clicked, this, &frmNefuda::makeTags);
    connect(ui->cmdExplorer, &QAbstractButton::clicked, this, &frmNefuda::showSheet);
    dialogs::connectPageOutput(this, ui->cmdPDF, ui->cmd印刷,
                               {.maker = dialogs::PageMaker::PriceTags,
                                .appDataFolder = folders_.appData,
                                .initialFolder = folders_.data,
                                .noPage = {displayTitle(), nothingToShowText()},
                                .windowName = QStringLiteral("frmNefuda"),
                                .painter = [this] { return sheetPainter(lastMade_); }},
                               services_);
    connect(ui->cmdQuit, &QAbstractButton::clicked, this, &frmNefuda::quit);
    connect(ui->mnuCOpen, &QAction::triggered, files_, &dialogs::DesignFileCommands::open);
    connect(ui->mnuCSave, &QAction::triggered, files_, &dialogs::DesignFileCommands::save);
    connect(ui->mnuCSaveAs, &QAction::triggered, files_, &dialogs::DesignFileCommands::saveAs);
    connect(ui->mnuDefaultA, &QAction::triggered, this, [this] { builtInDesign(BuiltInType::A); });
    connect(ui->mnuDefaultB, &QAction::triggered, this, [this] { builtInDesign(BuiltInType::B); });
}

bool frmNefuda::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        auto *box = qobject_cast<QLineEdit *>(watched);
        if (box && box != ui->txtLogoWidth && box != ui->txtLogoHeight)
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

// Edits count only while a design file is current: they are what the save prompt is about.
void frmNefuda::markChanged()
{
    if (!loading_)
        files_->markChanged();
}

void frmNefuda::checkHinbanToggled(bool on)
{
    design_.hb = on ? 1 : 0;
    setRowEnabled(0, on);
    markChanged();
}

void frmNefuda::checkNameToggled(bool on)
{
    design_.hm = on ? 1 : 0;
    setRowEnabled(1, on);
    markChanged();
}

void frmNefuda::checkCZeikomiToggled(bool on)
{
    design_.zk = on ? 1 : 0;
    setRowEnabled(3, on);
    ui->FrameTax->setEnabled(on);
    ui->Check2Dan->setEnabled(on);
    markChanged();
}

void frmNefuda::checkLogoToggled(bool on)
{
    design_.lg = on ? 1 : 0;
    logo_->updateEnabled();
    markChanged();
}

void frmNefuda::report(const QString &label, const AppError &error)
{
    platform::showErrorReport(services_, this, label, error);
}

// ---- tabs and preview ---------------------------------------------------------------------------

void frmNefuda::tabChanged(int index)
{
    if (index != TabPreview || loading_)
        return;
    const AppError e = SetCValue(formFromControls(), design_);
    if (e.isSet()) {
        report(QStringLiteral("SetCValue"), e);
        return;
    }
    WaitCursor busy;
    const PageLines page = MakeCPrevHtml(design_);
    if (page.error.isSet()) {
        report(QStringLiteral("MakeCPrevHtml"), page.error);
        return;
    }
    const QString path = QDir(folders_.appData).filePath(cprevFileName());
    AppError written;
    if (!platform::writeCp932Lines(path, page.lines, &written)) {
        report(QStringLiteral("MakeCPrevHtml"), written);
        return;
    }
    previewPath_ = path;
    showPreview();
    // The card's texts also as the view's description: a screen reader has them at once,
    // before the page has loaded.
    wbCPreView_->setAccessibleDescription(previewCardTexts(design_).join(u' '));
}

// The browser is made when the preview is first shown: it is heavy, and most visits never need it.
void frmNefuda::showPreview()
{
    if (previewPath_.isEmpty())
        return;
    if (!wbCPreView_) {
        wbCPreView_ = new QWebEngineView(ui->FramePreview);
        wbCPreView_->setObjectName(QStringLiteral("wbCPreView"));
        wbCPreView_->setAccessibleName(QStringLiteral("プレビュー"));
        dialogs::usePageFonts(wbCPreView_->settings());
        ui->layoutFramePreview->addWidget(wbCPreView_);
    }
    const QUrl url = QUrl::fromLocalFile(previewPath_);
    if (wbCPreView_->url() == url)
        wbCPreView_->reload();
    else
        wbCPreView_->load(url);
}

void frmNefuda::rebuildStartPositions()
{
    const std::optional<QStringList> items = SetStartPos(ui->cmbCountW->currentText(), ui->cmbCountH->currentText());
    if (!items)
        return;
    ui->cmbStartPos->clear();
    ui->cmbStartPos->addItems(*items);
    ui->cmbStartPos->setCurrentIndex(0);
}

// ---- logo ---------------------------------------------------------------------------------------

void frmNefuda::logoSizeTyped(bool heightBox)
{
    if (loading_)
        return;
    markChanged();
    logo_->sizeTyped(heightBox);
}

void frmNefuda::chooseLogo()
{
    const auto chosen =
        logo_->choose([this](const QString &path) { report(QStringLiteral("cmdCLogo"), invalidPicture(path)); });
    if (chosen == dialogs::LogoBox::Chosen::Taken)
        markChanged();
}

void frmNefuda::clearLogo()
{
    logo_->drop();
    setComboText(ui->cmbCLogoAlign, QStringLiteral("中央"));
    ui->Check比率->setChecked(false);
    logo_->updateEnabled();
    markChanged();
}

// The logo-size rule of the make command: both boxes numbers, neither negative.
bool frmNefuda::logoSizeRefused()
{
    Inputs in;
    in.logoWidth = ui->txtLogoWidth->text();
    in.logoHeight = ui->txtLogoHeight->text();
    const common::Refusal refusal = check(in);
    if (refusal.next != common::Next::LogoSize)
        return false;
    services_.message(this, refusal.title, refusal.text, refusal.icon);
    resetLogoToPicture();
    return true;
}

void frmNefuda::resetLogoToPicture()
{
    const QString path = logo_->path();
    logo_->setPicture(path, path.isEmpty() ? QImage() : services_.loadPicture(path));
    const QSize size = logo_->picture().isNull() ? QSize(0, 0) : logo_->picture().size();
    const bool wasLoaded = logo_->loaded();
    logo_->setLoaded(false);
    ui->txtLogoWidth->setText(QString::number(size.width()));
    ui->txtLogoHeight->setText(QString::number(size.height()));
    logo_->setLoaded(wasLoaded);
    logo_->show(false);
}

void frmNefuda::resizeLogo()
{
    if (logoSizeRefused())
        return;
    logo_->setPicture(logo_->path(), services_.loadPicture(logo_->path()));
    logo_->show(true);
}

// ---- make and display ---------------------------------------------------------------------------

void frmNefuda::makeTags()
{
    if (making_)
        return;
    Inputs in;
    in.logoWidth = ui->txtLogoWidth->text();
    in.logoHeight = ui->txtLogoHeight->text();
    for (int i = 0; i < SlotCount; ++i)
        in.copies[i] = copies_[i]->text();
    in.startPos = ui->cmbStartPos->currentText();
    in.cardHeightFixed = ui->CheckCardHeight->isChecked();
    in.cardWidthFixed = ui->CheckCardWidth->isChecked();
    in.countW = ui->cmbCountW->currentText();
    in.countH = ui->cmbCountH->currentText();

    const common::Refusal refusal = check(in);
    if (refusal.refused()) {
        services_.message(this, refusal.title, refusal.text, refusal.icon);
        switch (refusal.next) {
        case common::Next::LogoSize:
            resetLogoToPicture();
            break;
        case common::Next::Copies:
            copies_[refusal.slot]->setText(QStringLiteral("0"));
            break;
        case common::Next::CardHeight:
            ui->TabStrip1->setCurrentIndex(TabPage);
            ui->CheckCardHeight->setFocus();
            break;
        case common::Next::FirstCopies:
            copies_[0]->selectAll();
            ui->TabStrip1->setCurrentIndex(TabData);
            copies_[0]->setFocus();
            break;
        case common::Next::Division:
            ui->TabStrip1->setCurrentIndex(TabPage);
            ui->cmbCountW->setFocus();
            break;
        case common::Next::StartPage:
        case common::Next::None:
            break;
        }
        return;
    }

    common::MakeResult outcome;
    if (const AppError e = SetCValue(formFromControls(), design_); e.isSet()) {
        outcome = common::MakeResult::failed(QStringLiteral("SetCValue"), e);
    } else {
        in.rows = slots_;
        in.design = design_;
        outcome = dialogs::makeAside(explorerControls(), making_,
                                     [in, folder = folders_.appData] { return make(in, folder); });
        if (outcome.ok())
            lastMade_ = in;
    }
    dialogs::showMakeResult(services_, explorerControls(), outcome);
}

void frmNefuda::showSheet()
{
    const QString path = QDir(folders_.appData).filePath(pageFileName());
    if (!QFileInfo(path).isFile()) {
        services_.information(this, displayTitle(), nothingToShowText());
        return;
    }
    showPage();
}

void frmNefuda::quit()
{
    if (logoSizeRefused())
        return;
    close();
}

// Query-unload and unload: the save prompt, then the window's design becomes the program's.
void frmNefuda::reject()
{
    if (making_)
        return;
    if (!files_->confirmSave(false))
        return;
    const AppError e = SetCValue(formFromControls(), design_);
    if (e.isSet())
        report(QStringLiteral("SetCValue"), e);
    QDialog::reject();
}

// ---- design files -------------------------------------------------------------------------------

void frmNefuda::openDesignFile(const QString &path)
{
    files_->openFile(path);
}

// A file that stops the read, or names a logo that cannot be shown, leaves the design as it was.
std::optional<AppError> frmNefuda::readDesign(const QString &path)
{
    const CDesignRead read = ReadCDesign(path, formFromControls());
    if (read.error.isSet()) {
        report(QStringLiteral("ReadCDesign"), read.error);
        return std::nullopt;
    }
    QImage picture;
    if (read.form.checkLogo && !read.form.logoFile.isEmpty()) {
        picture = services_.loadPicture(read.form.logoFile);
        if (picture.isNull()) {
            report(QStringLiteral("ReadCDesign"), QFileInfo(read.form.logoFile).isFile()
                                                      ? invalidPicture(read.form.logoFile)
                                                      : AppError::fileNotFound(read.form.logoFile));
            return std::nullopt;
        }
    }
    showForm(read.form);
    logo_->setPicture(logo_->path(), picture);
    logo_->show(true);
    return read.replaced;
}

bool frmNefuda::writeDesign(const QString &path)
{
    const AppError e = WriteCDesign(formFromControls(), path);
    if (e.isSet())
        report(QStringLiteral("WriteCDesign"), e);
    return !e.isSet();
}

void frmNefuda::builtInDesign(BuiltInType type)
{
    if (!files_->confirmSave(false))
        return;
    showForm(builtInForm(type, formFromControls()));
    logo_->setPicture(logo_->path(), QImage());
    logo_->show(false);
    ui->Check比率->setChecked(false);
    files_->untie();
    ui->TabStrip1->setCurrentIndex(TabPage);
}

// ---- shared dialogs -----------------------------------------------------------------------------

void frmNefuda::chooseFont(int row)
{
    const dialogs::FontChoice start{fontName_[row]->text(), fontSize_[row]->text(), fontStyle_[row]->text(),
                                    swatchText(fontColor_[row]), fontAlign_[row]->text()};
    dialogs::dlgFont dialog(dialogs::FontTarget::PriceTagItem, start, services_, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const dialogs::FontChoice chosen = dialog.choice();
    setValueLabel(fontName_[row], chosen.name);
    setValueLabel(fontSize_[row], chosen.size);
    setValueLabel(fontStyle_[row], chosen.style);
    setSwatch(fontColor_[row], chosen.color);
    setValueLabel(fontAlign_[row], chosen.align);
}

void frmNefuda::chooseBorderColor()
{
    dialogs::dlgPalete dialog(swatchText(ui->lblCBorderColor), services_, this);
    if (dialog.exec() == QDialog::Accepted)
        setSwatch(ui->lblCBorderColor, dialog.colorText());
}

void frmNefuda::showPage()
{
    dialogs::ShowExplorer(dialogs::PageMaker::PriceTags, browser_, folders_.appData, explorerControls(), services_);
}

dialogs::ExplorerControls frmNefuda::explorerControls()
{
    return dialogs::ExplorerControls{this, ui->cmdExplorer, ui->cmd作成, listHasRows_};
}

} // namespace price_tags
