#include "platform/page_writer.h"
#include "platform/text_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// The streamed page must be the very bytes the whole-page writer gives, whatever the block borders,
// and a failure must leave the previous page untouched.
class TestPageWriter : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void sameBytes_data();
    void sameBytes();
    void failureKeepsOldPage_data();
    void failureKeepsOldPage();
};

static QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

static QStringList manyLines(int count, const QString &text)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << QStringLiteral("%1 %2").arg(i).arg(text);
    return lines;
}

void TestPageWriter::sameBytes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("no line") << QStringList();
    QTest::newRow("one empty line") << QStringList{QString()};
    QTest::newRow("ascii and japanese") << QStringList{QStringLiteral("<TD>"), QStringLiteral("棚札 ￥1,980 ｱｲｳ")};
    QTest::newRow("many blocks, ascii") << manyLines(60000, QStringLiteral("<img src=\"BarCode/1.bmp\">"));
    QTest::newRow("many blocks, japanese") << manyLines(40000, QStringLiteral("商品名　テスト①"));
}

void TestPageWriter::sameBytes()
{
    QFETCH(QStringList, lines);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("temp.html"));
    platform::Cp932PageWriter writer(path);
    QVERIFY(writer.open());
    for (const QString &l : lines)
        writer.addLine(l);
    platform::AppError error;
    QVERIFY(writer.finish(&error));
    QCOMPARE(writer.linesWritten(), lines.size());
    QCOMPARE(readAll(path), platform::cp932Lines(lines));
}

void TestPageWriter::failureKeepsOldPage_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("missingFolder");
    QTest::addColumn<int>("errorNumber");
    QTest::addColumn<QString>("description");
    QStringList late = manyLines(50000, QStringLiteral("abc"));
    late[45678] = QStringLiteral("emoji 😀 here");
    QTest::newRow("control: everything encodable")
        << QStringList{QStringLiteral("丸① ok"), QStringLiteral("x")} << false << 0 << QString();
    QTest::newRow("unencodable in a later block")
        << late << false << platform::AppError::InvalidPropertyValue
        << QStringLiteral("ページに Shift_JIS で保存できない文字「😀」があります。");
    QTest::newRow("folder missing") << QStringList{QStringLiteral("x")} << true << platform::AppError::PathNotFound
                                    << QString();
}

void TestPageWriter::failureKeepsOldPage()
{
    QFETCH(QStringList, lines);
    QFETCH(bool, missingFolder);
    QFETCH(int, errorNumber);
    QFETCH(QString, description);
    QTemporaryDir dir;
    const QString path =
        missingFolder ? dir.filePath(QStringLiteral("gone/temp.html")) : dir.filePath(QStringLiteral("temp.html"));
    if (!missingFolder) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old page");
    }
    const QByteArray whole = platform::cp932Lines(lines);
    platform::AppError error;
    {
        platform::Cp932PageWriter writer(path);
        if (writer.open(&error)) {
            for (const QString &l : lines)
                writer.addLine(l);
            const bool ok = writer.finish(&error);
            QCOMPARE(ok, errorNumber == 0);
        }
    }
    if (errorNumber == 0) {
        QCOMPARE(readAll(path), whole);
        return;
    }
    QCOMPARE(error.number, errorNumber);
    if (!description.isEmpty())
        QCOMPARE(error.description, description);
    QCOMPARE(readAll(path), missingFolder ? QByteArray("<missing>") : QByteArray("old page"));
}

QTEST_GUILESS_MAIN(TestPageWriter)
#include "tst_page_writer.moc"
