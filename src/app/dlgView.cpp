#include "app/dlgView.h"

#include "platform/numbers.h"
#include "platform/user_services.h"
#include "ui_dlgView.h"

namespace app {

dlgView::dlgView(int currentSize, platform::UiServices &services, QWidget *parent)
    : QDialog(parent), ui_(std::make_unique<Ui::dlgView>()), services_(services), fontSize_(currentSize)
{
    ui_->setupUi(this);
    ui_->ComboFontSize->setEditText(QString::number(currentSize));
    ui_->OKButton->setEnabled(false);
    connect(ui_->ComboFontSize, &QComboBox::activated, this, [this] { ui_->OKButton->setEnabled(true); });
    connect(ui_->OKButton, &QPushButton::clicked, this, &dlgView::OKButton_Click);
    connect(ui_->CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

dlgView::~dlgView() = default;

std::optional<int> dlgView::parseFontSize(const QString &text)
{
    if (!platform::isNumeric(text))
        return std::nullopt;
    const std::optional<qint16> size = platform::toInteger16(text);
    // A font of no size cannot be shown: 0 and below are refused like any other wrong value.
    if (!size || *size < 1)
        return std::nullopt;
    return *size;
}

void dlgView::OKButton_Click()
{
    const std::optional<int> size = parseFontSize(ui_->ComboFontSize->currentText());
    if (!size) {
        services_.information(this, QStringLiteral("表示設定"), QStringLiteral("フォントサイズの値が不正です."));
        return;
    }
    fontSize_ = *size;
    accept();
}

} // namespace app
