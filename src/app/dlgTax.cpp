#include "app/dlgTax.h"

#include "ui_dlgTax.h"

#include "platform/apperror.h"
#include "platform/numbers.h"
#include "platform/reports.h"
#include "platform/user_services.h"
#include "platform/value_label_widgets.h"

#include <QKeyEvent>

#include <cmath>

namespace products {

using platform::AppError;
using platform::UiServices;

namespace {

// The rate typed as a four-place decimal; overflow when it is beyond the decimal type's range.
std::optional<Currency> rateFromText(const QString &text, AppError *error)
{
    QString plain = text.trimmed();
    plain.remove(QLatin1Char(','));
    if (const auto c = Currency::parse(plain))
        return c;
    // Numeric in some other form (an exponent) or too large for the plain parser.
    const auto v = platform::numericValue(text);
    if (v && std::fabs(*v) < 9.2e14)
        return Currency::fromRaw(qint64(std::nearbyint(*v * double(Currency::Scale))));
    *error = AppError::overflow();
    return std::nullopt;
}

} // namespace

dlgTax::dlgTax(const TaxSettings &tax, UiServices &services, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::dlgTax>()), m_services(services), m_tax(tax)
{
    ui->setupUi(this);
    m_rounding = new QButtonGroup(this);
    m_rounding->setObjectName(QStringLiteral("Option丸め処理"));
    m_rounding->addButton(ui->Option丸め処理_0, 0);
    m_rounding->addButton(ui->Option丸め処理_1, 1);
    m_rounding->addButton(ui->Option丸め処理_2, 2);
    m_basis = new QButtonGroup(this);
    m_basis->setObjectName(QStringLiteral("Option基準"));
    m_basis->addButton(ui->Option基準_0, 0);
    m_basis->addButton(ui->Option基準_1, 1);

    platform::setValueText(ui->lblPresentTax, tax.rate.toString());
    const QString percent = ratePercentText(tax.rate);
    platform::setValueText(ui->lblPresentPercent, percent.isEmpty() ? QString() : QStringLiteral("(%1)").arg(percent));
    ui->txtNewTax->clear();
    platform::setValueText(ui->lblPresentReducedTax, tax.reducedRate.toString());
    const QString reducedPercent = ratePercentText(tax.reducedRate);
    platform::setValueText(ui->lblPresentReducedPercent,
                           reducedPercent.isEmpty() ? QString() : QStringLiteral("(%1)").arg(reducedPercent));
    ui->txtNewReducedTax->clear();
    if (QAbstractButton *b = m_rounding->button(tax.ks))
        b->setChecked(true);
    m_basis->button(tax.indicate == 1 ? 1 : 0)->setChecked(true);
    ui->Frame丸め処理->setEnabled(tax.indicate != 1);

    ui->txtNewTax->installEventFilter(this);
    ui->txtNewReducedTax->installEventFilter(this);
    // The percentage of the reduced rate being typed, so that "8" for 8 % shows as 800 % at once.
    connect(ui->txtNewReducedTax, &QLineEdit::textChanged, this, [this](const QString &text) {
        AppError ignored;
        const auto rate = platform::isNumeric(text) ? rateFromText(text, &ignored) : std::nullopt;
        const QString percent = rate ? ratePercentText(*rate) : QString();
        platform::setValueText(ui->lblNewReducedPercent,
                               percent.isEmpty() ? QString() : QStringLiteral("(%1)").arg(percent));
    });
    // The keyboard and assistive technology change the basis as the mouse does.
    connect(m_basis, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            basisChosen(id);
    });
    connect(ui->OKButton, &QPushButton::clicked, this, &dlgTax::OKButton_Click);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

dlgTax::~dlgTax() = default;

bool dlgTax::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == ui->txtNewTax || watched == ui->txtNewReducedTax) && event->type() == QEvent::KeyPress) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const QString t = key->text();
        if (key->key() != Qt::Key_Backspace && !t.isEmpty() && t.at(0).isPrint()) {
            const QChar c = t.at(0);
            if (t.size() != 1 || !((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.')))
                return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void dlgTax::basisChosen(int index)
{
    if (index == 1) {
        // Tax-inclusive prices are split with rule B, which never rounds by KS.
        ui->Option丸め処理_0->setChecked(true);
        ui->Frame丸め処理->setEnabled(false);
    } else {
        ui->Frame丸め処理->setEnabled(true);
    }
}

// A new rate typed into edit: true with *rate set, or left unchanged when the box is empty; false when
// the dialog must stay open (the box told the user) or was closed by an error report (*closed).
bool dlgTax::takeRate(QLineEdit *edit, const QString &invalidText, Currency *rate, bool *closed)
{
    const QString text = edit->text();
    if (text.isEmpty())
        return true;
    if (!platform::isNumeric(text)) {
        m_services.critical(this, QStringLiteral("入力値チェック"), invalidText);
        edit->clear();
        edit->setFocus();
        return false;
    }
    AppError error;
    const auto typed = rateFromText(text, &error);
    if (!typed) {
        platform::showErrorReport(m_services, this, QStringLiteral("tax.OKButton"), error);
        reject();
        *closed = true;
        return false;
    }
    if (!isRateInRange(*typed)) {
        m_services.critical(this, QStringLiteral("入力値チェック"), rateRangeMessage());
        edit->selectAll();
        edit->setFocus();
        return false;
    }
    *rate = *typed;
    return true;
}

void dlgTax::OKButton_Click()
{
    TaxSettings t = m_tax;
    bool closed = false;
    if (!takeRate(ui->txtNewTax, QStringLiteral("消費税の値が不正です."), &t.rate, &closed) || closed)
        return;
    if (!takeRate(ui->txtNewReducedTax, QStringLiteral("軽減税率の値が不正です."), &t.reducedRate, &closed) || closed)
        return;
    t.indicate = m_basis->checkedId() == 1 ? 1 : 0;
    if (m_rounding->checkedId() >= 0)
        t.ks = m_rounding->checkedId();
    m_tax = t;
    accept();
}

} // namespace products
