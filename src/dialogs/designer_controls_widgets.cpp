#include "dialogs/designer_controls_widgets.h"

#include "dialogs/dlgPalete.h"
#include "dialogs/logo_box_widgets.h"
#include "platform/numbers.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTimer>

namespace dialogs {

namespace {

const char *const colorProperty = "colorText";

class SelectsAllOnFocus : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // After the mouse has placed the cursor, so that the whole text ends up selected.
        if (event->type() == QEvent::FocusIn)
            QTimer::singleShot(0, static_cast<QLineEdit *>(watched), &QLineEdit::selectAll);
        return false;
    }
};

class SizeKeysOnly : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString text = static_cast<QKeyEvent *>(event)->text();
        if (text.isEmpty())
            return false;
        const QChar c = text.front();
        if (c.category() == QChar::Other_Control)
            return false;
        return !((c >= QLatin1Char('0') && c <= QLatin1Char('9')) || c == QLatin1Char('.'));
    }
};

} // namespace

void setValueLabel(QLabel *label, const QString &text)
{
    label->setText(text);
    label->setAccessibleDescription(text);
}

void showSwatchColor(QLabel *swatch, const QString &colorText)
{
    swatch->setProperty(colorProperty, colorText);
    QPalette p = swatch->palette();
    p.setColor(QPalette::Window, QColor(colorText));
    swatch->setPalette(p);
    swatch->setAutoFillBackground(true);
    // A swatch the form drew without a frame gets a thin one, so that a white colour still shows.
    if (swatch->frameShape() == QFrame::NoFrame)
        swatch->setFrameShape(QFrame::Box);
    swatch->setAccessibleDescription(colorText);
}

QString swatchColor(const QLabel *swatch)
{
    return swatch->property(colorProperty).toString();
}

bool chooseSwatchColor(QLabel *swatch, platform::UiServices &services, QWidget *parent)
{
    dlgPalete dialog(swatchColor(swatch), services, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    showSwatchColor(swatch, dialog.colorText());
    return true;
}

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

void refillList(QComboBox *list, const std::optional<QStringList> &items)
{
    if (!items)
        return;
    list->clear();
    list->addItems(*items);
    list->setCurrentIndex(0);
}

void enableWith(QCheckBox *check, const QList<QWidget *> &followers)
{
    const auto follow = [followers](bool on) {
        for (QWidget *w : followers)
            w->setEnabled(on);
    };
    follow(check->isChecked());
    QObject::connect(check, &QCheckBox::toggled, check, follow);
}

void pairUpDown(QLineEdit *box, QSpinBox *upDown, const std::function<void()> &beforeStep)
{
    if (beforeStep)
        QObject::connect(upDown, &QSpinBox::valueChanged, box, beforeStep);
    upDown->setRange(0, 9999);
    if (const auto n = platform::toWholeNumber(box->text()); n && *n >= 0 && *n <= 9999)
        upDown->setValue(*n);
    QObject::connect(upDown, &QSpinBox::valueChanged, box, [box](int value) {
        if (platform::toWholeNumber(box->text()) != value)
            box->setText(QString::number(value));
    });
    QObject::connect(box, &QLineEdit::textChanged, upDown, [upDown](const QString &text) {
        const auto n = platform::toWholeNumber(text);
        if (n && *n >= upDown->minimum() && *n <= upDown->maximum() && platform::numericValue(text) == double(*n)) {
            const QSignalBlocker block(upDown);
            upDown->setValue(*n);
        }
    });
}

void pairUpDown(QLineEdit *box, QScrollBar *upDown, const std::function<void()> &beforeStep)
{
    const auto mirrored = [upDown](int value) { return upDown->minimum() + upDown->maximum() - value; };
    QObject::connect(upDown, &QScrollBar::valueChanged, box, [box, mirrored, beforeStep](int value) {
        if (beforeStep)
            beforeStep();
        box->setText(QString::number(mirrored(value)));
    });
    QObject::connect(box, &QLineEdit::textChanged, upDown, [upDown, mirrored](const QString &text) {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok)
            return;
        const QSignalBlocker block(upDown);
        upDown->setValue(mirrored(qBound(upDown->minimum(), value, upDown->maximum())));
    });
}

void pairCardBoxes(QWidget *window, LogoBox *logo)
{
    const auto pair = [window](const QString &box, const QString &upDown, const std::function<void()> &beforeStep) {
        auto *edit = window->findChild<QLineEdit *>(box);
        if (auto *spin = window->findChild<QSpinBox *>(upDown))
            pairUpDown(edit, spin, beforeStep);
        else
            pairUpDown(edit, window->findChild<QScrollBar *>(upDown), beforeStep);
    };
    pair(QStringLiteral("txtCardHeight"), QStringLiteral("UpCardHeight"), {});
    pair(QStringLiteral("txtCardWidth"), QStringLiteral("UpCardWidth"), {});
    for (int i = 0; i < 4; ++i)
        pair(QStringLiteral("txtCardPadding_%1").arg(i), QStringLiteral("UpCardPadding_%1").arg(i), {});
    pair(QStringLiteral("txtLogoWidth"), QStringLiteral("UpDownWidth"), [logo] { logo->workingOn(false); });
    pair(QStringLiteral("txtLogoHeight"), QStringLiteral("UpDownHeight"), [logo] { logo->workingOn(true); });
}

void selectAllOnFocus(const QList<QLineEdit *> &boxes)
{
    for (QLineEdit *box : boxes)
        box->installEventFilter(new SelectsAllOnFocus(box));
}

void takeOnlySizeKeys(const QList<QWidget *> &boxes)
{
    for (QWidget *box : boxes)
        box->installEventFilter(new SizeKeysOnly(box));
}

QButtonGroup *numberedOptions(QWidget *window, const QString &name, int count)
{
    auto *group = new QButtonGroup(window);
    group->setObjectName(name);
    const QList<QAbstractButton *> buttons = numberedControls<QAbstractButton>(window, name + QLatin1Char('_'), count);
    for (int i = 0; i < count; ++i)
        group->addButton(buttons[i], i);
    return group;
}

WaitCursor::WaitCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor()
{
    QApplication::restoreOverrideCursor();
}

} // namespace dialogs
