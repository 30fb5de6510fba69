// The label-stock catalogue read from template files written here in the catalogue's own format:
// units, paper sizes, equivalents, the shapes and layouts that are skipped, and damaged files.

#include "label_stocks/catalogue.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "support/cli_runner.h"

using label_stocks::Catalogue;
using label_stocks::loadCatalogue;

namespace {

const QByteArray kPapers = R"(<?xml version="1.0"?>
<Glabels-paper-sizes>
  <Paper-size id="A4" _name="A4" width="210mm" height="297mm"/>
  <Paper-size id="US-Letter" _name="US Letter" width="8.5in" height="11in"/>
</Glabels-paper-sizes>
)";

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray templates(const QByteArray &body)
{
    return "<?xml version=\"1.0\"?>\n<Glabels-templates>\n" + body + "\n</Glabels-templates>\n";
}

const QByteArray kElm = R"(<Template brand="Hisago" part="ELM012" size="A4" _description="Rectangular labels">
  <Meta category="label"/>
  <Label-rectangle id="0" width="86.4mm" height="42.3mm" round="0mm" x_waste="0mm" y_waste="0mm">
    <Markup-margin size="5pt"/>
    <Layout nx="2" ny="6" x0="16.6mm" y0="21.6mm" dx="90.4mm" dy="42.3mm"/>
  </Label-rectangle>
</Template>)";

} // namespace

class TestLabelStocks : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void templates_data();
    void templates();
    void foldersAndFiles();
    void search();
    void cliStocks();
};

void TestLabelStocks::templates_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("key");            // the stock expected, or empty when it is skipped
    QTest::addColumn<QList<double>>("geometry"); // label w, h; columns, rows; left, top; gap x, y; paper w, h
    QTest::addColumn<QString>("note");           // a note expected, or empty when none

    QTest::newRow("millimetres, with gaps")
        << kElm << "Hisago:ELM012" << QList<double>{86.4, 42.3, 2, 6, 16.6, 21.6, 4, 0, 210, 297} << QString();
    QTest::newRow("inches, points and a bare number, on US Letter")
        << QByteArray(R"(<Template brand="Ex" part="1" size="US-Letter">
             <Label-rectangle width="2.5in" height="72pt" round="9">
               <Layout nx="3" ny="10" x0="0.25in" y0="36" dx="2.75in" dy="1in"/></Label-rectangle></Template>)")
        << "Ex:1" << QList<double>{63.5, 25.4, 3, 10, 6.35, 12.7, 6.35, 0, 215.9, 279.4} << QString();
    QTest::newRow("a paper of its own, one label without pitch")
        << QByteArray(R"(<Template brand="Ex" part="2" size="Other" width="100mm" height="50mm">
             <Label-rectangle width="90mm" height="40mm"><Layout nx="1" ny="1" x0="5mm" y0="5mm"/>
             </Label-rectangle></Template>)")
        << "Ex:2" << QList<double>{90, 40, 1, 1, 5, 5, 0, 0, 100, 50} << QString();
    QTest::newRow("an equivalent takes the other part's shape")
        << kElm + R"(<Template brand="Hisago" part="ELM012S" equiv="ELM012" _description="Same, small pack"/>)"
        << "Hisago:ELM012S" << QList<double>{86.4, 42.3, 2, 6, 16.6, 21.6, 4, 0, 210, 297} << QString();
    QTest::newRow("an equivalent of nothing") << QByteArray(R"(<Template brand="Ex" part="3" equiv="404"/>)")
                                              << QString() << QList<double>{} << "Ex:3: 同等品 404";
    QTest::newRow("round labels are skipped without a note")
        << QByteArray(R"(<Template brand="Ex" part="4" size="A4"><Label-round radius="20mm">
             <Layout nx="4" ny="6" x0="5mm" y0="5mm" dx="50mm" dy="45mm"/></Label-round></Template>)")
        << QString() << QList<double>{} << QString();
    QTest::newRow("two grids are skipped without a note")
        << QByteArray(R"(<Template brand="Ex" part="5" size="A4"><Label-rectangle width="50mm" height="20mm">
             <Layout nx="2" ny="2" x0="0mm" y0="0mm" dx="50mm" dy="20mm"/>
             <Layout nx="1" ny="1" x0="0mm" y0="100mm" dx="50mm" dy="20mm"/></Label-rectangle></Template>)")
        << QString() << QList<double>{} << QString();
    QTest::newRow("unknown paper")
        << QByteArray(R"(<Template brand="Ex" part="6" size="B9"><Label-rectangle width="5mm" height="5mm">
             <Layout nx="1" ny="1" x0="0mm" y0="0mm"/></Label-rectangle></Template>)")
        << QString() << QList<double>{} << "Ex:6: 読み飛ばしました (用紙 \"B9\"";
    QTest::newRow("labels beyond the sheet")
        << QByteArray(R"(<Template brand="Ex" part="7" size="A4"><Label-rectangle width="100mm" height="20mm">
             <Layout nx="3" ny="1" x0="0mm" y0="0mm" dx="100mm" dy="20mm"/></Label-rectangle></Template>)")
        << QString() << QList<double>{} << "Ex:7: 読み飛ばしました (ラベルが用紙からはみ出します)";
    QTest::newRow("overlapping labels")
        << QByteArray(R"(<Template brand="Ex" part="8" size="A4"><Label-rectangle width="50mm" height="20mm">
             <Layout nx="2" ny="1" x0="0mm" y0="0mm" dx="40mm" dy="20mm"/></Label-rectangle></Template>)")
        << QString() << QList<double>{} << "Ex:8: 読み飛ばしました (ラベルの位置または間隔";
    QTest::newRow("a grid of a million columns")
        << QByteArray(R"(<Template brand="Ex" part="9" size="A4"><Label-rectangle width="1pt" height="1pt">
             <Layout nx="1000000" ny="1" x0="0" y0="0" dx="1pt" dy="1pt"/></Label-rectangle></Template>)")
        << QString() << QList<double>{} << "Ex:9: 読み飛ばしました (ラベルの並び (1000000 × 1)";
    QTest::newRow("not a number")
        << QByteArray(R"(<Template brand="Ex" part="10" size="A4"><Label-rectangle width="nan" height="1e999mm">
             <Layout nx="1" ny="1" x0="0" y0="0"/></Label-rectangle></Template>)")
        << QString() << QList<double>{} << "Ex:10: 読み飛ばしました (ラベルの大きさ";
}

void TestLabelStocks::templates()
{
    QFETCH(QByteArray, body);
    QFETCH(QString, key);
    QFETCH(QList<double>, geometry);
    QFETCH(QString, note);
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("paper-sizes.xml")), kPapers);
    writeFile(dir.filePath(QStringLiteral("ex-templates.xml")), ::templates(body));
    const Catalogue c = loadCatalogue({dir.path()});

    if (note.isEmpty())
        QCOMPARE(c.notes, QStringList());
    else
        QVERIFY2(c.notes.size() == 1 && c.notes.first().startsWith(note), qPrintable(c.notes.join(u'\n')));
    const auto found = std::find_if(c.stocks.cbegin(), c.stocks.cend(), [&](const auto &s) { return s.key() == key; });
    if (key.isEmpty()) {
        QCOMPARE(c.stocks.size(), 0);
        return;
    }
    QVERIFY(found != c.stocks.cend());
    const QList<double> got{found->labelWidthMm, found->labelHeightMm, double(found->columns), double(found->rows),
                            found->leftMm,       found->topMm,         found->gapXMm(),        found->gapYMm(),
                            found->paperWidthMm, found->paperHeightMm};
    for (qsizetype i = 0; i < got.size(); ++i)
        QVERIFY2(qAbs(got[i] - geometry[i]) < 1e-6,
                 qPrintable(QStringLiteral("value %1: %2, expected %3").arg(i).arg(got[i]).arg(geometry[i])));
}

void TestLabelStocks::foldersAndFiles()
{
    QTemporaryDir user, system;
    writeFile(system.filePath(QStringLiteral("paper-sizes.xml")), kPapers);
    writeFile(system.filePath(QStringLiteral("hisago-templates.xml")), ::templates(kElm));
    writeFile(system.filePath(QStringLiteral("broken-templates.xml")), "<Glabels-templates><Template brand=");
    writeFile(system.filePath(QStringLiteral("categories.xml")), "<Glabels-categories/>");
    QFile huge(system.filePath(QStringLiteral("huge-templates.xml")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(label_stocks::kMaxFileBytes + 1));
    huge.close();
    // The user's own template of the same part, on a paper the system folder defines, wins.
    QByteArray own = kElm;
    own.replace("86.4mm", "80mm");
    writeFile(user.filePath(QStringLiteral("mine.template")), ::templates(own));

    const Catalogue c = loadCatalogue({user.path(), system.path(), user.filePath(QStringLiteral("missing"))});
    QCOMPARE(c.stocks.size(), 1);
    QCOMPARE(c.stocks.first().labelWidthMm, 80.0);
    QCOMPARE(c.notes.size(), 2);
    QVERIFY(c.notes.at(0).contains(QStringLiteral("broken-templates.xml: 1 行目: 読み飛ばしました")));
    QVERIFY(
        c.notes.at(1).contains(QStringLiteral("huge-templates.xml: 読み飛ばしました (8388608 バイトを超えています)")));
}

void TestLabelStocks::search()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("paper-sizes.xml")), kPapers);
    QByteArray other = kElm;
    other.replace("ELM012", "ELM006").replace("Rectangular labels", "Name badges");
    writeFile(dir.filePath(QStringLiteral("t.xml")), ::templates(kElm + other));
    const Catalogue c = loadCatalogue({dir.path()});
    QCOMPARE(c.search(QString()).size(), 2);
    QCOMPARE(c.search(QStringLiteral("hisago  elm012")).size(), 1);
    QCOMPARE(c.search(QStringLiteral("BADGES")).constFirst()->part, QStringLiteral("ELM006"));
    QCOMPARE(c.search(QStringLiteral("hisago nothing")).size(), 0);
    QCOMPARE(c.find(QStringLiteral("HISAGO"), QStringLiteral("elm006")), &c.stocks.at(0));
}

void TestLabelStocks::cliStocks()
{
    QTemporaryDir dir;
    writeFile(dir.filePath(QStringLiteral("paper-sizes.xml")), kPapers);
    writeFile(dir.filePath(QStringLiteral("t.xml")), ::templates(kElm));
    qputenv("VENNLO_LABEL_TEMPLATES", QFile::encodeName(dir.path()));
    const cli_runner::Run listed = cli_runner::runCli({"stocks", "elm012"});
    QCOMPARE(listed.exitCode, 0);
    QCOMPARE(listed.out, QStringLiteral("Hisago ELM012  86.4 × 42.3 mm  12 面 (2 × 6)  A4\n"));
    const cli_runner::Run none = cli_runner::runCli({"stocks", "nothing"});
    QCOMPARE(none.exitCode, 1);
    QCOMPARE(none.out, QString());
    qputenv("VENNLO_LABEL_TEMPLATES", QFile::encodeName(dir.filePath(QStringLiteral("empty"))));
    QVERIFY(cli_runner::runCli({"stocks"}).err.contains(QStringLiteral("no label stocks found")));
}

QTEST_GUILESS_MAIN(TestLabelStocks)
#include "tst_label_stocks.moc"
