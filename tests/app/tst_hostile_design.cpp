#include "ledger/sheet.h"
#include "platform/cp932.h"
#include "platform/profile_file.h"
#include "price_tags/design_file.h"
#include "price_tags/preview.h"
#include "price_tags/sheet.h"
#include "settings/settings.h"
#include "shelf_labels/design_file.h"
#include "shelf_labels/preview.h"
#include "shelf_labels/sheet.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// A design shared by someone else, or a settings file edited by hand, must not be able to end a
// page's style block or put markup into the page: every maker's page and both previews are made from
// hostile values arriving by each way a design reaches them.

namespace {

const QString kFont = QStringLiteral("a\"}</style><script>alert(1)</script>");
const QString kColor = QStringLiteral("#FF0000;}</style><script>alert(2)</script>");
const QString kSize = QStringLiteral("12;}</style><script>alert(3)</script>");
const QString kBorder = QStringLiteral("none;}</style><script>alert(4)</script>");

struct Designs {
    shelf_labels::ShelfLabelDesign shelf;
    price_tags::PriceTagDesign tag;
    ledger::LedgerDesign ledger;
    products::TaxSettings tax;
};

using Edits = QList<QStringList>; // section, key, value

bool saveWith(const QString &path, const QByteArray &start, const Edits &edits)
{
    platform::ProfileFile p(path);
    p.setBytes(start);
    for (const QStringList &e : edits)
        p.setValue(e[0], e[1], e[2]);
    return p.save();
}

QString pageText(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return platform::cp932::decode(f.readAll());
}

} // namespace

class TestHostileDesign : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pagesStayPages_data();
    void pagesStayPages();
};

void TestHostileDesign::pagesStayPages_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("page");
    for (const char *source : {"memory", "settings file", "design file"}) {
        for (const char *page : {"shelf sheet", "shelf preview", "tag sheet", "tag preview", "ledger"}) {
            // The ledger has no design file of its own.
            if (QLatin1String(source) == QLatin1String("design file") && QLatin1String(page) == QLatin1String("ledger"))
                continue;
            QTest::addRow("%s, %s", source, page) << QString::fromLatin1(source) << QString::fromLatin1(page);
        }
    }
}

void TestHostileDesign::pagesStayPages()
{
    QFETCH(QString, source);
    QFETCH(QString, page);
    QTemporaryDir dir;
    Designs d;

    if (source == QLatin1String("memory")) {
        // The windows hold colours as swatches and sizes from the font dialog; a font name is what
        // the page writers must quote safely whatever it holds.
        for (auto &a : d.shelf.area)
            a.fontName = kFont;
        d.tag.fontName.fill(kFont);
        d.ledger.fontName = kFont;
    } else if (source == QLatin1String("settings file")) {
        const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
        const Edits edits{{"FontName", "2", kFont},   {"FontSize", "3", kSize},    {"FontColor", "0", kColor},
                          {"BackColor", "H", kColor}, {"BackColor", "B", kColor},  {"Line", "Color", kColor},
                          {"Border", "S", kBorder},   {"Border", "C", kColor},     {"CFontName", "0", kFont},
                          {"CFontSize", "2", kSize},  {"CFontColor", "1", kColor}, {"CMake", "LC", kColor},
                          {"DC", "FN", kFont},        {"DC", "LC", kColor},        {"DC", "BC", kColor}};
        QVERIFY(saveWith(path, settings::defaultSettingsBytes(), edits));
        const settings::SettingsLoad load = settings::GetInitial(path, QString(), false);
        QCOMPARE(load.reports.size(), 1);
        QCOMPARE(load.reports.at(0).error.number, 13);
        d.shelf = load.settings.shelf;
        d.tag = load.settings.tag;
        d.ledger = load.settings.ledger;
        d.tax = load.settings.tax;
    } else {
        const QString hdn = dir.filePath(QStringLiteral("a.hdn"));
        QVERIFY(shelf_labels::WriteDesign(shelf_labels::SetDefaultA(), hdn));
        platform::ProfileFile written(hdn);
        QVERIFY(written.load());
        QVERIFY(saveWith(hdn, written.toBytes(),
                         {{"FontName", "2", kFont},
                          {"FontName", "6", kFont},
                          {"FontSize", "3", kSize},
                          {"FontColor", "0", kColor},
                          {"BackColor", "H", kColor},
                          {"Line", "Color", kColor},
                          {"Border", "S", kBorder},
                          {"Border", "C", kColor}}));
        const shelf_labels::DesignRead shelfRead = shelf_labels::ReadDesign(hdn);
        QVERIFY(!shelfRead.error.isSet());
        QCOMPARE(shelfRead.replaced.description,
                 QStringLiteral("型が一致しません。 ([FontName] 2, [FontSize] 3, [FontName] 6)"));
        shelf_labels::storeWindowValues(shelfRead.values, d.shelf, d.tax);

        const QString cdn = dir.filePath(QStringLiteral("a.cdn"));
        platform::ProfileFile tagFile(cdn);
        price_tags::WriteCDesign(price_tags::WindowValues(), tagFile);
        QVERIFY(saveWith(cdn, tagFile.toBytes(),
                         {{"CFontName", "0", kFont},
                          {"CFontName", "3", kFont},
                          {"CFontSize", "2", kSize},
                          {"CFontColor", "1", kColor},
                          {"CMake", "LC", kColor}}));
        const price_tags::CDesignRead tagRead = price_tags::ReadCDesign(cdn, price_tags::WindowValues());
        QVERIFY(!tagRead.error.isSet());
        QCOMPARE(tagRead.replaced.description,
                 QStringLiteral("型が一致しません。 ([CFontName] 0, [CFontSize] 2, [CFontName] 3)"));
        QVERIFY(!price_tags::SetCValue(tagRead.form, d.tag).isSet());
    }

    QString text;
    const products::ProductList list{{QStringLiteral("A-1"), QStringLiteral("りんご"), QStringLiteral("100"), QString(),
                                      QStringLiteral("4901234567894"), true}};
    if (page == QLatin1String("shelf sheet")) {
        const common::MakeResult made =
            shelf_labels::make(shelf_labels::Inputs{list, d.shelf, d.tax, QStringLiteral("1")}, dir.path());
        QVERIFY2(made.ok(), qPrintable(made.text + made.error.description));
        text = pageText(made.path);
    } else if (page == QLatin1String("shelf preview")) {
        QString path;
        QVERIFY(shelf_labels::MakePreviewHtml(d.shelf, d.tax, dir.path(), &path));
        text = pageText(path);
    } else if (page == QLatin1String("tag sheet")) {
        price_tags::ProductSlots items;
        items[0] = {QStringLiteral("A-1"), QStringLiteral("りんご"), QStringLiteral("105"),
                    QStringLiteral("4901234567894"), true};
        price_tags::Copies copies;
        copies.fill(QStringLiteral("0"));
        copies[0] = QStringLiteral("2");
        const common::MakeResult made =
            price_tags::make({.rows = items, .design = d.tag, .copies = copies}, dir.path());
        QVERIFY2(made.ok(), qPrintable(made.text + made.error.description));
        text = pageText(made.path);
    } else if (page == QLatin1String("tag preview")) {
        const price_tags::PageLines lines = price_tags::MakeCPrevHtml(d.tag);
        QVERIFY(!lines.error.isSet());
        text = lines.lines.join(QLatin1Char('\n'));
    } else {
        const common::MakeResult made =
            ledger::make(ledger::Inputs{list, d.ledger, d.tax, QStringLiteral("1")}, dir.path());
        QVERIFY2(made.ok(), qPrintable(made.text + made.error.description));
        text = pageText(made.path);
    }

    QVERIFY(text.contains(QLatin1String("<style")));
    QVERIFY2(!text.contains(QLatin1String("<script"), Qt::CaseInsensitive), qPrintable(text));
    QCOMPARE(text.count(QLatin1String("</style>"), Qt::CaseInsensitive), 1);
    QVERIFY(text.indexOf(QLatin1String("</style>")) < text.indexOf(QLatin1String("<body")));
}

QTEST_GUILESS_MAIN(TestHostileDesign)
#include "tst_hostile_design.moc"
