#pragma once

#include "platform/user_services.h"

#include <QList>
#include <QQueue>

// Scripted stand-in for the platform's dialogs: answers come from queues filled by the test,
// and every message and dialog request is recorded for the test to check.
class FakeUiServices : public platform::UiServices {
public:
    struct Message {
        QString title;
        QString text;
        Icon icon;
        Buttons buttons;
    };

    FakeUiServices() { install(this); }
    ~FakeUiServices() override { install(nullptr); }

    QQueue<Answer> answers;    // for message(); when empty the default answer is given
    QQueue<QString> fileNames; // for fileDialog(); when empty the dialog is "cancelled"
    QQueue<QColor> colors;     // for chooseColor(); when empty it is cancelled
    QList<Message> messages;
    QList<FileDialogRequest> fileRequests;
    QStringList opened;         // openWithShell targets
    QList<QStringList> started; // program followed by its arguments
    bool shellSucceeds = true;

    Answer message(QWidget *, const QString &title, const QString &text, Icon icon, Buttons buttons,
                   Answer defaultAnswer) override;
    QString fileDialog(QWidget *, const FileDialogRequest &request) override;
    bool chooseColor(QWidget *, QColor &color) override;
    QImage loadPicture(const QString &path) override;
    bool openWithShell(const QString &target) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;

    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    QString lastTitle() const { return messages.isEmpty() ? QString() : messages.last().title; }
};
