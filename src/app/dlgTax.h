#pragma once

#include "products/tax.h"

#include <QButtonGroup>
#include <QDialog>

class QLineEdit;

#include <memory>

namespace Ui {
class dlgTax;
}
namespace platform {
class UiServices;
}

namespace products {

// 消費税率・価格基準: edits the rate, the price basis and the rounding. It takes the settings in and,
// when accepted, gives them back through taxSettings(); the caller refreshes its window after it.
class dlgTax : public QDialog {
    Q_OBJECT
public:
    dlgTax(const TaxSettings &tax, platform::UiServices &services, QWidget *parent = nullptr);
    ~dlgTax() override;

    TaxSettings taxSettings() const { return m_tax; }

    QButtonGroup *roundingGroup() const { return m_rounding; }
    QButtonGroup *basisGroup() const { return m_basis; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void OKButton_Click();
    void basisChosen(int index);
    bool takeRate(QLineEdit *edit, const QString &invalidText, Currency *rate, bool *closed);

    std::unique_ptr<Ui::dlgTax> ui;
    QButtonGroup *m_rounding;
    QButtonGroup *m_basis;
    platform::UiServices &m_services;
    TaxSettings m_tax;
};

} // namespace products
