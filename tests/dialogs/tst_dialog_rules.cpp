#include "dialogs/browser_display.h"
#include "dialogs/font_choice.h"
#include "dialogs/palette.h"
#include "ledger/sheet.h"
#include "ledger/window_values.h"
#include "price_tags/sheet.h"
#include "price_tags/window_values.h"
#include "shelf_labels/sheet.h"
#include "shelf_labels/window_values.h"
#include "support/fake_ui_services.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace dialogs;

Q_DECLARE_METATYPE(FontFields)
Q_DECLARE_METATYPE(FontChoice)
Q_DECLARE_METATYPE(MakerPage)

class TestDialogRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fontListLeavesOutSystemNames()
    {
        const QStringList families{"@ＭＳ 明朝", "ＭＳ 明朝", "$Hidden", "&Amp", "%Pct", "", "Noto Sans", "A@B"};
        QCOMPARE(listedFontNames(families), (QStringList{"ＭＳ 明朝", "Noto Sans", "A@B"}));
    }

    void fieldsAndResultByTarget_data()
    {
        QTest::addColumn<FontFields>("target"); // the maker's fields of that item
        QTest::addColumn<FontFields>("fields");
        QTest::addColumn<FontChoice>("result");
        const FontFields all;
        QTest::newRow("shelf item") << shelf_labels::ItemFont << all
                                    << FontChoice{"B", "7.5mm", "太字", "#000080", "右"};
        QTest::newRow("tag item") << price_tags::ItemFont << all << FontChoice{"B", "7.5mm", "太字", "#000080", "右"};
        QTest::newRow("price mark") << shelf_labels::PriceMarkFont << FontFields{false, false, true, true}
                                    << FontChoice{"B", "7.5mm", "太字", "#FF0000", "左"};
        QTest::newRow("ledger") << ledger::PageFont << FontFields{false, false, false, false}
                                << FontChoice{"B", "7.5", "通常", "#FF0000", "左"};
    }
    void fieldsAndResultByTarget()
    {
        QFETCH(FontFields, target);
        QFETCH(FontFields, fields);
        QFETCH(FontChoice, result);
        QCOMPARE(target, fields);
        const FontChoice start{"A", "20pt", "通常", "#FF0000", "左"};
        const FontChoice dialog{"B", "7.5", "太字", "#000080", "右"};
        QCOMPARE(fontResult(target, start, dialog, target.unit ? "mm" : QString()), result);
    }

    void sizeSplit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("unit");
        QTest::newRow("mm") << "5mm"
                            << "5"
                            << "mm";
        QTest::newRow("pt") << "20pt"
                            << "20"
                            << "pt";
        QTest::newRow("fraction") << "10.5pt"
                                  << "10.5"
                                  << "pt";
        QTest::newRow("no unit") << "12"
                                 << "12"
                                 << "pt";
        QTest::newRow("empty") << ""
                               << ""
                               << "pt";
    }
    void sizeSplit()
    {
        QFETCH(QString, text);
        QFETCH(QString, number);
        QFETCH(QString, unit);
        QCOMPARE(splitFontSize(text), (FontSize{number, unit}));
    }

    void sizeCheck_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("0.4") << "0.4" << false;
        QTest::newRow("0.5 rounds to even 0") << "0.5" << false;
        QTest::newRow("0.6") << "0.6" << true;
        QTest::newRow("1") << "1" << true;
        QTest::newRow("12") << "12" << true;
        QTest::newRow("leading point") << ".9" << true;
        QTest::newRow("trailing point") << "9." << true;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("point alone") << "." << false;
        QTest::newRow("two points") << "1.2.3" << false;
        QTest::newRow("exponent") << "1e3" << false;
        QTest::newRow("thousands") << "1,280" << false;
        QTest::newRow("sign") << "-5" << false;
        QTest::newRow("beyond 32 bits") << "99999999999" << false;
    }
    void sizeCheck()
    {
        QFETCH(QString, number);
        QFETCH(bool, accepted);
        QCOMPARE(fontSizeAccepted(number), accepted);
    }

    void paletteNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::newRow("black") << "black"
                               << "#000000";
        QTest::newRow("silver") << "silver"
                                << "#C0C0C0";
        QTest::newRow("navy") << "navy"
                              << "#000080";
        QTest::newRow("teal") << "teal"
                              << "#008080";
        QTest::newRow("fuchsia") << "fuchsia"
                                 << "#FF00FF";
        QTest::newRow("olive") << "olive"
                               << "#808000";
        QTest::newRow("maroon") << "maroon"
                                << "#800000";
        QTest::newRow("red") << "red"
                             << "#FF0000";
    }
    void paletteNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QCOMPARE(paletteColorText(name), std::optional<QString>(text));
    }

    void paletteOrder()
    {
        QStringList names;
        for (const NamedColor &c : paletteColors())
            names << c.name;
        QCOMPARE(names, (QStringList{"black", "gray", "silver", "white", "blue", "navy", "teal", "green", "aqua",
                                     "lime", "yellow", "fuchsia", "olive", "purple", "maroon", "red"}));
        QVERIFY(!paletteColorText("orange"));
    }

    void colorTexts_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("normal");
        QTest::newRow("upper") << "#FFFF00"
                               << "#FFFF00";
        QTest::newRow("lower") << "#a0b1c2"
                               << "#A0B1C2";
        QTest::newRow("bad digits count 0") << "#GG12ZZ"
                                            << "#001200";
        QTest::newRow("short") << "#FF"
                               << "#FF0000";
        QTest::newRow("empty") << ""
                               << "#000000";
    }
    void colorTexts()
    {
        QFETCH(QString, text);
        QFETCH(QString, normal);
        QCOMPARE(colorText(colorFromText(text)), normal);
    }

    void displayName_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("name");
        QTest::newRow("upper exe") << "C:\\Program Files\\WEB.EXE"
                                   << "Web";
        QTest::newRow("slashes") << "/usr/bin/firefox"
                                 << "Firefox";
        QTest::newRow("every .exe") << "a.exe.EXE"
                                    << "A";
        QTest::newRow("inner exe") << "my.exe-tool"
                                   << "My-tool";
        QTest::newRow("empty") << ""
                               << "";
    }
    void displayName()
    {
        QFETCH(QString, path);
        QFETCH(QString, name);
        QCOMPARE(browserDisplayName(path), name);
    }

    void makerPages_data()
    {
        QTest::addColumn<MakerPage>("page"); // as the maker names it
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("label");
        QTest::newRow("shelf") << shelf_labels::makerPage() << "temp.html"
                               << "frmTanafuda.ShowExplorer";
        QTest::newRow("tags") << price_tags::makerPage() << "ctemp.html"
                              << "Sub.ShowExplorer";
        QTest::newRow("ledger") << ledger::makerPage() << "dtemp.html"
                                << "frmDaicyo.ShowExplorer";
    }
    void makerPages()
    {
        QFETCH(MakerPage, page);
        QFETCH(QString, file);
        QFETCH(QString, label);
        QCOMPARE(page.fileName, file);
        QCOMPARE(page.label, label);
        QCOMPARE(makerPagePath(page, "/data/Vennla"), QDir::toNativeSeparators("/data/Vennla/" + file));
    }

    // Opening a page through a fake launcher: which service gets which command.
    void openPageLaunches_data()
    {
        QTest::addColumn<int>("used");
        QTest::addColumn<bool>("programExists");
        QTest::addColumn<bool>("launcherWorks");
        QTest::addColumn<QString>("expected"); // "shell", "program", "nothing"
        QTest::addColumn<int>("errorNumber");
        QTest::newRow("default browser") << 0 << true << true << "shell" << 0;
        QTest::newRow("program") << 1 << true << true << "program" << 0;
        QTest::newRow("program gone") << 1 << false << true << "shell" << 0;
        QTest::newRow("other value") << 2 << true << true << "nothing" << 0;
        QTest::newRow("shell fails") << 0 << true << false << "shell" << 429;
        QTest::newRow("program fails") << 1 << true << false << "program" << 5;
    }
    void openPageLaunches()
    {
        QFETCH(int, used);
        QFETCH(bool, programExists);
        QFETCH(bool, launcherWorks);
        QFETCH(QString, expected);
        QFETCH(int, errorNumber);
        QTemporaryDir dir;
        const QString program = dir.filePath("my browser");
        if (programExists) {
            QFile f(program);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        const QString page = dir.filePath("Vennla/temp.html");
        FakeUiServices ui;
        ui.shellSucceeds = launcherWorks;
        const auto failure = openPage(BrowserSettings{used, program}, page, ui);
        QCOMPARE(failure ? failure->number : 0, errorNumber);
        QCOMPARE(ui.opened, expected == "shell" ? QStringList{page} : QStringList{});
        const QList<QStringList> programStarted{QStringList{program, page}};
        QCOMPARE(ui.started, expected == "program" ? programStarted : QList<QStringList>());
        QCOMPARE(browserCommandLine(program, page), '"' + program + "\" \"" + page + '"');
    }

    void usedOneWithEmptyPathUsesDefault()
    {
        const BrowserLaunch launch = browserLaunch(BrowserSettings{1, QString()}, "/p/temp.html");
        QCOMPARE(launch.kind, BrowserLaunch::Kind::DefaultBrowser);
        QCOMPARE(launch.target, QStringLiteral("/p/temp.html"));
    }

    void browserDialogRules_data()
    {
        QTest::addColumn<bool>("otherSelected");
        QTest::addColumn<QString>("path"); // "exists", "missing", "folder", ""
        QTest::addColumn<int>("used");
        QTest::addColumn<bool>("keepsPath");
        QTest::newRow("other with program") << true << "exists" << 1 << true;
        QTest::newRow("default with program") << false << "exists" << 0 << true;
        QTest::newRow("other without program") << true << "" << 0 << false;
        QTest::newRow("other, program gone") << true << "missing" << 0 << false;
        QTest::newRow("other, a folder") << true << "folder" << 0 << false;
    }
    void browserDialogRules()
    {
        QFETCH(bool, otherSelected);
        QFETCH(QString, path);
        QFETCH(int, used);
        QFETCH(bool, keepsPath);
        QTemporaryDir dir;
        QFile program(dir.filePath("WEB.EXE"));
        QVERIFY(program.open(QIODevice::WriteOnly));
        const QString full = path == "exists"    ? program.fileName()
                             : path == "missing" ? dir.filePath("GONE.EXE")
                             : path == "folder"  ? dir.path()
                                                 : QString();
        const BrowserSettings result = browserDialogResult(otherSelected, full);
        QCOMPARE(result, (BrowserSettings{used, keepsPath ? full : QString()}));
        // What the dialog shows for a stored choice follows the same test of the path.
        const BrowserDialogStart start = browserDialogStart(BrowserSettings{1, full});
        QCOMPARE(start.path, keepsPath ? full : QString());
        QCOMPARE(start.otherSelected, keepsPath);
    }
};

QTEST_GUILESS_MAIN(TestDialogRules)
#include "tst_dialog_rules.moc"
