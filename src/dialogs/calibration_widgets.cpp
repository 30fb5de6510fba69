#include "dialogs/calibration_widgets.h"

#include "dialogs/page_pdf_widgets.h"
#include "label_stocks/calibration_page.h"
#include "platform/reports.h"
#include "platform/text_file.h"
#include "platform/user_services.h"

#include <QBoxLayout>
#include <QDialogButtonBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace dialogs {

namespace {

QDoubleSpinBox *offsetBox(QWidget *parent, const QString &name, const QString &caption)
{
    auto *box = new QDoubleSpinBox(parent);
    box->setObjectName(name);
    box->setAccessibleName(caption);
    box->setDecimals(1);
    box->setSingleStep(0.1);
    box->setRange(-common::MaxCalibrationTenthsMm / 10.0, common::MaxCalibrationTenthsMm / 10.0);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

int tenths(const QDoubleSpinBox *box)
{
    return int(std::lround(box->value() * 10));
}

} // namespace

CalibrationDialog::CalibrationDialog(const QString &appDataFolder, platform::UiServices &services, QWidget *parent)
    : QDialog(parent), appDataFolder_(appDataFolder), services_(services)
{
    setObjectName(QStringLiteral("dlgCalibration"));
    setWindowTitle(QStringLiteral("印刷位置の補正"));
    auto *layout = new QVBoxLayout(this);
    auto *note = new QLabel(
        QStringLiteral("補正用ページを印刷して十字と目盛りのずれを測り、ずれを打ち消す値を入力してください。\n"
                       "PDF と印刷の内容がその分だけ移動します (右・下が正)。"),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
    auto *form = new QFormLayout;
    x_ = offsetBox(this, QStringLiteral("txt補正X"), QStringLiteral("横 (右へ):"));
    y_ = offsetBox(this, QStringLiteral("txt補正Y"), QStringLiteral("縦 (下へ):"));
    auto *xCaption = new QLabel(QStringLiteral("横 (右へ)(&X):"), this);
    auto *yCaption = new QLabel(QStringLiteral("縦 (下へ)(&Y):"), this);
    xCaption->setBuddy(x_);
    yCaption->setBuddy(y_);
    form->addRow(xCaption, x_);
    form->addRow(yCaption, y_);
    layout->addLayout(form);
    auto *printButton = new QPushButton(QStringLiteral("補正用ページを印刷(&P)..."), this);
    printButton->setObjectName(QStringLiteral("cmd補正用ページ印刷"));
    printButton->setAutoDefault(false);
    print_ = printButton;
    layout->addWidget(printButton);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(printButton, &QPushButton::clicked, this, &CalibrationDialog::printCalibrationPage);
}

void CalibrationDialog::setCalibration(const common::PrintCalibration &c)
{
    x_->setValue(c.xTenthsMm / 10.0);
    y_->setValue(c.yTenthsMm / 10.0);
}

common::PrintCalibration CalibrationDialog::calibration() const
{
    return common::PrintCalibration{tenths(x_), tenths(y_)};
}

QString CalibrationDialog::writeCalibrationPage(const QString &folder, platform::AppError *error)
{
    const QString path = QDir(folder).filePath(label_stocks::calibrationPageFileName());
    if (!platform::writeCp932Lines(path, label_stocks::calibrationPageLines(), error))
        return QString();
    return path;
}

// The page printed with the shift entered so far, so that a second print shows what is left of it.
void CalibrationDialog::printCalibrationPage()
{
    platform::AppError error;
    const QString page = writeCalibrationPage(appDataFolder_, &error);
    if (!page.isEmpty() && printPage(this, page, &error, PagePdfTimeoutBySize, calibration()))
        return;
    if (error.isSet())
        platform::showErrorReport(services_, this, QStringLiteral("dlgCalibration.cmd補正用ページ印刷"), error);
}

QAbstractButton *addCalibrationCommand(QWidget *window, QAbstractButton *printButton,
                                       common::PrintCalibration *calibration, const QString &appDataFolder,
                                       platform::UiServices &services)
{
    auto *button = new QPushButton(QStringLiteral("印刷位置の補正(&J)..."), printButton->parentWidget());
    button->setObjectName(QStringLiteral("cmd印刷位置の補正"));
    button->setAutoDefault(false);
    // Into the row of commands that holds the print button, right after it.
    for (QBoxLayout *row : printButton->parentWidget()->findChildren<QBoxLayout *>()) {
        if (const int at = row->indexOf(printButton); at >= 0) {
            row->insertWidget(at + 1, button);
            break;
        }
    }
    QWidget::setTabOrder(printButton, button);
    QObject::connect(button, &QPushButton::clicked, window, [window, calibration, appDataFolder, &services] {
        CalibrationDialog dialog(appDataFolder, services, window);
        dialog.setCalibration(*calibration);
        if (dialog.exec() == QDialog::Accepted)
            *calibration = dialog.calibration();
    });
    return button;
}

} // namespace dialogs
