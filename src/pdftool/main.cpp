// vennlo-pdf PAGE.html OUT.pdf: turns a page made by the program or by vennlo-cli into a PDF through
// the same code as the maker windows' PDF command. vennlo-cli starts it, so that the command line
// itself needs no web engine.

#include "dialogs/page_pdf_widgets.h"

#include <QApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    // The tool never shows a window: without a chosen platform it works headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments().mid(1);
    if (args.size() != 2 || args.first().startsWith(QLatin1String("--"))) {
        err << "usage: vennlo-pdf PAGE.html OUT.pdf\n"
               "exit status: 0 success; 1 the page could not be turned into a PDF; 2 usage error\n";
        return args.size() == 1 && args.first() == QLatin1String("--help") ? 0 : 2;
    }
    platform::AppError error;
    if (!dialogs::savePagePdf(args.at(0), args.at(1), &error)) {
        err << "vennlo-pdf: " << error.description << " (" << error.number << ")\n";
        return 1;
    }
    return 0;
}
