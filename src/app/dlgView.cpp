#include "app/dlgView.h"

#include "ui_dlgView.h"

#include "platform/numbers.h"
#include "platform/user_services.h"

namespace app {

dlgView::dlgView(int gridFont, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::dlgView>()), m_fontSize(gridFont)
{
    ui->setupUi(this);
    ui->ComboFontSize->setCurrentText(QString::number(gridFont));
    ui->OKButton->setEnabled(false);
    // Only a choice from the list enables OK; typing alone does not.
    connect(ui->ComboFontSize, &QComboBox::activated, this, [this] { ui->OKButton->setEnabled(true); });
    connect(ui->OKButton, &QPushButton::clicked, this, &dlgView::okClicked);
    connect(ui->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

dlgView::~dlgView() = default;

void dlgView::okClicked()
{
    const auto size = platform::toInteger16(ui->ComboFontSize->currentText());
    // A font of size zero or below cannot be shown; such a value is as wrong as text.
    if (!size || *size < 1) {
        platform::UiServices::instance().message(this, QStringLiteral("表示設定"),
                                                 QStringLiteral("フォントサイズの値が不正です."),
                                                 platform::UiServices::Icon::Information);
        return;
    }
    m_fontSize = *size;
    accept();
}

} // namespace app
