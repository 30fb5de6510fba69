#include "dialogs/dlgFont.h"

#include "dialogs/dlgPalete.h"
#include "dialogs/palette.h"
#include "platform/user_services.h"
#include "ui_dlgFont.h"

#include <QApplication>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QRegularExpressionValidator>

namespace dialogs {

dlgFont::dlgFont(const FontFields &fields, const FontChoice &start, platform::UiServices &services, QWidget *parent,
                 const QStringList &families, FontUsable usable)
    : QDialog(parent), ui_(std::make_unique<Ui::dlgFont>()), services_(services), usable_(usable), fields_(fields),
      start_(start), result_(start)
{
    ui_->setupUi(this);
    // Digits and the decimal point only, typed or pasted.
    ui_->txtFontSize->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9.]*")), ui_->txtFontSize));

    connect(ui_->List1, &QListWidget::currentTextChanged, this, &dlgFont::fontSelected);
    connect(ui_->txtFontSize, &QLineEdit::textChanged, this, &dlgFont::sizeEdited);
    connect(ui_->UpDown1, &QScrollBar::valueChanged, this,
            [this](int value) { ui_->txtFontSize->setText(QString::number(value)); });
    connect(ui_->cmdColor, &QPushButton::clicked, this, &dlgFont::chooseColor);
    connect(ui_->OKButton, &QPushButton::clicked, this, &dlgFont::okClicked);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    QGuiApplication::setOverrideCursor(Qt::WaitCursor); // the font list takes a moment to fill
    fillFontList(families);
    loadStart();
    QGuiApplication::restoreOverrideCursor();
}

dlgFont::~dlgFont() = default;

QStringList dlgFont::installedFonts()
{
    return QFontDatabase::families();
}

bool dlgFont::fontInstalled(const QString &name)
{
    // Asked afresh: fonts come and go while the program runs. (hasFamily() resolves aliases such as
    // "Serif" away and refuses names the list offers.)
    return QFontDatabase::families().contains(name);
}

void dlgFont::fillFontList(const QStringList &families)
{
    ui_->List1->addItems(listedFontNames(families));
}

void dlgFont::loadStart()
{
    ui_->cmdColor->setEnabled(fields_.color);
    ui_->cmbAlign->setEnabled(fields_.align);
    ui_->cmbTani->setEnabled(fields_.unit);
    ui_->cmbStyle->setEnabled(fields_.style);

    if (fields_.color)
        setColor(start_.color);
    else
        setColor(colorText(QApplication::palette().color(QPalette::Button)));

    if (!fields_.unit) {
        ui_->txtFontSize->setText(start_.size);
        ui_->cmbTani->setCurrentIndex(-1);
        ui_->cmbStyle->setCurrentText(QStringLiteral("通常"));
    } else {
        const FontSize size = splitFontSize(start_.size);
        ui_->txtFontSize->setText(size.number);
        ui_->cmbTani->setCurrentText(size.unit);
        ui_->cmbStyle->setCurrentText(start_.style);
    }
    if (fields_.align)
        ui_->cmbAlign->setCurrentText(start_.align);

    ui_->lblFontName->setText(start_.name);
    ui_->lblFontName->setAccessibleName(start_.name);
    const QList<QListWidgetItem *> found = ui_->List1->findItems(start_.name, Qt::MatchExactly);
    if (!found.isEmpty()) {
        ui_->List1->setCurrentItem(found.first());
        ui_->List1->scrollToItem(found.first());
    } else {
        // A design made elsewhere names a font this system does not have: the name is kept, unless
        // the user picks another. An explicitly empty current entry keeps the list from taking its
        // first entry when it gets the focus.
        ui_->List1->setCurrentIndex(QModelIndex());
    }
    loaded_ = true;
}

void dlgFont::fontSelected(const QString &name)
{
    if (name.isEmpty())
        return;
    // A listed font that cannot be used (gone since the list was filled) is not taken.
    if (!usable_(name)) {
        if (loaded_)
            services_.message(this, FontMissingTitle, FontMissingText, platform::UiServices::Icon::Information);
        return;
    }
    QFont font(name);
    font.setPointSize(12);
    font.setBold(false);
    font.setItalic(false);
    ui_->rtxtSample->setFont(font);
    ui_->rtxtSample->setPlainText(FontSampleText);
    ui_->lblFontName->setText(name);
    ui_->lblFontName->setAccessibleName(name);
}

void dlgFont::sizeEdited(const QString &text)
{
    bool whole = false;
    const int value = text.toInt(&whole);
    if (whole && value >= ui_->UpDown1->minimum() && value <= ui_->UpDown1->maximum()) {
        const QSignalBlocker block(ui_->UpDown1);
        ui_->UpDown1->setValue(value);
    }
}

void dlgFont::setColor(const QString &text)
{
    const QColor color = colorFromText(text);
    color_ = colorText(color);
    QPalette pal = ui_->picColor->palette();
    pal.setColor(QPalette::Window, color);
    ui_->picColor->setPalette(pal);
    ui_->picColor->setAccessibleName(color_);
}

void dlgFont::chooseColor()
{
    dlgPalete palette(color_, services_, this);
    if (palette.exec() == QDialog::Accepted)
        setColor(palette.colorText());
}

void dlgFont::okClicked()
{
    if (!fontSizeAccepted(ui_->txtFontSize->text())) {
        services_.message(this, FontSizeRefusedTitle, FontSizeRefusedText, platform::UiServices::Icon::Critical);
        ui_->txtFontSize->setText(FontSizeResetText);
        ui_->txtFontSize->setFocus();
        return;
    }
    FontChoice dialog;
    dialog.name = ui_->lblFontName->text();
    dialog.size = ui_->txtFontSize->text();
    dialog.style = ui_->cmbStyle->currentText();
    dialog.color = color_;
    dialog.align = ui_->cmbAlign->currentText();
    result_ = fontResult(fields_, start_, dialog, ui_->cmbTani->currentText());
    accept();
}

} // namespace dialogs
