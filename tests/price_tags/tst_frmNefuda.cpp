// The price-tag designer driven through its controls' names, with scripted dialogs.

#include "support/cli_runner.h"
#include "support/fake_ui_services.h"

#include "platform/profile_file.h"
#include "price_tags/design_file.h"
#include "price_tags/designer_rules.h"
#include "price_tags/frmNefuda.h"
#include "price_tags/preview.h"
#include "price_tags/sheet.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"
#include "products/tax.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QWebEngineView>
#include <QtTest>

using namespace price_tags;

namespace {

const QString kList = QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/twelve.csv");
const QString kDesignB = QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/e2e_two_tiers_B.cdn");

template <typename T> T *child(QWidget &w, const QString &name)
{
    T *c = w.findChild<T *>(name);
    if (!c)
        qFatal("no control %s", qPrintable(name));
    return c;
}

products::ProductList listWithChecks(const QList<int> &rows)
{
    products::ProductList list = products::readCsvFile(kList).rows;
    for (int r : rows)
        list[r].checked = true;
    return list;
}

ProductSlots slotsOf(const QList<int> &rows)
{
    return fillProductSlots(listWithChecks(rows), products::TaxSettings()).items;
}

// Runs check on the modal window once it is shown, then closes it.
void onceShown(const std::function<void(QWidget &)> &check)
{
    QTimer::singleShot(0, [check] {
        QWidget *w = QApplication::activeModalWidget();
        QVERIFY(w);
        check(*w);
        w->close();
    });
}

QImage picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    return image;
}

} // namespace

class TestFrmNefuda : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void keyFilters_data();
    void keyFilters();
    void checkBoxesWriteTheDesignAtOnce_data();
    void checkBoxesWriteTheDesignAtOnce();
    void aspectLock();
    void makeRefusals_data();
    void makeRefusals();
    void makeEqualsCommandLine();
    void displayBeforeFirstMake();
    void openDesign();
    void unreadableDesignLeavesDesign();
    void closePrompt_data();
    void closePrompt();
    void failedSaveKeepsFlag();
    void builtInAsksFirst();
    void closeKeepsDesignAndReopensWithCopiesZero();
    void sharedDialogs();
    void fontDialogKeepsMissingFont();
    void preview();
    void screenshots();

private:
    std::unique_ptr<frmNefuda> window(const QList<int> &rows = {0, 1, 2}, bool hasRows = true);

    std::unique_ptr<QTemporaryDir> dir_;
    platform::Folders folders_;
    PriceTagDesign design_;
    std::unique_ptr<FakeUiServices> ui_;
};

void TestFrmNefuda::init()
{
    ui_.reset();
    ui_ = std::make_unique<FakeUiServices>();
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    folders_.appData = dir_->filePath(QStringLiteral("appdata"));
    folders_.data = dir_->filePath(QStringLiteral("data"));
    QVERIFY(QDir().mkpath(folders_.appData));
    QVERIFY(QDir().mkpath(folders_.data));
    design_ = PriceTagDesign();
}

std::unique_ptr<frmNefuda> TestFrmNefuda::window(const QList<int> &rows, bool hasRows)
{
    return std::make_unique<frmNefuda>(slotsOf(rows), hasRows, design_, dialogs::BrowserSettings(), *ui_, folders_);
}

void TestFrmNefuda::keyFilters_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("copies: digits only") << "txtCCount_0"
                                         << "1a2.b"
                                         << "12";
    QTest::newRow("card height: decimal") << "txtCardHeight"
                                          << "2x4.5"
                                          << "24.5";
    QTest::newRow("padding: decimal") << "txtCardPadding_3"
                                      << "-1.5"
                                      << "1.5";
    QTest::newRow("logo width: digits and point") << "txtLogoWidth"
                                                  << "q30.0"
                                                  << "30.0";
}

void TestFrmNefuda::keyFilters()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    design_.cardHeightFixed = true;
    design_.showLogo = true;
    auto w = window();
    auto *edit = child<QLineEdit>(*w, box);
    for (QWidget *p = edit; p; p = p->parentWidget())
        p->setEnabled(true);
    edit->clear();
    QTest::keyClicks(edit, typed);
    QCOMPARE(edit->text(), shown);
}

void TestFrmNefuda::checkBoxesWriteTheDesignAtOnce_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<bool PriceTagDesign::*>("flag");
    QTest::newRow("item code") << "CheckHinban" << &PriceTagDesign::showItemCode;
    QTest::newRow("name") << "CheckName" << &PriceTagDesign::showName;
    QTest::newRow("tax note") << "CheckCZeikomi" << &PriceTagDesign::showTaxNote;
    QTest::newRow("logo") << "CheckLogo" << &PriceTagDesign::showLogo;
}

void TestFrmNefuda::checkBoxesWriteTheDesignAtOnce()
{
    QFETCH(QString, box);
    QFETCH(bool PriceTagDesign::*, flag);
    auto w = window();
    const bool before = design_.*flag;
    child<QCheckBox>(*w, box)->toggle();
    QCOMPARE(design_.*flag, !before);
    if (box == QLatin1String("CheckCZeikomi"))
        QCOMPARE(child<QCheckBox>(*w, QStringLiteral("Check2Dan"))->isEnabled(), !before);
    if (box == QLatin1String("CheckHinban"))
        QCOMPARE(child<QPushButton>(*w, QStringLiteral("cmdCFont_0"))->isEnabled(), !before);
}

void TestFrmNefuda::aspectLock()
{
    const QString logo = dir_->filePath(QStringLiteral("logo.bmp"));
    QVERIFY(picture(200, 100).save(logo));
    auto w = window();
    child<QCheckBox>(*w, QStringLiteral("CheckLogo"))->setChecked(true);
    ui_->fileNames.enqueue(logo);
    child<QPushButton>(*w, QStringLiteral("cmdCLogo"))->click();
    auto *width = child<QLineEdit>(*w, QStringLiteral("txtLogoWidth"));
    auto *height = child<QLineEdit>(*w, QStringLiteral("txtLogoHeight"));
    QCOMPARE(width->text(), QStringLiteral("200"));
    QCOMPARE(height->text(), QStringLiteral("100"));
    QVERIFY(width->isEnabled());
    child<QCheckBox>(*w, QStringLiteral("Check比率"))->setChecked(true);
    height->selectAll();
    QTest::keyClicks(height, QStringLiteral("50"));
    QCOMPARE(width->text(), QStringLiteral("100"));
    width->selectAll();
    QTest::keyClicks(width, QStringLiteral("300"));
    QCOMPARE(height->text(), QStringLiteral("150"));
    // The up-down control (its upper arrow) counts as editing its box.
    child<QScrollBar>(*w, QStringLiteral("UpDownHeight"))->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(height->text(), QStringLiteral("151"));
    QCOMPARE(width->text(), QStringLiteral("302"));

    child<QPushButton>(*w, QStringLiteral("cmdCClear"))->click();
    QCOMPARE(width->text(), QStringLiteral("0"));
    QVERIFY(!width->isEnabled());
    QVERIFY(!child<QCheckBox>(*w, QStringLiteral("Check比率"))->isChecked());
}

void TestFrmNefuda::makeRefusals_data()
{
    QTest::addColumn<QStringList>("copies");
    QTest::addColumn<bool>("startFour");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("tab"); // the tab shown afterwards (the make starts on デザイン(3))
    QTest::addColumn<QStringList>("copiesAfter");
    QTest::newRow("emptied copies box") << QStringList{"1", "2", ""} << false << "作成枚数の値がが不正です" << 3
                                        << QStringList{"1", "2", "0"};
    QTest::newRow("no copies") << QStringList{"0", "0", "0"} << false << "作成枚数が設定されていません." << 0
                               << QStringList{"0", "0", "0"};
    QTest::newRow("start position without card size")
        << QStringList{"1", "0", "0"} << true
        << "出力の開始位置を 1 以外に指定するときは、\r\nカードの縦横のサイズを指定してください." << 1
        << QStringList{"1", "0", "0"};
}

void TestFrmNefuda::makeRefusals()
{
    QFETCH(QStringList, copies);
    QFETCH(bool, startFour);
    QFETCH(QString, text);
    QFETCH(int, tab);
    QFETCH(QStringList, copiesAfter);
    auto w = window();
    for (int i = 0; i < 3; ++i)
        child<QLineEdit>(*w, QStringLiteral("txtCCount_%1").arg(i))->setText(copies.at(i));
    if (startFour)
        child<QComboBox>(*w, QStringLiteral("cmbStartPos"))->setCurrentText(QStringLiteral("4"));
    child<QTabWidget>(*w, QStringLiteral("TabStrip1"))->setCurrentIndex(3);
    child<QPushButton>(*w, QStringLiteral("cmd作成"))->click();
    QCOMPARE(ui_->lastText(), text);
    QCOMPARE(child<QTabWidget>(*w, QStringLiteral("TabStrip1"))->currentIndex(),
             tab == 0 && copies.at(0) == "1" ? 3 : tab);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(child<QLineEdit>(*w, QStringLiteral("txtCCount_%1").arg(i))->text(), copiesAfter.at(i));
    QVERIFY(!QFile::exists(QDir(folders_.appData).filePath(pageFileName())));
}

void TestFrmNefuda::makeEqualsCommandLine()
{
    auto w = window({1, 4});
    w->show();
    // The upper arrow counts up.
    auto *upDown = child<QScrollBar>(*w, QStringLiteral("UpDownC_0"));
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(upDown, Qt::LeftButton, {}, QPoint(upDown->width() / 2, 3));
    QCOMPARE(child<QLineEdit>(*w, QStringLiteral("txtCCount_0"))->text(), QStringLiteral("3"));
    child<QLineEdit>(*w, QStringLiteral("txtCCount_1"))->setText(QStringLiteral("1002"));
    child<QPushButton>(*w, QStringLiteral("cmd作成"))->click();
    QCOMPARE(ui_->lastText(), QStringLiteral("貼付用値札を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
    QVERIFY(w->isEnabled());
    QVERIFY(child<QPushButton>(*w, QStringLiteral("cmd作成"))->isEnabled());

    const QString out = dir_->filePath(QStringLiteral("cli"));
    const cli_runner::Run run =
        cli_runner::runCli({QStringLiteral("--out"), out, QStringLiteral("tags"), kList, QStringLiteral("--check"),
                            QStringLiteral("2,5"), QStringLiteral("--copies"), QStringLiteral("3,1002")});
    QCOMPARE(run.exitCode, 0);
    const QByteArray page = cli_runner::readBytes(QDir(folders_.appData).filePath(pageFileName()));
    QVERIFY(page.count("class=\"area31\">") > 1000);
    QCOMPARE(page, cli_runner::readBytes(QDir(out).filePath(pageFileName())));

    child<QPushButton>(*w, QStringLiteral("cmdExplorer"))->click();
    QCOMPARE(ui_->opened.size(), 1);
}

void TestFrmNefuda::displayBeforeFirstMake()
{
    auto w = window();
    child<QPushButton>(*w, QStringLiteral("cmdExplorer"))->click();
    QCOMPARE(ui_->lastText(), QStringLiteral("表示するデータがまだありません."));
    QCOMPARE(ui_->lastTitle(), QStringLiteral("貼付用値札の表示"));
    QVERIFY(ui_->opened.isEmpty());
}

void TestFrmNefuda::openDesign()
{
    auto w = window();
    ui_->fileNames.enqueue(kDesignB);
    child<QAction>(*w, QStringLiteral("mnuCOpen"))->trigger();
    QCOMPARE(ui_->fileRequests.last().filter, QStringLiteral("デザインファイル(*.cdn)|*.cdn"));
    QCOMPARE(ui_->fileRequests.last().initialFolder, folders_.data);
    QCOMPARE(w->windowTitle(), QStringLiteral("貼付用値札作成ツール [e2e_two_tiers_B.cdn]"));
    QCOMPARE(child<QTabWidget>(*w, QStringLiteral("TabStrip1"))->currentIndex(), 1);
    QVERIFY(!child<QAction>(*w, QStringLiteral("mnuCSave"))->isEnabled());
    QVERIFY(!w->designChanged());
    const CDesignRead read = ReadCDesign(kDesignB, WindowValues());
    QCOMPARE(child<QComboBox>(*w, QStringLiteral("cmbCountW"))->currentText(), read.form.countW);
    QCOMPARE(child<QCheckBox>(*w, QStringLiteral("Check2Dan"))->isChecked(), read.form.check2Dan);
    QCOMPARE(child<QComboBox>(*w, QStringLiteral("cmbStartPos"))->count(),
             read.form.countW.toInt() * read.form.countH.toInt());
    // An edit makes the design changed.
    child<QLineEdit>(*w, QStringLiteral("txtCardPadding_0"))->setText(QStringLiteral("2"));
    QVERIFY(w->designChanged());
    QVERIFY(child<QAction>(*w, QStringLiteral("mnuCSave"))->isEnabled());
}

void TestFrmNefuda::unreadableDesignLeavesDesign()
{
    const QString bad = dir_->filePath(QStringLiteral("bad.cdn"));
    QVERIFY(QFile::copy(kDesignB, bad));
    QFile::setPermissions(bad, QFile::ReadOwner | QFile::WriteOwner);
    QVERIFY(platform::writeProfileString(bad, QStringLiteral("CMake"), QStringLiteral("JN"), QStringLiteral("7")));
    design_.countW = 4;
    auto w = window();
    child<QCheckBox>(*w, QStringLiteral("CheckHinban"))->setChecked(true);
    const PriceTagDesign before = design_;
    ui_->fileNames.enqueue(bad);
    child<QAction>(*w, QStringLiteral("mnuCOpen"))->trigger();
    QVERIFY(ui_->lastText().startsWith(QStringLiteral("エラーが発生しました(ReadCDesign)")));
    QCOMPARE(w->windowTitle(), QStringLiteral("貼付用値札作成ツール"));
    QCOMPARE(child<QComboBox>(*w, QStringLiteral("cmbCountW"))->currentText(), QStringLiteral("4"));
    QVERIFY(child<QCheckBox>(*w, QStringLiteral("CheckHinban"))->isChecked());
    QCOMPARE(design_, before);
}

void TestFrmNefuda::closePrompt_data()
{
    QTest::addColumn<bool>("fromFile");
    QTest::addColumn<bool>("answerYes");
    QTest::newRow("no file: no question") << false << false;
    QTest::newRow("file, answered no") << true << false;
    QTest::newRow("file, answered yes") << true << true;
}

void TestFrmNefuda::closePrompt()
{
    QFETCH(bool, fromFile);
    QFETCH(bool, answerYes);
    const QString file = dir_->filePath(QStringLiteral("mine.cdn"));
    QVERIFY(QFile::copy(kDesignB, file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray original = cli_runner::readBytes(file);
    auto w = window();
    w->show();
    if (fromFile) {
        ui_->fileNames.enqueue(file);
        child<QAction>(*w, QStringLiteral("mnuCOpen"))->trigger();
    }
    child<QComboBox>(*w, QStringLiteral("cmbCountW"))->setCurrentText(QStringLiteral("7"));
    ui_->messages.clear();
    ui_->answers.enqueue(answerYes ? platform::UiServices::Answer::Yes : platform::UiServices::Answer::No);
    child<QPushButton>(*w, QStringLiteral("cmdQuit"))->click();
    QVERIFY(!w->isVisible());
    QCOMPARE(ui_->messages.size(), fromFile ? 1 : 0);
    if (fromFile) {
        QCOMPARE(ui_->lastText(), QStringLiteral("mine.cdn は更新されています.\r\n更新を保存しますか?"));
        QCOMPARE(ui_->lastTitle(), QStringLiteral("デザインの変更確認"));
    }
    QCOMPARE(cli_runner::readBytes(file) == original, !answerYes);
    QCOMPARE(design_.countW, 7); // the window's state is the program's design after closing
}

void TestFrmNefuda::failedSaveKeepsFlag()
{
    const QString file = dir_->filePath(QStringLiteral("mine.cdn"));
    QVERIFY(QFile::copy(kDesignB, file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    auto w = window();
    w->show();
    ui_->fileNames.enqueue(file);
    child<QAction>(*w, QStringLiteral("mnuCOpen"))->trigger();
    child<QComboBox>(*w, QStringLiteral("cmbCountW"))->setCurrentText(QStringLiteral("7"));
    // A folder where the file was: no save can go there.
    QVERIFY(QFile::remove(file));
    QVERIFY(QDir().mkpath(file));
    child<QAction>(*w, QStringLiteral("mnuCSave"))->trigger();
    QVERIFY(ui_->lastText().startsWith(QStringLiteral("エラーが発生しました(WriteCDesign)")));
    QVERIFY(w->designChanged());
    QVERIFY(child<QAction>(*w, QStringLiteral("mnuCSave"))->isEnabled());
    // Closing asks again; a save that fails keeps the window open with its edits.
    ui_->answers.enqueue(platform::UiServices::Answer::Yes);
    w->close();
    QVERIFY(w->isVisible());
    QVERIFY(QDir(file).removeRecursively());
    ui_->answers.enqueue(platform::UiServices::Answer::Yes);
    w->close();
    QVERIFY(!w->isVisible());
    QCOMPARE(ReadCDesign(file, WindowValues()).form.countW, QStringLiteral("7"));
}

void TestFrmNefuda::builtInAsksFirst()
{
    const QString file = dir_->filePath(QStringLiteral("mine.cdn"));
    QVERIFY(QFile::copy(kDesignB, file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray original = cli_runner::readBytes(file);
    auto w = window();
    ui_->fileNames.enqueue(file);
    child<QAction>(*w, QStringLiteral("mnuCOpen"))->trigger();
    child<QCheckBox>(*w, QStringLiteral("CheckCLine"))->toggle();
    child<QTabWidget>(*w, QStringLiteral("TabStrip1"))->setCurrentIndex(0);
    ui_->answers.enqueue(platform::UiServices::Answer::No);
    child<QAction>(*w, QStringLiteral("mnuDefaultB"))->trigger();
    QCOMPARE(ui_->lastTitle(), QStringLiteral("デザインの変更確認"));
    QCOMPARE(cli_runner::readBytes(file), original);
    QCOMPARE(w->windowTitle(), QStringLiteral("貼付用値札作成ツール"));
    QCOMPARE(child<QComboBox>(*w, QStringLiteral("cmbCountW"))->currentText(), QStringLiteral("3"));
    QCOMPARE(child<QLineEdit>(*w, QStringLiteral("txtCardWidth"))->text(), QStringLiteral("56"));
    QCOMPARE(child<QComboBox>(*w, QStringLiteral("cmbStartPos"))->count(), 42);
    QCOMPARE(child<QTabWidget>(*w, QStringLiteral("TabStrip1"))->currentIndex(), 1);
    QVERIFY(!w->designChanged());
}

void TestFrmNefuda::closeKeepsDesignAndReopensWithCopiesZero()
{
    {
        auto w = window();
        w->show();
        child<QComboBox>(*w, QStringLiteral("cmbCountH"))->setCurrentText(QStringLiteral("12"));
        child<QLineEdit>(*w, QStringLiteral("txtCCount_1"))->setText(QStringLiteral("5"));
        w->close();
    }
    QCOMPARE(design_.countH, 12);
    auto w = window();
    QCOMPARE(child<QComboBox>(*w, QStringLiteral("cmbCountH"))->currentText(), QStringLiteral("12"));
    QCOMPARE(child<QLineEdit>(*w, QStringLiteral("txtCCount_1"))->text(), QStringLiteral("0"));
    QCOMPARE(child<QTabWidget>(*w, QStringLiteral("TabStrip1"))->currentIndex(), 0);
}

// The font dialog and the palette open on the row's and the ruled line's values and hand back theirs.
void TestFrmNefuda::sharedDialogs()
{
    auto w = window();
    w->show();
    QString fontTitle;
    onceShown([&](QWidget &d) {
        fontTitle = d.windowTitle();
        child<QPushButton>(d, QStringLiteral("OKButton"))->click();
    });
    child<QPushButton>(*w, QStringLiteral("cmdCFont_2"))->click();
    QCOMPARE(fontTitle, QStringLiteral("フォントの選択"));
    QCOMPARE(child<QLabel>(*w, QStringLiteral("lblCFontSize_2"))->text(), QStringLiteral("12pt"));
    QCOMPARE(child<QLabel>(*w, QStringLiteral("lblCFontStyle_2"))->text(), QStringLiteral("太字"));

    onceShown([&](QWidget &d) {
        child<QPushButton>(d, QStringLiteral("PicPalete_0"))->click();
        child<QPushButton>(d, QStringLiteral("OKButton"))->click();
    });
    child<QPushButton>(*w, QStringLiteral("cmdCBorderColor"))->click();
    QCOMPARE(child<QLabel>(*w, QStringLiteral("lblCBorderColor"))->accessibleDescription(), QStringLiteral("#000000"));
    w->close();
    QCOMPARE(design_.lineColor, QStringLiteral("#000000"));
}

// A design's font this system lacks survives the font dialog: OK on every printed row, then saving
// the design, gives back the file as it was.
void TestFrmNefuda::fontDialogKeepsMissingFont()
{
    const QString file = dir_->filePath(QStringLiteral("mine.cdn"));
    QVERIFY(QFile::copy(kDesignB, file));
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner);
    const QByteArray before = cli_runner::readBytes(file);
    auto w = window();
    w->show();
    ui_->fileNames.enqueue(file);
    child<QAction>(*w, QStringLiteral("mnuCOpen"))->trigger();
    int opened = 0;
    for (int row = 0; row < 4; ++row) {
        auto *button = child<QPushButton>(*w, QStringLiteral("cmdCFont_%1").arg(row));
        if (!button->isEnabled())
            continue;
        QString shown;
        onceShown([&shown](QWidget &d) {
            shown = child<QLabel>(d, QStringLiteral("lblFontName"))->text();
            child<QPushButton>(d, QStringLiteral("OKButton"))->click();
        });
        button->click();
        QCOMPARE(shown, QStringLiteral("ＭＳ Ｐゴシック"));
        ++opened;
    }
    QVERIFY(opened >= 2);
    QVERIFY2(ui_->messages.isEmpty(), qPrintable(ui_->lastText()));
    child<QAction>(*w, QStringLiteral("mnuCSave"))->trigger();
    QCOMPARE(cli_runner::readBytes(file), before);
}

void TestFrmNefuda::preview()
{
    auto w = window();
    w->show();
    child<QComboBox>(*w, QStringLiteral("cmbYMark"))->setCurrentIndex(1);
    child<QTabWidget>(*w, QStringLiteral("TabStrip1"))->setCurrentIndex(4);
    const QString path = QDir(folders_.appData).filePath(cprevFileName());
    PriceTagDesign expected;
    expected.priceMark = 1;
    QCOMPARE(QString::fromLatin1(cli_runner::readBytes(path)).split("\r\n").size(),
             MakeCPrevHtml(expected).lines.size() + 1);
    QVERIFY(cli_runner::readBytes(path).contains("2,467\x89\x7e")); // "円" in Shift_JIS
    auto *view = w->findChild<QWebEngineView *>(QStringLiteral("wbCPreView"));
    QVERIFY(view);
    QTRY_COMPARE_WITH_TIMEOUT(view->url(), QUrl::fromLocalFile(path), 20000);
    // A screen reader gets the card's texts from the view itself.
    QVERIFY(view->accessibleDescription().contains(QStringLiteral("サンプル商品 2,467円")));
}

// With VENNLO_SCREENSHOTS=folder, each tab is saved there as a picture to look at.
void TestFrmNefuda::screenshots()
{
    const QString folder = qEnvironmentVariable("VENNLO_SCREENSHOTS");
    if (folder.isEmpty())
        QSKIP("VENNLO_SCREENSHOTS not set");
    design_.showLogo = true;
    design_.logoName = dir_->filePath(QStringLiteral("logo.bmp"));
    design_.logoW = 160;
    design_.logoH = 40;
    QVERIFY(picture(80, 40).save(design_.logoName));
    auto w = window({0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
    w->resize(900, 560);
    w->show();
    auto *tabs = child<QTabWidget>(*w, QStringLiteral("TabStrip1"));
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        QTest::qWait(i == 4 ? 3000 : 200);
        QVERIFY(w->grab().save(QStringLiteral("%1/frmNefuda_%2.png").arg(folder).arg(i)));
    }
}

QTEST_MAIN(TestFrmNefuda)
#include "tst_frmNefuda.moc"
