#include "dialogs/dlgPalete.h"

#include "dialogs/palette.h"
#include "platform/user_services.h"
#include "ui_dlgPalete.h"

#include <QButtonGroup>

namespace dialogs {

namespace {

void paint(QWidget *swatch, const QColor &color)
{
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, color);
    pal.setColor(QPalette::Button, color);
    swatch->setPalette(pal);
}

} // namespace

dlgPalete::dlgPalete(const QString &startColor, platform::UiServices &services, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::dlgPalete>()), services_(services), names_(new QButtonGroup(this))
{
    ui_->setupUi(this);
    // A highlighted name reads white on navy; the others keep the button face with black text.
    const QString nameStyle = QStringLiteral("QPushButton { background-color: palette(button); color: black; }"
                                             "QPushButton:checked { background-color: #000080; color: #FFFFFF; }");
    const auto &colors = paletteColors();
    for (int i = 0; i < int(colors.size()); ++i) {
        auto *swatch = findChild<QPushButton *>(QStringLiteral("PicPalete_%1").arg(i));
        auto *name = findChild<QPushButton *>(QStringLiteral("lblColorName_%1").arg(i));
        swatch->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; border: 1px solid gray; }")
                                  .arg(dialogs::colorText(colors[i].color)));
        paint(swatch, colors[i].color);
        name->setStyleSheet(nameStyle);
        names_->addButton(name, i);
        connect(swatch, &QPushButton::clicked, name, [name] { name->setChecked(true); });
    }
    names_->setExclusive(false);
    connect(names_, &QButtonGroup::idToggled, this, &dlgPalete::nameToggled);
    connect(ui_->cmdShowColor, &QPushButton::clicked, this, &dlgPalete::showColor);
    connect(ui_->OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    select(dialogs::colorText(colorFromText(startColor)));
}

dlgPalete::~dlgPalete() = default;

QString dlgPalete::colorText() const
{
    return ui_->lblSelectedColor->text();
}

int dlgPalete::highlighted() const
{
    for (QAbstractButton *b : names_->buttons()) {
        if (b->isChecked())
            return names_->id(b);
    }
    return -1;
}

void dlgPalete::select(const QString &text)
{
    ui_->lblSelectedColor->setText(text);
    ui_->lblSelectedColor->setAccessibleName(text);
    paint(ui_->picSelectedColor, colorFromText(text));
    ui_->picSelectedColor->setAccessibleName(text);
}

void dlgPalete::clearHighlight()
{
    const QSignalBlocker block(names_); // the group reports its buttons' toggles itself
    for (QAbstractButton *b : names_->buttons())
        b->setChecked(false);
}

void dlgPalete::nameToggled(int index, bool checked)
{
    auto *name = names_->button(index);
    if (!checked) {
        // Clicking the highlighted name again keeps it highlighted.
        const QSignalBlocker block(names_);
        name->setChecked(true);
        return;
    }
    // One highlight at a time.
    {
        const QSignalBlocker block(names_);
        for (QAbstractButton *b : names_->buttons()) {
            if (b != name)
                b->setChecked(false);
        }
    }
    select(dialogs::colorText(paletteColors()[index].color));
}

void dlgPalete::showColor()
{
    clearHighlight();
    QColor color = colorFromText(colorText());
    if (services_.chooseColor(this, color))
        select(dialogs::colorText(color));
}

} // namespace dialogs
