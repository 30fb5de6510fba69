#include "dialogs/make_aside_widgets.h"

#include "platform/user_services.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QThread>
#include <QWidget>

#include <memory>

namespace dialogs {

common::MakeResult makeAside(const ExplorerControls &controls, bool &making,
                             const std::function<common::MakeResult()> &make)
{
    making = true;
    controls.makeCommand->setEnabled(false);
    controls.cmdExplorer->setEnabled(false);
    controls.window->setEnabled(false);
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    common::MakeResult outcome;
    QEventLoop wait;
    const std::unique_ptr<QThread> worker(QThread::create([&outcome, &make] { outcome = make(); }));
    QObject::connect(worker.get(), &QThread::finished, &wait, &QEventLoop::quit);
    worker->start();
    wait.exec(QEventLoop::ExcludeUserInputEvents);
    worker->wait();
    QGuiApplication::restoreOverrideCursor();
    controls.makeCommand->setEnabled(controls.nonEmptyList);
    controls.cmdExplorer->setEnabled(true);
    controls.window->setEnabled(true);
    making = false;
    return outcome;
}

void showMakeResult(platform::UiServices &services, const ExplorerControls &controls, const common::MakeResult &outcome)
{
    services.message(controls.window, outcome.title, outcome.text, outcome.icon);
    if (outcome.ok())
        controls.cmdExplorer->setFocus();
}

} // namespace dialogs
