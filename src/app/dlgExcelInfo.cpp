#include "app/dlgExcelInfo.h"

#include "ui_dlgExcelInfo.h"

namespace products {

dlgExcelInfo::dlgExcelInfo(int ex, QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui::dlgExcelInfo>()), m_ex(ex)
{
    ui->setupUi(this);
    ui->Check1->setChecked(ex == 1);
    connect(ui->Check1, &QCheckBox::toggled, this, &dlgExcelInfo::Check1_Toggled);
    connect(ui->OKButton, &QPushButton::clicked, this, &dlgExcelInfo::OKButton_Click);
}

dlgExcelInfo::~dlgExcelInfo() = default;

void dlgExcelInfo::Check1_Toggled(bool checked)
{
    m_ex = checked ? 1 : 0;
}

void dlgExcelInfo::OKButton_Click()
{
    if (ui->Check1->isChecked())
        m_ex = 1;
    accept();
}

} // namespace products
