#include "app/frmMain.h"
#include "app/startup.h"
#include "common/version.h"
#include "dialogs/splash_picture.h"
#include "platform/dialog_services_widgets.h"
#include "platform/folders.h"
#include "platform/font_config.h"
#include "platform/qt_translation.h"
#include "platform/single_instance.h"
#include "platform/termination_signals.h"
#include "platform/web_engine_environment.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>
#include <QTimer>

#include <cstring>

namespace {

void setNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("vennlo"));
    QCoreApplication::setApplicationVersion(common::applicationVersionText());
}

// vennlo [FILE]: a product list (.csv), a shelf-label design (.hdn) or a price-tag design (.cdn).
void describe(QCommandLineParser &parser)
{
    parser.setApplicationDescription(common::programTitle() +
                                     QStringLiteral(": 棚札・貼付用値札・商品台帳をJANバーコード付きで作成します"));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("開くファイル: 商品リスト(.csv)、棚札デザイン(.hdn)、"
                                                "貼付用値札デザイン(.cdn)"),
                                 QStringLiteral("[FILE]"));
}

// --help and --version are answered without a display.
bool onlyTextWanted(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        for (const char *option : {"-h", "--help", "--help-all", "-v", "--version"}) {
            if (std::strcmp(argv[i], option) == 0)
                return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char *argv[])
{
    if (onlyTextWanted(argc, argv)) {
        QCoreApplication text(argc, argv);
        setNames();
        QCommandLineParser parser;
        describe(parser);
        parser.process(text); // prints and ends
        return 0;
    }

    // Before anything reads fontconfig: designs' Windows font names draw in the Noto CJK faces.
    platform::useProgramFontConfig(platform::programFolderOf(platform::executableFolder()));
    platform::allowWebEngineAsRoot();
    // The maker windows' previews are web views: they share the application's GL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // On Linux the web engine keeps its pages out of the accessibility tree unless asked to: the
    // previews would be one empty node to a screen reader. It costs nothing until one is listening.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    QApplication app(argc, argv);
    setNames();
    QApplication::setApplicationDisplayName(QStringLiteral("ぽらね値札作成"));
    QApplication::setDesktopFileName(QStringLiteral("vennlo"));
    QApplication::setWindowIcon(QIcon(dialogs::splashPicture(64)));
    platform::installQtJapanese(app);

    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    const QString file = app::givenFilePath(parser.positionalArguments().value(0));

    platform::WidgetUiServices services;
    platform::UiServices::install(&services);

    platform::SingleInstance instance;
    if (!app::checkSingleInstance(instance, services, file))
        return 0;

    settings::Settings settings;
    app::frmMain window(settings, services);
    QObject::connect(&window, &app::frmMain::unloaded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    platform::TerminationSignals termination;
    QObject::connect(&termination, &platform::TerminationSignals::terminationRequested, &window,
                     &app::frmMain::endSession);
    QObject::connect(&instance, &platform::SingleInstance::fileHandedOver, &window, &app::frmMain::openGivenFile);
    window.Form_Load();
    window.show();
    if (!file.isEmpty())
        QTimer::singleShot(0, &window, [&window, file] { window.openGivenFile(file); });
    return app.exec();
}
