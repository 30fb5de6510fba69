#pragma once

#include "common/print_calibration.h"
#include "platform/apperror.h"

#include <QDialog>
#include <QString>

class QAbstractButton;
class QDoubleSpinBox;

namespace platform {
class UiServices;
}

namespace dialogs {

// The printer calibration: two fields for the shift in millimetres (0.1 mm steps) and the command
// that prints the calibration page with the shift entered so far. Takes the stored calibration and
// gives back the entered one when accepted.
class CalibrationDialog : public QDialog {
    Q_OBJECT
public:
    CalibrationDialog(const QString &appDataFolder, platform::UiServices &services, QWidget *parent = nullptr);

    void setCalibration(const common::PrintCalibration &calibration);
    common::PrintCalibration calibration() const;

    QDoubleSpinBox *xBox() const { return x_; }
    QDoubleSpinBox *yBox() const { return y_; }
    QAbstractButton *printButton() const { return print_; }

    // Writes the calibration page into folder; its path, or the empty text with *error set.
    static QString writeCalibrationPage(const QString &folder, platform::AppError *error);

private:
    void printCalibrationPage();

    QString appDataFolder_;
    platform::UiServices &services_;
    QDoubleSpinBox *x_ = nullptr;
    QDoubleSpinBox *y_ = nullptr;
    QAbstractButton *print_ = nullptr;
};

// Puts the button "印刷位置の補正..." beside a designer's print button; it edits *calibration through
// the dialog. The button is the window's (its parent is the print button's parent).
QAbstractButton *addCalibrationCommand(QWidget *window, QAbstractButton *printButton,
                                       common::PrintCalibration *calibration, const QString &appDataFolder,
                                       platform::UiServices &services);

} // namespace dialogs
