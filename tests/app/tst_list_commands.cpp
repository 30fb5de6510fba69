#include "app/entry_form_widgets.h"
#include "app/frmMain.h"
#include "app/list_document.h"
#include "app/startup.h"
#include "products/product_list_model.h"

#include "support/fake_ui_services.h"

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <memory>

using platform::UiServices;

namespace {

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

template <class T> T *named(QObject &w, const char *name)
{
    T *child = w.findChild<T *>(QString::fromUtf8(name));
    if (!child)
        qFatal("no control %s", name);
    return child;
}

// The standard folders with the test's program folder; the settings start with a price basis and
// are never written.
class TestStore : public app::SettingsStore {
public:
    TestStore(QString program, int indicate) : program_(std::move(program)), indicate_(indicate) {}
    platform::Folders folders(std::optional<platform::AppError> *error) override
    {
        platform::Folders f = app::GetSPF(error);
        f.program = program_;
        return f;
    }
    settings::SettingsLoad load(const platform::Folders &) override
    {
        settings::SettingsLoad load;
        load.settings.tax.indicate = indicate_;
        return load;
    }
    bool save(const settings::Settings &, const platform::Folders &, bool, platform::AppError *) override
    {
        return true;
    }

private:
    QString program_;
    int indicate_;
};

} // namespace

class TestListCommands : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> root_;
    std::unique_ptr<FakeUiServices> ui_;
    settings::Settings settings_;
    QString program_;

    struct Window {
        std::unique_ptr<TestStore> store;
        std::unique_ptr<app::frmMain> main;
    };

    Window loadedWindow(int indicate = 0)
    {
        Window w;
        w.store = std::make_unique<TestStore>(program_, indicate);
        w.main = std::make_unique<app::frmMain>(settings_, *ui_, w.store.get());
        w.main->Form_Load();
        w.main->show();
        w.main->closeSplash();
        return w;
    }

    QString listFile() const { return root_->filePath(QStringLiteral("list.csv")); }

private Q_SLOTS:
    void init()
    {
        root_ = std::make_unique<QTemporaryDir>();
        const QString home = root_->filePath(QStringLiteral("home"));
        program_ = root_->filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(home));
        QVERIFY(writeFile(program_ + "/BarCode/LB.bmp", "BM"));
        qputenv("HOME", home.toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home + "/.local/share").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home + "/.config").toLocal8Bit());
        settings_ = settings::Settings();
        ui_ = std::make_unique<FakeUiServices>();
        QVERIFY(writeFile(listFile(), "\"A\",\"one\",1980,\"\",\"4901234567894B\"\r\n\"B\",\"two\",5,\"\",\"B\"\r\n"));
    }
    void cleanup()
    {
        ui_.reset();
        root_.reset();
    }

    void modelOnTheListView_data()
    {
        QTest::addColumn<int>("indicate");
        QTest::addColumn<QString>("caption");
        QTest::newRow("base prices") << 0 << "本体価格";
        QTest::newRow("tax-inclusive prices") << 1 << "税込価格";
    }
    void modelOnTheListView()
    {
        QFETCH(int, indicate);
        QFETCH(QString, caption);
        Window w = loadedWindow(indicate);
        auto *list = named<QTreeView>(*w.main, "ListView1");
        QCOMPARE(list->model(), static_cast<QAbstractItemModel *>(&w.main->model()));
        QCOMPARE(list->model()->headerData(3, Qt::Horizontal).toString(), caption);
        QCOMPARE(w.main->windowTitle(), QStringLiteral("ぽらね値札作成 [新規]"));
        QVERIFY(!named<QAction>(*w.main, "mnuSave")->isEnabled());
    }

    void openFromTheMenu()
    {
        Window w = loadedWindow();
        ui_->fileNames.enqueue(listFile());
        named<QAction>(*w.main, "mnuOpen")->trigger();
        QCOMPARE(ui_->fileRequests.size(), 1);
        QCOMPARE(ui_->fileRequests.first().initialFolder, w.main->folders().data);
        QCOMPARE(w.main->windowTitle(), QStringLiteral("ぽらね値札作成 [list.csv]"));
        QCOMPARE(w.main->statusText(1), QStringLiteral("出力件数: 2"));
        QCOMPARE(w.main->statusText(2), listFile());
        QVERIFY(named<QAction>(*w.main, "mnuSave")->isEnabled());
        QVERIFY(w.main->isEnabled());
        QVERIFY(!named<QLabel>(*w.main, "lblMSG")->isVisible());
        auto *list = named<QTreeView>(*w.main, "ListView1");
        QCOMPARE(list->model()->rowCount(), 2);
        QCOMPARE(list->model()->index(0, 3).data().toString(), QStringLiteral("1,980"));
        QVERIFY(named<QPushButton>(*w.main, "cmdDelete")->isEnabled());
        // The first row is selected and shown in the form, so the enabled commands act on it.
        QCOMPARE(w.main->entryForm().selectedRow(), 0);
        QCOMPARE(named<QLineEdit>(*w.main, "txt品番")->text(), QStringLiteral("A"));
        // Once: the test's BarCode pictures are no images, so showing the row's code is reported.
        QCOMPARE(ui_->messages.size(), 1);
        QVERIFY(ui_->lastText().startsWith(QStringLiteral("エラーが発生しました(PreViewBarCode)")));
        ui_->messages.clear();
        // The status bar panels read out their values.
        QCOMPARE(named<QLabel>(*w.main, "StatusBar1_Panel1")->accessibleName(), QStringLiteral("出力件数: 2"));
        QCOMPARE(named<QLabel>(*w.main, "StatusBar1_Panel2")->accessibleName(),
                 QStringLiteral("ファイル ") + listFile());

        // A check in the list updates the count.
        list->model()->setData(list->model()->index(1, 0), Qt::Checked, Qt::CheckStateRole);
        QCOMPARE(w.main->statusText(1), QStringLiteral("出力件数: 1"));

        // Opening the ファイル menu enables 上書き保存 only with unsaved changes.
        auto *fileMenu = named<QMenu>(*w.main, "mnuFile");
        Q_EMIT fileMenu->aboutToShow();
        QVERIFY(!named<QAction>(*w.main, "mnuSave")->isEnabled());
        w.main->document().setModified(true);
        Q_EMIT fileMenu->aboutToShow();
        QVERIFY(named<QAction>(*w.main, "mnuSave")->isEnabled());

        named<QAction>(*w.main, "mnuNew")->trigger(); // prompt answered with its default: Yes, saved
        QCOMPARE(ui_->messages.size(), 2);
        QCOMPARE(ui_->messages.at(1).title, QStringLiteral("上書き保存確認"));
        named<QAction>(*w.main, "mnuNew")->trigger();
        QCOMPARE(list->model()->rowCount(), 0);
        QCOMPARE(w.main->statusText(1), QStringLiteral("出力件数: (なし)"));
        QVERIFY(!named<QPushButton>(*w.main, "cmdDelete")->isEnabled());
    }

    void openingAnEmptyFileLeavesRowCommandsOff()
    {
        Window w = loadedWindow();
        QVERIFY(writeFile(listFile(), QByteArray()));
        ui_->fileNames.enqueue(listFile());
        named<QAction>(*w.main, "mnuOpen")->trigger();
        QCOMPARE(w.main->model().rowCount(), 0);
        for (const char *name : {"cmd新規", "cmdDelete", "cmdUp", "cmdDown"})
            QVERIFY2(!named<QPushButton>(*w.main, name)->isEnabled(), name);
    }

    void closePrompts_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("No closes") << int(UiServices::Answer::No) << true;
        QTest::newRow("Cancel stays") << int(UiServices::Answer::Cancel) << false;
    }
    void closePrompts()
    {
        QFETCH(int, answer);
        QFETCH(bool, closes);
        Window w = loadedWindow();
        w.main->document().setModified(true);
        ui_->answers.enqueue(UiServices::Answer(answer));
        QCOMPARE(w.main->close(), closes);
        QCOMPARE(ui_->messages.size(), 1);
        QCOMPARE(ui_->messages.first().title, QStringLiteral("変更保存の確認"));
    }

    void workbookPromptOnClose()
    {
        Window w = loadedWindow();
        w.main->document().setWorkbookImported(true, root_->filePath(QStringLiteral("b.xls")));
        ui_->answers.enqueue(UiServices::Answer::Cancel);
        QVERIFY(!w.main->close());
        QCOMPARE(ui_->messages.first().title, QStringLiteral("CSVファイル保存の確認"));
    }

    void taxDialogRefreshesHeader()
    {
        Window w = loadedWindow();
        QTimer::singleShot(0, this, [] {
            auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            named<QLineEdit>(*dialog, "txtNewTax")->setText(QStringLiteral("0.08"));
            named<QRadioButton>(*dialog, "Option基準_1")->click();
            named<QPushButton>(*dialog, "OKButton")->click();
        });
        named<QAction>(*w.main, "mnuTax")->trigger();
        QCOMPARE(w.main->settings().tax.rate.toString(), QStringLiteral("0.08"));
        QCOMPARE(w.main->settings().tax.indicate, 1);
        QCOMPARE(named<QTreeView>(*w.main, "ListView1")->model()->headerData(3, Qt::Horizontal).toString(),
                 QStringLiteral("税込価格"));
        // The price fields' colours follow: the base price is now the derived one.
        QCOMPARE(named<QLineEdit>(*w.main, "txt本体価格")->palette().color(QPalette::Base),
                 products::EntryForm::derivedPriceColour());
    }
};

QTEST_MAIN(TestListCommands)
#include "tst_list_commands.moc"
