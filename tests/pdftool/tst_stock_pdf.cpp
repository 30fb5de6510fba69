// Sheets on label stocks as the shop prints them: vennlo-cli --stock makes the sheet and its PDF, drawn by the painter
// or printed by the web engine, rasterised at 300 dpi; every card's edges must lie within 0.3 mm of its label on the
// sheet, the labels before the start position stay blank, and the printer calibration moves the content by exactly the
// millimetres entered.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <optional>

#include "support/cli_runner.h"

namespace {

const QString kProgramDir = QStringLiteral(VENNLO_PROGRAM_DIR);
const QString kShelfList = QStringLiteral(VENNLO_TEST_DATA_DIR "/shelf_labels/jan_list.csv");
constexpr double kDotsPerMm = 300 / 25.4;
constexpr double kTolerance = 0.3;

// A stock of the test's catalogue: label size, grid, first label and pitch, in mm.
struct Stock {
    QString part;
    double w, h;
    int nx, ny;
    double x0, y0, dx, dy;
};

const Stock kStocks[] = {
    {QStringLiteral("GAPS"), 63.5, 33.9, 3, 8, 7.25, 12.9, 66, 34.1},
    {QStringLiteral("BIG"), 86.4, 42.3, 2, 6, 16.6, 21.6, 90.4, 42.3},
    {QStringLiteral("FULL"), 70, 37.125, 3, 8, 0, 0, 70, 37.125},
};

QByteArray catalogue()
{
    QByteArray xml = "<?xml version=\"1.0\"?>\n<Glabels-templates>\n";
    for (const Stock &s : kStocks)
        xml += QStringLiteral("<Template brand=\"Test\" part=\"%1\" size=\"A4\"><Label-rectangle width=\"%2mm\" "
                              "height=\"%3mm\"><Layout nx=\"%4\" ny=\"%5\" x0=\"%6mm\" y0=\"%7mm\" dx=\"%8mm\" "
                              "dy=\"%9mm\"/></Label-rectangle></Template>\n")
                   .arg(s.part)
                   .arg(s.w)
                   .arg(s.h)
                   .arg(s.nx)
                   .arg(s.ny)
                   .arg(s.x0)
                   .arg(s.y0)
                   .arg(s.dx)
                   .arg(s.dy)
                   .toUtf8();
    return xml + "</Glabels-templates>\n";
}

const QByteArray kPapers = "<?xml version=\"1.0\"?>\n<Glabels-paper-sizes>\n"
                           "<Paper-size id=\"A4\" _name=\"A4\" width=\"210mm\" height=\"297mm\"/>\n"
                           "</Glabels-paper-sizes>\n";

int run(const QString &program, const QStringList &args, QByteArray *out = nullptr)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(300000)) {
        p.kill();
        p.waitForFinished();
        return -1;
    }
    if (out)
        *out = p.readAllStandardOutput();
    if (p.exitCode() != 0)
        qWarning("%s: %s", qPrintable(program), p.readAllStandardError().constData());
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
}

// A grey picture of one PDF page at 300 dpi.
struct Raster {
    int w = 0, h = 0;
    QByteArray px;
    bool dark(int x, int y) const
    {
        return x >= 0 && y >= 0 && x < w && y < h && quint8(px[qsizetype(y) * w + x]) < 128;
    }
};

std::optional<Raster> raster(const QString &pdf, int page, const QString &dir)
{
    const QString base = QDir(dir).filePath(QStringLiteral("page"));
    if (run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-gray"),
                                         QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                         QString::number(page), QStringLiteral("-singlefile"), pdf, base}) != 0)
        return std::nullopt;
    const QByteArray bytes = cli_runner::readBytes(base + QStringLiteral(".pgm"));
    const QList<QByteArray> head = bytes.left(64).split('\n');
    if (head.size() < 4 || head[0] != "P5")
        return std::nullopt;
    Raster r;
    const QList<QByteArray> size = head[1].split(' ');
    r.w = size.value(0).toInt();
    r.h = size.value(1).toInt();
    r.px = bytes.right(qsizetype(r.w) * r.h);
    return r;
}

// The first dark pixel met walking from `from` (mm) towards `to` along a row or a column, in mm.
std::optional<double> edge(const Raster &r, bool alongRow, double at, double from, double to)
{
    const int fixed = int(std::lround(at * kDotsPerMm));
    const int a = int(std::lround(from * kDotsPerMm));
    const int b = int(std::lround(to * kDotsPerMm));
    const int step = b > a ? 1 : -1;
    for (int i = a; i != b; i += step) {
        if (alongRow ? r.dark(i, fixed) : r.dark(fixed, i))
            return (step > 0 ? i : i + 1) / kDotsPerMm;
    }
    return std::nullopt;
}

bool anyDark(const Raster &r, const QRectF &mm)
{
    for (int y = int(mm.top() * kDotsPerMm) + 2; y < int(mm.bottom() * kDotsPerMm) - 2; y += 3)
        for (int x = int(mm.left() * kDotsPerMm) + 2; x < int(mm.right() * kDotsPerMm) - 2; x += 3)
            if (r.dark(x, y))
                return true;
    return false;
}

} // namespace

class TestStockPdf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cardsOnLabels_data();
    void cardsOnLabels();
    void calibrationMoves_data();
    void calibrationMoves();
    void unknownStock();

private:
    QString makePdf(const QTemporaryDir &dir, const QString &engine, const QString &part, int start,
                    const QList<QStringList> &settings);
    QTemporaryDir catalogueDir_;
};

void TestStockPdf::initTestCase()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftoppm and pdftotext (poppler-utils) are needed");
    QFile templates(catalogueDir_.filePath(QStringLiteral("test-templates.xml")));
    QVERIFY(templates.open(QIODevice::WriteOnly));
    templates.write(catalogue());
    templates.close();
    QFile papers(catalogueDir_.filePath(QStringLiteral("paper-sizes.xml")));
    QVERIFY(papers.open(QIODevice::WriteOnly));
    papers.write(kPapers);
    papers.close();
    qputenv("VENNLO_LABEL_TEMPLATES", catalogueDir_.path().toLocal8Bit());
}

// The shelf sheet of the list on the stock (none: the free layout), its cards framed in black, as PDF.
QString TestStockPdf::makePdf(const QTemporaryDir &dir, const QString &engine, const QString &part, int start,
                              const QList<QStringList> &settings)
{
    QList<QStringList> changes{{QStringLiteral("Border"), QStringLiteral("S"), QStringLiteral("solid")},
                               {QStringLiteral("Border"), QStringLiteral("W"), QStringLiteral("1")},
                               {QStringLiteral("Border"), QStringLiteral("C"), QStringLiteral("#000000")},
                               {QStringLiteral("Line"), QStringLiteral("line"), QStringLiteral("0")}};
    const QString ini = cli_runner::settingsFile(dir, changes + settings);
    const QString pdf = dir.filePath(QStringLiteral("sheet.pdf"));
    QStringList args{
        QStringLiteral("--settings"), ini,        QStringLiteral("--out"),   dir.filePath(QStringLiteral("out")),
        QStringLiteral("shelf"),      kShelfList, QStringLiteral("--start"), QString::number(start),
        QStringLiteral("--pdf"),      pdf};
    if (!part.isEmpty())
        args << QStringLiteral("--stock") << QStringLiteral("Test:") + part;
    args << QStringLiteral("--pdf-engine") << engine;
    const cli_runner::Run r = cli_runner::runCli(args);
    if (r.exitCode != 0)
        qWarning("%s", qPrintable(r.err));
    return r.exitCode == 0 ? pdf : QString();
}

void TestStockPdf::cardsOnLabels_data()
{
    QTest::addColumn<QString>("engine"); // the sheet drawn by the painter, or the page printed by the web engine
    QTest::addColumn<int>("stock");
    QTest::addColumn<int>("start");
    for (const QString engine : {QStringLiteral("painter"), QStringLiteral("web")}) {
        const QByteArray on = " (" + engine.toLatin1() + ")";
        QTest::newRow("margins and gaps, partly used sheet" + on) << engine << 0 << 5;
        QTest::newRow("two columns, from the first label" + on) << engine << 1 << 1;
        QTest::newRow("labels to the sheet's edges, last row" + on) << engine << 2 << 19;
    }
}

void TestStockPdf::cardsOnLabels()
{
    QFETCH(QString, engine);
    QFETCH(int, stock);
    QFETCH(int, start);
    const Stock &s = kStocks[stock];
    QTemporaryDir dir;
    const QString pdf = makePdf(dir, engine, s.part, start, {});
    QVERIFY(!pdf.isEmpty());
    const auto page = raster(pdf, 1, dir.path());
    QVERIFY(page);
    const int cards = int(cli_runner::readBytes(kShelfList).count('\n')) - 1;
    int measured = 0;
    double worst = 0;
    for (int i = 0; i < s.nx * s.ny; ++i) {
        const QRectF label(s.x0 + (i % s.nx) * s.dx, s.y0 + (i / s.nx) * s.dy, s.w, s.h);
        if (i < start - 1) {
            QVERIFY2(!anyDark(*page, label), qPrintable(QStringLiteral("label %1 is not blank").arg(i + 1)));
            continue;
        }
        if (i >= start - 1 + cards)
            break;
        // Each edge is looked for from outside the label, no further than halfway to the next label
        // (or the paper's edge); a card's border is its outermost ink. Edges the sheet's block clips
        // (the last 0.2 mm of the paper) are not measured.
        const int col = i % s.nx;
        const int row = i / s.nx;
        const double gapX = s.dx - s.w;
        const double gapY = s.dy - s.h;
        const double room[] = {col > 0 ? gapX / 2 : s.x0, col < s.nx - 1 ? gapX / 2 : 210 - label.right(),
                               row > 0 ? gapY / 2 : s.y0, row < s.ny - 1 ? gapY / 2 : 297 - label.bottom()};
        const double wanted[] = {label.left(), label.right(), label.top(), label.bottom()};
        const bool clipped[] = {false, label.right() > 209.7, false, label.bottom() > 296.7};
        const QPointF middle = label.center();
        for (int e = 0; e < 4; ++e) {
            if (clipped[e])
                continue;
            const double outward = e % 2 == 0 ? -1 : 1;
            const double from = wanted[e] + outward * std::min(1.2, std::max(0.0, room[e]));
            const auto found = e < 2 ? edge(*page, true, middle.y(), from, middle.x())
                                     : edge(*page, false, middle.x(), from, middle.y());
            QVERIFY2(found, qPrintable(QStringLiteral("label %1 has no card").arg(i + 1)));
            worst = std::max(worst, std::fabs(*found - wanted[e]));
            QVERIFY2(std::fabs(*found - wanted[e]) <= kTolerance,
                     qPrintable(QStringLiteral("label %1 edge %2 at %3 mm, the label's at %4 mm")
                                    .arg(i + 1)
                                    .arg(e)
                                    .arg(*found)
                                    .arg(wanted[e])));
        }
        ++measured;
    }
    QVERIFY(measured > 0);
    qInfo("%d cards, the farthest edge %.3f mm from its label", measured, worst);
}

// The same sheet with and without the calibration: every word moves by exactly the offsets.
void TestStockPdf::calibrationMoves_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("part"); // empty: the free layout
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    for (const QString engine : {QStringLiteral("painter"), QStringLiteral("web")}) {
        const QByteArray on = " (" + engine.toLatin1() + ")";
        QTest::newRow("stock, right 2.5, down 1.5" + on) << engine << kStocks[0].part << 25 << 15;
        QTest::newRow("stock, left 1.3" + on) << engine << kStocks[0].part << -13 << 0;
        QTest::newRow("stock, up 0.1, right 10" + on) << engine << kStocks[1].part << 100 << -1;
        QTest::newRow("free layout, right 1.5, down 4" + on) << engine << QString() << 15 << 40;
        QTest::newRow("free layout, left 2, up 3.3" + on) << engine << QString() << -20 << -33;
    }
}

void TestStockPdf::calibrationMoves()
{
    QFETCH(QString, engine);
    QFETCH(QString, part);
    QFETCH(int, x);
    QFETCH(int, y);
    auto words = [](const QString &pdf) {
        QByteArray html;
        run(QStringLiteral("pdftotext"),
            {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
             QStringLiteral("1"), pdf, QStringLiteral("-")},
            &html);
        static const QRegularExpression word(QStringLiteral("xMin=\"([-0-9.]+)\" yMin=\"([-0-9.]+)\""));
        QList<QPointF> at;
        for (auto it = word.globalMatch(QString::fromUtf8(html)); it.hasNext();) {
            const auto m = it.next();
            at << QPointF(m.captured(1).toDouble(), m.captured(2).toDouble());
        }
        return at;
    };
    QTemporaryDir plain;
    QTemporaryDir shifted;
    const QString before = makePdf(plain, engine, part, 1, {});
    const QString after = makePdf(shifted, engine, part, 1,
                                  {{QStringLiteral("Calibration"), QStringLiteral("X"), QString::number(x)},
                                   {QStringLiteral("Calibration"), QStringLiteral("Y"), QString::number(y)}});
    QVERIFY(!before.isEmpty() && !after.isEmpty());
    const QList<QPointF> a = words(before);
    const QList<QPointF> b = words(after);
    QVERIFY(!a.isEmpty());
    QCOMPARE(b.size(), a.size());
    const QPointF wanted(x / 10.0 * 72 / 25.4, y / 10.0 * 72 / 25.4);
    for (qsizetype i = 0; i < a.size(); ++i) {
        const QPointF moved = b[i] - a[i];
        QVERIFY2(std::fabs(moved.x() - wanted.x()) < 0.02 && std::fabs(moved.y() - wanted.y()) < 0.02,
                 qPrintable(QStringLiteral("word %1 moved %2, %3 pt instead of %4, %5")
                                .arg(i)
                                .arg(moved.x())
                                .arg(moved.y())
                                .arg(wanted.x())
                                .arg(wanted.y())));
    }
}

void TestStockPdf::unknownStock()
{
    QTemporaryDir dir;
    const cli_runner::Run r = cli_runner::runCli({QStringLiteral("--out"), dir.path(), QStringLiteral("shelf"),
                                                  kShelfList, QStringLiteral("--stock"), QStringLiteral("Test:NONE")});
    QCOMPARE(r.exitCode, 1);
    QCOMPARE(r.err, QStringLiteral("vennlo-cli: unknown label stock: Test:NONE (vennlo-cli stocks lists them as "
                                   "BRAND:PART)\n"));
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("temp.html"))));
}

QTEST_GUILESS_MAIN(TestStockPdf)
#include "tst_stock_pdf.moc"
