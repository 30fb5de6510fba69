// Loading the label-stock catalogue (the installed template files, or the folders named on the
// command line), as a designer window does when its paper list is first shown.
// Build in Release and run: bench_stocks [runs] [FOLDER...]
#include "label_stocks/catalogue.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const int runs = args.isEmpty() ? 20 : std::max(1, args.takeFirst().toInt());
    const QStringList folders = args.isEmpty() ? label_stocks::catalogueFolders() : args;
    qint64 best = -1;
    qint64 total = 0;
    label_stocks::Catalogue catalogue;
    const std::clock_t cpuStart = std::clock();
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer clock;
        clock.start();
        catalogue = label_stocks::loadCatalogue(folders);
        const qint64 ns = clock.nsecsElapsed();
        total += ns;
        best = best < 0 ? ns : std::min(best, ns);
    }
    // CPU time as well: on a loaded machine the wall clock mostly measures the other processes.
    const double cpuMs = double(std::clock() - cpuStart) * 1000 / CLOCKS_PER_SEC / runs;
    std::printf("catalogue: %lld stocks, %lld notes; wall best %.2f ms, mean %.2f ms; CPU %.2f ms a load; %d runs\n",
                qint64(catalogue.stocks.size()), qint64(catalogue.notes.size()), best / 1e6, total / 1e6 / runs, cpuMs,
                runs);
    return catalogue.stocks.isEmpty() ? 1 : 0;
}
