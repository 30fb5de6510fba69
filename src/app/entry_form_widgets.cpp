#include "app/entry_form_widgets.h"

#include "app/list_document.h"
#include "barcode/barcode_preview_widgets.h"
#include "barcode/preview.h"
#include "platform/apperror.h"
#include "platform/cp932.h"
#include "platform/numbers.h"
#include "platform/reports.h"
#include "platform/text_entry_widgets.h"
#include "platform/user_services.h"
#include "platform/value_label_widgets.h"
#include "products/calc_data.h"
#include "products/product_list_model.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QTreeView>

#include <exception>

namespace products {

using platform::AppError;
using platform::UiServices;

namespace {

constexpr int StandardLength = 12; // 標準(13桁) without its check digit
constexpr int ShortLength = 7;     // 短縮(8桁)

// Marks the form's own changes of its fields while it lives.
class Filling {
public:
    explicit Filling(int &depth) : m_depth(depth) { ++m_depth; }
    ~Filling() { --m_depth; }

private:
    int &m_depth;
};

QString stripRefused(EntryField field, const QString &text)
{
    QString kept;
    for (QChar c : text) {
        if (acceptsTypedText(field, QString(c)))
            kept.append(c);
    }
    return kept;
}

} // namespace

EntryForm::EntryForm(const Widgets &widgets, ProductListModel &model, ListDocument &document, const TaxSettings &tax,
                     barcode::BarcodePreview &preview, UiServices &services, QObject *parent)
    : QObject(parent), ui(widgets), m_model(&model), m_document(&document), m_tax(tax), m_services(services),
      m_preview(&preview)
{
    ui.ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ui.ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui.OptionType->setId(ui.OptionType_0, 0);
    ui.OptionType->setId(ui.OptionType_1, 1);
    connectForm();
}

EntryForm::~EntryForm() = default;

void EntryForm::setBarcodeFolder(const QString &folder)
{
    m_barcodeFolder = folder;
    m_preview->reserveFullSize(folder);
}

QColor EntryForm::derivedPriceColour()
{
    return QColor(255, 255, 192);
}

void EntryForm::connectForm()
{
    for (QLineEdit *e : {ui.txt品番, ui.txt商品名, ui.txt備考, ui.txt本体価格, ui.txt価格, ui.txtBarCode})
        e->installEventFilter(this);
    ui.ListView1->installEventFilter(this);
    for (QLineEdit *e : {ui.txt品番, ui.txt商品名, ui.txt備考})
        platform::keepCp932Forms(e);

    // Typing, pasting and assistive technology all change the text; the form's own fills do not count.
    connect(ui.txt価格, &QLineEdit::textChanged, this, [this] {
        if (m_filling == 0)
            priceTyped(0);
    });
    connect(ui.txt本体価格, &QLineEdit::textChanged, this, [this] {
        if (m_filling == 0)
            priceTyped(1);
    });
    connect(ui.txtBarCode, &QLineEdit::textChanged, this, [this] {
        if (m_filling == 0)
            barcodeTyped();
    });
    connect(ui.Check軽減税率, &QCheckBox::toggled, this, [this] {
        if (m_filling == 0)
            reducedToggled();
    });
    connect(ui.OptionType, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            optionTypeChosen(id);
    });

    connect(ui.cmdPutGrid, &QPushButton::clicked, this, &EntryForm::PutData);
    connect(ui.mnuPutData, &QAction::triggered, this, &EntryForm::PutData);
    connect(ui.cmd新規, &QPushButton::clicked, this, &EntryForm::NewData);
    connect(ui.mnuNewData, &QAction::triggered, this, &EntryForm::NewData);
    connect(ui.cmdDelete, &QPushButton::clicked, this, &EntryForm::DelData);
    connect(ui.mnuDelData, &QAction::triggered, this, &EntryForm::DelData);
    connect(ui.cmdCalc, &QPushButton::clicked, this, &EntryForm::CalcData);
    connect(ui.mnuCalcData, &QAction::triggered, this, &EntryForm::CalcData);

    connect(ui.ListView1->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_selecting == 0 && selectedRow() >= 0)
            rowSelected();
    });
}

void EntryForm::report(const QString &label, const AppError &error)
{
    platform::showErrorReport(m_services, ui.txt品番->window(), label, error);
}

template <typename F> void EntryForm::guarded(const char *label, F &&command)
{
    platform::guarded(m_services, ui.txt品番->window(), platform::ReportKind::Error, QString::fromUtf8(label),
                      std::forward<F>(command));
}

// ---- selection and enabling ----

int EntryForm::selectedRow() const
{
    const QModelIndexList rows = ui.ListView1->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void EntryForm::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount()) {
        deselect();
        return;
    }
    ++m_selecting;
    const QModelIndex index = m_model->index(row, 0);
    ui.ListView1->selectionModel()->setCurrentIndex(index,
                                                    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    ui.ListView1->scrollTo(index);
    --m_selecting;
}

void EntryForm::deselect()
{
    ++m_selecting;
    ui.ListView1->selectionModel()->clearSelection();
    --m_selecting;
}

void EntryForm::focusList()
{
    m_focusing = true;
    ui.ListView1->setFocus(Qt::OtherFocusReason);
    m_focusing = false;
}

void EntryForm::setRowCommandsEnabled(bool on)
{
    for (QWidget *w : {static_cast<QWidget *>(ui.cmd新規), static_cast<QWidget *>(ui.cmdDelete),
                       static_cast<QWidget *>(ui.cmdUp), static_cast<QWidget *>(ui.cmdDown)})
        w->setEnabled(on);
    for (QAction *a : {ui.mnuNewData, ui.mnuDelData, ui.mnuUp, ui.mnuDown})
        a->setEnabled(on);
}

void EntryForm::setNewAndDeleteEnabled(bool on)
{
    for (QWidget *w : {static_cast<QWidget *>(ui.cmd新規), static_cast<QWidget *>(ui.cmdDelete)})
        w->setEnabled(on);
    for (QAction *a : {ui.mnuNewData, ui.mnuDelData})
        a->setEnabled(on);
}

void EntryForm::setCalcEnabled(bool on)
{
    ui.cmdCalc->setEnabled(on);
    ui.mnuCalcData->setEnabled(on);
}

void EntryForm::rowSelected()
{
    SetTextBox();
    setRowCommandsEnabled(true);
}

// ---- the fields ----

QLineEdit *EntryForm::fieldEdit(EntryField field) const
{
    switch (field) {
    case EntryField::Code:
        return ui.txt品番;
    case EntryField::Name:
        return ui.txt商品名;
    case EntryField::BasePrice:
        return ui.txt本体価格;
    case EntryField::InclPrice:
        return ui.txt価格;
    case EntryField::Remarks:
        return ui.txt備考;
    case EntryField::Barcode:
        return ui.txtBarCode;
    }
    return ui.txt品番;
}

EntryFields EntryForm::fields() const
{
    EntryFields f;
    f.code = platform::cp932::toCp932Forms(ui.txt品番->text());
    f.name = platform::cp932::toCp932Forms(ui.txt商品名->text());
    f.basePrice = ui.txt本体価格->text();
    f.inclPrice = ui.txt価格->text();
    f.tax = ui.lbl消費税->text();
    f.remarks = platform::cp932::toCp932Forms(ui.txt備考->text());
    f.barcode = ui.txtBarCode->text();
    f.checkDigit = ui.lblCD->text();
    f.janType = ui.OptionType->checkedId() == 1 ? 1 : 0;
    f.inclMaxLength = ui.txt価格->maxLength();
    f.reduced = ui.Check軽減税率->isChecked();
    return f;
}

void EntryForm::setBarcodeLength(int janType)
{
    {
        // The program's own choice of the length is not the user's: it runs no handler.
        const QSignalBlocker quiet(ui.OptionType);
        (janType == 1 ? ui.OptionType_1 : ui.OptionType_0)->setChecked(true);
    }
    const int limit = janType == 1 ? ShortLength : StandardLength;
    ui.txtBarCode->setMaxLength(std::max<int>(limit, int(ui.txtBarCode->text().size())));
}

void EntryForm::setFields(const EntryFields &f)
{
    const Filling filling(m_filling);
    ui.txt品番->setText(f.code);
    ui.txt商品名->setText(f.name);
    ui.txt本体価格->setText(f.basePrice);
    // The limits hold for typing only: a longer stored value is shown whole, never cut.
    showWhole(ui.txt価格, f.inclPrice, f.inclMaxLength);
    platform::setValueText(ui.lbl消費税, f.tax);
    ui.txt備考->setText(f.remarks);
    ui.Check軽減税率->setChecked(f.reduced);
    setBarcodeLength(f.janType);
    showWhole(ui.txtBarCode, f.barcode, barcodeLimit());
}

void EntryForm::showWhole(QLineEdit *edit, const QString &text, int limit)
{
    edit->setMaxLength(std::max<int>(limit, int(text.size())));
    edit->setText(text);
}

int EntryForm::barcodeLimit() const
{
    return ui.OptionType->checkedId() == 1 ? ShortLength : StandardLength;
}

void EntryForm::emptyFields()
{
    const Filling filling(m_filling);
    for (QLineEdit *e : {ui.txt品番, ui.txt価格, ui.txt商品名, ui.txt備考, ui.txt本体価格, ui.txtBarCode})
        e->clear();
    ui.Check軽減税率->setChecked(false);
    platform::setValueText(ui.lbl消費税, QString());
    platform::setValueText(ui.lblCD, QString());
    ClearPreview();
}

void EntryForm::SetTxtBackColor()
{
    guarded("main.SetTxtBackColor", [this] {
        QLineEdit *derived = m_tax.indicate == 1 ? ui.txt本体価格 : ui.txt価格;
        QLineEdit *stored = m_tax.indicate == 1 ? ui.txt価格 : ui.txt本体価格;
        QPalette p = derived->palette();
        p.setColor(QPalette::Base, derivedPriceColour());
        derived->setPalette(p);
        p = stored->palette();
        p.setColor(QPalette::Base, Qt::white);
        stored->setPalette(p);
    });
}

void EntryForm::SetTextBox()
{
    guarded("main.SetTextBox", [this] {
        if (m_model->rowCount() == 0) {
            ClearTextBox();
            return;
        }
        const int row = selectedRow();
        if (row < 0) {
            emptyFields();
            return;
        }
        const FilledEntry filled = fillEntry(m_model->product(row), m_tax);
        setFields(filled.fields);
        // The stored price is the one the form derives from until the user types another.
        m_direction = m_tax.indicate == 1 ? 0 : 1;
        if (filled.checkDigitWrong)
            m_services.critical(ui.txt品番->window(), QString::fromUtf8(kCheckDigitTitle), checkDigitWarning());
        platform::setValueText(ui.lblCD, checkDigitCaption(ui.txtBarCode->text()));
        PreViewBarCode();
    });
}

void EntryForm::PutData()
{
    guarded("main.PutData", [this] {
        const EntryFields f = fields();
        if (const auto problem = checkEntry(f, m_tax.indicate)) {
            m_services.information(ui.txt品番->window(), QString::fromUtf8(kEntryTitle), problem->message);
            fieldEdit(problem->field)->setFocus(Qt::OtherFocusReason);
            return;
        }
        const int row = m_model->rowCount() > 0 ? selectedRow() : -1;
        if (row >= 0) {
            const QString question = QStringLiteral("No.") + QString::number(m_model->number(row)) + QLatin1Char(' ') +
                                     m_model->product(row).name + QStringLiteral(" を上書きしますか?");
            const UiServices::Answer a =
                m_services.message(ui.txt品番->window(), QString::fromUtf8(kEntryTitle), question,
                                   UiServices::Icon::Question, UiServices::Buttons::YesNo, UiServices::Answer::Yes);
            if (a != UiServices::Answer::Yes)
                return;
            platform::setValueText(ui.lblCD, checkDigitCaption(f.barcode));
            m_model->replaceProduct(row, productFromEntry(f, m_tax.indicate));
        } else {
            m_model->appendProduct(productFromEntry(f, m_tax.indicate));
            selectRow(m_model->rowCount() - 1);
        }
        focusList();
        SetTextBox();
        m_document->setModified(true);
        setCalcEnabled(false);
        setRowCommandsEnabled(true);
        m_document->CountCheckedData();
    });
}

void EntryForm::NewData()
{
    guarded("main.NewData", [this] {
        emptyFields();
        if (m_model->rowCount() > 0)
            deselect();
        setRowCommandsEnabled(false);
        setCalcEnabled(false);
        ui.txt品番->setFocus(Qt::OtherFocusReason);
    });
}

void EntryForm::DelData()
{
    guarded("main.DelData", [this] {
        const int row = selectedRow();
        if (row < 0)
            return;
        const QString question = QStringLiteral("No.") + QString::number(m_model->number(row)) + QLatin1Char(' ') +
                                 m_model->product(row).name + QStringLiteral(" を削除しますか?");
        const UiServices::Answer a =
            m_services.message(ui.txt品番->window(), QStringLiteral("削除確認"), question, UiServices::Icon::Question,
                               UiServices::Buttons::YesNo, UiServices::Answer::No);
        if (a != UiServices::Answer::Yes)
            return;
        ++m_selecting; // the view moves its selection to a neighbour; that is not the user's choice
        m_model->removeProduct(row);
        --m_selecting;
        if (m_model->rowCount() > 0) {
            SetNumbers();
            deselect();
        }
        ClearTextBox();
        m_document->setModified(true);
        setCalcEnabled(false);
        m_document->CountCheckedData();
    });
}

void EntryForm::ClearTextBox()
{
    guarded("ClearTextBox", [this] {
        emptyFields();
        setRowCommandsEnabled(false);
        ui.txt品番->setFocus(Qt::OtherFocusReason);
        if (m_model->rowCount() > 0)
            deselect();
    });
}

void EntryForm::SetNumbers()
{
    guarded("main.SetNumbers", [this] { m_model->setNumbers(); });
}

void EntryForm::CalcData()
{
    guarded("CalcData", [this] {
        CalcInput in;
        in.included = ui.txt価格->text();
        in.base = ui.txt本体価格->text();
        in.direction = m_direction;
        const CalcOutput out = products::CalcData(in, formTax());
        if (out.hasMessage()) {
            m_services.critical(ui.txt品番->window(), out.messageTitle, out.messageText);
            return;
        }
        if (out.error.isSet()) {
            report(QStringLiteral("CalcData"), out.error);
            return;
        }
        const Filling filling(m_filling);
        showWhole(ui.txt価格, out.included,
                  out.includedMaxLength > 0 ? out.includedMaxLength : ui.txt価格->maxLength());
        ui.txt本体価格->setText(out.base);
        if (out.taxChanged)
            platform::setValueText(ui.lbl消費税, out.tax);
        if (out.done)
            setCalcEnabled(false);
    });
}

TaxSettings EntryForm::formTax() const
{
    return m_tax.forClass(ui.Check軽減税率->isChecked());
}

// A derived price and tax already shown follow the new class at once; before the calculation ran,
// 税 計 算 will use it.
void EntryForm::reducedToggled()
{
    if (ui.lbl消費税->text().isEmpty())
        return;
    const QLineEdit *source = m_direction == 0 ? ui.txt価格 : ui.txt本体価格;
    if (!platform::isNumeric(source->text()))
        return;
    CalcData();
}

// ---- barcode preview ----

void EntryForm::PreViewBarCode()
{
    const barcode::PreviewPlan plan = barcode::previewPlan(ui.txtBarCode->text());
    setBarcodeLength(plan.optionType);
    if (plan.error.isSet()) {
        report(QStringLiteral("PreViewBarCode"), plan.error);
        return;
    }
    if (plan.imageNames.isEmpty()) {
        ClearPreview();
        return;
    }
    if (plan.showCheckDigit)
        platform::setValueText(ui.lblCD, plan.checkDigit);
    m_preview->ClearPreview();
    AppError error;
    if (!m_preview->showImages(m_barcodeFolder, plan.imageNames, &error)) {
        report(QStringLiteral("PreViewBarCode"), error);
        return;
    }
    m_preview->keepShownWidth();
}

void EntryForm::ClearPreview()
{
    m_preview->ClearPreview();
}

// ---- typing ----

void EntryForm::priceTyped(int direction)
{
    const Filling filling(m_filling);
    if (direction == 0) {
        ui.txt本体価格->clear();
        // The user's own tax-inclusive price has at most 7 digits; a longer derived one stays whole.
        ui.txt価格->setMaxLength(std::max<int>(ShortLength, int(ui.txt価格->text().size())));
    } else {
        ui.txt価格->clear();
    }
    platform::setValueText(ui.lbl消費税, QString());
    m_direction = direction;
    setCalcEnabled(true);
}

void EntryForm::barcodeTyped()
{
    platform::setValueText(ui.lblCD, QString());
    previewTypedCode();
}

void EntryForm::optionTypeChosen(int id)
{
    setBarcodeLength(id);
    platform::setValueText(ui.lblCD, QString());
    previewTypedCode();
}

// A complete code for the chosen length is shown at once; anything shorter shows nothing. A code
// that is not all digits (pasted) only empties the preview while the user is still at it: 登 録
// tells them.
void EntryForm::previewTypedCode()
{
    const QString code = ui.txtBarCode->text();
    if (code.size() == barcodeLimit() && !barcode::previewPlan(code).error.isSet())
        PreViewBarCode();
    else
        ClearPreview();
}

bool EntryForm::filterKey(QLineEdit *edit, QEvent *event)
{
    EntryField field = EntryField::Code;
    for (EntryField f : {EntryField::Code, EntryField::Name, EntryField::BasePrice, EntryField::InclPrice,
                         EntryField::Remarks, EntryField::Barcode}) {
        if (fieldEdit(f) == edit)
            field = f;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString text = key->text();
        // Backspace, arrows and shortcuts carry no printable text and always pass.
        if (text.isEmpty() || text.at(0).unicode() < 0x20 || text.at(0).unicode() == 0x7f)
            return false;
        if (key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier))
            return false;
        return !acceptsTypedText(field, text);
    }
    if (event->type() == QEvent::InputMethod) {
        auto *im = static_cast<QInputMethodEvent *>(event);
        if (!acceptsTypedText(field, im->commitString()))
            im->setCommitString(stripRefused(field, im->commitString()), im->replacementStart(),
                                im->replacementLength());
    }
    return false;
}

bool EntryForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui.ListView1) {
        if (event->type() == QEvent::FocusIn && !m_focusing) {
            const auto reason = static_cast<QFocusEvent *>(event)->reason();
            // Coming back from a message box or another window is not the user moving to the list.
            if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
                ListView1_GotFocus();
        }
        return false;
    }
    auto *edit = qobject_cast<QLineEdit *>(watched);
    if (!edit)
        return false;
    if (event->type() == QEvent::FocusIn) {
        // After the click that gave the focus has placed the cursor.
        QTimer::singleShot(0, edit, &QLineEdit::selectAll);
        return false;
    }
    return filterKey(edit, event);
}

void EntryForm::ListView1_GotFocus()
{
    if (m_model->rowCount() == 0)
        return;
    const QModelIndex current = ui.ListView1->currentIndex();
    if (current.isValid() && ui.ListView1->selectionModel()->isRowSelected(current.row()))
        SetTextBox();
}

} // namespace products
