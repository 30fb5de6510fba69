#include "price_tags/frmNefuda.h"

#include "ui_frmNefuda.h"

#include "common/helpers.h"
#include "common/maker.h"
#include "dialogs/browser_display_widgets.h"
#include "dialogs/calibration_widgets.h"
#include "dialogs/design_file_commands_widgets.h"
#include "dialogs/designer_controls_widgets.h"
#include "dialogs/font_rows_widgets.h"
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

#include <QButtonGroup>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QShortcut>
#include <QUrl>
#include <QWebEngineView>

#include <map>

namespace price_tags {

using Icon = platform::UiServices::Icon;
using dialogs::setComboText;
using dialogs::setValueLabel;
using platform::AppError;

namespace {

enum Tab { TabData = 0, TabPage = 1, TabDesign = 2, TabLogo = 3, TabPreview = 4 };

// The picture control's "invalid picture".
AppError invalidPicture(const QString &path)
{
    return AppError{481, QStringLiteral("ピクチャが不正です。: ") + path};
}

} // namespace

frmNefuda::frmNefuda(const ProductSlots &items, bool listHasRows, PriceTagDesign &design,
                     const dialogs::BrowserSettings &browser, platform::UiServices &services,
                     const platform::Folders &folders, QWidget *parent, common::PrintCalibration *calibration)
    : QDialog(parent), ui(std::make_unique<Ui::frmNefuda>()), design_(design), browser_(browser), services_(services),
      folders_(folders), slots_(items), listHasRows_(listHasRows), calibration_(calibration)
{
    ui->setupUi(this);
    stock_ = new dialogs::StockChoice(ui->tabPage);
    ui->layout_tabPage->addWidget(stock_);
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
         .writeLabel = QStringLiteral("WriteCDesign"),
         .caption = designerCaption,
         .savePrompt =
             [](const QString &file) {
                 return common::Refusal{savePromptTitle(), savePromptText(file), Icon::Question};
             },
         .read = [this](const QString &path) { return readDesign(path); },
         .write = [this](const QString &path) { return WriteCDesign(formFromControls(), path); }},
        services_, this);
    // The logo is shown at most 1000 pixels across, whatever the size boxes say; the page gets the typed size.
    auto logo = dialogs::logoBoxControls(this, *ui, ui->lblCLogo, ui->Image1, ui->FrameLogoSize, ui->cmbCLogoAlign);
    logo.sizeEdited = [this] { markChanged(); };
    logo.filling = [this] { return loading_; };
    logo_ = new dialogs::LogoBox(logo, services_, folders_.data, this);
    fonts_ =
        new dialogs::FontRows(this, QStringLiteral("C"), QList<dialogs::FontFields>(4, ItemFont), false, services_);

    copies_ = dialogs::numberedControls<QLineEdit>(this, QStringLiteral("txtCCount_"), SlotCount);
    copiesUpDown_ = dialogs::numberedControls<QScrollBar>(this, QStringLiteral("UpDownC_"), SlotCount);
    for (const char *name : {"lblHinban_", "lblName_", "lblPrice_", "lblJanCode_"})
        slotLabels_.append(dialogs::numberedControls<QLabel>(this, QLatin1String(name), SlotCount));
    padding_ = dialogs::numberedControls<QLineEdit>(this, QStringLiteral("txtCardPadding_"), 4);
    optionNum_ = dialogs::numberedOptions(this, QStringLiteral("OptionNum"), 2);
    optionStyle_ = dialogs::numberedOptions(this, QStringLiteral("OptionStyle"), 2);

    // Copies take digits only; sizes and paddings digits and the decimal point.
    const QList<QLineEdit *> sizes = QList<QLineEdit *>{ui->txtCardHeight, ui->txtCardWidth} + padding_;
    for (QLineEdit *box : copies_)
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    for (QLineEdit *box : sizes + QList<QLineEdit *>{ui->txtLogoWidth, ui->txtLogoHeight})
        box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), box));
    dialogs::selectAllOnFocus(copies_ + sizes);
    for (int i = 0; i < SlotCount; ++i)
        dialogs::pairUpDown(copies_[i], copiesUpDown_[i]);
    dialogs::pairCardBoxes(this, logo_);

    dialogs::enableWith(ui->CheckCZeikomi, {ui->FrameTax, ui->Check2Dan});
    dialogs::enableWith(ui->CheckJanCode, {ui->OptionNum_0, ui->OptionNum_1, ui->cmbJanImageHeight});
    dialogs::enableWith(ui->CheckCardHeight, {ui->txtCardHeight, ui->UpCardHeight});
    dialogs::enableWith(ui->CheckCardWidth, {ui->txtCardWidth, ui->UpCardWidth});
    ui->Image1->setScaledContents(true);
    auto *help = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(help, &QShortcut::activated, this, &frmNefuda::helpRequested);
    connect(ui->picHelp, &QAbstractButton::clicked, this, &frmNefuda::helpRequested);

    load(items);
    connectHandlers();
}

frmNefuda::~frmNefuda() = default;

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
        const QString texts[] = {slot.code, slot.name, slot.price, slot.jan};
        for (int k = 0; k < 4; ++k)
            setValueLabel(slotLabels_[k][i], texts[k]);
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
        const dialogs::FontChoice font = fonts_->font(i);
        f.fontName[i] = font.name;
        f.fontSize[i] = font.size;
        f.fontStyle[i] = font.style;
        f.fontColor[i] = font.color;
        f.fontAlign[i] = font.align;
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
    f.borderColor = dialogs::swatchColor(ui->lblCBorderColor);
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
    f.stock = stock_->stock();
    return f;
}

// The controls take the values; the check boxes' handlers run as a user's click would run them, so
// the print flags reach the in-memory design here too. Nothing is marked changed.
void frmNefuda::showForm(const WindowValues &f)
{
    const bool wasLoading = loading_;
    loading_ = true;
    for (int i = 0; i < 4; ++i) {
        fonts_->show(i, {f.fontName[i], f.fontSize[i], f.fontStyle[i], f.fontColor[i], f.fontAlign[i]});
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
    dialogs::showSwatchColor(ui->lblCBorderColor, f.borderColor);
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
    stock_->setStock(f.stock);
    applyEnabledStates();
    loading_ = wasLoading;
}

void frmNefuda::applyEnabledStates()
{
    fonts_->setPrinted(0, ui->CheckHinban->isChecked());
    fonts_->setPrinted(1, ui->CheckName->isChecked());
    fonts_->setPrinted(2, true);
    fonts_->setPrinted(3, ui->CheckCZeikomi->isChecked());
    logo_->updateEnabled();
}

// ---- handlers -----------------------------------------------------------------------------------

void frmNefuda::connectHandlers()
{
    connect(ui->TabStrip1, &QTabWidget::currentChanged, this, &frmNefuda::tabChanged);
    // The four print flags reach the program's design at once, as they always have.
    const std::pair<QCheckBox *, bool PriceTagDesign::*> printFlags[] = {
        {ui->CheckHinban, &PriceTagDesign::showItemCode},
        {ui->CheckName, &PriceTagDesign::showName},
        {ui->CheckCZeikomi, &PriceTagDesign::showTaxNote},
        {ui->CheckLogo, &PriceTagDesign::showLogo}};
    for (const auto &[box, flag] : printFlags)
        connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
            design_.*flag = on;
            applyEnabledStates();
            markChanged();
        });
    for (QCheckBox *box : {ui->Check2Dan, ui->CheckCLine, ui->Check軽減マーク, ui->CheckJanCode, ui->CheckCardHeight,
                           ui->CheckCardWidth})
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
    connect(fonts_, &dialogs::FontRows::chosen, this, &frmNefuda::markChanged);
    connect(ui->cmdCBorderColor, &QAbstractButton::clicked, this, [this] {
        dialogs::chooseSwatchColor(ui->lblCBorderColor, services_, this);
        markChanged();
    });
    connect(ui->cmdCLogo, &QAbstractButton::clicked, this, &frmNefuda::chooseLogo);
    connect(ui->cmdCClear, &QAbstractButton::clicked, this, [this] {
        logo_->clear();
        markChanged();
    });
    connect(ui->cmdResize, &QAbstractButton::clicked, this, &frmNefuda::resizeLogo);
    connect(ui->Check比率, &QCheckBox::toggled, logo_, &dialogs::LogoBox::updateRatios);
    connect(ui->cmd作成, &QAbstractButton::clicked, this, &frmNefuda::makeTags);
    dialogs::connectPageOutput(explorerControls(), ui->cmdPDF, ui->cmd印刷,
                               {.page = makerPage(),
                                .appDataFolder = folders_.appData,
                                .initialFolder = folders_.data,
                                .noPage = {displayTitle(), nothingToShowText()},
                                .windowName = QStringLiteral("frmNefuda"),
                                .calibration = calibration_,
                                .painter = [this] { return sheetPainter(lastMade_); }},
                               browser_, services_);
    if (calibration_)
        dialogs::addCalibrationCommand(this, ui->cmd印刷, calibration_, folders_.appData, services_);
    connect(stock_, &dialogs::StockChoice::stockChosen, this, [this](const label_stocks::ChosenStock &stock) {
        WindowValues f = formFromControls();
        useStock(f, stock);
        showForm(f);
        markChanged();
    });
    connect(ui->cmdQuit, &QAbstractButton::clicked, this, &frmNefuda::quit);
    connect(ui->mnuCOpen, &QAction::triggered, files_, &dialogs::DesignFileCommands::open);
    connect(ui->mnuCSave, &QAction::triggered, files_, &dialogs::DesignFileCommands::save);
    connect(ui->mnuCSaveAs, &QAction::triggered, files_, &dialogs::DesignFileCommands::saveAs);
    connect(ui->mnuDefaultA, &QAction::triggered, this, [this] { builtInDesign(BuiltInType::A); });
    connect(ui->mnuDefaultB, &QAction::triggered, this, [this] { builtInDesign(BuiltInType::B); });
}

// Edits count only while a design file is current: they are what the save prompt is about.
void frmNefuda::markChanged()
{
    if (!loading_)
        files_->markChanged();
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
    const dialogs::WaitCursor busy;
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
    dialogs::refillList(ui->cmbStartPos, SetStartPos(ui->cmbCountW->currentText(), ui->cmbCountH->currentText()));
}

// ---- logo ---------------------------------------------------------------------------------------

void frmNefuda::chooseLogo()
{
    const auto chosen =
        logo_->choose([this](const QString &path) { report(QStringLiteral("cmdCLogo"), invalidPicture(path)); });
    if (chosen == dialogs::LogoBox::Chosen::Taken)
        markChanged();
}

// The logo-size rule of the make command: both boxes numbers, neither negative.
bool frmNefuda::logoSizeRefused()
{
    Inputs in;
    in.logoWidth = ui->txtLogoWidth->text();
    in.logoHeight = ui->txtLogoHeight->text();
    const common::Refusal refusal = check(in);
    if (refusal.next != Next::LogoSize)
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
        if (refusal.next == Next::LogoSize)
            resetLogoToPicture();
        else if (refusal.next == Next::Copies)
            copies_[refusal.slot]->setText(QStringLiteral("0"));
        else if (refusal.next == Next::FirstCopies)
            copies_[0]->selectAll();
        // The tab of the refused value, the focus on its control.
        const std::map<common::FollowUp, std::pair<int, QWidget *>> focus{
            {Next::CardHeight, {TabPage, ui->CheckCardHeight}},
            {Next::FirstCopies, {TabData, copies_[0]}},
            {Next::Division, {TabPage, ui->cmbCountW}}};
        if (const auto it = focus.find(refusal.next); it != focus.end()) {
            ui->TabStrip1->setCurrentIndex(it->second.first);
            it->second.second->setFocus();
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

// ---- display ------------------------------------------------------------------------------------

dialogs::ExplorerControls frmNefuda::explorerControls()
{
    return dialogs::ExplorerControls{this, ui->cmdExplorer, ui->cmd作成, listHasRows_};
}

} // namespace price_tags
