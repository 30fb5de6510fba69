// Column widths of automatic tables, against the web engine: every row below was printed by vennlo-pdf
// as a table of inline blocks of the given widths (no padding, no spacing; a cell's min its widest
// block) and its columns measured from the PDF's text layer, to about a tenth of a pixel.

#include "painting/columns.h"

#include <QtTest>

#include <cmath>
#include <numeric>

class TestColumns : public QObject {
    Q_OBJECT

private slots:
    void columns_data();
    void columns();
    void fixedColumns_data();
    void fixedColumns();
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
    // Narrower than the maxes: each column, from the first, takes its part of what is left in
    // proportion to its max, but at least its min.
    QTest::newRow("between mins and maxes, by the maxes")
        << Cells{{20, 100}, {30, 30}, {20, 100}} << Spans() << 150.0 << QList<double>{65.03, 30.01, 55.03};
    QTest::newRow("between mins and maxes, a min kept")
        << Cells{{20, 100}, {40, 60}, {10, 100}} << Spans() << 150.0 << QList<double>{57.02, 40.02, 53.03};
    QTest::newRow("four columns between mins and maxes")
        << Cells{{20, 20.4}, {10, 20.4}, {10, 50.4}, {45.3, 85.3}} << Spans() << 164.56
        << QList<double>{20.01, 19.01, 46.02, 79.04};
    QTest::newRow("a min taken early, the last column gives back")
        << Cells{{10, 60}, {30, 40}} << Spans() << 50.0 << QList<double>{20.01, 30.02};
    QTest::newRow("the table's fraction of a pixel left over")
        << Cells{{8.7, 8.7}, {30, 40.4}, {15, 55.4}} << Spans() << 105.49 << QList<double>{9.0, 40.02, 56.03};
    QTest::newRow("beyond the maxes, the fraction left over")
        << Cells{{10.3, 110.3}, {15.7, 16.1}} << Spans() << 153.91 << QList<double>{132.06, 21.01};
    // Spanning cells: the later of two over the same columns is spread first.
    QTest::newRow("two cells over both, narrower than their mins")
        << Cells{{20, 20.4}, {30, 30}} << Spans{{0, 1, 90.5, 210.5}, {0, 1, 90, 210}} << 76.96
        << QList<double>{37.02, 54.03};
    QTest::newRow("a cell over the last two, wide")
        << Cells{{45, 45}, {20, 60.4}, {20, 30.4}} << Spans{{1, 2, 20.5, 140.5}} << 278.23
        << QList<double>{67.03, 139.06, 72.03};
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

// A sheet of free cards: a fixed table as wide as the page's body (777.7 px on A4, a pixel less with
// cut lines), its columns measured as above from a card's first word on each.
void TestColumns::fixedColumns_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<QList<double>>("measured"); // the last column's right edge was not measured
    QTest::newRow("five columns") << 777.7 << QList<double>{155, 155, 155, 156};
    QTest::newRow("five columns, cut lines") << 776.7 << QList<double>{155, 155, 155, 155};
    QTest::newRow("three columns") << 777.7 << QList<double>{259, 259};
    QTest::newRow("three columns, cut lines") << 776.7 << QList<double>{258, 259};
    QTest::newRow("four columns, cut lines") << 776.7 << QList<double>{194, 194, 194};
}

void TestColumns::fixedColumns()
{
    QFETCH(double, width);
    QFETCH(QList<double>, measured);
    const std::vector<double> got = painting::fixedColumns(width, int(measured.size()) + 1);
    for (qsizetype i = 0; i < measured.size(); ++i)
        QCOMPARE(got[size_t(i)], measured[i]);
    QCOMPARE(std::accumulate(got.begin(), got.end(), 0.0), std::floor(width));
}

QTEST_GUILESS_MAIN(TestColumns)

#include "tst_columns.moc"
