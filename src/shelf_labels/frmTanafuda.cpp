#include "shelf_labels/frmTanafuda.h"

#include "ui_frmTanafuda.h"

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
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLoggingCategory>
#include <QTimer>
#include <QWebEngineView>

Q_LOGGING_CATEGORY(lcShelfDesigner, "vennlo.shelf_labels.designer")

namespace shelf_labels {

using platform::AppError;
using platform::UiServices;

namespace {

constexpr int PreviewTab = 6;
constexpr int CardTab = 1;

const char *const colorProperty = "colorText";

// The size boxes take digits, the decimal point and backspace; other typed characters are dropped.
// Keys without a character (arrows, Tab, Delete) and control characters keep their meaning.
bool refusedSizeKey(const QKeyEvent *event)
{
    const QString text = event->text();
    if (text.isEmpty())
        return false;
    const QChar c = text.front();
    if (c.category() == QChar::Other_Control)
        return false;
    return !((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'));
}

// A spin button beside a text box: its steps write the box, and a whole number typed into the box
// moves it.
void pairSpin(QLineEdit *box, QSpinBox *spin)
{
    spin->setRange(0, 9999);
    if (const auto n = platform::toWholeNumber(box->text()); n && *n >= 0 && *n <= 9999)
        spin->setValue(*n);
    QObject::connect(spin, &QSpinBox::valueChanged, box, [box](int value) {
        if (platform::toWholeNumber(box->text()) != value)
            box->setText(QString::number(value));
    });
    QObject::connect(box, &QLineEdit::textChanged, spin, [spin](const QString &text) {
        const auto n = platform::toWholeNumber(text);
        if (n && *n >= spin->minimum() && *n <= spin->maximum() && platform::numericValue(text) == double(*n)) {
            const QSignalBlocker block(spin);
            spin->setValue(*n);
        }
    });
}

} // namespace

frmTanafuda::frmTanafuda(products::ProductListModel &model, ShelfLabelDesign &design, products::TaxSettings &tax,
                         const dialogs::BrowserSettings &browser, UiServices &services,
                         const platform::Folders &folders, bool withData, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::frmTanafuda>()), m_model(model), m_design(design), m_tax(tax),
      m_browser(browser), m_services(services), m_folders(folders), m_withData(withData)
{
    ui->setupUi(this);
    m_style = new QButtonGroup(this);
    m_style->setObjectName(QStringLiteral("OptionStyle"));
    m_style->addButton(ui->OptionStyle_0, 0);
    m_style->addButton(ui->OptionStyle_1, 1);
    m_janNum = new QButtonGroup(this);
    m_janNum->setObjectName(QStringLiteral("OptionJanNum"));
    m_janNum->addButton(ui->OptionJanNum_0, 0);
    m_janNum->addButton(ui->OptionJanNum_1, 1);
    m_taxStyle = new QButtonGroup(this);
    m_taxStyle->setObjectName(QStringLiteral("Option税表示"));
    const QList<QRadioButton *> taxOptions{ui->Option税表示_0, ui->Option税表示_1, ui->Option税表示_2,
                                           ui->Option税表示_3, ui->Option税表示_4};
    for (int i = 0; i < taxOptions.size(); ++i)
        m_taxStyle->addButton(taxOptions[i], i);
    m_padding = {ui->txtCardPadding_0, ui->txtCardPadding_1, ui->txtCardPadding_2, ui->txtCardPadding_3};
    m_paddingUp = {ui->UpCardPadding_0, ui->UpCardPadding_1, ui->UpCardPadding_2, ui->UpCardPadding_3};

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
                                               .caption = designerCaption,
                                               .savePrompt = savePrompt,
                                               .read = [this](const QString &path) { return readDesign(path); },
                                               .write = [this](const QString &path) { return writeDesign(path); }},
                                              m_services, this);
    ui->ImageLogo->setScaledContents(true);
    auto logo =
        dialogs::logoBoxControls(this, *ui, ui->lblLogoName, ui->ImageLogo, ui->Frameリサイズ, ui->cmbLogoAlign);
    logo.imageHolder = ui->picLogoContents;
    logo.displayLimit = 2000;
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

void frmTanafuda::connectControls()
{
    auto changed = [this] {
        updateStates();
        markChanged();
    };
    for (QCheckBox *c : {ui->CheckHeader, ui->CheckGoodNum, ui->CheckAlt, ui->CheckBarCode, ui->Check罫線,
                         ui->CheckCardHeight, ui->CheckCardWidth, ui->CheckLogo, ui->Check軽減マーク})
        connect(c, &QCheckBox::toggled, this, changed);
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
    QList<QLineEdit *> boxes{ui->txtSale, ui->txtBorderWidth, ui->txtCardWidth, ui->txtCardHeight};
    boxes += m_padding;
    for (QLineEdit *e : boxes)
        connect(e, &QLineEdit::textChanged, this, &frmTanafuda::markChanged);

    pairSpin(ui->txtCardWidth, ui->UpCardWidth);
    pairSpin(ui->txtCardHeight, ui->UpCardHeight);
    pairSpin(ui->txtBorderWidth, ui->UpBorderWidth);
    for (int i = 0; i < 4; ++i)
        pairSpin(m_padding[i], m_paddingUp[i]);
    // The logo's spin buttons say which box the user is working on before they write it.
    connect(ui->UpDownWidth, &QSpinBox::valueChanged, this, [this] { m_logo->workingOn(false); });
    connect(ui->UpDownHeight, &QSpinBox::valueChanged, this, [this] { m_logo->workingOn(true); });
    pairSpin(ui->txtLogoWidth, ui->UpDownWidth);
    pairSpin(ui->txtLogoHeight, ui->UpDownHeight);
    connect(ui->txtLogoWidth, &QLineEdit::textChanged, this, [this] { logoSizeChanged(false); });
    connect(ui->txtLogoHeight, &QLineEdit::textChanged, this, [this] { logoSizeChanged(true); });

    const QList<QWidget *> filtered{ui->cmbCountW->lineEdit(),
                                    ui->cmbCountH->lineEdit(),
                                    ui->txtBorderWidth,
                                    ui->txtCardWidth,
                                    ui->txtCardHeight,
                                    m_padding[0],
                                    m_padding[1],
                                    m_padding[2],
                                    m_padding[3],
                                    ui->txtLogoWidth,
                                    ui->txtLogoHeight};
    for (QWidget *w : filtered)
        w->installEventFilter(this);

    const QList<QPushButton *> fontButtons{ui->cmdFont_0, ui->cmdFont_1, ui->cmdFont_2, ui->cmdFont_3,
                                           ui->cmdFont_4, ui->cmdFont_5, ui->cmdFont_6};
    for (int i = 0; i < fontButtons.size(); ++i)
        connect(fontButtons[i], &QPushButton::clicked, this, [this, i] { cmdFont_Click(i); });
    connect(ui->cmdColorH, &QPushButton::clicked, this, [this] { chooseColorFor(ui->PicColorH); });
    connect(ui->cmdColorLine, &QPushButton::clicked, this, [this] { chooseColorFor(ui->PicColorLine); });
    connect(ui->cmdBorderColor, &QPushButton::clicked, this, [this] { chooseColorFor(ui->picBorderColor); });
    connect(ui->cmdLogoName, &QPushButton::clicked, this, &frmTanafuda::cmdLogoName_Click);
    connect(ui->cmdLogoClear, &QPushButton::clicked, this, &frmTanafuda::cmdLogoClear_Click);
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
    connect(ui->cmdExplorer, &QPushButton::clicked, this, &frmTanafuda::cmdExplorer_Click);
    dialogs::connectPageOutput(this, ui->cmdPDF, ui->cmd印刷,
                               {.maker = dialogs::PageMaker::ShelfLabels,
                                .appDataFolder = m_folders.appData,
                                .initialFolder = m_folders.data,
                                .noPage = nothingToShow(),
                                .windowName = QStringLiteral("frmTanafuda"),
                                .painter = [this] { return sheetPainter(m_lastMade); }},
                               m_services);
    connect(ui->cmdQuit, &QPushButton::clicked, this, [this] {
        m_logo->show(false);
        close();
    });
    connect(ui->picHelp, &QToolButton::clicked, this, &frmTanafuda::helpRequested);

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
    auto area = [this](int i, bool on) {
        const QString n = QString::number(i);
        for (const char *prefix : {"lblFontName_", "lblFontSize_", "lblFontStyle_", "lblAlign_"}) {
            if (auto *l = findChild<QLabel *>(QString::fromLatin1(prefix) + n)) {
                l->setAutoFillBackground(true);
                l->setBackgroundRole(on ? QPalette::Base : QPalette::Button);
                l->setEnabled(on);
            }
        }
        findChild<QPushButton *>(QStringLiteral("cmdFont_") + n)->setEnabled(on);
    };
    area(0, ui->CheckHeader->isChecked());
    area(1, ui->CheckGoodNum->isChecked());
    area(2, true);
    area(3, true);
    area(4, true);
    area(5, ui->CheckAlt->isChecked());
    area(6, ui->cmbYMark->currentIndex() != 2);
    ui->FrameHeader->setEnabled(ui->CheckHeader->isChecked());

    const bool barcode = ui->CheckBarCode->isChecked();
    ui->OptionJanNum_0->setEnabled(barcode);
    ui->OptionJanNum_1->setEnabled(barcode);
    ui->cmbJanImageHeight->setEnabled(barcode);
    ui->cmdColorLine->setEnabled(ui->Check罫線->isChecked());
    ui->Frame税表示->setEnabled(ui->Check税込->isChecked());
    ui->txtCardHeight->setEnabled(ui->CheckCardHeight->isChecked());
    ui->UpCardHeight->setEnabled(ui->CheckCardHeight->isChecked());
    ui->txtCardWidth->setEnabled(ui->CheckCardWidth->isChecked());
    ui->UpCardWidth->setEnabled(ui->CheckCardWidth->isChecked());

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

void frmTanafuda::setSwatch(QLabel *swatch, const QString &colorText)
{
    const QString text = normalizedColorText(colorText);
    swatch->setProperty(colorProperty, text);
    swatch->setStyleSheet(QStringLiteral("background-color:%1; border:1px solid gray;").arg(text));
    swatch->setAccessibleDescription(text);
}

QString frmTanafuda::swatchColor(const QLabel *swatch) const
{
    return swatch->property(colorProperty).toString();
}

void frmTanafuda::setValueLabel(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setAccessibleDescription(text);
}

// One area's font row; area 6 has no alignment or colour controls.
void frmTanafuda::showArea(int index, const AreaStyle &a)
{
    const QString n = QString::number(index);
    setValueLabel(findChild<QLabel *>(QStringLiteral("lblFontName_") + n), a.fontName);
    setValueLabel(findChild<QLabel *>(QStringLiteral("lblFontSize_") + n), a.fontSize);
    setValueLabel(findChild<QLabel *>(QStringLiteral("lblFontStyle_") + n), a.fontStyle);
    if (index < 6) {
        setValueLabel(findChild<QLabel *>(QStringLiteral("lblAlign_") + n), a.align);
        setSwatch(findChild<QLabel *>(QStringLiteral("picFontColor_") + n), a.color);
    }
}

void frmTanafuda::showValues(const WindowValues &values, const QString &label)
{
    const bool wasLoading = m_loading;
    m_loading = true;
    const ShelfLabelDesign &d = values.design;
    for (int i = 0; i < 7; ++i)
        showArea(i, d.area[i]);
    setSwatch(ui->PicColorH, d.headerColor);
    ui->txtSale->setText(d.headerText);
    ui->CheckHeader->setChecked(d.headerCheck == 1);
    ui->Check罫線->setChecked(d.line == 1);
    setSwatch(ui->PicColorLine, d.lineColor);
    ui->cmbCountW->setCurrentText(d.countW);
    ui->cmbCountH->setCurrentText(d.countH);
    if (d.yMark >= 0 && d.yMark <= 2)
        ui->cmbYMark->setCurrentIndex(d.yMark);
    if (QAbstractButton *b = m_taxStyle->button(values.taxStyle))
        b->setChecked(true);
    ui->Check税込->setChecked(values.zeikomi == 1);
    ui->CheckGoodNum->setChecked(d.makeGN == 1);
    ui->CheckAlt->setChecked(d.makeAlt == 1);
    ui->CheckBarCode->setChecked(d.makeBC == 1);
    m_janNum->button(d.makeJN == 0 ? 0 : 1)->setChecked(true);

    ui->cmbBorderStyle->setCurrentText(borderComboText(d.borderStyle));
    ui->txtBorderWidth->setText(platform::isNumeric(d.borderWidth) ? d.borderWidth : QStringLiteral("0"));
    setSwatch(ui->picBorderColor, d.borderColor);
    ui->CheckCardHeight->setChecked(d.cardHeightFixed == 1);
    ui->txtCardHeight->setText(d.cardHeight);
    ui->CheckCardWidth->setChecked(d.cardWidthFixed == 1);
    ui->txtCardWidth->setText(d.cardWidth);
    for (int i = 0; i < 4; ++i)
        m_padding[i]->setText(d.padding[i]);
    m_style->button(d.layoutType == 1 ? 1 : 0)->setChecked(true);
    refillStartPositions();

    const QString th = QString::number(d.barcodeHeight);
    if (ui->cmbJanImageHeight->findText(th) < 0)
        ui->cmbJanImageHeight->addItem(th); // a height typed into an older settings file stays as it was
    ui->cmbJanImageHeight->setCurrentText(th);

    ui->CheckLogo->setChecked(d.makeLG == 1);
    ui->Check軽減マーク->setChecked(d.makeKM == 1);
    ui->cmbLogoAlign->setCurrentText(d.logoAlign.isEmpty() ? QStringLiteral("中央") : d.logoAlign);
    showLogo(d.logoName, d.logoW, d.logoH, label);
    m_loading = wasLoading;
    updateStates();
}

WindowValues frmTanafuda::controlValues() const
{
    WindowValues v;
    ShelfLabelDesign &d = v.design;
    d = m_design;
    for (int i = 0; i < 7; ++i) {
        const QString n = QString::number(i);
        AreaStyle &a = d.area[i];
        a.fontName = findChild<QLabel *>(QStringLiteral("lblFontName_") + n)->text();
        a.fontSize = findChild<QLabel *>(QStringLiteral("lblFontSize_") + n)->text();
        a.fontStyle = findChild<QLabel *>(QStringLiteral("lblFontStyle_") + n)->text();
        if (i < 6) {
            a.align = findChild<QLabel *>(QStringLiteral("lblAlign_") + n)->text();
            a.color = swatchColor(findChild<QLabel *>(QStringLiteral("picFontColor_") + n));
        }
    }
    d.headerColor = swatchColor(ui->PicColorH);
    d.headerText = platform::cp932::toCp932Forms(ui->txtSale->text());
    d.headerCheck = ui->CheckHeader->isChecked() ? 1 : 0;
    d.line = ui->Check罫線->isChecked() ? 1 : 0;
    d.lineColor = swatchColor(ui->PicColorLine);
    d.countW = ui->cmbCountW->currentText();
    d.countH = ui->cmbCountH->currentText();
    d.yMark = ui->cmbYMark->currentIndex();
    const int taxStyle = m_taxStyle->checkedId();
    v.taxStyle = taxStyle >= 0 && taxStyle <= 3 ? taxStyle : 4;
    v.zeikomi = ui->Check税込->isChecked() ? 1 : 0;
    d.makeGN = ui->CheckGoodNum->isChecked() ? 1 : 0;
    d.makeAlt = ui->CheckAlt->isChecked() ? 1 : 0;
    d.makeBC = ui->CheckBarCode->isChecked() ? 1 : 0;
    d.makeJN = m_janNum->checkedId() == 0 ? 0 : 1;
    d.makeLG = ui->CheckLogo->isChecked() ? 1 : 0;
    d.makeKM = ui->Check軽減マーク->isChecked() ? 1 : 0;
    d.logoName = ui->lblLogoName->text().isEmpty() ? QString() : m_logo->path();
    d.logoAlign = ui->cmbLogoAlign->currentText();
    d.logoW = ui->txtLogoWidth->text();
    d.logoH = ui->txtLogoHeight->text();
    d.borderStyle = borderCssWord(ui->cmbBorderStyle->currentText());
    d.borderWidth = ui->txtBorderWidth->text();
    d.borderColor = swatchColor(ui->picBorderColor);
    d.cardHeightFixed = ui->CheckCardHeight->isChecked() ? 1 : 0;
    d.cardHeight = ui->txtCardHeight->text();
    d.cardWidthFixed = ui->CheckCardWidth->isChecked() ? 1 : 0;
    d.cardWidth = ui->txtCardWidth->text();
    for (int i = 0; i < 4; ++i)
        d.padding[i] = m_padding[i]->text();
    d.layoutType = m_style->checkedId() == 1 ? 1 : 0;
    d.barcodeHeight = platform::toInteger16(ui->cmbJanImageHeight->currentText()).value_or(40);
    d.startOffset = platform::toWholeNumber(ui->cmbStartPos->currentText()).value_or(1) - 1;
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
    const auto items = SetStartPos(ui->cmbCountW->currentText(), ui->cmbCountH->currentText());
    if (!items)
        return;
    ui->cmbStartPos->clear();
    ui->cmbStartPos->addItems(*items);
    ui->cmbStartPos->setCurrentIndex(0);
}

// --- logo ---------------------------------------------------------------------------------------------

// The logo of a design: shown stretched to its stored size. A picture that is gone is said so and the
// logo is dropped, so that no page refers to it.
void frmTanafuda::showLogo(const QString &path, const QString &w, const QString &h, const QString &label)
{
    ui->txtLogoWidth->setText(w.isEmpty() ? QStringLiteral("0") : w);
    ui->txtLogoHeight->setText(h.isEmpty() ? QStringLiteral("0") : h);
    if (path.isEmpty()) {
        clearLogo();
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
        clearLogo();
        m_design.logoName.clear();
        return;
    }
    m_logo->setPicture(path, image);
    m_logo->setLoaded(true);
    m_logo->show(true);
    m_logo->updateRatios();
}

void frmTanafuda::clearLogo()
{
    m_logo->drop();
    updateStates();
}

void frmTanafuda::logoSizeChanged(bool height)
{
    markChanged();
    if (!m_loading)
        m_logo->sizeTyped(height);
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

void frmTanafuda::cmdLogoClear_Click()
{
    clearLogo();
    ui->cmbLogoAlign->setCurrentText(QStringLiteral("中央"));
    ui->Check比率->setChecked(false);
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
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool made = MakePreviewHtml(m_design, m_tax, m_folders.appData, &path, &error);
    QGuiApplication::restoreOverrideCursor();
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

void frmTanafuda::cmdFont_Click(int index)
{
    AreaStyle style = controlValues().design.area[index];
    if (!chooseFont(index, style))
        return;
    showArea(index, style);
    markChanged();
}

void frmTanafuda::chooseColorFor(QLabel *swatch)
{
    QString color = swatchColor(swatch);
    if (!chooseColor(color))
        return;
    setSwatch(swatch, color);
    markChanged();
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
        if (refusal.next == common::Next::LogoSize) {
            resetLogoToNaturalSize();
        } else if (refusal.next == common::Next::CardHeight) {
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

void frmTanafuda::cmdExplorer_Click()
{
    const QString page = QDir(m_folders.appData).filePath(pageFileName());
    if (!QFileInfo(page).isFile()) {
        showMessage(nothingToShow());
        return;
    }
    showPage();
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

bool frmTanafuda::writeDesign(const QString &path)
{
    AppError error;
    if (WriteDesign(controlValues(), path, &error))
        return true;
    showError(writeDesignLabel(), error);
    return false;
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

bool frmTanafuda::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        if (refusedSizeKey(static_cast<QKeyEvent *>(event)))
            return true;
    } else if (event->type() == QEvent::FocusIn) {
        auto *box = qobject_cast<QLineEdit *>(watched);
        const bool selects =
            box == ui->txtBorderWidth || box == ui->txtCardWidth || box == ui->txtCardHeight || m_padding.contains(box);
        // After the mouse has placed the cursor, so that the whole text ends up selected.
        if (selects)
            QTimer::singleShot(0, box, &QLineEdit::selectAll);
    }
    return QDialog::eventFilter(watched, event);
}

void frmTanafuda::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_F1) {
        Q_EMIT helpRequested();
        return;
    }
    QDialog::keyPressEvent(event);
}

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

// --- the dialogs of the design work ---------------------------------------------------------------------

bool frmTanafuda::chooseFont(int index, AreaStyle &style)
{
    const auto target = index == 6 ? dialogs::FontTarget::PriceMark : dialogs::FontTarget::ShelfLabelItem;
    // Listing the installed fonts takes a moment.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    dialogs::dlgFont dialog(
        target, dialogs::FontChoice{style.fontName, style.fontSize, style.fontStyle, style.color, style.align},
        m_services, this);
    QGuiApplication::restoreOverrideCursor();
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const dialogs::FontChoice chosen = dialog.choice();
    style.fontName = chosen.name;
    style.fontSize = chosen.size;
    style.fontStyle = chosen.style;
    if (index < 6) {
        style.color = chosen.color;
        style.align = chosen.align;
    }
    return true;
}

bool frmTanafuda::chooseColor(QString &colorText)
{
    dialogs::dlgPalete dialog(colorText, m_services, this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    colorText = dialog.colorText();
    return true;
}

void frmTanafuda::showPage()
{
    dialogs::ShowExplorer(dialogs::PageMaker::ShelfLabels, m_browser, m_folders.appData, explorerControls(),
                          m_services);
}

dialogs::ExplorerControls frmTanafuda::explorerControls()
{
    return dialogs::ExplorerControls{this, ui->cmdExplorer, ui->cmd作成, m_withData};
}

} // namespace shelf_labels
