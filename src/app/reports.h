#pragma once

#include "platform/apperror.h"

class QWidget;

namespace app {

// The program's two failure reports, through the platform's message boxes: critical icon, OK,
// title "エラー情報". Callers pass only their label.
void showErrorReport(QWidget *parent, const QString &label, const platform::AppError &error);
void showApologyReport(QWidget *parent, const QString &label, const platform::AppError &error);

} // namespace app
