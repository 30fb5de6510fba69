#include "platform/reports.h"

#include "platform/user_services.h"

namespace platform {

void showReportText(UiServices &ui, QWidget *parent, const QString &reportText)
{
    ui.message(parent, reportTitle(), reportText, UiServices::Icon::Critical, UiServices::Buttons::Ok);
}

void showErrorReport(UiServices &ui, QWidget *parent, const QString &label, const AppError &error)
{
    showReportText(ui, parent, errorReportText(label, error));
}

void showApologyReport(UiServices &ui, QWidget *parent, const QString &label, const AppError &error)
{
    showReportText(ui, parent, apologyReportText(label, error));
}

AppError unexpectedError(const std::exception &e)
{
    return AppError{AppError::ObjectNotSet, QString::fromLocal8Bit(e.what())};
}

} // namespace platform
