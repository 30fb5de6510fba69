#include "dialogs/browser_display_widgets.h"
#include "dialogs/dlgBrowser.h"
#include "dialogs/dlgFont.h"
#include "dialogs/dlgPalete.h"
#include "support/fake_ui_services.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

using namespace dialogs;

Q_DECLARE_METATYPE(FontFields)

namespace {

const QStringList Families{"@Vertical", "Alpha Sans", "$System", "Beta Serif", "&Amp", "%Pct"};
// The fields of the makers' text items: items, the price mark, the ledger's size alone.
const FontFields AllFields;
const FontFields PriceMarkFields{.color = false, .align = false, .unit = true, .style = true};
const FontFields SizeOnlyFields{.color = false, .align = false, .unit = false, .style = false};

// The made-up families stand for installed ones; "Gone Mincho" is listed but cannot be drawn.
bool usable(const QString &name)
{
    return name != QStringLiteral("Gone Mincho");
}

template <typename T> T *child(QWidget *parent, const QString &name)
{
    T *w = parent->findChild<T *>(name);
    if (!w)
        qFatal("no control %s", qPrintable(name));
    return w;
}

void click(QWidget *parent, const QString &name)
{
    QTest::mouseClick(child<QAbstractButton>(parent, name), Qt::LeftButton);
}

} // namespace

class TestDialogsGui : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fontLoads_data()
    {
        QTest::addColumn<FontFields>("fields");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("unit");
        QTest::addColumn<QString>("style");
        QTest::addColumn<bool>("colorAndAlign");
        QTest::addColumn<bool>("unitAndStyle");
        QTest::newRow("shelf item, mm") << AllFields << "5mm"
                                        << "5"
                                        << "mm"
                                        << "太字" << true << true;
        QTest::newRow("tag item, pt") << AllFields << "20pt"
                                      << "20"
                                      << "pt"
                                      << "太字" << true << true;
        QTest::newRow("price mark") << PriceMarkFields << "9pt"
                                    << "9"
                                    << "pt"
                                    << "太字" << false << true;
        QTest::newRow("ledger") << SizeOnlyFields << "11"
                                << "11"
                                << ""
                                << "通常" << false << false;
    }
    void fontLoads()
    {
        QFETCH(FontFields, fields);
        QFETCH(QString, size);
        QFETCH(QString, number);
        QFETCH(QString, unit);
        QFETCH(QString, style);
        QFETCH(bool, colorAndAlign);
        QFETCH(bool, unitAndStyle);
        FakeUiServices ui;
        dlgFont dlg(fields, FontChoice{"Beta Serif", size, "太字", "#FF0000", "中央"}, ui, nullptr, Families, usable);
        QCOMPARE(dlg.windowTitle(), QStringLiteral("フォントの選択"));
        auto *list = child<QListWidget>(&dlg, "List1");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->currentItem()->text(), QStringLiteral("Beta Serif"));
        QCOMPARE(child<QLabel>(&dlg, "lblFontName")->text(), QStringLiteral("Beta Serif"));
        QCOMPARE(child<QTextEdit>(&dlg, "rtxtSample")->toPlainText(), QStringLiteral("\\￥Aa123あア円"));
        QCOMPARE(child<QTextEdit>(&dlg, "rtxtSample")->font().pointSize(), 12);
        QCOMPARE(child<QLineEdit>(&dlg, "txtFontSize")->text(), number);
        QCOMPARE(child<QComboBox>(&dlg, "cmbTani")->currentText(), unit);
        QCOMPARE(child<QComboBox>(&dlg, "cmbStyle")->currentText(), style);
        QCOMPARE(child<QPushButton>(&dlg, "cmdColor")->isEnabled(), colorAndAlign);
        QCOMPARE(child<QComboBox>(&dlg, "cmbAlign")->isEnabled(), colorAndAlign);
        QCOMPARE(child<QComboBox>(&dlg, "cmbTani")->isEnabled(), unitAndStyle);
        QCOMPARE(child<QComboBox>(&dlg, "cmbStyle")->isEnabled(), unitAndStyle);
        if (colorAndAlign) {
            QCOMPARE(child<QLabel>(&dlg, "picColor")->accessibleName(), QStringLiteral("#FF0000"));
            QCOMPARE(child<QComboBox>(&dlg, "cmbAlign")->currentText(), QStringLiteral("中央"));
        }
        QVERIFY(ui.messages.isEmpty());
    }

    void fontSizeCheckOnOk_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("field"); // the size field afterwards
        QTest::newRow("0.4 refused") << "0.4" << false << "12";
        QTest::newRow("0.6 accepted") << "0.6" << true << "0.6";
        QTest::newRow("letters dropped") << "a1x0." << true << "10.";
        QTest::newRow("empty") << "" << false << "12";
    }
    void fontSizeCheckOnOk()
    {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QFETCH(QString, field);
        FakeUiServices ui;
        dlgFont dlg(AllFields, FontChoice{"Alpha Sans", "5mm", "通常", "#000000", "左"}, ui, nullptr, Families, usable);
        dlg.show();
        auto *size = child<QLineEdit>(&dlg, "txtFontSize");
        size->clear();
        QTest::keyClicks(size, typed);
        click(&dlg, "OKButton");
        QCOMPARE(size->text(), field);
        QCOMPARE(dlg.result() == QDialog::Accepted, accepted);
        QCOMPARE(dlg.isVisible(), !accepted);
        if (accepted) {
            QVERIFY(ui.messages.isEmpty());
            QCOMPARE(dlg.choice().size, field + "mm");
        } else {
            QCOMPARE(ui.messages.size(), 1);
            QCOMPARE(ui.lastTitle(), QStringLiteral("入力値チェック"));
            QCOMPARE(ui.lastText(), QStringLiteral("フォントサイズが不正です."));
            QCOMPARE(ui.messages.last().icon, platform::UiServices::Icon::Critical);
        }
    }

    void fontChoiceHandedBack()
    {
        FakeUiServices ui;
        dlgFont dlg(AllFields, FontChoice{"Alpha Sans", "20pt", "通常", "#FF0000", "左"}, ui, nullptr, Families,
                    usable);
        dlg.show();
        child<QListWidget>(&dlg, "List1")->setCurrentRow(1);
        QCOMPARE(child<QLabel>(&dlg, "lblFontName")->text(), QStringLiteral("Beta Serif"));
        QCOMPARE(child<QLabel>(&dlg, "lblFontName")->accessibleName(), QStringLiteral("Beta Serif"));
        child<QComboBox>(&dlg, "cmbTani")->setCurrentText("mm");
        child<QComboBox>(&dlg, "cmbStyle")->setCurrentText("両方");
        child<QComboBox>(&dlg, "cmbAlign")->setCurrentText("右");
        // The colour comes from the palette opened by "...": pick navy there.
        QTimer::singleShot(0, [] {
            auto *palette = qobject_cast<dlgPalete *>(QApplication::activeModalWidget());
            QVERIFY(palette);
            click(palette, "lblColorName_5");
            click(palette, "OKButton");
        });
        click(&dlg, "cmdColor");
        QCOMPARE(child<QLabel>(&dlg, "picColor")->accessibleName(), QStringLiteral("#000080"));
        click(&dlg, "OKButton");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.choice(), (FontChoice{"Beta Serif", "20mm", "両方", "#000080", "右"}));
    }

    void fontCancelAndMissingFont()
    {
        FakeUiServices ui;
        // A design made elsewhere names a font this system lacks: no box, the name is kept and shown,
        // also once the list has the focus.
        const FontChoice start{"ＭＳ Ｐゴシック", "11", "通常", "#000000", "左"};
        dlgFont dlg(SizeOnlyFields, start, ui, nullptr, Families, usable);
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        auto *list = child<QListWidget>(&dlg, "List1");
        list->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(list->hasFocus());
        QCOMPARE(list->currentItem(), nullptr);
        QCOMPARE(child<QLabel>(&dlg, "lblFontName")->text(), start.name);
        QVERIFY(ui.messages.isEmpty());
        child<QLineEdit>(&dlg, "txtFontSize")->setText("14");
        click(&dlg, "CancelButton");
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
        QCOMPARE(dlg.choice(), start);
        // OK without picking another font keeps the ledger's name; the size goes back without unit.
        dlgFont again(SizeOnlyFields, start, ui, nullptr, Families, usable);
        again.show();
        child<QLineEdit>(&again, "txtFontSize")->setText("14");
        click(&again, "OKButton");
        QCOMPARE(again.choice(), (FontChoice{start.name, "14", "通常", "#000000", "左"}));
        QVERIFY(ui.messages.isEmpty());
    }

    void fontPickedButUnusable()
    {
        FakeUiServices ui;
        const FontChoice start{"ＭＳ Ｐゴシック", "28pt", "太字", "#C00000", "中央"};
        dlgFont dlg(AllFields, start, ui, nullptr, {"Alpha Sans", "Gone Mincho"}, usable);
        dlg.show();
        child<QListWidget>(&dlg, "List1")->setCurrentRow(1);
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.lastTitle(), QStringLiteral("フォントの指定"));
        QCOMPARE(ui.lastText(), QStringLiteral("指定されたフォントがシステム内にないようです."));
        QCOMPARE(ui.messages.last().icon, platform::UiServices::Icon::Information);
        QCOMPARE(child<QLabel>(&dlg, "lblFontName")->text(), start.name);
        click(&dlg, "OKButton");
        QCOMPARE(dlg.choice(), start);
    }

    void paletteSelection()
    {
        FakeUiServices ui;
        dlgPalete dlg("#FFFF00", ui);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("色の選択"));
        auto *text = child<QLabel>(&dlg, "lblSelectedColor");
        QCOMPARE(text->text(), QStringLiteral("#FFFF00"));
        QCOMPARE(dlg.highlighted(), -1);

        click(&dlg, "lblColorName_5");
        QCOMPARE(text->text(), QStringLiteral("#000080"));
        QCOMPARE(dlg.highlighted(), 5);
        click(&dlg, "lblColorName_5"); // clicking it again keeps it
        QCOMPARE(dlg.highlighted(), 5);
        click(&dlg, "PicPalete_15");
        QCOMPARE(text->text(), QStringLiteral("#FF0000"));
        QCOMPARE(dlg.highlighted(), 15);
        // The keyboard reaches the names as well.
        auto *teal = child<QPushButton>(&dlg, "lblColorName_6");
        teal->setFocus();
        QTest::keyClick(teal, Qt::Key_Space);
        QCOMPARE(text->text(), QStringLiteral("#008080"));
        QCOMPARE(dlg.highlighted(), 6);

        // その他の色: cancelling the chooser keeps the colour, without a message.
        click(&dlg, "cmdShowColor");
        QCOMPARE(text->text(), QStringLiteral("#008080"));
        QCOMPARE(dlg.highlighted(), -1);
        QVERIFY(ui.messages.isEmpty());
        ui.colors.enqueue(QColor(0x12, 0x34, 0x56));
        click(&dlg, "cmdShowColor");
        QCOMPARE(text->text(), QStringLiteral("#123456"));
        QCOMPARE(child<QLabel>(&dlg, "picSelectedColor")->accessibleName(), QStringLiteral("#123456"));
        click(&dlg, "OKButton");
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        QCOMPARE(dlg.colorText(), QStringLiteral("#123456"));
    }

    void browserDialog()
    {
        QTemporaryDir dir;
        QFile web(dir.filePath("WEB.EXE"));
        QVERIFY(web.open(QIODevice::WriteOnly));
        FakeUiServices ui;
        dlgBrowser dlg(BrowserSettings{1, web.fileName()}, "/opt/programs", ui);
        dlg.show();
        QCOMPARE(dlg.windowTitle(), QStringLiteral("ブラウザの指定"));
        auto *other = child<QRadioButton>(&dlg, "OptionBrowser_1");
        auto *path = child<QLabel>(&dlg, "lblBRPath");
        QVERIFY(other->isChecked());
        QCOMPARE(other->text(), QStringLiteral("Web"));
        QCOMPARE(path->text(), web.fileName());
        // The path is read with its caption; the first choice is the desktop's default browser.
        QCOMPARE(path->accessibleName(), QStringLiteral("プログラムのパス: ") + web.fileName());
        QCOMPARE(path->accessibleDescription(), web.fileName());
        QCOMPARE(child<QRadioButton>(&dlg, "OptionBrowser_0")->text(), QStringLiteral("既定のブラウザ"));

        click(&dlg, "cmdBR"); // cancelled
        QCOMPARE(ui.fileRequests.size(), 1);
        QCOMPARE(ui.fileRequests.last().title, QStringLiteral("ブラウザの選択"));
        QCOMPARE(ui.fileRequests.last().initialFolder, QStringLiteral("/opt/programs"));
        QCOMPARE(path->text(), web.fileName());
        QCOMPARE(other->text(), QStringLiteral("Web"));

        child<QRadioButton>(&dlg, "OptionBrowser_0")->setChecked(true);
        QFile other2(dir.filePath("Other Browser.exe"));
        QVERIFY(other2.open(QIODevice::WriteOnly));
        ui.fileNames.enqueue(other2.fileName());
        click(&dlg, "cmdBR");
        QCOMPARE(other->text(), QStringLiteral("Other browser"));
        QVERIFY(!other->isChecked()); // choosing a program does not select it
        other->setChecked(true);
        click(&dlg, "OKButton");
        QCOMPARE(dlg.browser(), (BrowserSettings{1, other2.fileName()}));
    }

    void browserDialogWithoutProgram()
    {
        FakeUiServices ui;
        dlgBrowser dlg(BrowserSettings{1, "/nowhere/GONE.EXE"}, QString(), ui);
        dlg.show();
        QVERIFY(child<QRadioButton>(&dlg, "OptionBrowser_0")->isChecked());
        QCOMPARE(child<QRadioButton>(&dlg, "OptionBrowser_1")->text(), QStringLiteral("その他のブラウザ(未指定)"));
        QVERIFY(child<QLabel>(&dlg, "lblBRPath")->text().isEmpty());
        child<QRadioButton>(&dlg, "OptionBrowser_1")->setChecked(true);
        click(&dlg, "OKButton");
        QCOMPARE(dlg.browser(), (BrowserSettings{0, QString()}));
    }

    void showExplorerRestoresThenReports_data()
    {
        QTest::addColumn<bool>("shellWorks");
        QTest::addColumn<bool>("nonEmptyList");
        QTest::newRow("shown") << true << true;
        QTest::newRow("shown, empty list") << true << false;
        QTest::newRow("failed") << false << true;
    }
    void showExplorerRestoresThenReports()
    {
        QFETCH(bool, shellWorks);
        QFETCH(bool, nonEmptyList);
        QWidget window;
        auto *explorer = new QPushButton(&window);
        auto *make = new QPushButton(&window);
        FakeUiServices ui;
        ui.shellSucceeds = shellWorks;
        const bool shown = ShowExplorer(MakerPage{"ctemp.html", "Sub.ShowExplorer"}, BrowserSettings{}, "/data/Vennla",
                                        ExplorerControls{&window, explorer, make, nonEmptyList}, ui);
        QCOMPARE(shown, shellWorks);
        QCOMPARE(ui.opened, QStringList{QDir::toNativeSeparators("/data/Vennla/ctemp.html")});
        QVERIFY(window.isEnabled());
        QVERIFY(explorer->isEnabled());
        QCOMPARE(make->isEnabled(), nonEmptyList);
        QVERIFY(!QGuiApplication::overrideCursor());
        if (shellWorks) {
            QVERIFY(ui.messages.isEmpty());
        } else {
            QCOMPARE(ui.lastTitle(), QStringLiteral("エラー情報"));
            QVERIFY(ui.lastText().startsWith("ご迷惑をおかけしています.(Sub.ShowExplorer)"));
            QVERIFY(ui.lastText().contains("番号: 429"));
        }
    }
};

QTEST_MAIN(TestDialogsGui)
#include "tst_dialogs_gui.moc"
