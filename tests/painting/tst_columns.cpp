// Column widths of automatic tables, against the web engine: every row below was printed by vennlo-pdf
// as a table of inline blocks of the given widths (no padding, no spacing) and its columns measured
// from the PDF's text layer, to about a tenth of a pixel.

#include "painting/columns.h"

#include <QtTest>

class TestColumns : public QObject {
    Q_OBJECT

private slots:
    void columns_data();
    void columns();
};

using Cells = QList<QPointF>;       // one cell of one column each: {min, max}
using Spans = QList<QList<double>>; // {first column, last column, min, max}

void TestColumns::columns_data()
{
    QTest::addColumn<Cells>("cells");
    QTest::addColumn<Spans>("spans");
    QTest::addColumn<double>("width"); // the table's; 0: as wide as its columns' maxes
    QTest::addColumn<QList<double>>("measured");
    const Cells marks{{20, 20}, {30, 30}, {20, 20}, {10, 10}};
    QTest::newRow("a cell over three of four columns, later ones gain the broken pixels")
        << marks << Spans{{0, 2, 200, 200}} << 600.0 << QList<double>{162.07, 243.10, 166.07, 29.02};
    QTest::newRow("a cell over all four, shares in whole pixels")
        << marks << Spans{{0, 3, 400, 400}} << 600.0 << QList<double>{150.06, 225.10, 150.06, 75.04};
    QTest::newRow("breakable columns under a wide cell")
        << Cells{{10, 40}, {30, 30}, {10, 20}} << Spans{{0, 2, 20, 200}} << 600.0
        << QList<double>{264.11, 201.08, 135.07};
    const Cells three{{20, 20}, {30, 30}, {10, 10}};
    QTest::newRow("a cell over three, the table as wide as its columns")
        << three << Spans{{0, 2, 100, 100}} << 0.0 << QList<double>{33.01, 50.02, 17.02};
    QTest::newRow("a cell half a pixel wider takes a whole one")
        << three << Spans{{0, 2, 100.5, 100.5}} << 0.0 << QList<double>{33.01, 51.02, 17.02};
    QTest::newRow("no cell over them, a given width")
        << three << Spans() << 100.0 << QList<double>{33.01, 50.02, 17.02};
    QTest::newRow("equal columns, the last takes the rest")
        << Cells{{20, 20}, {20, 20}, {20, 20}} << Spans() << 100.0 << QList<double>{33.01, 33.01, 34.03};
    QTest::newRow("a share's broken pixel stays with the next column")
        << Cells{{20, 20}, {30, 30}} << Spans() << 104.0 << QList<double>{41.02, 63.04};
    QTest::newRow("a cell's fraction of a pixel rounded up")
        << Cells{{20.25, 20.25}, {30, 30}} << Spans() << 0.0 << QList<double>{21.01, 30.03};
}

void TestColumns::columns()
{
    QFETCH(Cells, cells);
    QFETCH(Spans, spans);
    QFETCH(double, width);
    QFETCH(QList<double>, measured);
    std::vector<painting::ColumnWidths> cols(size_t(cells.size()));
    for (qsizetype i = 0; i < cells.size(); ++i)
        painting::encompass(cols[size_t(i)], {cells[i].x(), cells[i].y()});
    for (const QList<double> &s : spans)
        painting::spreadSpan(cols, int(s[0]), int(s[1]), 0, {s[2], s[3]});
    if (width == 0)
        for (const auto &c : cols)
            width += c.max;
    const std::vector<double> got = painting::autoColumns(cols, width);
    QCOMPARE(qsizetype(got.size()), measured.size());
    for (qsizetype i = 0; i < measured.size(); ++i)
        QVERIFY2(qAbs(got[size_t(i)] - measured[i]) < 0.15,
                 qPrintable(QStringLiteral("column %1: %2").arg(i).arg(got[size_t(i)])));
}

QTEST_GUILESS_MAIN(TestColumns)

#include "tst_columns.moc"
