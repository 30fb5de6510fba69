#include "app/frmMain.h"
#include "app/startup.h"
#include "dialogs/splash_picture.h"
#include "platform/dialog_services_widgets.h"
#include "platform/folders.h"
#include "platform/font_config.h"
#include "platform/qt_translation.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char *argv[])
{
    // Before anything reads fontconfig: designs' Windows font names draw in the Noto CJK faces.
    platform::useProgramFontConfig(platform::programFolderOf(platform::executableFolder()));
    // The maker windows' previews are web views: they share the application's GL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // On Linux the web engine keeps its pages out of the accessibility tree unless asked to: the
    // previews would be one empty node to a screen reader. It costs nothing until one is listening.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vennlo"));
    QApplication::setApplicationDisplayName(QStringLiteral("ぽらね値札作成"));
    QApplication::setDesktopFileName(QStringLiteral("vennlo"));
    QApplication::setWindowIcon(QIcon(dialogs::splashPicture(64)));
    platform::installQtJapanese(app);

    platform::WidgetUiServices services;
    platform::UiServices::install(&services);

    platform::SingleInstance instance;
    if (!app::checkSingleInstance(instance, services))
        return 0;

    app::Settings settings;
    app::frmMain window(settings, services);
    QObject::connect(&window, &app::frmMain::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, &window,
                     &app::frmMain::endSession);
    window.Form_Load();
    window.show();
    return app.exec();
}
