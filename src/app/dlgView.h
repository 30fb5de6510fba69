#pragma once

#include <QDialog>

#include <memory>
#include <optional>

namespace Ui {
class dlgView;
}
namespace platform {
class UiServices;
}

namespace app {

// "表示設定": the font size of the product list. Takes the current size; fontSize() is the chosen one
// once exec() returned Accepted.
class dlgView : public QDialog {
    Q_OBJECT
public:
    dlgView(int currentSize, platform::UiServices &services, QWidget *parent = nullptr);
    ~dlgView() override;

    int fontSize() const { return fontSize_; }

    // The size a typed text stands for; none for a text that is no usable font size.
    static std::optional<int> parseFontSize(const QString &text);

private:
    void OKButton_Click();

    std::unique_ptr<Ui::dlgView> ui_;
    platform::UiServices &services_;
    int fontSize_;
};

} // namespace app
