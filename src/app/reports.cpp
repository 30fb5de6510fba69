#include "app/reports.h"

#include "platform/user_services.h"

namespace app {

using platform::UiServices;

void showErrorReport(QWidget *parent, const QString &label, const platform::AppError &error)
{
    UiServices::instance().message(parent, platform::reportTitle(), platform::errorReportText(label, error),
                                   UiServices::Icon::Critical, UiServices::Buttons::Ok);
}

void showApologyReport(QWidget *parent, const QString &label, const platform::AppError &error)
{
    UiServices::instance().message(parent, platform::reportTitle(), platform::apologyReportText(label, error),
                                   UiServices::Icon::Critical, UiServices::Buttons::Ok);
}

} // namespace app
