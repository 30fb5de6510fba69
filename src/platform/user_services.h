#pragma once

#include <QColor>
#include <QImage>
#include <QString>
#include <QStringList>

class QWidget;

namespace platform {

// What the windows ask of the platform's message boxes, file dialogs, colour chooser, picture loading
// and shell. The real implementation shows widgets; tests install a scripted fake (tests/support).
class UiServices {
public:
    enum class Icon { None, Information, Question, Warning, Critical };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    struct FileDialogRequest {
        QString initialFolder;
        QString filter; // one entry: label + "|" + patterns, e.g. "CSVファイル(*.csv)|*.csv"
        QString title;
        QString defaultExtension; // "csv", "hdn", "cdn" (saving)
        bool forSaving = false;
        bool fileMustExist = true;   // opening
        bool overwritePrompt = true; // saving

        // A "save as" request: the name may be new, an existing file is overwritten after a prompt.
        static FileDialogRequest saving(const QString &initialFolder, const QString &filter, const QString &title,
                                        const QString &defaultExtension)
        {
            return {initialFolder, filter, title, defaultExtension, true, false, true};
        }
    };

    virtual ~UiServices() = default;

    virtual Answer message(QWidget *parent, const QString &title, const QString &text, Icon icon,
                           Buttons buttons = Buttons::Ok, Answer defaultAnswer = Answer::Ok) = 0;
    // The full path of the chosen file, or the empty text when the user cancelled.
    virtual QString fileDialog(QWidget *parent, const FileDialogRequest &request) = 0;
    // False when the user cancelled; color keeps its value then.
    virtual bool chooseColor(QWidget *parent, QColor &color) = 0;
    // Loads a GIF, JPEG or BMP picture; a null image when the file is missing or unreadable.
    virtual QImage loadPicture(const QString &path) = 0;
    // Opens a document or web address with the desktop's default handler.
    virtual bool openWithShell(const QString &target) = 0;
    // Starts a program with the given arguments, detached.
    virtual bool startProgram(const QString &program, const QStringList &arguments) = 0;

    // Convenience wrappers for the common shapes.
    void information(QWidget *parent, const QString &title, const QString &text)
    {
        message(parent, title, text, Icon::Information);
    }
    void critical(QWidget *parent, const QString &title, const QString &text)
    {
        message(parent, title, text, Icon::Critical);
    }

    // The services in use; the GUI installs the real ones at start-up, tests install a fake.
    static UiServices &instance();
    static void install(UiServices *services);
};

} // namespace platform
