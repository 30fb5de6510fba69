#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class dlgView;
}

namespace app {

// 表示設定: the list's font size. Give it the current size; read fontSize() after Accepted.
class dlgView : public QDialog {
    Q_OBJECT
public:
    explicit dlgView(int gridFont, QWidget *parent = nullptr);
    ~dlgView() override;

    int fontSize() const { return m_fontSize; }

private:
    void okClicked();

    std::unique_ptr<Ui::dlgView> ui;
    int m_fontSize;
};

} // namespace app
