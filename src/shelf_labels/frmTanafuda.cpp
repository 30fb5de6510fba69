#include "shelf_labels/frmTanafuda.h"

#include "ui_frmTanafuda.h"

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
#include "platform/cp932.h"
#include "platform/numbers.h"
#include "platform/reports.h"
#include "platform/text_entry_widgets.h"
#include "products/product_list_model.h"
#include "shelf_labels/design_file.h"
#include "shelf_labels/designer_texts.h"
#include "shelf_labels/preview.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/sheet_painter.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QShortcut>
#include <QWebEngineView>

Q_LOGGING_CATEGORY(lcShelfDesigner, "vennlo.shelf_labels.designer")

namespace shelf_labels {

using platform::AppError;
using platform::UiServices;

namespace {

constexpr int PreviewTab = 6;
constexpr int CardTab = 1;

// The window shows every colour as "#RRGGBB", whatever form the settings file gave it.
void setSwatch(QLabel *swatch, const QString &colorText)
{
    dialogs::showSwatchColor(swatch, normalizedColorText(colorText));
}

} // namespace

frmTanafuda::frmTanafuda(products::ProductListModel &model, ShelfLabelDesign &design, products::TaxSettings &tax,
                         const dialogs::BrowserSettings &browser, UiServices &services,
                         const platform::Folders &folders, bool withData, QWidget *parent,
                         common::PrintCalibration *calibration)
    : QDialog(parent), ui(std::make_unique<Ui::frmTanafuda>()), m_model(model), m_design(design), m_tax(tax),
      m_browser(browser), m_services(services), m_folders(folders), m_withData(withData), m_calibration(calibration)
{
    ui->setupUi(this);
    m_stock = new dialogs::StockChoice(ui->tab全般);
    ui->layout_tab全般->addWidget(m_stock);
    m_style = dialogs::numberedOptions(this, QStringLiteral("OptionStyle"), 2);
    m_janNum = dialogs::numberedOptions(this, QStringLiteral("OptionJanNum"), 2);
    m_taxStyle = dialogs::numberedOptions(this, QStringLiteral("Option税表示"), 5);
    m_padding = dialogs::numberedControls<QLineEdit>(this, QStringLiteral("txtCardPadding_"), 4);
    m_fonts = new dialogs::FontRows(this, QString(), QList<dialogs::FontFields>(6, ItemFont) << PriceMarkFont, true,
                                    m_services);

    // Window load: the barcode heights, the shared design, no design file.
    for (int h = 15; h <= 40; ++h)
        ui->cmbJanImageHeight->addItem(QString::number(h));
    ui->TabStrip1->setCurrentIndex(0);
    m_files = new dialogs::DesignFileCommands({.window = this,
                                               .saveAction = ui->mnuDsgnSave,
                                               .menu = ui->mnuOperate,
                                               .tabs = ui->TabStrip1,
                                               .tabAfterSave = 0,
                                               .filter = QStringLiteral("デザインファイル(*.hdn)|*.hdn"),
                                               .extension = QStringLiteral("hdn"),
                                               .initialFolder = m_folders.data,
                                               .readLabel = readDesignLabel(),
                                               .writeLabel = writeDesignLabel(),
                                               .caption = designerCaption,
                                               .savePrompt = savePrompt,
                                               .read = [this](const QString &path) { return readDesign(path); },
                                               .write =
                                                   [this](const QString &path) {
                                                       AppError error;
                                                       WriteDesign(controlValues(), path, &error);
                                                       return error;
                                                   }},
                                              m_services, this);
    ui->ImageLogo->setScaledContents(true);
    auto logo =
        dialogs::logoBoxControls(this, *ui, ui->lblLogoName, ui->ImageLogo, ui->Frameリサイズ, ui->cmbLogoAlign);
    logo.imageHolder = ui->picLogoContents;
    logo.displayLimit = 2000;
    logo.sizeEdited = [this] { markChanged(); };
    logo.filling = [this] { return m_loading; };
    m_logo = new dialogs::LogoBox(logo, m_services, m_folders.data, this);
    showValues(WindowValues{m_design, m_tax.style, m_tax.zeikomi}, QStringLiteral("frmTanafuda.GetDInitial"));
    ui->Check比率->setChecked(false);
    ui->cmd作成->setEnabled(m_withData);
    // Enter in a text box must not press a command button.
    for (QPushButton *b : findChildren<QPushButton *>())
        b->setAutoDefault(false);
    connectControls();
}

frmTanafuda::~frmTanafuda() = default;

// The design's on/off fields and the check boxes that show them.
QList<std::pair<QCheckBox *, bool ShelfLabelDesign::*>> frmTanafuda::flagBoxes() const
{
    using D = ShelfLabelDesign;
    return {{ui->CheckHeader, &D::showHeader},
            {ui->CheckGoodNum, &D::showItemCode},
            {ui->CheckAlt, &D::showRemarks},
            {ui->CheckBarCode, &D::showBarcode},
            {ui->Check罫線, &D::cutLine},
            {ui->CheckLogo, &D::showLogo},
            {ui->CheckCardHeight, &D::cardHeightFixed},
            {ui->CheckCardWidth, &D::cardWidthFixed},
            {ui->Check軽減マーク, &D::reducedMark}};
}

// The design's colours and the swatches that show them, each with its "..." button.
QList<frmTanafuda::Swatch> frmTanafuda::swatches() const
{
    using D = ShelfLabelDesign;
    return {{ui->PicColorH, ui->cmdColorH, &D::headerColor},
            {ui->PicColorLine, ui->cmdColorLine, &D::lineColor},
            {ui->picBorderColor, ui->cmdBorderColor, &D::borderColor}};
}

void frmTanafuda::connectControls()
{
    dialogs::enableWith(ui->CheckHeader, {ui->FrameHeader});
    dialogs::enableWith(ui->CheckBarCode, {ui->OptionJanNum_0, ui->OptionJanNum_1, ui->cmbJanImageHeight});
    dialogs::enableWith(ui->Check罫線, {ui->cmdColorLine});
    dialogs::enableWith(ui->Check税込, {ui->Frame税表示});
    dialogs::enableWith(ui->CheckCardHeight, {ui->txtCardHeight, ui->UpCardHeight});
    dialogs::enableWith(ui->CheckCardWidth, {ui->txtCardWidth, ui->UpCardWidth});
    auto changed = [this] {
        updateStates();
        markChanged();
    };
    for (const auto &[box, field] : flagBoxes())
        connect(box, &QCheckBox::toggled, this, changed);
    connect(ui->Check税込, &QCheckBox::toggled, this, &frmTanafuda::Check税込_Toggled);
    connect(ui->Check比率, &QCheckBox::toggled, this, [this](bool on) {
        if (on)
            m_logo->updateRatios();
    });
    for (QComboBox *c : {ui->cmbBorderStyle, ui->cmbYMark, ui->cmbJanImageHeight, ui->cmbLogoAlign})
        connect(c, &QComboBox::currentIndexChanged, this, changed);
    for (QComboBox *c : {ui->cmbCountW, ui->cmbCountH})
        connect(c, &QComboBox::currentTextChanged, this, [this] {
            refillStartPositions();
            markChanged();
        });
    for (QButtonGroup *g : {m_janNum, m_taxStyle})
        connect(g, &QButtonGroup::idToggled, this, [this](int, bool on) {
            if (on)
                markChanged();
        });
    connect(m_style, &QButtonGroup::idToggled, this, [this](int id, bool on) {
        if (!on)
            return;
        // The layout type reaches the program's design at once, as it always has.
        m_design.layoutType = id;
        markChanged();
    });
    platform::keepCp932Forms(ui->txtSale);
    const QList<QLineEdit *> sizes =
        QList<QLineEdit *>{ui->txtBorderWidth, ui->txtCardWidth, ui->txtCardHeight} + m_padding;
    for (QLineEdit *e : QList<QLineEdit *>{ui->txtSale} + sizes)
        connect(e, &QLineEdit::textChanged, this, &frmTanafuda::markChanged);

    dialogs::pairUpDown(ui->txtBorderWidth, ui->UpBorderWidth);
    dialogs::pairCardBoxes(this, m_logo);

    QList<QWidget *> sizeKeys{ui->cmbCountW->lineEdit(), ui->cmbCountH->lineEdit()};
    for (QLineEdit *e : sizes + QList<QLineEdit *>{ui->txtLogoWidth, ui->txtLogoHeight})
        sizeKeys.append(e);
    dialogs::takeOnlySizeKeys(sizeKeys);
    dialogs::selectAllOnFocus(sizes);

    connect(m_fonts, &dialogs::FontRows::chosen, this, [this](int, bool accepted) {
        if (accepted)
            markChanged();
    });
    for (const Swatch &s : swatches())
        connect(s.button, &QPushButton::clicked, this, [this, swatch = s.swatch] {
            if (dialogs::chooseSwatchColor(swatch, m_services, this))
                markChanged();
        });
    connect(ui->cmdLogoName, &QPushButton::clicked, this, &frmTanafuda::cmdLogoName_Click);
    connect(ui->cmdLogoClear, &QPushButton::clicked, this, [this] {
        m_logo->clear();
        updateStates();
        markChanged();
    });
    connect(ui->cmdResize, &QPushButton::clicked, this, &frmTanafuda::cmdResize_Click);

    connect(ui->TabStrip1, &QTabWidget::currentChanged, this, &frmTanafuda::TabStrip1_Click);
    connect(ui->WebBrowser1, &QWebEngineView::loadFinished, this, [this](bool ok) {
        if (!m_previewClock.isValid())
            return;
        const qint64 ms = m_previewClock.elapsed();
        m_previewClock.invalidate();
        qCInfo(lcShelfDesigner, "preview shown in %lld ms (%s)", ms, ok ? "loaded" : "load failed");
        Q_EMIT previewShown(ms);
    });
    connect(ui->cmd作成, &QPushButton::clicked, this, &frmTanafuda::cmd作成_Click);
    dialogs::connectPageOutput(explorerControls(), ui->cmdPDF, ui->cmd印刷,
                               {.page = makerPage(),
                                .appDataFolder = m_folders.appData,
                                .initialFolder = m_folders.data,
                                .noPage = nothingToShow(),
                                .windowName = QStringLiteral("frmTanafuda"),
                                .calibration = m_calibration,
                                .painter = [this] { return sheetPainter(m_lastMade); }},
                               m_browser, m_services);
    if (m_calibration)
        dialogs::addCalibrationCommand(this, ui->cmd印刷, m_calibration, m_folders.appData, m_services);
    connect(m_stock, &dialogs::StockChoice::stockChosen, this, [this](const label_stocks::ChosenStock &stock) {
        WindowValues v = controlValues();
        useStock(v.design, stock);
        showValues(v, QStringLiteral("frmTanafuda.用紙"));
        markChanged();
    });
    connect(ui->cmdQuit, &QPushButton::clicked, this, [this] {
        m_logo->show(false);
        close();
    });
    connect(ui->picHelp, &QToolButton::clicked, this, &frmTanafuda::helpRequested);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &frmTanafuda::helpRequested);

    connect(ui->mnuDsgnOpen, &QAction::triggered, m_files, &dialogs::DesignFileCommands::open);
    connect(ui->mnuDsgnSave, &QAction::triggered, m_files, &dialogs::DesignFileCommands::save);
    connect(ui->mnuDsgnSaveAs, &QAction::triggered, m_files, &dialogs::DesignFileCommands::saveAs);
    connect(ui->mnuDafaultAll, &QAction::triggered, this, [this] { setDefaults(SetDefaultA()); });
    connect(ui->mnuDefaultTab, &QAction::triggered, this, [this] { setDefaults(SetDefaultB()); });
}

// Edits count only while the window is tied to a design file.
void frmTanafuda::markChanged()
{
    if (!m_loading)
        m_files->markChanged();
}

// What is enabled follows the checks and choices that govern it.
void frmTanafuda::updateStates()
{
    const bool printed[] = {ui->CheckHeader->isChecked(), ui->CheckGoodNum->isChecked(),    true, true, true,
                            ui->CheckAlt->isChecked(),    ui->cmbYMark->currentIndex() != 2};
    for (int i = 0; i < 7; ++i)
        m_fonts->setPrinted(i, printed[i]);
    const bool border = ui->cmbBorderStyle->currentIndex() > 0;
    ui->txtBorderWidth->setEnabled(border);
    ui->UpBorderWidth->setEnabled(border);
    ui->cmdBorderColor->setEnabled(border);

    ui->cmdLogoName->setEnabled(ui->CheckLogo->isChecked());
    m_logo->updateEnabled();
}

void frmTanafuda::showMessage(const common::Refusal &message)
{
    m_services.message(this, message.title, message.text, message.icon);
}

void frmTanafuda::showError(const QString &label, const AppError &error)
{
    platform::showErrorReport(m_services, this, label, error);
}

void frmTanafuda::showValues(const WindowValues &values, const QString &label)
{
    const bool wasLoading = m_loading;
    m_loading = true;
    const ShelfLabelDesign &d = values.design;
    for (int i = 0; i < 7; ++i) {
        const AreaStyle &a = d.area[i];
        m_fonts->show(i, {a.fontName, a.fontSize, a.fontStyle, normalizedColorText(a.color), a.align});
    }
    for (const Swatch &s : swatches())
        setSwatch(s.swatch, d.*s.color);
    for (const auto &[box, field] : flagBoxes())
        box->setChecked(d.*field);
    ui->txtSale->setText(d.headerText);
    ui->cmbCountW->setCurrentText(d.countW);
    ui->cmbCountH->setCurrentText(d.countH);
    if (d.priceMark >= 0 && d.priceMark <= 2)
        ui->cmbYMark->setCurrentIndex(d.priceMark);
    if (QAbstractButton *b = m_taxStyle->button(values.taxStyle))
        b->setChecked(true);
    ui->Check税込->setChecked(values.zeikomi == 1);
    m_janNum->button(!d.showDigits ? 0 : 1)->setChecked(true);

    ui->cmbBorderStyle->setCurrentText(borderComboText(d.borderStyle));
    ui->txtBorderWidth->setText(platform::isNumeric(d.borderWidth) ? d.borderWidth : QStringLiteral("0"));
    ui->txtCardHeight->setText(d.cardHeight);
    ui->txtCardWidth->setText(d.cardWidth);
    for (int i = 0; i < 4; ++i)
        m_padding[i]->setText(d.padding[i]);
    m_style->button(d.layoutType == 1 ? 1 : 0)->setChecked(true);
    refillStartPositions();

    const QString th = QString::number(d.barcodeHeight);
    if (ui->cmbJanImageHeight->findText(th) < 0)
        ui->cmbJanImageHeight->addItem(th); // a height typed into an older settings file stays as it was
    ui->cmbJanImageHeight->setCurrentText(th);

    ui->cmbLogoAlign->setCurrentText(d.logoAlign.isEmpty() ? QStringLiteral("中央") : d.logoAlign);
    showLogo(d.logoName, d.logoW, d.logoH, label);
    m_stock->setStock(d.stock);
    m_loading = wasLoading;
    updateStates();
}

WindowValues frmTanafuda::controlValues() const
{
    WindowValues v;
    ShelfLabelDesign &d = v.design;
    d = m_design;
    for (int i = 0; i < 7; ++i) {
        const dialogs::FontChoice f = m_fonts->font(i);
        AreaStyle &a = d.area[i];
        a.fontName = f.name;
        a.fontSize = f.size;
        a.fontStyle = f.style;
        if (i < 6) {
            a.align = f.align;
            a.color = f.color;
        }
    }
    for (const Swatch &s : swatches())
        d.*s.color = dialogs::swatchColor(s.swatch);
    for (const auto &[box, field] : flagBoxes())
        d.*field = box->isChecked();
    d.headerText = platform::cp932::toCp932Forms(ui->txtSale->text());
    d.countW = ui->cmbCountW->currentText();
    d.countH = ui->cmbCountH->currentText();
    d.priceMark = ui->cmbYMark->currentIndex();
    const int taxStyle = m_taxStyle->checkedId();
    v.taxStyle = taxStyle >= 0 && taxStyle <= 3 ? taxStyle : 4;
    v.zeikomi = ui->Check税込->isChecked() ? 1 : 0;
    d.showDigits = m_janNum->checkedId() != 0;
    d.logoName = ui->lblLogoName->text().isEmpty() ? QString() : m_logo->path();
    d.logoAlign = ui->cmbLogoAlign->currentText();
    d.logoW = ui->txtLogoWidth->text();
    d.logoH = ui->txtLogoHeight->text();
    d.borderStyle = borderCssWord(ui->cmbBorderStyle->currentText());
    d.borderWidth = ui->txtBorderWidth->text();
    d.cardHeight = ui->txtCardHeight->text();
    d.cardWidth = ui->txtCardWidth->text();
    for (int i = 0; i < 4; ++i)
        d.padding[i] = m_padding[i]->text();
    d.layoutType = m_style->checkedId() == 1 ? 1 : 0;
    d.barcodeHeight = platform::toInteger16(ui->cmbJanImageHeight->currentText()).value_or(40);
    d.startOffset = platform::toWholeNumber(ui->cmbStartPos->currentText()).value_or(1) - 1;
    d.stock = m_stock->stock();
    return v;
}

// The window's values become the program's: the make, the preview and the settings file use them.
void frmTanafuda::SetValues()
{
    const WindowValues v = controlValues();
    m_design = settledDesign(v.design);
    m_tax.style = v.taxStyle;
    m_tax.zeikomi = v.zeikomi;
}

void frmTanafuda::refillStartPositions()
{
    dialogs::refillList(ui->cmbStartPos, SetStartPos(ui->cmbCountW->currentText(), ui->cmbCountH->currentText()));
}

// --- logo ---------------------------------------------------------------------------------------------

// The logo of a design: shown stretched to its stored size. A picture that is gone is said so and the
// logo is dropped, so that no page refers to it.
void frmTanafuda::showLogo(const QString &path, const QString &w, const QString &h, const QString &label)
{
    ui->txtLogoWidth->setText(w.isEmpty() ? QStringLiteral("0") : w);
    ui->txtLogoHeight->setText(h.isEmpty() ? QStringLiteral("0") : h);
    if (path.isEmpty()) {
        m_logo->drop();
        return;
    }
    // A picture far beyond any logo is refused from its header, never decoded.
    const QString tooLarge = common::logoTooLargeText(path);
    const QImage image = tooLarge.isEmpty() ? m_services.loadPicture(path) : QImage();
    if (image.isNull()) {
        if (!tooLarge.isEmpty())
            showMessage(common::Refusal{QStringLiteral("エラー情報"), tooLarge, UiServices::Icon::Critical});
        else if (!QFileInfo::exists(path))
            showMessage(missingLogo(path));
        else
            showError(label, AppError::invalidPropertyValue());
        m_logo->drop();
        m_design.logoName.clear();
        return;
    }
    m_logo->setPicture(path, image);
    m_logo->setLoaded(true);
    m_logo->show(true);
    m_logo->updateRatios();
}

void frmTanafuda::resetLogoToNaturalSize()
{
    ui->txtLogoWidth->setText(QString::number(m_logo->picture().width()));
    ui->txtLogoHeight->setText(QString::number(m_logo->picture().height()));
    m_logo->show(false);
}

void frmTanafuda::cmdLogoName_Click()
{
    const auto chosen = m_logo->choose([this](const QString &path) {
        showError(QStringLiteral("frmTanafuda.cmdLogoName"),
                  QFileInfo::exists(path) ? AppError::invalidPropertyValue() : AppError::fileNotFound(path));
    });
    if (chosen == dialogs::LogoBox::Chosen::Nothing)
        return;
    updateStates();
    markChanged();
}

void frmTanafuda::cmdResize_Click()
{
    const QString w = ui->txtLogoWidth->text();
    const QString h = ui->txtLogoHeight->text();
    if (platform::isNumeric(w) && platform::isNumeric(h) && *platform::numericValue(w) >= 0 &&
        *platform::numericValue(h) >= 0) {
        m_logo->show(true);
        return;
    }
    showMessage(badLogoSize());
    resetLogoToNaturalSize();
}

// --- handlers -------------------------------------------------------------------------------------------

void frmTanafuda::TabStrip1_Click(int index)
{
    ui->mnuDsgnDefault->setEnabled(index != PreviewTab);
    ui->mnuDsgnDefault->menuAction()->setEnabled(index != PreviewTab);
    if (index != PreviewTab)
        return;
    m_previewClock.start();
    SetValues();
    QString path;
    AppError error;
    const bool made = [&] {
        const dialogs::WaitCursor busy;
        return MakePreviewHtml(m_design, m_tax, m_folders.appData, &path, &error);
    }();
    if (made) {
        m_previewPath = path;
        // The card's texts also as the view's description: a screen reader has them at once,
        // before the page has loaded.
        if (const auto texts = previewCardTexts(m_design, m_tax))
            ui->WebBrowser1->setAccessibleDescription(texts->join(u' '));
    } else {
        showError(makePreviewHtmlLabel(), error);
    }
    // ShowPreview
    if (!m_previewPath.isEmpty()) {
        dialogs::usePageFonts(ui->WebBrowser1->settings());
        ui->WebBrowser1->load(QUrl::fromLocalFile(m_previewPath));
    } else
        m_previewClock.invalidate();
}

void frmTanafuda::Check税込_Toggled(bool checked)
{
    if (!checked && !m_loading)
        showMessage(taxDisplayWarning());
    updateStates();
    markChanged();
}

void frmTanafuda::cmd作成_Click()
{
    const WindowValues values = controlValues();
    const QString start = ui->cmbStartPos->currentText();
    Inputs in{m_model.rows(), values.design, m_tax, start};
    if (const common::Refusal refusal = check(in); refusal.refused()) {
        showMessage(refusal);
        if (refusal.next == Next::LogoSize) {
            resetLogoToNaturalSize();
        } else if (refusal.next == Next::CardHeight) {
            ui->TabStrip1->setCurrentIndex(CardTab);
            ui->CheckCardHeight->setFocus();
        }
        return;
    }
    SetValues();
    m_logo->show(false);
    in.design = m_design;
    in.tax = m_tax;

    QElapsedTimer clock;
    clock.start();
    const common::MakeResult outcome =
        dialogs::makeAside(explorerControls(), m_making, [in, folder = m_folders.appData] { return make(in, folder); });
    qCInfo(lcShelfDesigner, "sheet of %lld products made in %lld ms", qlonglong(products::rowCountForMakers(in.rows)),
           clock.elapsed());
    if (outcome.ok())
        m_lastMade = in;
    dialogs::showMakeResult(m_services, explorerControls(), outcome);
}

// --- design files ---------------------------------------------------------------------------------------

void frmTanafuda::openDesignFile(const QString &path)
{
    m_files->openFile(path);
}

// The whole file is read before anything is shown: a file that fails leaves the design as it was.
std::optional<AppError> frmTanafuda::readDesign(const QString &path)
{
    const DesignRead read = ReadDesign(path, controlValues());
    if (read.error.isSet()) {
        showError(readDesignLabel(), read.error);
        return std::nullopt;
    }
    if (!read.fileFound)
        return std::nullopt;
    m_loading = true;
    showValues(read.values, readDesignLabel());
    m_loading = false;
    return read.replaced;
}

void frmTanafuda::setDefaults(const WindowValues &values)
{
    if (!m_files->confirmSave(false))
        return;
    m_loading = true;
    ui->Check比率->setChecked(false);
    showValues(values, QStringLiteral("frmTanafuda.SetDefault"));
    m_loading = false;
    m_files->untie();
}

// --- window ---------------------------------------------------------------------------------------------

// Escape closes like the close button: through the save prompt.
void frmTanafuda::reject()
{
    close();
}

void frmTanafuda::closeEvent(QCloseEvent *event)
{
    // A close request from the desktop while the sheet is being made waits for the make.
    if (m_making || !m_files->confirmSave(true)) {
        event->ignore();
        return;
    }
    SetValues();
    event->accept();
    QDialog::done(QDialog::Rejected);
}

dialogs::ExplorerControls frmTanafuda::explorerControls()
{
    return dialogs::ExplorerControls{this, ui->cmdExplorer, ui->cmd作成, m_withData};
}

} // namespace shelf_labels
