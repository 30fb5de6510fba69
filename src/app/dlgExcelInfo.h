#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class dlgExcelInfo;
}

namespace products {

// The notice shown before a workbook import, telling the layout the import expects. It takes the
// [Excel] EX value and hands back the new one: 1 while "以後このダイアログは表示しない" is checked,
// 0 while it is cleared, however the dialog is closed.
class dlgExcelInfo : public QDialog {
    Q_OBJECT
public:
    explicit dlgExcelInfo(int ex, QWidget *parent = nullptr);
    ~dlgExcelInfo() override;

    int ex() const { return m_ex; }

private:
    void Check1_Toggled(bool checked);
    void OKButton_Click();

    std::unique_ptr<Ui::dlgExcelInfo> ui;
    int m_ex;
};

} // namespace products
