#include "app/frmMain.h"
#include "app/list_document.h"
#include "app/startup.h"
#include "common/helpers.h"
#include "dialogs/dlgSplash.h"
#include "price_tags/frmNefuda.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"
#include "shelf_labels/frmTanafuda.h"

#include "support/fake_ui_services.h"

#include <QAccessible>
#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <memory>
#include <utility>

#include <unistd.h>

using app::frmMain;
using platform::UiServices;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The window's controls by object name, as assistive technology and end-to-end checks find them.
template <class T> T *named(QWidget &w, const QString &name)
{
    T *child = w.findChild<T *>(name);
    if (!child)
        qFatal("no control %s", qPrintable(name));
    return child;
}
QPushButton *button(QWidget &w, const QString &name)
{
    return named<QPushButton>(w, name);
}
QAction *action(QWidget &w, const QString &name)
{
    return named<QAction>(w, name);
}
QTreeView *listView(QWidget &w)
{
    return named<QTreeView>(w, QStringLiteral("ListView1"));
}

QString describe(const QList<QAction *> &actions)
{
    QStringList parts;
    for (const QAction *a : actions)
        parts.append(a->isSeparator() ? QStringLiteral("-") : a->objectName() + QLatin1Char('=') + a->text());
    return parts.join(QLatin1Char('|'));
}

// The standard folders, with the program folder of the test.
class ProgramFolderStore : public app::SettingsStore {
public:
    explicit ProgramFolderStore(QString program) : program_(std::move(program)) {}
    platform::Folders folders(std::optional<platform::AppError> *error) override
    {
        platform::Folders f = app::GetSPF(error);
        f.program = program_;
        return f;
    }

private:
    QString program_;
};

} // namespace

class TestFrmMain : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> root_;
    std::unique_ptr<FakeUiServices> ui_;
    std::unique_ptr<ProgramFolderStore> store_;
    QString home_;
    QString program_;
    settings::Settings settings_;
    QStringList immutable_;

    platform::Folders folders() const
    {
        platform::Folders f = app::GetSPF();
        f.program = program_;
        return f;
    }

    // A main window of a user whose home is the temporary folder, loaded and shown, splash closed.
    std::unique_ptr<frmMain> loadedWindow()
    {
        auto w = std::make_unique<frmMain>(settings_, *ui_, store_.get());
        w->Form_Load();
        w->show();
        w->closeSplash();
        return w;
    }

    bool makeReadOnly(const QString &dir)
    {
        if (::geteuid() != 0)
            return QFile(dir).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        if (QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), dir}) != 0)
            return false;
        immutable_.append(dir);
        return true;
    }

private Q_SLOTS:
    void init()
    {
        root_ = std::make_unique<QTemporaryDir>();
        home_ = root_->filePath(QStringLiteral("home"));
        program_ = root_->filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(home_));
        QVERIFY(writeFile(program_ + "/BarCode/LB.bmp", "BM"));
        QVERIFY(writeFile(program_ + "/sample.csv", "1,A001,りんご,100,,\r\n"));
        qputenv("HOME", home_.toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home_ + "/.local/share").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home_ + "/.config").toLocal8Bit());
        settings_ = settings::Settings();
        ui_ = std::make_unique<FakeUiServices>();
        store_ = std::make_unique<ProgramFolderStore>(program_);
    }
    void cleanup()
    {
        for (const QString &dir : std::exchange(immutable_, {}))
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir});
        ui_.reset();
        store_.reset();
        root_.reset();
    }

    void menuTree_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("entries");
        QTest::newRow("file")
            << "mnuFile"
            << "ファイル(&F)"
            << "mnuNew=新規作成(&N)|mnuOpen=開く(&O)...|mnuSave=上書き保存(&S)|"
               "mnuSaveAs=名前を付けて保存(&A)...|-|mnuCopyMyDoc=旧フォルダからのファイルコピー(&D)...|-|"
               "mnuExcel=Excelファイルのインポート(&E)...|-|mnuEnd=終了(&X)";
        QTest::newRow("edit")
            << "mnuEdit"
            << "編集(&E)"
            << "mnuCalcData=消費税計算(&C)|-|mnuNewData=新規(&N)|mnuDelData=削除(&D)|"
               "mnuPutData=登録(&W)|-|mnuUp=１つ上へ移動|mnuDown=１つ下へ移動|-|mnuFind=データ内検索(&F)...";
        QTest::newRow("settings") << "mnuSettei"
                                  << "設定(&S)"
                                  << "mnuGridFont=データリストの表示設定(&L)...|mnuBrowser=ブラウザの選択(&B)...|-|"
                                     "mnuTax=消費税率・価格基準(&T)...";
        QTest::newRow("action") << "mnuAction"
                                << "実行(&A)"
                                << "mnuTanafuda=棚札作成(&T)...|mnuCyoufu=貼付用値札作成(&L)...|"
                                   "mnuDaicyo=商品台帳作成ツール(&D)...|-|mnuMakeCD=チェックディジット一括挿入(&C)";
        QTest::newRow("help") << "mnuHelp"
                              << "ヘルプ(&H)"
                              << "mnuShowHelp=ヘルプ(&H)...|mnuVersion=バージョン情報(&A)...|mnuWebsite=WebSite(&W)|"
                                 "mnuReadMe=ReadMeを開く(&M)";
    }
    void menuTree()
    {
        QFETCH(QString, menu);
        QFETCH(QString, title);
        QFETCH(QString, entries);
        frmMain w(settings_, *ui_);
        auto *m = w.findChild<QMenu *>(menu);
        QVERIFY(m);
        QCOMPARE(m->title(), title);
        QCOMPARE(describe(m->actions()), entries);
    }

    void menuBarOrder()
    {
        frmMain w(settings_, *ui_);
        QStringList menus;
        for (QAction *a : w.menuBar()->actions())
            menus.append(a->menu() ? a->menu()->objectName() : a->objectName());
        QCOMPARE(menus, (QStringList{"mnuFile", "mnuEdit", "mnuSettei", "mnuAction", "mnuHelp"}));
    }

    void buttons_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::newRow("tanafuda") << "cmdTanafuda"
                                  << "棚札作成(&T)...";
        QTest::newRow("cyofu") << "cmdCyofu"
                               << "貼付用値札作成(&L)...";
        QTest::newRow("daicyo") << "cmdDaicyo"
                                << "商品台帳作成(&D)...";
        QTest::newRow("quit") << "cmdQuit"
                              << "終 了 (&Q)";
        QTest::newRow("calc") << "cmdCalc"
                              << "税　計 算 (&C)";
        QTest::newRow("put") << "cmdPutGrid"
                             << "登 録 (&W)";
        QTest::newRow("delete") << "cmdDelete"
                                << "削 除 (&R)";
        QTest::newRow("new") << "cmd新規"
                             << "新 規 (&N)";
        QTest::newRow("up") << "cmdUp"
                            << "↑";
        QTest::newRow("down") << "cmdDown"
                              << "↓";
    }
    void buttons()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        frmMain w(settings_, *ui_);
        auto *b = w.findChild<QPushButton *>(name);
        QVERIFY2(b, qPrintable(name));
        QCOMPARE(b->text(), caption);
    }

    void entryFields_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("caption");
        QTest::newRow("code") << "txt品番"
                              << "品番等:";
        QTest::newRow("name") << "txt商品名"
                              << "商品名:";
        QTest::newRow("base price") << "txt本体価格"
                                    << "(本体価格:";
        QTest::newRow("price") << "txt価格"
                               << "税込価格:";
        QTest::newRow("remarks") << "txt備考"
                                 << "備考:";
        QTest::newRow("jan") << "txtBarCode"
                             << "JANコード:";
    }
    void entryFields()
    {
        QFETCH(QString, field);
        QFETCH(QString, caption);
        frmMain w(settings_, *ui_);
        auto *edit = w.findChild<QLineEdit *>(field);
        QVERIFY(edit);
        QVERIFY(w.findChild<QFrame *>(QStringLiteral("frameテキストボックス"))->isAncestorOf(edit));
        QLabel *label = nullptr;
        for (QLabel *l : w.findChildren<QLabel *>())
            if (l->buddy() == edit)
                label = l;
        QVERIFY2(label, qPrintable(field));
        QCOMPARE(label->text(), caption);
    }

    void everyInputHasACaption()
    {
        frmMain w(settings_, *ui_);
        for (QLineEdit *edit : w.findChildren<QLineEdit *>()) {
            bool captioned = !edit->accessibleName().isEmpty();
            for (QLabel *l : w.findChildren<QLabel *>())
                captioned = captioned || l->buddy() == edit;
            QVERIFY2(captioned, qPrintable(edit->objectName()));
        }
        QCOMPARE(w.findChild<QLabel *>(QStringLiteral("lbl消費税"))->accessibleName(), QStringLiteral("消費税:"));
        QVERIFY(!listView(w)->accessibleName().isEmpty());
    }

    // What a screen reader hears: inputs by their caption label, buttons and menu entries by their caption.
    void accessibleNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("heard");
        QTest::newRow("code") << "txt品番"
                              << "品番等:";
        QTest::newRow("name") << "txt商品名"
                              << "商品名:";
        QTest::newRow("base price") << "txt本体価格"
                                    << "(本体価格:";
        QTest::newRow("price") << "txt価格"
                               << "税込価格:";
        QTest::newRow("remarks") << "txt備考"
                                 << "備考:";
        QTest::newRow("jan") << "txtBarCode"
                             << "JANコード:";
        QTest::newRow("tax") << "lbl消費税"
                             << "消費税:";
        QTest::newRow("shelf labels") << "cmdTanafuda"
                                      << "棚札作成(T)...";
        QTest::newRow("quit") << "cmdQuit"
                              << "終 了 (Q)";
        QTest::newRow("new") << "cmd新規"
                             << "新 規 (N)";
        QTest::newRow("short code") << "OptionType_1"
                                    << "短縮(8桁)";
    }
    void accessibleNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, heard);
        frmMain w(settings_, *ui_);
        w.show();
        QWidget *widget = named<QWidget>(w, name);
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(iface);
        QCOMPARE(iface->text(QAccessible::Name), heard);
    }

    void otherControls()
    {
        frmMain w(settings_, *ui_);
        auto *option0 = named<QRadioButton>(w, "OptionType_0");
        auto *option1 = named<QRadioButton>(w, "OptionType_1");
        auto *group = named<QButtonGroup>(w, "OptionType");
        QCOMPARE(option0->text(), QStringLiteral("標準(13桁)"));
        QCOMPARE(option1->text(), QStringLiteral("短縮(8桁)"));
        QCOMPARE(group->id(option0), 0);
        QCOMPARE(group->id(option1), 1);
        QVERIFY(option0->isChecked());
        QCOMPARE(named<QLineEdit>(w, "txtBarCode")->maxLength(), 12);
        named<QLabel>(w, "lblCD");
        auto *frame = named<QGroupBox>(w, "FrameBarCode");
        auto *picture = named<QWidget>(w, "picBarCode");
        QCOMPARE(frame->title(), QStringLiteral("JANコード プレビュー"));
        QVERIFY(frame->isAncestorOf(picture));
        for (int k = 0; k < 15; ++k)
            QVERIFY2(picture->findChild<QLabel *>(QStringLiteral("Image1_%1").arg(k)), qPrintable(QString::number(k)));
        auto *wait = named<QLabel>(w, "lblMSG");
        QVERIFY(wait->isHidden());
        QCOMPARE(wait->font().family(), QStringLiteral("ＭＳ Ｐゴシック"));
        auto *status = named<QStatusBar>(w, "StatusBar1");
        QVERIFY(w.statusBar() == status);
        QVERIFY(status->findChild<QLabel *>(QStringLiteral("StatusBar1_Panel1")));
        QVERIFY(status->findChild<QLabel *>(QStringLiteral("StatusBar1_Panel2")));
        w.setStatusText(1, QStringLiteral("出力数: 3"));
        w.setStatusText(2, QStringLiteral("/home/a/商品.csv"));
        QCOMPARE(w.statusText(1), QStringLiteral("出力数: 3"));
        QCOMPARE(w.statusText(2), QStringLiteral("/home/a/商品.csv"));
        QCOMPARE(status->findChild<QLabel *>(QStringLiteral("StatusBar1_Panel2"))->text(), w.statusText(2));
        w.showWaitMessage(QStringLiteral("しばらくお待ち下さい.\r\n保存中です."));
        QVERIFY(!wait->isHidden());
        QCOMPARE(wait->text(), QStringLiteral("しばらくお待ち下さい.\n保存中です."));
        w.hideWaitMessage();
        QVERIFY(wait->isHidden());
    }

    void emptyListWithItsColumns_data()
    {
        QTest::addColumn<int>("indicate");
        QTest::addColumn<QString>("priceHeader");
        QTest::newRow("base prices") << 0 << "本体価格";
        QTest::newRow("tax-inclusive prices") << 1 << "税込価格";
    }
    void emptyListWithItsColumns()
    {
        QFETCH(int, indicate);
        QFETCH(QString, priceHeader);
        QVERIFY(!app::MakeSpecialFolder(folders()));
        QVERIFY(common::PutIniValue(folders().settingsFile(), "Tax", "Indicate", QString::number(indicate)) ||
                settings::SetInitial(settings_, folders().settingsFile(), true, nullptr));
        settings::Settings saved = settings::GetInitial(folders().settingsFile(), QString()).settings;
        saved.tax.indicate = indicate;
        saved.gridFont = 12;
        saved.status.columnWidth = {600, 0, 3000, 1500, 0, 2400};
        QVERIFY(settings::SetInitial(saved, folders().settingsFile(), true, nullptr));

        auto w = loadedWindow();
        QAbstractItemModel *model = listView(*w)->model();
        QVERIFY(model);
        QCOMPARE(model->rowCount(), 0);
        QStringList headers;
        for (int c = 0; c < model->columnCount(); ++c)
            headers.append(model->headerData(c, Qt::Horizontal).toString());
        QCOMPARE(headers, (QStringList{"No.", "品番等", "商品名", priceHeader, "備考", "JANコード"}));
        QCOMPARE(listView(*w)->font().pointSize(), 12);
        QHeaderView *header = listView(*w)->header();
        QCOMPARE(header->sectionSize(0), common::TwipsToPixelsX(600));
        QCOMPARE(header->sectionSize(2), common::TwipsToPixelsX(3000));
        QCOMPARE(header->sectionSize(5), common::TwipsToPixelsX(2400));
        // Widths of 0 leave the column as it was.
        QVERIFY(header->sectionSize(1) > 0);
    }

    void firstStart()
    {
        auto w = loadedWindow();
        QCOMPARE(w->windowTitle(), QStringLiteral("ぽらね値札作成 [新規]"));
        QVERIFY2(ui_->messages.isEmpty(), qPrintable(ui_->lastText()));
        const platform::Folders f = folders();
        for (const QString &dir : {f.documents, f.data, f.appDataRoot, f.appData, f.appData + "/BarCode"})
            QVERIFY2(QFileInfo(dir).isDir(), qPrintable(dir));
        QCOMPARE(readFile(f.data + "/sample.csv"), QByteArray("1,A001,りんご,100,,\r\n"));
        QCOMPARE(readFile(f.barcode + "LB.bmp"), QByteArray("BM"));
        QVERIFY(QFileInfo::exists(f.settingsFile()));
        QCOMPARE(w->folders().appData, f.appData);
        QCOMPARE(w->statusText(2), QString());

        for (const char *off : {"cmdDelete", "cmd新規", "cmdCalc", "cmdUp", "cmdDown"})
            QVERIFY2(!button(*w, QString::fromUtf8(off))->isEnabled(), off);
        for (const char *off :
             {"mnuSave", "mnuDelData", "mnuNewData", "mnuCalcData", "mnuUp", "mnuDown", "mnuCopyMyDoc"})
            QVERIFY2(!action(*w, QString::fromUtf8(off))->isEnabled(), off);
        for (const char *on : {"cmdPutGrid", "cmdTanafuda", "cmdCyofu", "cmdDaicyo", "cmdQuit"})
            QVERIFY2(button(*w, QString::fromUtf8(on))->isEnabled(), on);
        for (const char *on : {"mnuNew", "mnuOpen", "mnuSaveAs", "mnuPutData", "mnuFind", "mnuEnd", "mnuVersion"})
            QVERIFY2(action(*w, QString::fromUtf8(on))->isEnabled(), on);
        QVERIFY(listView(*w)->isEnabled());
        QVERIFY(w->isEnabled());
    }

    void savedWindowSize()
    {
        QVERIFY(!app::MakeSpecialFolder(folders()));
        settings::Settings saved;
        saved.status.width = 12000;
        saved.status.height = 9000;
        QVERIFY(settings::SetInitial(saved, folders().settingsFile(), true, nullptr));
        auto w = loadedWindow();
        QCOMPARE(w->size(), QSize(common::TwipsToPixelsX(12000), common::TwipsToPixelsY(9000)));
    }

    void splashBlocksTheWindowUntilClosed()
    {
        frmMain w(settings_, *ui_, store_.get());
        w.Form_Load();
        QVERIFY(w.splash());
        QVERIFY(w.splash()->isVisible());
        QVERIFY(!w.isEnabled());
        QTest::mouseClick(w.splash(), Qt::LeftButton);
        QVERIFY(w.isEnabled());
        QVERIFY(w.isVisible()); // the splash shows the main window when it goes
        QTRY_VERIFY(!w.splash());
    }

    void windowGoneWhileTheSplashIsUp()
    {
        QPointer<dialogs::dlgSplash> splash;
        {
            frmMain w(settings_, *ui_);
            w.Form_Load();
            splash = w.splash();
            QVERIFY(splash && splash->isVisible());
        }
        QVERIFY(!splash);
    }

    void blockedAppDataIsReportedAndStartUpGoesOn_data()
    {
        QTest::addColumn<bool>("readOnly");
        QTest::newRow("file in the way") << false;
        QTest::newRow("read-only root") << true;
    }
    void blockedAppDataIsReportedAndStartUpGoesOn()
    {
        QFETCH(bool, readOnly);
        const platform::Folders f = folders();
        if (readOnly) {
            QVERIFY(QDir().mkpath(f.appDataRoot));
            if (!makeReadOnly(f.appDataRoot))
                QSKIP("cannot make a folder read-only here");
        } else {
            QVERIFY(writeFile(f.appData, "in the way"));
        }
        auto w = loadedWindow();
        QVERIFY(!ui_->messages.isEmpty());
        const FakeUiServices::Message first = ui_->messages.first();
        QCOMPARE(first.title, QStringLiteral("エラー情報"));
        QVERIFY2(first.text.startsWith(QStringLiteral("ご迷惑をおかけしています.(MakeSpecialFolder)\r\n"
                                                      "想定外の事象が発生しました。\r\n番号: ")),
                 qPrintable(first.text));
        QCOMPARE(first.icon, UiServices::Icon::Critical);
        bool copyReported = false;
        for (const FakeUiServices::Message &m : ui_->messages)
            copyReported =
                copyReported || m.text.startsWith(QStringLiteral("ご迷惑をおかけしています.(AppDataFilesCopy)"));
        QVERIFY(copyReported);
        // Start-up went on: the data folder and its samples are there and the window is ready.
        QCOMPARE(readFile(f.data + "/sample.csv"), QByteArray("1,A001,りんご,100,,\r\n"));
        QCOMPARE(w->windowTitle(), QStringLiteral("ぽらね値札作成 [新規]"));
        QVERIFY(w->isEnabled());
        QVERIFY(w->isVisible());
    }

    // The prompts of the list run first; one answered with キャンセル keeps the window and its settings.
    void closingStoppedByAPrompt_data()
    {
        QTest::addColumn<bool>("workbook");
        QTest::addColumn<QStringList>("asked");
        QTest::newRow("workbook prompt") << true << QStringList{"CSVファイル保存の確認"};
        QTest::newRow("save-changes prompt") << false << QStringList{"変更保存の確認"};
    }
    void closingStoppedByAPrompt()
    {
        QFETCH(bool, workbook);
        QFETCH(QStringList, asked);
        auto w = loadedWindow();
        ui_->messages.clear();
        w->document().setModified(true);
        if (workbook)
            w->document().setWorkbookImported(true, root_->filePath(QStringLiteral("b.xls")));
        ui_->answers.enqueue(UiServices::Answer::Cancel);
        const QString file = folders().settingsFile();
        const QByteArray before = readFile(file);
        QVERIFY(!before.isEmpty());
        w->resize(w->size() + QSize(40, 30));
        QSignalSpy unloaded(w.get(), &frmMain::unloaded);
        QVERIFY(!w->close());
        QVERIFY(w->isVisible());
        QStringList titles;
        for (const FakeUiServices::Message &m : ui_->messages)
            titles.append(m.title);
        QCOMPARE(titles, asked);
        QCOMPARE(unloaded.count(), 0);
        QCOMPARE(readFile(file), before);
    }

    void closingWritesTheSettings()
    {
        auto w = loadedWindow();
        w->resize(common::TwipsToPixelsX(12000), common::TwipsToPixelsY(8000));
        listView(*w)->header()->resizeSection(2, 150);
        QSignalSpy unloaded(w.get(), &frmMain::unloaded);
        QVERIFY(w->close());
        QCOMPARE(unloaded.count(), 1);
        const QString file = folders().settingsFile();
        QCOMPARE(common::GetIniValue(file, "Status", "W"), QString::number(common::PixelsToTwipsX(w->width())));
        QCOMPARE(common::GetIniValue(file, "Status", "H"), QString::number(common::PixelsToTwipsY(w->height())));
        const settings::Settings back = settings::GetInitial(file, QString(), false).settings;
        QCOMPARE(back.status.columnWidth[2], common::PixelsToTwipsX(150));
    }

    void maximizedWindowLeavesTheStoredSize()
    {
        auto w = loadedWindow();
        const QString file = folders().settingsFile();
        const QString width = common::GetIniValue(file, "Status", "W");
        w->showMaximized();
        QVERIFY(w->isMaximized());
        QVERIFY(w->close());
        QCOMPARE(common::GetIniValue(file, "Status", "W"), width);
    }

    void quitButtonAndMenuClose_data()
    {
        QTest::addColumn<bool>("menu");
        QTest::newRow("button") << false;
        QTest::newRow("menu entry") << true;
    }
    void quitButtonAndMenuClose()
    {
        QFETCH(bool, menu);
        auto w = loadedWindow();
        ui_->messages.clear();
        w->document().setModified(true);
        ui_->answers.enqueue(UiServices::Answer::No);
        if (menu)
            action(*w, "mnuEnd")->trigger();
        else
            button(*w, "cmdQuit")->click();
        QCOMPARE(ui_->messages.size(), 1);
        QCOMPARE(ui_->lastTitle(), QStringLiteral("変更保存の確認"));
        QVERIFY(!w->isVisible());
    }

    void sizeBounds()
    {
        auto w = loadedWindow();
        const common::WindowSizeBounds bounds = common::mainWindowSizeBounds();
        QCOMPARE(w->minimumSize(), bounds.minimum);
        QCOMPARE(w->maximumSize(), bounds.maximum);
        QCOMPARE(bounds.minimum,
                 QSize(qRound(9492 / common::twipsPerPixelX()), qRound(6444 / common::twipsPerPixelY())));
        // Everything fits at the minimum size.
        QVERIFY(w->layout()->minimumSize().width() <= bounds.minimum.width());
        QVERIFY(w->layout()->minimumSize().height() <= bounds.minimum.height());
        w->resize(10, 10);
        QCOMPARE(w->size(), bounds.minimum);
        w->resize(100000, 100000);
        QCOMPARE(w->size(), bounds.maximum);
    }

    // A full EAN-13 preview (fifteen images of 60 pixels, 194 wide in all) fits at the minimum size.
    void fullPreviewFitsTheSmallestWindow()
    {
        auto w = loadedWindow();
        QWidget *picture = named<QWidget>(*w, "picBarCode");
        for (int k = 0; k < 15; ++k) {
            const int width = k == 0 || k == 14 ? 8 : k == 7 ? 10 : 14;
            QPixmap pm(width, 60);
            pm.fill(k % 2 ? Qt::black : Qt::white);
            auto *image = picture->findChild<QLabel *>(QStringLiteral("Image1_%1").arg(k));
            image->setPixmap(pm);
            image->setFixedSize(pm.size());
        }
        const QSize minimum = common::mainWindowSizeBounds().minimum;
        w->resize(minimum);
        QApplication::processEvents();
        QVERIFY2(w->layout()->minimumSize().width() <= minimum.width(),
                 qPrintable(QString::number(w->layout()->minimumSize().width())));
        QVERIFY2(w->layout()->minimumSize().height() <= minimum.height(),
                 qPrintable(QString::number(w->layout()->minimumSize().height())));
        // The last image ends inside the preview box.
        auto *last = picture->findChild<QLabel *>(QStringLiteral("Image1_14"));
        QVERIFY(last->mapTo(picture, QPoint(last->width(), 0)).x() <= picture->width());
        QVERIFY(picture->mapTo(w.get(), QPoint(picture->width(), 0)).x() <= w->width());
        QVERIFY(named<QWidget>(*w, "ListView1")->height() >= 60);
    }

    void rightHandButtonsShareOneLeftEdge_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("minimum") << QSize(0, 0);
        QTest::newRow("larger") << QSize(1000, 760);
    }
    void rightHandButtonsShareOneLeftEdge()
    {
        QFETCH(QSize, size);
        auto w = loadedWindow();
        w->resize(size);
        QApplication::processEvents();
        QPushButton *tanafuda = button(*w, "cmdTanafuda");
        QPushButton *cyofu = button(*w, "cmdCyofu");
        QPushButton *daicyo = button(*w, "cmdDaicyo");
        QPushButton *quit = button(*w, "cmdQuit");
        QTreeView *list = listView(*w);
        QWidget *entry = named<QWidget>(*w, "frameテキストボックス");
        const int left = tanafuda->mapTo(w.get(), QPoint(0, 0)).x();
        for (QWidget *b : std::initializer_list<QWidget *>{cyofu, daicyo, quit})
            QCOMPARE(b->mapTo(w.get(), QPoint(0, 0)).x(), left);
        // On the right, below the list, each under the one before, 終 了 at the bottom.
        QVERIFY(left + tanafuda->width() > w->width() - 30);
        const int listBottom = list->mapTo(w.get(), QPoint(0, list->height())).y();
        QVERIFY(tanafuda->mapTo(w.get(), QPoint(0, 0)).y() > listBottom);
        QVERIFY(cyofu->y() > tanafuda->y());
        QVERIFY(daicyo->y() > cyofu->y());
        QVERIFY(quit->y() > daicyo->y());
        // The list takes the free room; the entry frame sits below it.
        QVERIFY(list->width() > w->width() - 40);
        QVERIFY(entry->y() > list->y() + list->height() - 1);
    }

    void versionDialog()
    {
        auto w = loadedWindow();
        QStringList seen;
        QTimer::singleShot(0, [&] {
            QWidget *modal = nullptr;
            QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
            QCOMPARE(modal->objectName(), QStringLiteral("dlgVersion"));
            seen << modal->windowTitle() << modal->findChild<QLabel *>("lblVersion")->text()
                 << modal->findChild<QLabel *>("lblRevision")->text();
            modal->findChild<QPushButton *>("Command1")->click();
        });
        action(*w, "mnuVersion")->trigger();
        QCOMPARE(seen, (QStringList{"バージョン情報", "Ver 3.07", "Build:62"}));
    }

    void helpKeyAndMissingHelpFile()
    {
        auto w = loadedWindow();
        ui_->shellSucceeds = false;
        QCOMPARE(action(*w, "mnuShowHelp")->shortcut(), QKeySequence(QKeySequence::HelpContents));
        action(*w, "mnuShowHelp")->trigger();
        QCOMPARE(ui_->opened.last(), program_ + "/vennlo.chm");
        QCOMPARE(ui_->lastTitle(), QStringLiteral("ヘルプファイルエラー"));
        action(*w, "mnuReadMe")->trigger();
        QCOMPARE(ui_->opened.last(), program_ + "/readme.txt");
        QCOMPARE(ui_->lastTitle(), QStringLiteral("Readme.txtを開く"));
    }

    // F1 and each window's help picture open the help at that window's section.
    void helpFromEachWindow_data()
    {
        QTest::addColumn<QString>("opener"); // the command that opens the window; empty for the main window
        QTest::addColumn<bool>("key");       // F1, else the help picture
        QTest::addColumn<QString>("topic");
        QTest::newRow("main window, F1") << "" << true << "main";
        for (const bool key : {true, false}) {
            const char *how = key ? "F1" : "help picture";
            QTest::addRow("棚札作成, %s", how) << "cmdTanafuda" << key << "tanafuda";
            QTest::addRow("貼付用値札作成, %s", how) << "cmdCyofu" << key << "nefuda";
            QTest::addRow("商品台帳作成, %s", how) << "cmdDaicyo" << key << "daicyo";
            QTest::addRow("旧フォルダからのファイルコピー, %s", how) << "mnuCopyMyDoc" << key << "filecopy";
        }
    }
    void helpFromEachWindow()
    {
        QFETCH(QString, opener);
        QFETCH(bool, key);
        QFETCH(QString, topic);
        QVERIFY(writeFile(program_ + "/vennlo_help.html", "<html></html>"));
        auto w = loadedWindow();
        QApplication::setActiveWindow(w.get());
        const qsizetype before = ui_->opened.size();
        if (opener.isEmpty()) {
            QTest::keyClick(w.get(), Qt::Key_F1);
        } else {
            QString modalName;
            QTimer::singleShot(0, [&] {
                QWidget *modal = nullptr;
                QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
                modalName = modal->objectName();
                if (key) {
                    QApplication::setActiveWindow(modal);
                    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : modal, Qt::Key_F1);
                } else {
                    modal->findChild<QAbstractButton *>("picHelp")->click();
                }
                modal->close();
            });
            if (opener.startsWith("mnu")) {
                action(*w, opener)->setEnabled(true);
                action(*w, opener)->trigger();
            } else {
                button(*w, opener)->click();
            }
            QVERIFY(!modalName.isEmpty());
        }
        // The shipped help has that section.
        const QByteArray shipped = readFile(QStringLiteral(VENNLO_SOURCE_DIR "/resources/vennlo_help.html"));
        QVERIFY(shipped.contains("id=\"" + topic.toLatin1() + "\""));
        QUrl help = QUrl::fromLocalFile(program_ + "/vennlo_help.html");
        help.setFragment(topic);
        QCOMPARE(ui_->opened.mid(before), QStringList{help.toString(QUrl::FullyEncoded)});
        QVERIFY(ui_->messages.isEmpty() || !ui_->lastTitle().contains("ヘルプ"));
    }

    // A file given on the command line or by a later start: a list opens as 開く opens it; a design
    // opens its designer as the maker's button does (empty-list notice included), tied to that file.
    void givenFileOpens_data()
    {
        QTest::addColumn<QString>("source"); // under tests/data; empty: a one-row list
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("designer"); // the modal window's class; empty for a list
        QTest::addColumn<QString>("notice");   // title of the empty-list notice
        QTest::newRow("product list") << ""
                                      << "list.csv"
                                      << ""
                                      << "";
        QTest::newRow("shelf-label design") << "shelf_labels/typeB_defaults.hdn"
                                            << "mine.hdn"
                                            << "shelf_labels::frmTanafuda"
                                            << "棚札作成";
        QTest::newRow("price-tag design") << "price_tags/e2e_one_tier_B.cdn"
                                          << "mine.cdn"
                                          << "price_tags::frmNefuda"
                                          << "値札作成";
    }
    void givenFileOpens()
    {
        QFETCH(QString, source);
        QFETCH(QString, name);
        QFETCH(QString, designer);
        QFETCH(QString, notice);
        const QString path = home_ + "/given/" + name;
        QVERIFY(writeFile(path, source.isEmpty() ? QByteArray("A001,apple,100,,\r\n")
                                                 : readFile(QStringLiteral(VENNLO_TEST_DATA_DIR "/") + source)));
        auto w = loadedWindow();
        if (designer.isEmpty()) {
            w->openGivenFile(path);
            QTRY_COMPARE(w->windowTitle(), QStringLiteral("ぽらね値札作成 [list.csv]"));
            QCOMPARE(w->model().rowCount(), 1);
            QCOMPARE(w->document().currentFile(), path);
            QVERIFY(ui_->messages.isEmpty());
            return;
        }
        QString opened;
        QString tiedTo;
        QTimer::singleShot(0, [&] {
            QWidget *modal = nullptr;
            QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
            opened = QString::fromLatin1(modal->metaObject()->className());
            // The design is read once the window shows.
            QTRY_VERIFY(modal->windowTitle().contains(name));
            if (auto *shelf = qobject_cast<shelf_labels::frmTanafuda *>(modal))
                tiedTo = shelf->designFile();
            if (auto *tags = qobject_cast<price_tags::frmNefuda *>(modal))
                tiedTo = tags->currentDesignFile();
            modal->close();
        });
        w->openGivenFile(path);
        QTRY_COMPARE(opened, designer);
        QCOMPARE(tiedTo, path);
        QCOMPARE(ui_->messages.size(), 1);
        QCOMPARE(ui_->lastTitle(), notice);
        QCOMPARE(ui_->lastText(), QStringLiteral("データリストにデータがありません."));
        QCOMPARE(w->model().rowCount(), 0);
    }

    // Every maker opens the same way on an empty list: its notice, titled after the button or the menu
    // entry that was used, then its window for design work only (no make command).
    void makerOpensOnEmptyList_data()
    {
        QTest::addColumn<QString>("command"); // a button, or a menu entry
        QTest::addColumn<QString>("window");  // the modal window's class
        QTest::addColumn<QString>("notice");  // title of the empty-list notice
        QTest::newRow("棚札作成, button") << "cmdTanafuda"
                                          << "shelf_labels::frmTanafuda"
                                          << "棚札作成";
        QTest::newRow("棚札作成, menu") << "mnuTanafuda"
                                        << "shelf_labels::frmTanafuda"
                                        << "値札作成";
        QTest::newRow("貼付用値札作成, button") << "cmdCyofu"
                                                << "price_tags::frmNefuda"
                                                << "値札作成";
        QTest::newRow("貼付用値札作成, menu") << "mnuCyoufu"
                                              << "price_tags::frmNefuda"
                                              << "値札作成";
        QTest::newRow("商品台帳作成, button") << "cmdDaicyo"
                                              << "ledger::frmDaicyo"
                                              << "商品台帳作成";
        QTest::newRow("商品台帳作成, menu") << "mnuDaicyo"
                                            << "ledger::frmDaicyo"
                                            << "値札作成";
    }
    void makerOpensOnEmptyList()
    {
        QFETCH(QString, command);
        QFETCH(QString, window);
        QFETCH(QString, notice);
        auto w = loadedWindow();
        QCOMPARE(w->model().rowCount(), 0);
        QString opened;
        bool makeEnabled = true;
        QTimer::singleShot(0, [&] {
            QWidget *modal = nullptr;
            QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
            opened = QString::fromLatin1(modal->metaObject()->className());
            if (auto *make = modal->findChild<QPushButton *>(QStringLiteral("cmd作成")))
                makeEnabled = make->isEnabled();
            modal->close();
        });
        if (auto *b = w->findChild<QPushButton *>(command))
            b->click();
        else if (auto *a = w->findChild<QAction *>(command))
            a->trigger();
        else
            QFAIL(qPrintable(command));
        QTRY_COMPARE(opened, window);
        QVERIFY(!makeEnabled);
        QCOMPARE(ui_->messages.size(), 1);
        QCOMPARE(ui_->lastTitle(), notice);
        QCOMPARE(ui_->lastText(), QStringLiteral("データリストにデータがありません."));
    }

    // The price-tag window shows the checked products in its slots, in list order; a list it cannot
    // show (nothing checked, more than ten) is told and the window does not open.
    void priceTagsOpenWithCheckedRows_data()
    {
        QTest::addColumn<QList<int>>("checked");
        QTest::addColumn<QString>("message"); // empty: the window opens without a message
        QTest::addColumn<int>("filled");      // copies boxes enabled, -1 not opened
        QTest::newRow("nothing checked")
            << QList<int>{} << "メイン画面データリストで作成する値札に　\r\n出力チェック(10件以内)を入れて下さい."
            << -1;
        QTest::newRow("eleven checked")
            << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}
            << "メイン画面データリストで作成する値札の出力チェックは.　\r\n10件以内でにして下さい." << -1;
        QTest::newRow("ten checked") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 11} << QString() << 10;
        QTest::newRow("three checked") << QList<int>{1, 4, 7} << QString() << 3;
    }
    void priceTagsOpenWithCheckedRows()
    {
        QFETCH(QList<int>, checked);
        QFETCH(QString, message);
        QFETCH(int, filled);
        auto w = loadedWindow();
        products::ProductList rows =
            products::readCsvFile(QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/twelve.csv")).rows;
        for (int r : checked)
            rows[r].checked = true;
        w->model().setRows(rows);
        int enabled = -1;
        QStringList codes;
        bool make = false;
        if (filled >= 0)
            QTimer::singleShot(0, [&] {
                QWidget *modal = nullptr;
                QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
                enabled = 0;
                for (int i = 0; i < 10; ++i) {
                    auto *copies = modal->findChild<QLineEdit *>(QStringLiteral("txtCCount_%1").arg(i));
                    QCOMPARE(copies->text(), QStringLiteral("0"));
                    QCOMPARE(copies->isEnabled(), i < filled); // the filled slots come first
                    enabled += copies->isEnabled();
                    codes << modal->findChild<QLabel *>(QStringLiteral("lblHinban_%1").arg(i))->text();
                }
                make = modal->findChild<QPushButton *>(QStringLiteral("cmd作成"))->isEnabled();
                modal->close();
            });
        w->findChild<QPushButton *>(QStringLiteral("cmdCyofu"))->click();
        QCOMPARE(enabled, filled);
        QCOMPARE(make, filled > 0);
        QCOMPARE(ui_->lastText(), message);
        for (int i = 0; i < filled; ++i)
            QCOMPARE(codes.at(i), rows.at(checked.at(i)).code); // list order
    }

    // A design named from outside that is not there is reported; the designer stays untied.
    void givenDesignThatIsGone_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("label"); // of the error report
        QTest::newRow("shelf-label design") << "gone.hdn"
                                            << "frmTanafuda.ReadDesign";
        QTest::newRow("price-tag design") << "gone.cdn"
                                          << "ReadCDesign";
    }
    void givenDesignThatIsGone()
    {
        QFETCH(QString, name);
        QFETCH(QString, label);
        auto w = loadedWindow();
        QString title;
        QTimer::singleShot(0, [&] {
            QWidget *modal = nullptr;
            QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
            QTRY_COMPARE(ui_->messages.size(), 2); // the empty-list notice, then the report
            title = modal->windowTitle();
            modal->close();
        });
        w->openGivenFile(home_ + "/" + name);
        QTRY_VERIFY(!title.isEmpty());
        QVERIFY(!title.contains(name));
        QVERIFY2(ui_->lastText().startsWith("エラーが発生しました(" + label + ")\r\nエラー番号: 53\r\n"),
                 qPrintable(ui_->lastText()));
    }

    // The prompts of 開く come first; a file arriving while a dialog is open waits for it to close.
    void givenListAfterPromptsAndDialogs_data()
    {
        QTest::addColumn<int>("answer"); // to "価格表の変更を保存しますか?"
        QTest::addColumn<bool>("replaced");
        QTest::newRow("いいえ: the list is replaced") << int(UiServices::Answer::No) << true;
        QTest::newRow("キャンセル: the list stays") << int(UiServices::Answer::Cancel) << false;
    }
    void givenListAfterPromptsAndDialogs()
    {
        QFETCH(int, answer);
        QFETCH(bool, replaced);
        const QString path = home_ + "/given/three.csv";
        QVERIFY(writeFile(path, "A,a,1,,\r\nB,b,2,,\r\nC,c,3,,\r\n"));
        auto w = loadedWindow();
        w->model().setRows({products::Product{}});
        w->document().setModified(true);
        ui_->answers.enqueue(UiServices::Answer(answer));
        bool waited = false;
        QTimer::singleShot(0, [&] {
            QWidget *modal = nullptr;
            QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
            w->openGivenFile(path);
            QTest::qWait(300);
            waited = ui_->messages.isEmpty() && w->model().rowCount() == 1;
            modal->close();
        });
        action(*w, "mnuVersion")->trigger();
        QVERIFY(waited);
        QTRY_COMPARE(ui_->messages.size(), 1);
        QCOMPARE(ui_->lastText(), QStringLiteral("価格表の変更を保存しますか?"));
        QTRY_COMPARE(w->model().rowCount(), replaced ? 3 : 1);
        QCOMPARE(w->document().currentFile(), replaced ? path : QString());
    }

    void utf8ListNamedInStatusBar()
    {
        auto w = loadedWindow();
        auto *panel3 = named<QLabel>(*w, "StatusBar1_Panel3");
        QVERIFY(panel3->isHidden());
        const QString file = home_ + "/utf8.csv";
        QVERIFY(writeFile(file, "\xEF\xBB\xBF" + QStringLiteral("\"A\",\"りんご\",198,\"\",\"B\"\r\n").toUtf8()));
        ui_->fileNames.enqueue(file);
        action(*w, "mnuOpen")->trigger();
        QCOMPARE(w->statusText(2), file);
        QCOMPARE(w->statusText(3), QStringLiteral("UTF-8 で読み込みました（保存は Shift_JIS）"));
        QVERIFY(panel3->isVisible());
        QCOMPARE(panel3->accessibleName(), QStringLiteral("文字コード ") + w->statusText(3));
        action(*w, "mnuNew")->trigger();
        QCOMPARE(w->statusText(3), QString());
        QVERIFY(panel3->isHidden());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmMain.moc"
