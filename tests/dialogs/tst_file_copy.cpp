#include "dialogs/dlgFileCopy.h"
#include "dialogs/old_files.h"
#include "support/fake_ui_services.h"

#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QtTest>

// Old data files: which names count, where the finds of each folder go, and that nothing in the
// data folder is ever overwritten.
class TestFileCopy : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void names_data();
    void names();
    void searchOrderAndCopy();
    void dialog();
};

static void touch(const QString &path, const QByteArray &bytes = "x")
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

static QByteArray content(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestFileCopy::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("counts");
    QTest::newRow("csv") << "list.csv" << true;
    QTest::newRow("upper case") << "PRICE.CSV" << true;
    QTest::newRow("hdn") << "a.hdn" << true;
    QTest::newRow("cdn") << "a.Cdn" << true;
    QTest::newRow("gif") << "logo.gif" << true;
    QTest::newRow("jpg") << "logo.jpg" << true;
    QTest::newRow("jpeg") << "logo.jpeg" << false;
    QTest::newRow("ending only") << "xcsv" << true;
    QTest::newRow("exe") << "vennlo.exe" << false;
    QTest::newRow("short") << "sv" << false;
}

void TestFileCopy::names()
{
    QFETCH(QString, name);
    QFETCH(bool, counts);
    QCOMPARE(dialogs::isOldDataFileName(name), counts);
}

void TestFileCopy::searchOrderAndCopy()
{
    QTemporaryDir program, data;
    touch(program.filePath("a.csv"));
    touch(program.filePath("b.hdn"));
    touch(program.filePath("readme.txt"));
    touch(program.filePath("kept.csv"));
    touch(data.filePath("kept.csv"), "user's own");
    touch(program.filePath("sub/PRICE.CSV"), "first");
    touch(program.filePath("sub/deeper/logo.jpeg"));
    touch(program.filePath("sub2/PRICE.CSV"), "second");
    QVERIFY(QFile::link(program.path(), program.filePath("sub/loop")));

    const dialogs::OldFileSearch found = dialogs::findOldDataFiles(program.path(), data.path());
    QVERIFY(!found.error.isSet());
    const QStringList expected{program.filePath("sub2/PRICE.CSV"), program.filePath("sub/PRICE.CSV"),
                               program.filePath("a.csv"), program.filePath("b.hdn")};
    QCOMPARE(found.paths, expected);

    // The first of two same-named files wins; the second finds its target taken.
    const dialogs::OldFileCopy copy =
        dialogs::copyOldDataFiles(found.paths + QStringList{program.filePath("kept.csv")}, data.path());
    QVERIFY(!copy.error.isSet());
    QCOMPARE(copy.copied, 3);
    QCOMPARE(copy.skipped, 2);
    QCOMPARE(content(data.filePath("PRICE.CSV")), QByteArray("second"));
    QCOMPARE(content(data.filePath("kept.csv")), QByteArray("user's own"));
}

void TestFileCopy::dialog()
{
    FakeUiServices services;
    QTemporaryDir program, data, empty;
    touch(program.filePath("a.csv"));
    touch(program.filePath("b.gif"));

    dialogs::dlgFileCopy none(empty.path(), data.path(), services);
    none.cmdSearch_Click();
    QCOMPARE(services.lastTitle(), QStringLiteral("検索結果"));
    QCOMPARE(services.lastText(), QStringLiteral("対象となるファイルは見つかりませんでした."));
    QVERIFY(!none.findChild<QPushButton *>("cmdCopy")->isEnabled());

    dialogs::dlgFileCopy dlg(program.path(), data.path(), services);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("旧フォルダからのファイルコピーツール"));
    auto *list = dlg.findChild<QTreeWidget *>("ListView1");
    QCOMPARE(list->headerItem()->text(0), QStringLiteral("見つかったファイル"));
    dlg.cmdSearch_Click();
    QCOMPARE(services.lastText(), QStringLiteral("2個のファイルが見つかりました."));
    QVERIFY(dlg.findChild<QPushButton *>("cmdCopy")->isEnabled());
    QCOMPARE(list->topLevelItemCount(), 2);
    QCOMPARE(list->topLevelItem(1)->checkState(0), Qt::Checked);
    list->topLevelItem(1)->setCheckState(0, Qt::Unchecked); // b.gif stays behind
    dlg.cmdCopy_Click();
    QCOMPARE(services.lastTitle(), QStringLiteral("コピー結果"));
    QCOMPARE(services.lastText(), QStringLiteral("ファイルのコピーに成功しました."));
    QVERIFY(QFile::exists(data.filePath("a.csv")));
    QVERIFY(!QFile::exists(data.filePath("b.gif")));

    // A data folder that cannot take files: the failure message, not the success one.
    QDir(data.path()).removeRecursively();
    dlg.cmdCopy_Click();
    QCOMPARE(services.messages.last().icon, platform::UiServices::Icon::Critical);
    QCOMPARE(services.lastText(), QStringLiteral("ファイルのコピーに失敗しました."));
}

QTEST_MAIN(TestFileCopy)
#include "tst_file_copy.moc"
