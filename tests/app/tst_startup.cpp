#include "app/help_commands.h"
#include "app/startup.h"
#include "common/version.h"
#include "platform/reports.h"
#include "platform/single_instance.h"

#include "support/fake_ui_services.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <memory>
#include <thread>
#include <utility>

#include <unistd.h>

using platform::AppError;
using platform::Folders;
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
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> root_;
    QString home_;
    QString program_;

    // The folders of a user whose home is the temporary folder, with the fake program folder.
    Folders folders() const
    {
        Folders f = app::GetSPF();
        f.program = program_;
        return f;
    }

    void shipProgramFiles(bool barcode, bool samples)
    {
        if (barcode) {
            QVERIFY(writeFile(program_ + "/BarCode/LB.bmp", "BM left guard"));
            QVERIFY(writeFile(program_ + "/BarCode/0_L1.bmp", "BM zero"));
            QVERIFY(writeFile(program_ + "/BarCode/more/RB.bmp", "BM right guard"));
        }
        if (samples)
            for (const QString &name : app::sampleFileNames())
                QVERIFY(writeFile(program_ + "/" + name, "shipped " + name.toUtf8()));
    }

    QStringList immutable_;

    // Permissions do not bind the superuser; the immutable attribute does.
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
        QVERIFY(root_->isValid());
        home_ = root_->filePath(QStringLiteral("home"));
        program_ = root_->filePath(QStringLiteral("program"));
        QVERIFY(QDir().mkpath(home_));
        QVERIFY(QDir().mkpath(program_));
        qputenv("HOME", home_.toLocal8Bit());
        qputenv("XDG_DATA_HOME", (home_ + "/.local/share").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (home_ + "/.config").toLocal8Bit());
        qunsetenv("XDG_DOCUMENTS_DIR");
    }
    void cleanup()
    {
        // Folders made read-only by a test must be removable again.
        for (const QString &dir : std::exchange(immutable_, {}))
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), dir});
        QDirIterator it(root_->path(), QDir::Dirs | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
        while (it.hasNext())
            QFile(it.next()).setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        root_.reset();
    }

    void foldersOfAFreshAccount()
    {
        std::optional<AppError> error;
        const Folders f = app::GetSPF(&error);
        QVERIFY(!error);
        QCOMPARE(f.documents, home_ + "/Documents/Vestrel");
        QCOMPARE(f.data, home_ + "/Documents/Vestrel/値札データ");
        QCOMPARE(f.appDataRoot, home_ + "/.local/share/Vestrel");
        QCOMPARE(f.appData, home_ + "/.local/share/Vestrel/Vennla");
        QCOMPARE(f.barcode, home_ + "/.local/share/Vestrel/Vennla/BarCode/");
        QCOMPARE(f.settingsFile(), home_ + "/.local/share/Vestrel/Vennla/vennlo.ini");
    }

    void firstStartCreatesFoldersAndCopies()
    {
        shipProgramFiles(true, true);
        const Folders f = folders();
        QVERIFY(!app::MakeSpecialFolder(f));
        for (const QString &dir : {f.documents, f.data, f.appDataRoot, f.appData})
            QVERIFY2(QFileInfo(dir).isDir(), qPrintable(dir));
        QVERIFY(!app::AppDataFilesCopy(f));
        QCOMPARE(readFile(f.barcode + "LB.bmp"), QByteArray("BM left guard"));
        QCOMPARE(readFile(f.barcode + "0_L1.bmp"), QByteArray("BM zero"));
        QCOMPARE(readFile(f.barcode + "more/RB.bmp"), QByteArray("BM right guard"));
        QVERIFY(!QFileInfo::exists(f.appData + "/BarCode.copying"));
        QCOMPARE(app::sampleFileNames().size(), 4);
        for (const QString &name : app::sampleFileNames())
            QCOMPARE(readFile(f.data + "/" + name), "shipped " + name.toUtf8());
    }

    void editedSampleIsNeverOverwritten()
    {
        shipProgramFiles(true, true);
        const Folders f = folders();
        QVERIFY(!app::MakeSpecialFolder(f));
        QVERIFY(!app::AppDataFilesCopy(f));
        QVERIFY(writeFile(f.data + "/sample.csv", "my own list"));
        QVERIFY(QFile::remove(f.data + "/sample_logoC.gif"));
        QVERIFY(QFile::remove(f.barcode + "0_L1.bmp"));

        QVERIFY(!app::MakeSpecialFolder(f));
        QVERIFY(!app::AppDataFilesCopy(f));
        QCOMPARE(readFile(f.data + "/sample.csv"), QByteArray("my own list"));
        // A sample the user removed comes back; a BarCode folder that exists is left as it is.
        QCOMPARE(readFile(f.data + "/sample_logoC.gif"), QByteArray("shipped sample_logoC.gif"));
        QVERIFY(!QFileInfo::exists(f.barcode + "0_L1.bmp"));
    }

    void nothingShippedIsNoFailure()
    {
        const Folders f = folders();
        QVERIFY(!app::MakeSpecialFolder(f));
        QVERIFY(!app::AppDataFilesCopy(f));
        QVERIFY(QFileInfo(f.appData + "/BarCode").isDir());
        QVERIFY(QDir(f.data).isEmpty());
    }

    void folderFailures_data()
    {
        QTest::addColumn<QString>("blocked");     // which folder cannot be made
        QTest::addColumn<bool>("readOnlyParent"); // by a read-only parent rather than a file in the way
        QTest::newRow("app data: file in the way") << QStringLiteral("appData") << false;
        QTest::newRow("app data: read-only root") << QStringLiteral("appData") << true;
        QTest::newRow("documents: file in the way") << QStringLiteral("documents") << false;
    }
    void folderFailures()
    {
        QFETCH(QString, blocked);
        QFETCH(bool, readOnlyParent);
        const Folders f = folders();
        const QString path = blocked == QLatin1String("appData") ? f.appData : f.documents;
        if (readOnlyParent) {
            const QString parent = QFileInfo(path).path();
            QVERIFY(QDir().mkpath(parent));
            if (!makeReadOnly(parent))
                QSKIP("cannot make a folder read-only here");
        } else {
            QVERIFY(writeFile(path, "not a folder"));
        }
        const std::optional<AppError> error = app::MakeSpecialFolder(f);
        QVERIFY(error);
        const int number = readOnlyParent ? AppError::PermissionDenied : AppError::PathNotFound;
        QCOMPARE(error->number, number);
        QVERIFY(error->description.contains(path));
        // The other folders are made all the same.
        if (blocked == QLatin1String("appData"))
            QVERIFY(QFileInfo(f.data).isDir());
        else
            QVERIFY(QFileInfo(f.appData).isDir());

        FakeUiServices ui;
        platform::showApologyReport(ui, nullptr, QStringLiteral("MakeSpecialFolder"), *error);
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.lastTitle(), QStringLiteral("エラー情報"));
        QCOMPARE(ui.lastText(), QStringLiteral("ご迷惑をおかけしています.(MakeSpecialFolder)\r\n"
                                               "想定外の事象が発生しました。\r\n"
                                               "番号: ") +
                                    QString::number(number) + QStringLiteral("\r\n内容: ") + error->description);
        QCOMPARE(ui.messages.last().icon, UiServices::Icon::Critical);
        QCOMPARE(ui.messages.last().buttons, UiServices::Buttons::Ok);
    }

    void copyFailureKeepsWhatWasCopied()
    {
        shipProgramFiles(true, true);
        const Folders f = folders();
        QVERIFY(!app::MakeSpecialFolder(f));
        // A folder where the third sample file would go counts as a present target.
        QVERIFY(QDir().mkpath(f.data + "/sample_logo.gif"));
        const std::optional<AppError> none = app::AppDataFilesCopy(f);
        QVERIFY(!none);
        QVERIFY(QFileInfo(f.data + "/sample_logo.gif").isDir());
        QCOMPARE(readFile(f.data + "/sample_logoC.gif"), QByteArray("shipped sample_logoC.gif"));

        // A data folder that cannot take files: the copy fails after the BarCode folder was filled.
        Folders broken = f;
        broken.data = f.data + "/sample.csv/inside"; // below a file: cannot exist
        const std::optional<AppError> error = app::AppDataFilesCopy(broken);
        QVERIFY(error);
        QCOMPARE(error->number, AppError::PermissionDenied);
        QVERIFY(QFileInfo::exists(f.barcode + "LB.bmp"));
    }

    void interruptedBarCodeCopyIsRedoneNextStart()
    {
        shipProgramFiles(true, false);
        const Folders f = folders();
        QVERIFY(!app::MakeSpecialFolder(f));
        // The staging folder cannot be made: the copy fails before any BarCode folder appears.
        QVERIFY(writeFile(f.appData + "/BarCode.copying", "in the way"));
        const std::optional<AppError> error = app::AppDataFilesCopy(f);
        QVERIFY(error);
        QCOMPARE(error->number, AppError::PathNotFound);
        QVERIFY(!QFileInfo::exists(f.appData + "/BarCode"));

        QVERIFY(QFile::remove(f.appData + "/BarCode.copying"));
        QVERIFY(!app::AppDataFilesCopy(f));
        QCOMPARE(readFile(f.barcode + "more/RB.bmp"), QByteArray("BM right guard"));
    }

    void secondInstanceIsTold()
    {
        FakeUiServices ui;
        const QString lock = root_->filePath(QStringLiteral("vennlo.lock"));
        platform::SingleInstance first(lock);
        QVERIFY(app::checkSingleInstance(first, ui));
        QVERIFY(ui.messages.isEmpty());
        platform::SingleInstance second(lock);
        QVERIFY(!app::checkSingleInstance(second, ui));
        QCOMPARE(ui.messages.size(), 1);
        QCOMPARE(ui.lastTitle(), QStringLiteral("ぽらね値札作成"));
        QCOMPARE(ui.lastText(), QStringLiteral("すでに起動しています."));
        QCOMPARE(ui.messages.last().icon, UiServices::Icon::Information);
        QVERIFY(QFile::exists(lock));
    }

    // A second start with a file gives it to the first copy instead of the notice; the first copy
    // must be listening, as the program's first start makes it.
    void secondStartHandsItsFileOver()
    {
        FakeUiServices ui;
        const QString lock = root_->filePath(QStringLiteral("vennlo.lock"));
        platform::SingleInstance first(lock);
        QVERIFY(app::checkSingleInstance(first, ui, QStringLiteral("/ignored/by/the/first.csv")));
        QSignalSpy handed(&first, &platform::SingleInstance::fileHandedOver);
        platform::SingleInstance second(lock);
        std::atomic<int> answer = -1;
        std::thread later([&] { answer = app::checkSingleInstance(second, ui, home_ + "/list.csv") ? 1 : 0; });
        QTRY_VERIFY_WITH_TIMEOUT(answer != -1, 10000);
        later.join();
        QCOMPARE(answer.load(), 0);
        QVERIFY(ui.messages.isEmpty());
        QCOMPARE(handed.size(), 1);
        QCOMPARE(handed.first().first().toString(), home_ + "/list.csv");
    }

    void givenFile_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("path"); // relative to the current folder unless absolute
        QTest::addColumn<int>("kind");
        using K = app::GivenFileKind;
        QTest::newRow("none") << ""
                              << "" << int(K::ProductList);
        QTest::newRow("relative list") << "lists/sample.csv"
                                       << "lists/sample.csv" << int(K::ProductList);
        QTest::newRow("absolute shelf design") << "/d/名刺カードサンプル.hdn"
                                               << "/d/名刺カードサンプル.hdn" << int(K::ShelfDesign);
        QTest::newRow("upper-case tag design") << "/d/TAG.CDN"
                                               << "/d/TAG.CDN" << int(K::TagDesign);
        QTest::newRow("file URL") << "file:///d/my%20list.csv"
                                  << "/d/my list.csv" << int(K::ProductList);
        QTest::newRow("file URL of a design") << "file:///d/a.hdn"
                                              << "/d/a.hdn" << int(K::ShelfDesign);
        QTest::newRow("remote URL") << "file://server/d/a.csv"
                                    << "" << int(K::ProductList);
        QTest::newRow("a design's name, no extension") << "/d/hdn"
                                                       << "/d/hdn" << int(K::ProductList);
    }
    void givenFile()
    {
        QFETCH(QString, argument);
        QFETCH(QString, path);
        QFETCH(int, kind);
        const QString expected = path.isEmpty() || path.startsWith('/') ? path : QDir::current().filePath(path);
        const QString given = app::givenFilePath(argument);
        QCOMPARE(given, expected);
        QCOMPARE(int(app::givenFileKind(given)), kind);
    }

    // Each program answers --version with the version the version window shows, without a display.
    void versionOfEachProgram_data()
    {
        QTest::addColumn<QString>("program");
        for (const char *program : {"vennlo", "vennlo-cli", "vennlo-pdf"})
            QTest::newRow(program) << program;
    }
    void versionOfEachProgram()
    {
        QFETCH(QString, program);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral(VENNLO_PROGRAM_DIR "/") + program, {QStringLiteral("--version")});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(p.readAllStandardOutput()),
                 program + QStringLiteral(" Ver ") + QStringLiteral(VENNLO_VERSION) + QStringLiteral(" ") +
                     common::revisionText() + QLatin1Char('\n'));
    }

    void errorReport()
    {
        FakeUiServices ui;
        platform::showErrorReport(ui, nullptr, QStringLiteral("main.form_load"), AppError::fileNotFound());
        QCOMPARE(ui.lastTitle(), QStringLiteral("エラー情報"));
        QCOMPARE(ui.lastText(), QStringLiteral("エラーが発生しました(main.form_load)\r\nエラー番号: 53\r\n"
                                               "内容: ファイルが見つかりません。"));
        QCOMPARE(ui.messages.last().icon, UiServices::Icon::Critical);
        QCOMPARE(ui.messages.last().buttons, UiServices::Buttons::Ok);
    }

    void programFiles_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QString>("help");
        QTest::addColumn<QString>("readMe");
        QTest::newRow("plain") << "/opt/vennlo"
                               << "/opt/vennlo/vennlo.chm"
                               << "/opt/vennlo/readme.txt";
        QTest::newRow("trailing separator") << "/opt/vennlo/"
                                            << "/opt/vennlo/vennlo.chm"
                                            << "/opt/vennlo/readme.txt";
    }
    void programFiles()
    {
        QFETCH(QString, program);
        QFETCH(QString, help);
        QFETCH(QString, readMe);
        Folders f;
        f.program = program;
        QCOMPARE(app::helpFilePath(f), help);
        QCOMPARE(app::readMeFilePath(f), readMe);
    }

    void htmlHelpIsPreferred()
    {
        const Folders f = folders();
        QCOMPARE(app::helpFilePath(f), program_ + "/vennlo.chm");
        QVERIFY(writeFile(program_ + "/vennlo_help.html", "<html></html>"));
        QCOMPARE(app::helpFilePath(f), program_ + "/vennlo_help.html");
    }

    void helpCommands()
    {
        FakeUiServices ui;
        Folders f = folders();
        app::ShowHelpFile(ui, nullptr, f);
        QCOMPARE(ui.opened, QStringList{program_ + "/vennlo.chm"});
        QVERIFY(ui.messages.isEmpty());

        ui.shellSucceeds = false;
        app::ShowHelpFile(ui, nullptr, f);
        QCOMPARE(ui.lastTitle(), QStringLiteral("ヘルプファイルエラー"));
        QCOMPARE(ui.lastText(), QStringLiteral("ヘルプファイル(vennlo.chm)が存在しないか\r\n"
                                               "もしくはシステムが HTMLヘルプに対応していません"));
        QCOMPARE(ui.messages.last().icon, UiServices::Icon::Critical);

        app::ShowReadMe(ui, nullptr, f);
        QCOMPARE(ui.opened.last(), program_ + "/readme.txt");
        QCOMPARE(ui.lastTitle(), QStringLiteral("Readme.txtを開く"));
        QCOMPARE(ui.lastText(), QStringLiteral("readme.txt が存在しないか\r\nもしくはシステム対応していません"));

        app::ShowWebSite(ui, nullptr);
        QCOMPARE(ui.opened.last(), app::webSiteAddress());
        QCOMPARE(ui.lastTitle(), QStringLiteral("エラー情報"));
        QVERIFY(ui.lastText().startsWith(QStringLiteral("エラーが発生しました(main.mnuWebSite)\r\nエラー番号: ")));
    }

    void earlierVersion()
    {
        const Folders f = folders();
        QVERIFY(!app::earlierVersionPresent(f));
        QVERIFY(writeFile(program_ + "/vennlo.ini", "[Make]\r\n"));
        QVERIFY(app::earlierVersionPresent(f));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
