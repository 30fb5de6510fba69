#include "fake_ui_services.h"

platform::UiServices::Answer FakeUiServices::message(QWidget *, const QString &title, const QString &text, Icon icon,
                                                     Buttons buttons, Answer defaultAnswer)
{
    messages.append({title, text, icon, buttons});
    return answers.isEmpty() ? defaultAnswer : answers.dequeue();
}

QString FakeUiServices::fileDialog(QWidget *, const FileDialogRequest &request)
{
    fileRequests.append(request);
    return fileNames.isEmpty() ? QString() : fileNames.dequeue();
}

bool FakeUiServices::chooseColor(QWidget *, QColor &color)
{
    if (colors.isEmpty())
        return false;
    color = colors.dequeue();
    return true;
}

QImage FakeUiServices::loadPicture(const QString &path)
{
    return QImage(path);
}

bool FakeUiServices::openWithShell(const QString &target)
{
    opened.append(target);
    return shellSucceeds;
}

bool FakeUiServices::startProgram(const QString &program, const QStringList &arguments)
{
    started.append(QStringList{program} + arguments);
    return shellSucceeds;
}
