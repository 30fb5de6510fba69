#include "support/fake_ui_services.h"

#include "app/list_document.h"
#include "products/csv_file.h"
#include "products/product_list_model.h"
#include "workbooks/workbook_import.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace products;
using Answer = platform::UiServices::Answer;

namespace {

Product make(const QString &code, const QString &name, const QString &price)
{
    Product p;
    p.code = code;
    p.name = name;
    p.price = price;
    return p;
}

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

const QByteArray kTwoRows("\"A\",\"one\",100,\"\",\"4901234567894B\"\r\n\"B\",\"two\",2500,\"r\",\"B\"\r\n");

// A folder in which no file can be created, even by root (permission bits first, then the
// immutable attribute). Undone by the destructor.
class LockedFolder {
public:
    explicit LockedFolder(const QString &path) : m_path(path)
    {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::ExeOwner);
        if (!canCreate()) {
            m_locked = true;
            return;
        }
        m_immutable = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), path}) == 0;
        m_locked = m_immutable && !canCreate();
    }
    ~LockedFolder()
    {
        if (m_immutable)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
        QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    bool locked() const { return m_locked; }

private:
    bool canCreate() const
    {
        QFile probe(m_path + QStringLiteral("/probe"));
        if (!probe.open(QIODevice::WriteOnly))
            return false;
        probe.close();
        probe.remove();
        return true;
    }
    QString m_path;
    bool m_immutable = false;
    bool m_locked = false;
};

} // namespace

class TestListDocument : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void startState();
    void openFile();
    void openCancelled();
    void openZeroByteFile();
    void newList();
    void saveAsThenSave();
    void saveWithoutFileAsksName();
    void fileMenuEnablesSave_data();
    void fileMenuEnablesSave();
    void promptAnswers_data();
    void promptAnswers();
    void promptYesWithFileSavesAndStops();
    void promptYesCancelledDialogKeepsFlag();
    void promptYesWithoutFileSavesUnderName();
    void failedReadUntiesList_data();
    void failedReadUntiesList();
    void directoryChosenAsFile();
    void failedWriteKeepsFlagAndFile();
    void failedWriteInPromptKeepsFlag();
    void unencodableTextRefused();
    void utf8ListOpenedAndSavedAsCp932();
    void unstorableListRefusedAtOpen_data();
    void unstorableListRefusedAtOpen();
    void workbookPrompt_data();
    void workbookPrompt();
    void workbookSaveRereadsFile();
    void queryClose_data();
    void queryClose();
    void waitLabel();
    void hundredThousandRows();
    void importWorkbook_data();
    void importWorkbook();

private:
    QTemporaryDir *m_dir = nullptr;
    FakeUiServices *m_ui = nullptr;
    ProductListModel *m_model = nullptr;
    ListDocument *m_doc = nullptr;
    QString path(const QString &name) const { return m_dir->filePath(name); }
    void openTwoRows();
};

void TestListDocument::init()
{
    m_dir = new QTemporaryDir;
    m_ui = new FakeUiServices;
    m_model = new ProductListModel;
    m_doc = new ListDocument(*m_model, *m_ui);
    m_doc->setDataFolder(m_dir->path());
}

void TestListDocument::cleanup()
{
    delete m_doc;
    delete m_model;
    delete m_ui;
    delete m_dir;
}

void TestListDocument::openTwoRows()
{
    writeBytes(path(QStringLiteral("list.csv")), kTwoRows);
    m_ui->fileNames.enqueue(path(QStringLiteral("list.csv")));
    m_doc->mnuOpen();
}

void TestListDocument::startState()
{
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [新規]"));
    QVERIFY(m_doc->currentFile().isEmpty());
    QVERIFY(!m_doc->isModified());
    QVERIFY(!m_doc->isSaveEnabled());
}

void TestListDocument::openFile()
{
    QSignalSpy rowCommands(m_doc, &ListDocument::rowCommandsEnabled);
    QSignalSpy refresh(m_doc, &ListDocument::entryFieldsRefresh);
    openTwoRows();
    QCOMPARE(m_ui->fileRequests.size(), 1);
    const auto &req = m_ui->fileRequests.first();
    QCOMPARE(req.title, QStringLiteral("ファイルを開く"));
    QCOMPARE(req.filter, QStringLiteral("CSVファイル(*.csv)|*.csv"));
    QCOMPARE(req.initialFolder, m_dir->path());
    QVERIFY(!req.forSaving);
    QVERIFY(req.fileMustExist);
    QVERIFY(m_ui->messages.isEmpty());
    QCOMPARE(m_model->rowCount(), 2);
    QCOMPARE(m_model->data(m_model->index(1, ProductListModel::Price)).toString(), QStringLiteral("2,500"));
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [list.csv]"));
    QCOMPARE(m_doc->panel2(), path(QStringLiteral("list.csv")));
    QCOMPARE(m_doc->panel1(), QStringLiteral("出力件数: 2"));
    QCOMPARE(m_doc->currentFile(), path(QStringLiteral("list.csv")));
    QVERIFY(m_doc->isSaveEnabled());
    QVERIFY(!m_doc->isModified());
    QCOMPARE(rowCommands.count(), 1);
    QCOMPARE(rowCommands.first().first().toBool(), true);
    QCOMPARE(refresh.count(), 1);
    // Checking a row updates the count.
    m_model->setChecked(0, true);
    QCOMPARE(m_doc->panel1(), QStringLiteral("出力件数: 1"));
}

void TestListDocument::openCancelled()
{
    openTwoRows();
    m_doc->mnuOpen(); // no file name queued: the dialog is cancelled
    QCOMPARE(m_ui->fileRequests.size(), 2);
    QCOMPARE(m_model->rowCount(), 2);
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [list.csv]"));
}

void TestListDocument::openZeroByteFile()
{
    writeBytes(path(QStringLiteral("empty.csv")), QByteArray());
    m_ui->fileNames.enqueue(path(QStringLiteral("empty.csv")));
    m_doc->mnuOpen();
    QVERIFY(m_ui->messages.isEmpty());
    QCOMPARE(m_model->rowCount(), 0);
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [empty.csv]"));
    QVERIFY(m_doc->isSaveEnabled());
    QCOMPARE(m_doc->panel1(), QStringLiteral("出力件数: 0"));
}

void TestListDocument::newList()
{
    openTwoRows();
    QSignalSpy rowCommands(m_doc, &ListDocument::rowCommandsEnabled);
    m_doc->mnuNew();
    QVERIFY(m_ui->messages.isEmpty());
    QCOMPARE(m_model->rowCount(), 0);
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [新規]"));
    QCOMPARE(m_doc->panel1(), QStringLiteral("出力件数: (なし)"));
    QVERIFY(m_doc->panel2().isEmpty());
    QVERIFY(m_doc->currentFile().isEmpty());
    QVERIFY(!m_doc->isSaveEnabled());
    QCOMPARE(rowCommands.count(), 1);
    QCOMPARE(rowCommands.first().first().toBool(), false);
}

void TestListDocument::saveAsThenSave()
{
    m_model->setRows({make("A", "x,y", "1,980")});
    m_doc->setModified(true);
    m_ui->fileNames.enqueue(path(QStringLiteral("saved.csv")));
    m_doc->mnuSaveAs();
    const auto &req = m_ui->fileRequests.first();
    QCOMPARE(req.title, QStringLiteral("ファイルの保存"));
    QCOMPARE(req.defaultExtension, QStringLiteral("csv"));
    QVERIFY(req.forSaving);
    QVERIFY(req.overwritePrompt);
    QCOMPARE(readBytes(path(QStringLiteral("saved.csv"))), QByteArray("\"A\",\"x\x81\x45y\",1980,\"\",\"B\"\r\n"));
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [saved.csv]"));
    QCOMPARE(m_doc->panel2(), path(QStringLiteral("saved.csv")));
    QVERIFY(!m_doc->isModified());
    QVERIFY(m_doc->isSaveEnabled());

    m_model->appendProduct(make("B", "n", "5"));
    m_doc->setModified(true);
    m_doc->mnuSave();
    QCOMPARE(m_ui->fileRequests.size(), 1);
    QVERIFY(!m_doc->isModified());
    QCOMPARE(readBytes(path(QStringLiteral("saved.csv"))),
             QByteArray("\"A\",\"x\x81\x45y\",1980,\"\",\"B\"\r\n\"B\",\"n\",5,\"\",\"B\"\r\n"));
    QVERIFY(m_ui->messages.isEmpty());
}

void TestListDocument::saveWithoutFileAsksName()
{
    m_model->setRows({make("A", "n", "1")});
    m_doc->setModified(true);
    m_doc->mnuSave(); // cancelled dialog
    QCOMPARE(m_ui->fileRequests.size(), 1);
    QVERIFY(m_ui->fileRequests.first().forSaving);
    QVERIFY(m_doc->isModified());
    m_ui->fileNames.enqueue(path(QStringLiteral("n.csv")));
    m_doc->mnuSave();
    QVERIFY(!m_doc->isModified());
    QCOMPARE(m_doc->currentFile(), path(QStringLiteral("n.csv")));
    QVERIFY(QFile::exists(path(QStringLiteral("n.csv"))));
}

void TestListDocument::fileMenuEnablesSave_data()
{
    QTest::addColumn<bool>("modified");
    QTest::newRow("changed") << true;
    QTest::newRow("unchanged") << false;
}

void TestListDocument::fileMenuEnablesSave()
{
    QFETCH(bool, modified);
    openTwoRows();
    m_doc->setModified(modified);
    QSignalSpy spy(m_doc, &ListDocument::saveEnabledChanged);
    m_doc->fileMenuOpening();
    QCOMPARE(m_doc->isSaveEnabled(), modified);
    QCOMPARE(spy.count(), 1);
}

void TestListDocument::promptAnswers_data()
{
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("opened");
    QTest::newRow("No drops the changes") << int(Answer::No) << true;
    QTest::newRow("Cancel stops") << int(Answer::Cancel) << false;
}

void TestListDocument::promptAnswers()
{
    QFETCH(int, answer);
    QFETCH(bool, opened);
    m_model->setRows({make("X", "typed", "1")});
    m_doc->setModified(true);
    writeBytes(path(QStringLiteral("list.csv")), kTwoRows);
    m_ui->answers.enqueue(Answer(answer));
    m_ui->fileNames.enqueue(path(QStringLiteral("list.csv")));
    m_doc->mnuOpen();
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_ui->messages.first().title, QStringLiteral("変更保存の確認"));
    QCOMPARE(m_ui->messages.first().text, QStringLiteral("価格表の変更を保存しますか?"));
    QCOMPARE(m_ui->messages.first().icon, platform::UiServices::Icon::Question);
    QCOMPARE(m_ui->messages.first().buttons, platform::UiServices::Buttons::YesNoCancel);
    QCOMPARE(m_ui->fileRequests.size(), opened ? 1 : 0);
    QCOMPARE(m_model->rowCount(), opened ? 2 : 1);
    QCOMPARE(m_doc->isModified(), !opened);
}

void TestListDocument::promptYesWithFileSavesAndStops()
{
    openTwoRows();
    m_model->appendProduct(make("C", "three", "3"));
    m_doc->setModified(true);
    m_ui->answers.enqueue(Answer::Yes);
    m_doc->mnuOpen();
    // Saved, told so, and 開く is not carried out.
    QCOMPARE(m_ui->fileRequests.size(), 1);
    QCOMPARE(m_ui->messages.size(), 2);
    QCOMPARE(m_ui->messages.at(1).title, QStringLiteral("上書き保存確認"));
    QCOMPARE(m_ui->messages.at(1).text, path(QStringLiteral("list.csv")) + QStringLiteral(" を上書き保存しました."));
    QVERIFY(!m_doc->isModified());
    QCOMPARE(readBytes(path(QStringLiteral("list.csv"))), kTwoRows + "\"C\",\"three\",3,\"\",\"B\"\r\n");
    // The user gives 開く again and is not asked.
    m_ui->fileNames.enqueue(path(QStringLiteral("list.csv")));
    m_doc->mnuOpen();
    QCOMPARE(m_ui->messages.size(), 2);
    QCOMPARE(m_model->rowCount(), 3);
}

void TestListDocument::promptYesCancelledDialogKeepsFlag()
{
    m_model->setRows({make("X", "typed", "1")});
    m_doc->setModified(true);
    m_ui->answers.enqueue(Answer::Yes); // then the save dialog is cancelled
    m_doc->mnuNew();
    QCOMPARE(m_ui->fileRequests.size(), 1);
    QVERIFY(m_ui->fileRequests.first().forSaving);
    QVERIFY(m_doc->isModified());
    QCOMPARE(m_model->rowCount(), 1);
    // The next command asks again instead of dropping the changes.
    m_ui->answers.enqueue(Answer::Cancel);
    m_doc->mnuNew();
    QCOMPARE(m_ui->messages.size(), 2);
    QCOMPARE(m_model->rowCount(), 1);
    QVERIFY(m_doc->isModified());
}

void TestListDocument::promptYesWithoutFileSavesUnderName()
{
    m_model->setRows({make("X", "typed", "1")});
    m_doc->setModified(true);
    m_ui->answers.enqueue(Answer::Yes);
    m_ui->fileNames.enqueue(path(QStringLiteral("new.csv")));
    m_doc->mnuNew();
    QVERIFY(!m_doc->isModified());
    QCOMPARE(m_model->rowCount(), 1); // stopped: the list is still there
    QCOMPARE(m_doc->currentFile(), path(QStringLiteral("new.csv")));
    QCOMPARE(readBytes(path(QStringLiteral("new.csv"))), QByteArray("\"X\",\"typed\",1,\"\",\"B\"\r\n"));
    m_doc->mnuNew();
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_model->rowCount(), 0);
}

void TestListDocument::failedReadUntiesList_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("kept");
    QTest::addColumn<QString>("report");
    const QString hint =
        QStringLiteral("エラーが発生しました(main.ReadFile)\r\n"
                       "読み込んだデータが「ぽらね値札作成」のデータ形式を満たしているか確認してください.\r\n\r\n");
    QTest::newRow("missing field")
        << kTwoRows + "\"C\",\"x\",1,\"\"\r\n" + kTwoRows << 2
        << hint + QStringLiteral("エラー番号: 62\r\n内容: 1 行の項目の数が 4 個です。5 個必要です。 (3 行目)");
    QTest::newRow("price overflow") << kTwoRows + "\"C\",\"x\",4294967296,\"\",\"B\"\r\n"
                                    << 2
                                    << hint +
                                           QStringLiteral("エラー番号: 6\r\n内容: オーバーフローしました。 (3 行目)");
    QTest::newRow("unterminated quote")
        << kTwoRows + "\"C\",\"x" << 2
        << hint + QStringLiteral("エラー番号: 62\r\n内容: ファイルにこれ以上データがありません。 (3 行目)");
}

void TestListDocument::failedReadUntiesList()
{
    QFETCH(QByteArray, bytes);
    QFETCH(int, kept);
    QFETCH(QString, report);
    const QString file = path(QStringLiteral("broken.csv"));
    writeBytes(file, bytes);
    m_ui->fileNames.enqueue(file);
    m_doc->mnuOpen();
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_ui->messages.first().title, QStringLiteral("エラー情報"));
    QCOMPARE(m_ui->messages.first().icon, platform::UiServices::Icon::Critical);
    QCOMPARE(m_ui->messages.first().text, report);
    QCOMPARE(m_model->rowCount(), kept);
    QVERIFY(m_doc->currentFile().isEmpty());
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [新規]"));
    QVERIFY(m_doc->panel2().isEmpty());
    // 上書き保存 asks for a name and the broken file is never touched.
    m_doc->mnuSave();
    QCOMPARE(m_ui->fileRequests.size(), 2);
    QVERIFY(m_ui->fileRequests.last().forSaving);
    QCOMPARE(readBytes(file), bytes);
}

void TestListDocument::directoryChosenAsFile()
{
    openTwoRows();
    QDir(m_dir->path()).mkdir(QStringLiteral("folder.csv"));
    m_ui->fileNames.enqueue(path(QStringLiteral("folder.csv")));
    m_doc->mnuOpen();
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_ui->messages.first().text,
             QStringLiteral(
                 "エラーが発生しました(main.ReadFile)\r\nエラー番号: 75\r\n内容: ファイルではなくフォルダーです。 (") +
                 path(QStringLiteral("folder.csv")) + QLatin1Char(')'));
    QCOMPARE(m_model->rowCount(), 0);
    QVERIFY(m_doc->currentFile().isEmpty());
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [新規]"));
}

void TestListDocument::failedWriteKeepsFlagAndFile()
{
    QDir(m_dir->path()).mkdir(QStringLiteral("ro"));
    const QString file = path(QStringLiteral("ro/list.csv"));
    writeBytes(file, kTwoRows);
    m_ui->fileNames.enqueue(file);
    m_doc->mnuOpen();
    m_model->appendProduct(make("C", "three", "3"));
    m_doc->setModified(true);
    LockedFolder lock(path(QStringLiteral("ro")));
    if (!lock.locked())
        QSKIP("cannot make a folder unwritable here");
    m_doc->mnuSave();
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_ui->messages.first().title, QStringLiteral("ファイル保存"));
    QCOMPARE(m_ui->messages.first().text, QStringLiteral("上書きできませんでした.当該ファイル( ") + file +
                                              QStringLiteral(" )を\r\n他のソフトで編集中でないか確認してください."));
    QVERIFY(m_doc->isModified());
    QCOMPARE(m_model->rowCount(), 3);
    QCOMPARE(readBytes(file), kTwoRows);
    // 名前を付けて保存 into the same folder fails too and keeps the current file.
    m_ui->fileNames.enqueue(path(QStringLiteral("ro/other.csv")));
    m_doc->mnuSaveAs();
    QCOMPARE(m_doc->currentFile(), file);
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [list.csv]"));
    QVERIFY(m_doc->isModified());
}

void TestListDocument::failedWriteInPromptKeepsFlag()
{
    QDir(m_dir->path()).mkdir(QStringLiteral("ro"));
    const QString file = path(QStringLiteral("ro/list.csv"));
    writeBytes(file, kTwoRows);
    m_ui->fileNames.enqueue(file);
    m_doc->mnuOpen();
    m_doc->setModified(true);
    LockedFolder lock(path(QStringLiteral("ro")));
    if (!lock.locked())
        QSKIP("cannot make a folder unwritable here");
    m_ui->answers.enqueue(Answer::Yes);
    QVERIFY(!m_doc->queryClose());
    // The failure is told, no success box follows, and the flag stays.
    QCOMPARE(m_ui->messages.size(), 2);
    QCOMPARE(m_ui->messages.last().title, QStringLiteral("ファイル保存"));
    QVERIFY(m_doc->isModified());
    QCOMPARE(readBytes(file), kTwoRows);
}

void TestListDocument::unencodableTextRefused()
{
    openTwoRows();
    m_model->appendProduct(make("C", QStringLiteral("絵文字😀"), "3"));
    m_doc->setModified(true);
    m_doc->mnuSave();
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_ui->messages.first().title, QStringLiteral("ファイル保存"));
    QCOMPARE(m_ui->messages.first().text,
             QStringLiteral("No.3 の商品名に Shift_JIS で保存できない文字「😀」があります。\r\n"
                            "その文字を直してから保存してください. ファイルは保存していません."));
    QVERIFY(m_doc->isModified());
    QCOMPARE(m_model->product(2).name, QStringLiteral("絵文字😀"));
    QCOMPARE(readBytes(path(QStringLiteral("list.csv"))), kTwoRows);
}

void TestListDocument::utf8ListOpenedAndSavedAsCp932()
{
    const QString file = path(QStringLiteral("utf8.csv"));
    // Typed on a Linux desktop: the wave dash is the JIS form of the CP932 one.
    const QByteArray utf8 = "\xEF\xBB\xBF" + QStringLiteral("\"A\",\"りんご\",198,\"\",\"B\"\r\n"
                                                            "\"B\",\"キムチ 1〜2 kg\",500,\"韓国産\",\"B\"\r\n")
                                                 .toUtf8();
    writeBytes(file, utf8);
    QSignalSpy notes(m_doc, &ListDocument::encodingNoteChanged);
    m_ui->fileNames.enqueue(file);
    m_doc->mnuOpen();
    QVERIFY(m_ui->messages.isEmpty());
    QCOMPARE(m_model->product(1).name, QStringLiteral("キムチ 1～2 kg"));
    const QString note = QStringLiteral("UTF-8 で読み込みました（保存は Shift_JIS）");
    QCOMPARE(m_doc->encodingNote(), note);
    QCOMPARE(notes.size(), 1);

    // Saved, it is a CP932 list and the note goes.
    m_model->appendProduct(make("C", QStringLiteral("みかん"), "3"));
    m_doc->setModified(true);
    m_doc->mnuSave();
    QVERIFY(m_ui->messages.isEmpty());
    QVERIFY(!m_doc->isModified());
    const ReadResult back = readCsvFile(file);
    QCOMPARE(back.encoding, ListEncoding::Cp932);
    QCOMPARE(back.rows.size(), 3);
    QCOMPARE(back.rows.at(1).name, QStringLiteral("キムチ 1～2 kg"));
    QCOMPARE(m_doc->encodingNote(), QString());

    // A plain CP932 list gives no note; 新規作成 after a UTF-8 one clears it.
    openTwoRows();
    QCOMPARE(m_doc->encodingNote(), QString());
    writeBytes(file, utf8);
    m_ui->fileNames.enqueue(file);
    m_doc->mnuOpen();
    QCOMPARE(m_doc->encodingNote(), note);
    m_doc->mnuNew();
    QCOMPARE(m_doc->encodingNote(), QString());
}

// A UTF-8 list holding a character no save could keep is refused whole when it is opened, naming
// where it is; the list in the window stays as it was, tied to its file.
void TestListDocument::unstorableListRefusedAtOpen_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("where");
    QTest::addColumn<QString>("character");
    QTest::newRow("hangul in a name") << "\"A\",\"りんご\",1,\"\",\"B\"\r\n\"B\",\"김치\",500,\"\",\"B\"\r\n"
                                      << "2 行目 B 列"
                                      << "김";
    QTest::newRow("rare kanji in a code") << "\"𠮷-1\",\"りんご\",1,\"\",\"B\"\r\n"
                                          << "1 行目 A 列"
                                          << "𠮷";
    QTest::newRow("emoji in remarks after a quoted line end")
        << "\"A\",\"り\r\nんご\",1,\"\",\"B\"\r\n\"C\",\"x\",1,\"限定🍎\",\"B\"\r\n"
        << "3 行目 D 列"
        << "🍎";
}

void TestListDocument::unstorableListRefusedAtOpen()
{
    QFETCH(QString, text);
    QFETCH(QString, where);
    QFETCH(QString, character);
    openTwoRows();
    const QString file = path(QStringLiteral("utf8.csv"));
    const QByteArray bytes = "\xEF\xBB\xBF" + text.toUtf8();
    writeBytes(file, bytes);
    m_ui->fileNames.enqueue(file);
    m_doc->mnuOpen();
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_ui->messages.last().title, QStringLiteral("エラー情報"));
    QCOMPARE(m_ui->messages.last().text,
             QStringLiteral("エラーが発生しました(main.ReadFile)\r\nエラー番号: 380\r\n内容: ") + where +
                 QStringLiteral("に Shift_JIS で保存できない文字「") + character + QStringLiteral("」があります。"));
    QCOMPARE(m_model->rowCount(), 2);
    QCOMPARE(m_model->product(1).price, QStringLiteral("2500"));
    QCOMPARE(m_doc->currentFile(), path(QStringLiteral("list.csv")));
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [list.csv]"));
    QCOMPARE(m_doc->panel2(), path(QStringLiteral("list.csv")));
    QCOMPARE(readBytes(file), bytes);
}

void TestListDocument::workbookPrompt_data()
{
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("saveName");
    QTest::addColumn<bool>("cleared");
    QTest::addColumn<bool>("emptied");
    QTest::newRow("No: both flags cleared, goes on") << QList<int>{int(Answer::No)} << "" << true << true;
    QTest::newRow("Cancel: stop") << QList<int>{int(Answer::Cancel)} << "" << false << false;
    QTest::newRow("Yes, dialog cancelled: flags kept") << QList<int>{int(Answer::Yes)} << "" << false << false;
    QTest::newRow("Yes, saved: flags cleared, stop") << QList<int>{int(Answer::Yes)} << "book.csv" << true << false;
}

void TestListDocument::workbookPrompt()
{
    QFETCH(QList<int>, answers);
    QFETCH(QString, saveName);
    QFETCH(bool, cleared);
    QFETCH(bool, emptied);
    m_model->setRows({make("W", "from workbook", "10")});
    m_doc->setModified(true);
    m_doc->setWorkbookImported(true, path(QStringLiteral("book.xls")));
    for (int a : answers)
        m_ui->answers.enqueue(Answer(a));
    if (!saveName.isEmpty())
        m_ui->fileNames.enqueue(path(saveName));
    m_doc->mnuNew();
    QCOMPARE(m_ui->messages.first().title, QStringLiteral("CSVファイル保存の確認"));
    QCOMPARE(m_ui->messages.first().text, QStringLiteral("ExcelファイルをCSV形式で保存しますか?"));
    QCOMPARE(m_ui->messages.first().buttons, platform::UiServices::Buttons::YesNoCancel);
    // The save-changes prompt never follows a workbook prompt here: No clears both flags first.
    QCOMPARE(m_ui->messages.size(), 1);
    QCOMPARE(m_doc->isWorkbookImported(), !cleared);
    QCOMPARE(m_doc->isModified(), !cleared);
    QCOMPARE(m_model->rowCount(), emptied ? 0 : 1);
    if (!saveName.isEmpty())
        QCOMPARE(readBytes(path(saveName)), QByteArray("\"W\",\"from workbook\",10,\"\",\"B\"\r\n"));
}

void TestListDocument::workbookSaveRereadsFile()
{
    m_model->setRows({make("W", "a,b", "10")});
    m_doc->setWorkbookImported(true, path(QStringLiteral("book.xls")));
    m_ui->fileNames.enqueue(path(QStringLiteral("book.csv")));
    m_doc->mnuSaveAs();
    QVERIFY(!m_doc->isWorkbookImported());
    // The list now shows the file as written (cleaned texts).
    QCOMPARE(m_model->product(0).name, QStringLiteral("a・b"));
    QCOMPARE(m_doc->title(), QStringLiteral("ぽらね値札作成 [book.csv]"));
}

void TestListDocument::queryClose_data()
{
    QTest::addColumn<bool>("modified");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<int>("prompts");
    QTest::newRow("nothing changed") << false << int(Answer::Cancel) << true << 0;
    QTest::newRow("No") << true << int(Answer::No) << true << 1;
    QTest::newRow("Cancel") << true << int(Answer::Cancel) << false << 1;
    QTest::newRow("Yes saves and stays") << true << int(Answer::Yes) << false << 2;
}

void TestListDocument::queryClose()
{
    QFETCH(bool, modified);
    QFETCH(int, answer);
    QFETCH(bool, closes);
    QFETCH(int, prompts);
    openTwoRows();
    m_doc->setModified(modified);
    m_ui->answers.enqueue(Answer(answer));
    QCOMPARE(m_doc->queryClose(), closes);
    QCOMPARE(m_ui->messages.size(), prompts);
}

void TestListDocument::waitLabel()
{
    QSignalSpy busy(m_doc, &ListDocument::busyChanged);
    openTwoRows();
    QCOMPARE(busy.count(), 2);
    QCOMPARE(busy.at(0).at(0).toBool(), true);
    QCOMPARE(busy.at(0).at(1).toString(), QStringLiteral("しばらくお待ち下さい.\r\nファイルを開いています."));
    QCOMPARE(busy.at(1).at(0).toBool(), false);
    m_doc->mnuSave();
    QCOMPARE(busy.count(), 4);
    QCOMPARE(busy.at(2).at(1).toString(), QStringLiteral("しばらくお待ち下さい.\r\n保存中です."));
    QCOMPARE(busy.at(3).at(0).toBool(), false);
}

void TestListDocument::hundredThousandRows()
{
    ProductList rows;
    for (int i = 0; i < 100000; ++i)
        rows << make(QStringLiteral("C%1").arg(i), QStringLiteral("商品%1").arg(i), QString::number(i % 5000));
    const QString file = path(QStringLiteral("big.csv"));
    QVERIFY(writeCsvFile(file, rows).ok());
    QSignalSpy reset(m_model, &QAbstractItemModel::modelReset);
    m_doc->openFile(file);
    QVERIFY2(m_ui->messages.isEmpty(), qPrintable(m_ui->lastText()));
    QCOMPARE(m_model->rowCount(), 100000);
    QCOMPARE(reset.count(), 1);
    QCOMPARE(m_doc->panel1(), QStringLiteral("出力件数: 100000"));
    QCOMPARE(m_model->data(m_model->index(99999, 0)).toString(), QStringLiteral("100000"));
    const QByteArray before = readBytes(file);
    m_doc->mnuSave();
    QCOMPARE(readBytes(file), before);
}

QTEST_MAIN(TestListDocument)
#include "tst_list_document.moc"

void TestListDocument::importWorkbook_data()
{
    QTest::addColumn<QString>("workbook");
    QTest::addColumn<bool>("imported");
    QTest::newRow("xlsx") << QStringLiteral(VENNLO_TEST_DATA_DIR "/workbooks/products.xlsx") << true;
    QTest::newRow("ods") << QStringLiteral(VENNLO_TEST_DATA_DIR "/workbooks/products.ods") << true;
    QTest::newRow("text file renamed") << QStringLiteral("not-a-book.xlsx") << false;
}

// ReadExcel's window half: a workbook replaces the list untied from any file and flagged; a bad one
// is reported and leaves the list, its file and its flags as they were.
void TestListDocument::importWorkbook()
{
    QFETCH(QString, workbook);
    QFETCH(bool, imported);
    openTwoRows();
    m_doc->setModified(true);
    if (!imported) {
        writeBytes(path(workbook), "\"A\",\"one\"\r\n");
        workbook = path(workbook);
    }
    const QString before = m_doc->title();
    QCOMPARE(m_doc->importWorkbookFile(workbook), imported);
    if (!imported) {
        QCOMPARE(m_ui->messages.size(), 1);
        QVERIFY(m_ui->lastText().startsWith(QStringLiteral("エラーが発生しました(ReadExcel)")));
        QCOMPARE(m_model->rowCount(), 2);
        QCOMPARE(m_doc->title(), before);
        QVERIFY(m_doc->isModified());
        QVERIFY(!m_doc->isWorkbookImported());
        QCOMPARE(m_doc->currentFile(), path(QStringLiteral("list.csv")));
        return;
    }
    QVERIFY(m_ui->messages.isEmpty());
    QCOMPARE(m_model->rows(), products::importWorkbook(workbook).rows);
    QCOMPARE(m_model->rowCount(), 7);
    QCOMPARE(m_doc->title(), ListDocument::titleFor(workbook));
    QVERIFY(m_doc->isWorkbookImported());
    QVERIFY(!m_doc->isModified());
    QVERIFY(m_doc->currentFile().isEmpty());
    QVERIFY(!m_doc->isSaveEnabled());
    // Closing now offers to keep the imported list as CSV; "いいえ" lets the window close.
    m_ui->answers.enqueue(Answer::No);
    QVERIFY(m_doc->queryClose());
    QCOMPARE(m_ui->lastText(), QStringLiteral("ExcelファイルをCSV形式で保存しますか?"));
}
