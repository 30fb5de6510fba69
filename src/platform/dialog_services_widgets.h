#pragma once

#include "platform/user_services.h"

class QFileDialog;
class QMessageBox;

namespace platform {

// The real dialogs: QMessageBox, QFileDialog, QColorDialog, QImageReader, the desktop's handlers.
class WidgetUiServices : public UiServices {
public:
    Answer message(QWidget *parent, const QString &title, const QString &text, Icon icon, Buttons buttons = Buttons::Ok,
                   Answer defaultAnswer = Answer::Ok) override;
    QString fileDialog(QWidget *parent, const FileDialogRequest &request) override;
    bool chooseColor(QWidget *parent, QColor &color) override;
    QImage loadPicture(const QString &path) override;
    bool openWithShell(const QString &target) override;
    bool startProgram(const QString &program, const QStringList &arguments) override;

    // The set-up of the two dialogs, apart so it can be checked without showing them.
    static void configureMessageBox(QMessageBox &box, const QString &title, const QString &text, Icon icon,
                                    Buttons buttons, Answer defaultAnswer);
    static void configureFileDialog(QFileDialog &dialog, const FileDialogRequest &request);
};

} // namespace platform
