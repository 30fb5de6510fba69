// The shelf-label designer driven through its object names with scripted dialogs.

#include "support/cli_runner.h"
#include "support/fake_ui_services.h"

#include "dialogs/browser_settings.h"
#include "platform/folders.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"
#include "products/tax.h"
#include "shelf_labels/design_file.h"
#include "shelf_labels/frmTanafuda.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

using namespace shelf_labels;

namespace {

const QString kData = QStringLiteral(VENNLO_TEST_DATA_DIR "/shelf_labels");

template <typename T> T *child(QWidget &w, const char *name)
{
    T *c = w.findChild<T *>(QString::fromUtf8(name));
    if (!c)
        qFatal("no control %s", name);
    return c;
}

void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        const int key = c.unicode() < 0x80 ? QChar(c).toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &release);
    }
}

// Works the next modal dialog as a user would, once it shows.
void onNextDialog(const std::function<void(QWidget &)> &work)
{
    QTimer::singleShot(0, [work] {
        QWidget *dialog = QApplication::activeModalWidget();
        if (!dialog)
            qFatal("no modal dialog");
        work(*dialog);
    });
}

// The palette's "navy", then OK.
void pickNavy()
{
    onNextDialog([](QWidget &palette) {
        child<QPushButton>(palette, "PicPalete_5")->click();
        child<QPushButton>(palette, "OKButton")->click();
    });
}

// The records the main window lends the designer, as a new installation has them.
struct Records {
    ShelfLabelDesign shelf;
    products::TaxSettings tax;
    dialogs::BrowserSettings browser;
};

// A window over a fresh application data folder and the settings of a new installation (the settings
// file is there for the command line).
struct Fixture {
    QTemporaryDir dir;
    FakeUiServices services;
    products::ProductListModel model;
    Records settings;
    platform::Folders folders;
    std::unique_ptr<frmTanafuda> window;

    explicit Fixture(bool withList = true)
    {
        cli_runner::settingsFile(dir, {});
        folders.appData = dir.filePath(QStringLiteral("appdata"));
        folders.data = dir.path();
        QDir().mkpath(folders.appData);
        if (withList)
            model.setRows(products::readCsvFile(kData + QStringLiteral("/jan_list.csv")).rows);
        open(withList);
    }
    void open(bool withData)
    {
        window = std::make_unique<frmTanafuda>(model, settings.shelf, settings.tax, settings.browser, services, folders,
                                               withData);
        window->show();
    }
    template <typename T> T *c(const char *name) { return child<T>(*window, name); }
    QAction *action(const char *name) { return c<QAction>(name); }
    // Opens a design file through the File menu.
    void openDesign(const QString &path)
    {
        services.fileNames.enqueue(path);
        action("mnuDsgnOpen")->trigger();
    }
    QString copyOf(const QString &source)
    {
        const QString path = dir.filePath(QFileInfo(source).fileName());
        QFile::remove(path);
        QFile::copy(source, path);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
};

} // namespace

class TestFrmTanafuda : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void load_data();
    void load();
    void missingLogo();
    void taxWarning();
    void editsWithoutDesignFile_data();
    void editsWithoutDesignFile();
    void closePrompt_data();
    void closePrompt();
    void failedOverwriteKeepsFlag();
    void brokenDesignKeepsWindow();
    void defaultsUntie();
    void logoAspectLock();
    void sizeKeys_data();
    void sizeKeys();
    void enabling_data();
    void enabling();
    void fontDialog();
    void fontDialogKeepsMissingFont();
    void explorerBeforeMake();
    void makeEqualsCommandLine();
    void refusals_data();
    void refusals();
    void previewTab();
    void screenshots();
};

void TestFrmTanafuda::load_data()
{
    QTest::addColumn<bool>("withData");
    QTest::newRow("with a list") << true;
    QTest::newRow("design only") << false;
}

void TestFrmTanafuda::load()
{
    QFETCH(bool, withData);
    Fixture f(withData);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("棚札作成ツール"));
    auto *tabs = f.c<QTabWidget>("TabStrip1");
    const QStringList titles{"全般", "カード", "フォント", "オプション", "消費税", "ロゴ", "プレビュー"};
    QCOMPARE(tabs->count(), titles.size());
    for (int i = 0; i < titles.size(); ++i)
        QCOMPARE(tabs->tabText(i), titles[i]);
    QCOMPARE(tabs->currentIndex(), 0);
    QCOMPARE(f.c<QPushButton>("cmd作成")->isEnabled(), withData);
    QVERIFY(!f.action("mnuDsgnSave")->isEnabled());
    QCOMPARE(f.c<QComboBox>("cmbJanImageHeight")->count(), 26);
    QCOMPARE(f.c<QComboBox>("cmbStartPos")->count(), 12); // 3 × 4
    QCOMPARE(f.c<QLabel>("lblFontSize_0")->text(), QStringLiteral("20pt"));
    QCOMPARE(f.c<QLabel>("picFontColor_3")->accessibleDescription(), QStringLiteral("#FF0000"));
}

// A logo picture that has gone since the design was stored is said once and dropped from the design.
void TestFrmTanafuda::missingLogo()
{
    Fixture f;
    const QString gone = f.dir.filePath(QStringLiteral("gone.gif"));
    f.settings.shelf.showLogo = true;
    f.settings.shelf.logoName = gone;
    f.settings.shelf.logoW = QStringLiteral("120");
    f.window.reset();
    f.open(true);
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.lastTitle(), QStringLiteral("エラー情報"));
    QCOMPARE(f.services.lastText(),
             QStringLiteral("ロゴ用の画像\r\n") + gone + QStringLiteral("\r\nが見つかりませんでした."));
    QVERIFY(f.settings.shelf.logoName.isEmpty());
    QVERIFY(f.c<QLabel>("lblLogoName")->text().isEmpty());
    QCOMPARE(f.c<QLineEdit>("txtLogoWidth")->text(), QStringLiteral("0"));
    QVERIFY(!f.c<QComboBox>("cmbLogoAlign")->isEnabled());
}

void TestFrmTanafuda::taxWarning()
{
    Fixture f;
    auto *zeikomi = f.c<QCheckBox>("Check税込");
    auto *frame = f.c<QGroupBox>("Frame税表示");
    zeikomi->setChecked(false);
    QCOMPARE(f.services.messages.size(), 1);
    QCOMPARE(f.services.lastTitle(), QStringLiteral("表示価格"));
    QCOMPARE(f.services.lastText(),
             QStringLiteral("平成16年4月1日以降は\r\n表示価格は税込価格とすることが\r\n義務づけられています."));
    QVERIFY(!frame->isEnabled());
    zeikomi->setChecked(true);
    QCOMPARE(f.services.messages.size(), 1);
    QVERIFY(frame->isEnabled());
}

void TestFrmTanafuda::editsWithoutDesignFile_data()
{
    QTest::addColumn<QString>("control");
    QTest::newRow("check") << "CheckGoodNum";
    QTest::newRow("text") << "txtSale";
    QTest::newRow("combo") << "cmbYMark";
    QTest::newRow("option") << "Option税表示_4";
    QTest::newRow("colour") << "cmdColorLine";
}

void TestFrmTanafuda::editsWithoutDesignFile()
{
    QFETCH(QString, control);
    Fixture f;
    if (control == QLatin1String("cmdColorLine"))
        pickNavy();
    QWidget *w = f.window->findChild<QWidget *>(control);
    QVERIFY(w);
    if (auto *b = qobject_cast<QAbstractButton *>(w))
        b->isCheckable() ? b->setChecked(!b->isChecked()) : b->click();
    else if (auto *e = qobject_cast<QLineEdit *>(w))
        e->setText(QStringLiteral("特売"));
    else if (auto *cb = qobject_cast<QComboBox *>(w))
        cb->setCurrentIndex(2);
    QVERIFY(!f.action("mnuDsgnSave")->isEnabled());
    const ShelfLabelDesign before = f.settings.shelf;
    const int styleBefore = f.settings.tax.style;
    QVERIFY(f.window->close());
    QVERIFY(f.services.messages.isEmpty());
    // Closing stored what the window showed.
    QVERIFY(!(f.settings.shelf == before) || f.settings.tax.style != styleBefore);
    const QMap<QString, bool> stored{{"CheckGoodNum", f.settings.shelf.showItemCode},
                                     {"txtSale", f.settings.shelf.headerText == QStringLiteral("特売")},
                                     {"cmbYMark", f.settings.shelf.priceMark == 2},
                                     {"Option税表示_4", f.settings.tax.style == 4},
                                     {"cmdColorLine", f.settings.shelf.lineColor == QStringLiteral("#000080")}};
    QVERIFY(stored.value(control));
}

void TestFrmTanafuda::closePrompt_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<bool>("written");
    QTest::newRow("cancel") << int(platform::UiServices::Answer::Cancel) << false << false;
    QTest::newRow("no") << int(platform::UiServices::Answer::No) << true << false;
    QTest::newRow("yes") << int(platform::UiServices::Answer::Yes) << true << true;
}

void TestFrmTanafuda::closePrompt()
{
    QFETCH(int, answer);
    QFETCH(bool, closed);
    QFETCH(bool, written);
    Fixture f;
    const QString path = f.copyOf(kData + QStringLiteral("/typeA_defaults.hdn"));
    const QByteArray before = cli_runner::readBytes(path);
    f.openDesign(path);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("棚札作成ツール [typeA_defaults.hdn]"));
    QVERIFY(!f.action("mnuDsgnSave")->isEnabled());
    pickNavy();
    f.c<QPushButton>("cmdColorLine")->click();
    QVERIFY(f.action("mnuDsgnSave")->isEnabled());

    f.services.answers.enqueue(platform::UiServices::Answer(answer));
    QCOMPARE(f.window->close(), closed);
    QCOMPARE(f.services.lastTitle(), QStringLiteral("デザインの変更確認"));
    QCOMPARE(f.services.lastText(), QStringLiteral("typeA_defaults.hdn は更新されています.\r\n更新を保存しますか?"));
    QCOMPARE(f.services.messages.last().buttons, platform::UiServices::Buttons::YesNoCancel);
    QCOMPARE(f.window->isVisible(), !closed);
    QCOMPARE(cli_runner::readBytes(path) != before, written);
    if (written)
        QVERIFY(cli_runner::readBytes(path).contains("Color=#000080\r\n"));
}

void TestFrmTanafuda::failedOverwriteKeepsFlag()
{
    Fixture f;
    QDir(f.dir.path()).mkdir(QStringLiteral("designs"));
    const QString path = f.dir.filePath(QStringLiteral("designs/a.hdn"));
    QVERIFY(QFile::copy(kData + QStringLiteral("/typeA_defaults.hdn"), path));
    f.openDesign(path);
    f.c<QLineEdit>("txtSale")->setText(QStringLiteral("特売"));
    // The file's folder is gone: the save cannot be made.
    QVERIFY(QDir(f.dir.filePath(QStringLiteral("designs"))).removeRecursively());
    f.action("mnuDsgnSave")->trigger();
    QCOMPARE(f.services.lastTitle(), QStringLiteral("エラー情報"));
    QVERIFY(f.services.lastText().startsWith(QStringLiteral("エラーが発生しました(frmTanafuda.WriteDesign)\r\n")));
    QVERIFY(f.window->designChanged());
    QVERIFY(f.action("mnuDsgnSave")->isEnabled());

    // Closing with "はい" tries again; the window stays rather than dropping the edits.
    f.services.answers.enqueue(platform::UiServices::Answer::Yes);
    QVERIFY(!f.window->close());
    QVERIFY(f.window->isVisible());
}

void TestFrmTanafuda::brokenDesignKeepsWindow()
{
    Fixture f;
    const QString path = f.dir.filePath(QStringLiteral("broken.hdn"));
    QFile broken(path);
    QVERIFY(broken.open(QIODevice::WriteOnly));
    QByteArray bytes = cli_runner::readBytes(kData + QStringLiteral("/typeB_defaults.hdn"));
    broken.write(bytes.replace("string=SALE", "string=XYZ").replace("BC=1\r\n", ""));
    broken.close();
    f.c<QLineEdit>("txtSale")->setText(QStringLiteral("特売"));
    f.openDesign(path);
    QVERIFY(f.services.lastText().startsWith(QStringLiteral("エラーが発生しました(frmTanafuda.ReadDesign)\r\n")));
    QCOMPARE(f.c<QLineEdit>("txtSale")->text(), QStringLiteral("特売"));
    QCOMPARE(f.c<QComboBox>("cmbCountW")->currentText(), QStringLiteral("3"));
    QVERIFY(f.c<QRadioButton>("OptionStyle_0")->isChecked());
    QVERIFY(f.window->designFile().isEmpty());
    QCOMPARE(f.window->windowTitle(), QStringLiteral("棚札作成ツール"));

    // A font name that could end a page's style block is shown as its default, and the user is told.
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    bytes = cli_runner::readBytes(kData + QStringLiteral("/typeB_defaults.hdn"));
    const qsizetype at = bytes.indexOf("2=");
    broken.write(bytes.replace(at, bytes.indexOf("\r\n", at) - at, "2=a\"}</style>"));
    broken.close();
    f.openDesign(path);
    QCOMPARE(f.services.lastText(),
             platform::errorReportText(QStringLiteral("frmTanafuda.ReadDesign"),
                                       {13, QStringLiteral("型が一致しません。 ([FontName] 2)")}));
    QCOMPARE(f.window->designFile(), path);
}

void TestFrmTanafuda::defaultsUntie()
{
    Fixture f;
    const QString path = f.copyOf(kData + QStringLiteral("/typeA_defaults.hdn"));
    f.openDesign(path);
    f.c<QCheckBox>("CheckAlt")->setChecked(true);
    f.services.answers.enqueue(platform::UiServices::Answer::No);
    f.action("mnuDefaultTab")->trigger();
    QCOMPARE(f.services.messages.last().buttons, platform::UiServices::Buttons::YesNo);
    QCOMPARE(f.window->windowTitle(), QStringLiteral("棚札作成ツール"));
    QVERIFY(f.window->designFile().isEmpty());
    QVERIFY(!f.c<QCheckBox>("CheckAlt")->isChecked());
    QVERIFY(f.c<QRadioButton>("OptionStyle_1")->isChecked());
    QCOMPARE(f.c<QComboBox>("cmbCountH")->currentText(), QStringLiteral("8"));
    QCOMPARE(f.c<QComboBox>("cmbStartPos")->count(), 16);
}

void TestFrmTanafuda::logoAspectLock()
{
    Fixture f;
    const QString logo = f.dir.filePath(QStringLiteral("logo.bmp"));
    QImage image(200, 100, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(logo));
    f.c<QCheckBox>("CheckLogo")->setChecked(true);
    f.services.fileNames.enqueue(logo);
    f.c<QPushButton>("cmdLogoName")->click();
    QCOMPARE(f.services.fileRequests.last().title, QStringLiteral("画像を開く"));
    auto *w = f.c<QLineEdit>("txtLogoWidth");
    auto *h = f.c<QLineEdit>("txtLogoHeight");
    QCOMPARE(w->text(), QStringLiteral("200"));
    QCOMPARE(h->text(), QStringLiteral("100"));
    QVERIFY(f.c<QComboBox>("cmbLogoAlign")->isEnabled());
    f.c<QCheckBox>("Check比率")->setChecked(true);
    w->clear();
    typeText(w, QStringLiteral("50"));
    QCOMPARE(h->text(), QStringLiteral("25"));
    h->clear();
    typeText(h, QStringLiteral("30"));
    QCOMPARE(w->text(), QStringLiteral("60"));

    typeText(w, QStringLiteral("x"));
    QCOMPARE(w->text(), QStringLiteral("60"));
    f.c<QPushButton>("cmdLogoClear")->click();
    QVERIFY(f.c<QLabel>("lblLogoName")->text().isEmpty());
    QCOMPARE(w->text(), QStringLiteral("0"));
    QVERIFY(!f.c<QCheckBox>("Check比率")->isChecked());
    QVERIFY(!f.c<QComboBox>("cmbLogoAlign")->isEnabled());
}

void TestFrmTanafuda::sizeKeys_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("card width") << "txtCardWidth"
                                << "a6b.5"
                                << "6.5";
    QTest::newRow("card height") << "txtCardHeight"
                                 << "1-2"
                                 << "12";
    QTest::newRow("padding") << "txtCardPadding_2"
                             << "+3,5"
                             << "35";
    QTest::newRow("border width") << "txtBorderWidth"
                                  << "e1"
                                  << "1";
    QTest::newRow("columns") << "cmbCountW"
                             << "1a"
                             << "1";
}

void TestFrmTanafuda::sizeKeys()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    Fixture f;
    f.c<QCheckBox>("CheckCardWidth")->setChecked(true);
    f.c<QCheckBox>("CheckCardHeight")->setChecked(true);
    f.c<QComboBox>("cmbBorderStyle")->setCurrentIndex(1);
    auto *e = f.window->findChild<QLineEdit *>(box);
    if (auto *combo = f.window->findChild<QComboBox *>(box))
        e = combo->lineEdit();
    e->clear();
    typeText(e, typed);
    QCOMPARE(e->text(), shown);
}

void TestFrmTanafuda::enabling_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QStringList>("followers");
    QTest::newRow("header") << "CheckHeader" << QStringList{"FrameHeader", "cmdFont_0", "lblFontName_0"};
    QTest::newRow("item code") << "CheckGoodNum" << QStringList{"cmdFont_1"};
    QTest::newRow("remarks") << "CheckAlt" << QStringList{"cmdFont_5", "lblAlign_5"};
    QTest::newRow("barcode") << "CheckBarCode" << QStringList{"OptionJanNum_0", "OptionJanNum_1", "cmbJanImageHeight"};
    QTest::newRow("cut line") << "Check罫線" << QStringList{"cmdColorLine"};
    QTest::newRow("card height") << "CheckCardHeight" << QStringList{"txtCardHeight", "UpCardHeight"};
    QTest::newRow("card width") << "CheckCardWidth" << QStringList{"txtCardWidth", "UpCardWidth"};
    QTest::newRow("border") << "cmbBorderStyle" << QStringList{"txtBorderWidth", "UpBorderWidth", "cmdBorderColor"};
    QTest::newRow("price mark") << "cmbYMark" << QStringList{"cmdFont_6", "lblFontSize_6"};
}

// Each governing control switched one way and back: its followers follow both times.
void TestFrmTanafuda::enabling()
{
    QFETCH(QString, control);
    QFETCH(QStringList, followers);
    Fixture f;
    QWidget *w = f.window->findChild<QWidget *>(control);
    auto set = [w](bool on) {
        if (auto *check = qobject_cast<QCheckBox *>(w))
            check->setChecked(on);
        else if (w->objectName() == QLatin1String("cmbYMark"))
            static_cast<QComboBox *>(w)->setCurrentIndex(on ? 0 : 2);
        else
            static_cast<QComboBox *>(w)->setCurrentIndex(on ? 1 : 0);
    };
    for (bool on : {true, false, true}) {
        set(on);
        for (const QString &name : followers)
            QVERIFY2(f.window->findChild<QWidget *>(name)->isEnabled() == on, qPrintable(name));
    }
}

// The font dialog writes its choice into the row it was opened for; the price mark takes no colour.
void TestFrmTanafuda::fontDialog()
{
    Fixture f;
    onNextDialog([](QWidget &dialog) {
        child<QLineEdit>(dialog, "txtFontSize")->setText(QStringLiteral("5"));
        child<QComboBox>(dialog, "cmbTani")->setCurrentText(QStringLiteral("mm"));
        child<QPushButton>(dialog, "OKButton")->click();
    });
    f.c<QPushButton>("cmdFont_3")->click();
    QCOMPARE(f.c<QLabel>("lblFontSize_3")->text(), QStringLiteral("5mm"));
    QCOMPARE(f.c<QLabel>("lblFontSize_6")->text(), QStringLiteral("34pt"));
    QVERIFY(f.window->close());
    QCOMPARE(f.settings.shelf.area[3].fontSize, QStringLiteral("5mm"));
}

// A design's font this system lacks survives the font dialog: OK on every row, then saving the
// design, gives back the file as it was.
void TestFrmTanafuda::fontDialogKeepsMissingFont()
{
    Fixture f;
    const QString path = f.copyOf(kData + QStringLiteral("/typeA_defaults.hdn"));
    const QByteArray before = cli_runner::readBytes(path);
    f.openDesign(path);
    int opened = 0;
    for (int i = 0; i <= 6; ++i) {
        auto *button = f.c<QPushButton>(QStringLiteral("cmdFont_%1").arg(i).toUtf8().constData());
        if (!button->isEnabled()) // a row the design does not print
            continue;
        QString shown;
        onNextDialog([&shown](QWidget &dialog) {
            shown = child<QLabel>(dialog, "lblFontName")->text();
            child<QPushButton>(dialog, "OKButton")->click();
        });
        button->click();
        QCOMPARE(shown, QStringLiteral("ＭＳ Ｐゴシック"));
        ++opened;
    }
    QVERIFY(opened >= 4);
    QVERIFY2(f.services.messages.isEmpty(), qPrintable(f.services.lastText()));
    QVERIFY(f.window->designChanged());
    f.action("mnuDsgnSave")->trigger();
    QCOMPARE(cli_runner::readBytes(path), before);
}

void TestFrmTanafuda::explorerBeforeMake()
{
    Fixture f;
    f.c<QPushButton>("cmdExplorer")->click();
    QCOMPARE(f.services.lastTitle(), QStringLiteral("棚札の表示"));
    QCOMPARE(f.services.lastText(), QStringLiteral("表示するデータがまだありません."));
    QVERIFY(f.services.opened.isEmpty());
}

// A design saved from the window and given to the command line makes the same page as the window.
void TestFrmTanafuda::makeEqualsCommandLine()
{
    Fixture f;
    f.c<QRadioButton>("OptionStyle_1")->setChecked(true);
    f.c<QCheckBox>("CheckGoodNum")->setChecked(true);
    f.c<QComboBox>("cmbYMark")->setCurrentIndex(1);
    f.c<QRadioButton>("Option税表示_4")->setChecked(true);
    f.c<QComboBox>("cmbBorderStyle")->setCurrentText(QStringLiteral("二重線"));
    const QString design = f.dir.filePath(QStringLiteral("mine.hdn"));
    f.services.fileNames.enqueue(design);
    f.action("mnuDsgnSaveAs")->trigger();
    QCOMPARE(f.window->windowTitle(), QStringLiteral("棚札作成ツール [mine.hdn]"));

    f.c<QPushButton>("cmd作成")->click();
    QCOMPARE(f.services.lastTitle(), QStringLiteral("ぽらね値札作成"));
    QCOMPARE(f.services.lastText(),
             QStringLiteral("値札(棚札)を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
    QVERIFY(f.window->isEnabled());
    const QByteArray page = cli_runner::readBytes(f.dir.filePath(QStringLiteral("appdata/temp.html")));
    QVERIFY(!page.isEmpty());

    const cli_runner::Run r = cli_runner::runCli({"--settings", f.dir.filePath(QStringLiteral("vennlo.ini")), "--out",
                                                  f.dir.filePath(QStringLiteral("cli")), "shelf",
                                                  kData + QStringLiteral("/jan_list.csv"), "--design", design});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(cli_runner::readBytes(f.dir.filePath(QStringLiteral("cli/temp.html"))), page);

    f.c<QPushButton>("cmdExplorer")->click();
    QCOMPARE(f.services.opened.size(), 1);
}

void TestFrmTanafuda::refusals_data()
{
    QTest::addColumn<QString>("logoWidth");
    QTest::addColumn<QString>("startPosition");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tab");
    QTest::newRow("logo size") << "-3"
                               << "1"
                               << "画像のサイズの値が不正です." << 0;
    QTest::newRow("start without card size")
        << "0"
        << "5"
        << "出力の開始位置を 1 以外に指定するときは、\r\nカードの縦横のサイズを指定してください." << 1;
}

void TestFrmTanafuda::refusals()
{
    QFETCH(QString, logoWidth);
    QFETCH(QString, startPosition);
    QFETCH(QString, text);
    QFETCH(int, tab);
    Fixture f;
    f.c<QLineEdit>("txtLogoWidth")->setText(logoWidth);
    f.c<QComboBox>("cmbStartPos")->setCurrentText(startPosition);
    f.c<QPushButton>("cmd作成")->click();
    QCOMPARE(f.services.lastText(), text);
    QCOMPARE(f.c<QTabWidget>("TabStrip1")->currentIndex(), tab);
    QCOMPARE(f.c<QLineEdit>("txtLogoWidth")->text(), QStringLiteral("0"));
    QVERIFY(!QFile::exists(f.dir.filePath(QStringLiteral("appdata/temp.html"))));
}

void TestFrmTanafuda::previewTab()
{
    Fixture f;
    f.c<QCheckBox>("Check罫線")->setChecked(false);
    auto *tabs = f.c<QTabWidget>("TabStrip1");
    QAction *defaults = f.c<QMenu>("mnuDsgnDefault")->menuAction();
    QSignalSpy shown(f.window.get(), &frmTanafuda::previewShown);
    tabs->setCurrentIndex(6);
    QVERIFY(!defaults->isEnabled());
    QVERIFY(shown.wait(20000));
    const QByteArray page = cli_runner::readBytes(f.dir.filePath(QStringLiteral("appdata/tempprev.html")));
    QVERIFY(page.contains("<table border=\"0\" bordercolor=\"#808080\" cellspacing=\"0\">"));
    // A screen reader gets the card's texts from the view itself.
    QVERIFY(f.c<QWidget>("WebBrowser1")->accessibleDescription().contains(QStringLiteral("サンプル商品 ¥2,467")));
    QCOMPARE(f.settings.shelf.cutLine, 0);
    tabs->setCurrentIndex(2);
    QVERIFY(defaults->isEnabled());

    // The next selection shows the change made meanwhile.
    f.c<QComboBox>("cmbYMark")->setCurrentIndex(1);
    tabs->setCurrentIndex(6);
    QVERIFY(shown.wait(20000));
    QVERIFY(cli_runner::readBytes(f.dir.filePath(QStringLiteral("appdata/tempprev.html"))).contains("\x89\x7e</td>"));
}

// Pictures of every tab for a person to look at: VENNLO_SCREENSHOTS=<folder>.
void TestFrmTanafuda::screenshots()
{
    const QString folder = qEnvironmentVariable("VENNLO_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("VENNLO_SCREENSHOTS not set");
    Fixture f;
    f.window->resize(760, 560);
    const QString logo = f.dir.filePath(QStringLiteral("logo.bmp"));
    QImage image(120, 40, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(logo));
    f.c<QCheckBox>("CheckLogo")->setChecked(true);
    f.services.fileNames.enqueue(logo);
    f.c<QPushButton>("cmdLogoName")->click();
    auto *tabs = f.c<QTabWidget>("TabStrip1");
    QSignalSpy shown(f.window.get(), &frmTanafuda::previewShown);
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        if (i == 6)
            QVERIFY(shown.wait(20000));
        QTest::qWait(i == 6 ? 1500 : 100);
        QVERIFY(f.window->screen()
                    ->grabWindow(f.window->winId())
                    .save(QDir(folder).filePath(QStringLiteral("tanafuda_%1.png").arg(i))));
    }
}

// The preview's web view wants shared contexts before the application exists.
static const bool sharedContexts = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

QTEST_MAIN(TestFrmTanafuda)
#include "tst_frmTanafuda.moc"
