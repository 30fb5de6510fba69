#include "dialogs/browser_display_widgets.h"

#include "platform/user_services.h"

#include <QGuiApplication>
#include <QWidget>

namespace dialogs {

namespace {

void setEnabled(QWidget *widget, bool enabled)
{
    if (widget)
        widget->setEnabled(enabled);
}

} // namespace

bool ShowExplorer(const MakerPage &page, const BrowserSettings &browser, const QString &appDataFolder,
                  const ExplorerControls &controls, platform::UiServices &services)
{
    setEnabled(controls.cmdExplorer, false);
    setEnabled(controls.makeCommand, false);
    setEnabled(controls.window, false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);

    const std::optional<platform::AppError> failure = openPage(browser, makerPagePath(page, appDataFolder), services);

    QGuiApplication::restoreOverrideCursor();
    setEnabled(controls.cmdExplorer, true);
    setEnabled(controls.makeCommand, controls.nonEmptyList);
    setEnabled(controls.window, true);

    if (failure) {
        services.message(controls.window, platform::reportTitle(), platform::apologyReportText(page.label, *failure),
                         platform::UiServices::Icon::Critical);
        return false;
    }
    return true;
}

} // namespace dialogs
