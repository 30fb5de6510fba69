#pragma once

#include <QList>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QScrollBar;
class QSpinBox;

namespace platform {
class UiServices;
}

// The small control habits both designer windows share: value labels, colour swatches, a text box
// with its up-down control, boxes that select their text or take only size keys, and the form's
// numbered controls gathered once.
namespace dialogs {

// A label that shows a value also tells it on the accessibility bus.
void setValueLabel(QLabel *label, const QString &text);

// A colour swatch shows colorText as its face and tells it; swatchColor gives it back as it was set.
void showSwatchColor(QLabel *swatch, const QString &colorText);
QString swatchColor(const QLabel *swatch);
// The palette on the swatch's colour; on OK the swatch shows the chosen one. False when cancelled.
bool chooseSwatchColor(QLabel *swatch, platform::UiServices &services, QWidget *parent);

// A list box shows a stored text that is not one of its entries by taking it in.
void setComboText(QComboBox *combo, const QString &text);
// The list takes items and shows the first; nullopt leaves it as it is.
void refillList(QComboBox *list, const std::optional<QStringList> &items);

// The followers are enabled while the check box is checked, from now on.
void enableWith(QCheckBox *check, const QList<QWidget *> &followers);

// A spin button beside a text box: its steps write the box, and a whole number typed into the box
// moves it. beforeStep runs before a step writes the box.
void pairUpDown(QLineEdit *box, QSpinBox *upDown, const std::function<void()> &beforeStep = {});
// The up-down control as a scroll bar whose upper arrow counts up: a scroll bar's upper arrow goes
// towards its minimum, so the box shows the bar's value mirrored within its range.
void pairUpDown(QLineEdit *box, QScrollBar *upDown, const std::function<void()> &beforeStep = {});

class LogoBox;
// The card's and the logo's size boxes both designers name alike, each with its up-down control:
// txtCardHeight, txtCardWidth, txtCardPadding_0 … 3 and txtLogoWidth, txtLogoHeight; a step of a
// logo box first tells the logo which box the user works on.
void pairCardBoxes(QWidget *window, LogoBox *logo);

// The box selects its whole text when it gets the focus, also when the mouse placed the cursor.
void selectAllOnFocus(const QList<QLineEdit *> &boxes);
// Typed characters other than digits and the decimal point are dropped; keys without a character
// (arrows, Tab, Delete) and control characters (backspace) keep their meaning.
void takeOnlySizeKeys(const QList<QWidget *> &boxes);

// The form's controls name_0 … name_<count-1>, in that order.
template <class T> QList<T *> numberedControls(const QWidget *window, const QString &name, int count)
{
    QList<T *> controls;
    for (int i = 0; i < count; ++i) {
        T *control = window->findChild<T *>(name + QString::number(i));
        Q_ASSERT_X(control, "numberedControls", qPrintable(name + QString::number(i)));
        controls.append(control);
    }
    return controls;
}
// The option buttons name_0 … name_<count-1> as one group named name, each button's id its number.
QButtonGroup *numberedOptions(QWidget *window, const QString &name, int count);

// A wait cursor for the span of a scope.
struct WaitCursor {
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
};

} // namespace dialogs
