// vennlo-pdf [--offset=X,Y] PAGE.html OUT.pdf: turns a page made by the program or by vennlo-cli into a PDF through
// the same code as the maker windows' PDF command. vennlo-cli starts it, so that the command line
// itself needs no web engine.

#include "common/version.h"
#include "dialogs/page_pdf_widgets.h"
#include "platform/folders.h"
#include "platform/font_config.h"
#include "platform/web_engine_environment.h"

#include <QApplication>
#include <QTextStream>

#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>

namespace {

// The web engine reserves address space far beyond what it uses (its allocator's pools, the script
// engine's heap cage): Debian's Qt 6.4 aborts at start-up under an address-space limit (ulimit -v) of
// 40 GiB and works with 48 GiB, however small the page. Below that the tool says so instead.
constexpr rlim_t kEngineAddressSpace = rlim_t(48) << 30;

// Classic "out of memory".
constexpr int OutOfMemory = 7;

bool addressSpaceTooSmall()
{
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY || limit.rlim_cur >= kEngineAddressSpace)
        return false;
    std::fprintf(
        stderr,
        "vennlo-pdf: アドレス空間の制限 (%llu MB) が小さすぎて、ページを PDF にできません (%llu GB 以上が必要です)。 "
        "(%d)\n",
        static_cast<unsigned long long>(limit.rlim_cur >> 20),
        static_cast<unsigned long long>(kEngineAddressSpace >> 30), OutOfMemory);
    return true;
}

// "--offset=X,Y": the printer calibration in tenths of a millimetre.
std::optional<common::PrintCalibration> offsetOption(const QString &arg)
{
    const QStringList parts = arg.mid(QStringLiteral("--offset=").size()).split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    bool okX = false;
    bool okY = false;
    const int x = parts[0].trimmed().toInt(&okX);
    const int y = parts[1].trimmed().toInt(&okY);
    if (!okX || !okY || std::abs(x) > common::MaxCalibrationTenthsMm || std::abs(y) > common::MaxCalibrationTenthsMm)
        return std::nullopt;
    return common::PrintCalibration{x, y};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        QTextStream(stdout) << "vennlo-pdf " << common::applicationVersionText() << "\n";
        return 0;
    }
    // The tool never shows a window: without a chosen platform it works headless.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The page is laid out and printed in this process instead of a renderer process of its own. On a
    // lightly loaded machine both take the same time; on a busy one (load 10 on two cores) one process
    // took less than half as long: a 1,000-card sheet in 27 and 30 s against 58 and 79 s, runs taken
    // in turn. The tool loads only a local page of ours with scripts off, so the renderer's separate
    // process and sandbox have nothing to guard here. Flags set by the user stay.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("--single-process"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags.trimmed() + " --single-process");
    // Before anything reads fontconfig: designs' Windows font names draw in the Noto CJK faces.
    platform::useProgramFontConfig(platform::programFolderOf(platform::executableFolder()));
    platform::allowWebEngineAsRoot();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    common::PrintCalibration calibration;
    bool badOffset = false;
    if (!args.isEmpty() && args.first().startsWith(QLatin1String("--offset="))) {
        const auto given = offsetOption(args.takeFirst());
        badOffset = !given;
        calibration = given.value_or(common::PrintCalibration{});
    }
    if (badOffset || args.size() != 2 || args.first().startsWith(QLatin1String("--"))) {
        err << "usage: vennlo-pdf PAGE.html OUT.pdf\n"
               "exit status: 0 success; 1 the page could not be turned into a PDF; 2 usage error\n"
               "--offset=X,Y before PAGE.html moves the content by the printer's shift, X right and Y down in "
               "tenths of a millimetre (at most 1000 either way)\n";
        return args.size() == 1 && args.first() == QLatin1String("--help") ? 0 : 2;
    }
    if (addressSpaceTooSmall())
        return 1;
    platform::AppError error;
    if (!dialogs::savePagePdf(args.at(0), args.at(1), &error, nullptr, dialogs::PagePdfTimeoutBySize, calibration)) {
        err << "vennlo-pdf: " << error.description << " (" << error.number << ")\n";
        return 1;
    }
    return 0;
}
