// vennlo-cli --pdf FILE --pdf-engine web run as a user runs it: the real vennlo-pdf beside it turns each maker's page
// into a PDF; a vennlo-pdf that is missing, fails or crashes ends the command with a clear message and
// exit status 1, while the page stays byte for byte the page made without --pdf.

#include "dialogs/page_pdf_time.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "support/cli_runner.h"

namespace {

const QString kProgramDir = QStringLiteral(VENNLO_PROGRAM_DIR);
const QString kShelfList = QStringLiteral(VENNLO_TEST_DATA_DIR "/shelf_labels/jan_list.csv");
const QString kTagList = QStringLiteral(VENNLO_TEST_DATA_DIR "/price_tags/twelve.csv");

struct Run {
    int exitCode = -1; // -1 timed out, -2 crashed
    QString out;
    QString err;
};

Run runProgram(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    Run r;
    if (!p.waitForFinished(180000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -2;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

bool writeScript(const QString &path, const QByteArray &body)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write("#!/bin/sh\n" + body) < 0)
        return false;
    f.close();
    return f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
}

// The page commands' arguments after --out DIR, and the page each writes.
QStringList commandArgs(const QString &command)
{
    if (command == QLatin1String("shelf"))
        return {QStringLiteral("shelf"), kShelfList};
    if (command == QLatin1String("tags"))
        return {QStringLiteral("tags"), kTagList, QStringLiteral("--check"), QStringLiteral("1-3")};
    return {QStringLiteral("ledger"), kTagList};
}

QString pageName(const QString &command)
{
    if (command == QLatin1String("shelf"))
        return QStringLiteral("temp.html");
    return command == QLatin1String("tags") ? QStringLiteral("ctemp.html") : QStringLiteral("dtemp.html");
}

} // namespace

class TestCliPdf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pdf_data();
    void pdf();
    void timeoutBySize_data();
    void timeoutBySize();
};

void TestCliPdf::initTestCase()
{
    for (const char *program : {"vennlo-cli", "vennlo-pdf"}) {
        if (!QFileInfo(kProgramDir + QLatin1Char('/') + QLatin1String(program)).isExecutable())
            QFAIL(qPrintable(QStringLiteral("%1 is not built").arg(QLatin1String(program))));
    }
}

void TestCliPdf::pdf_data()
{
    QTest::addColumn<QString>("command");
    // What stands beside vennlo-cli as vennlo-pdf: "real" the built tool, "none", or a script body.
    QTest::addColumn<QByteArray>("tool");
    QTest::addColumn<QString>("pdfName"); // relative to the output folder
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("err"); // what stderr must contain; empty: nothing printed

    QTest::newRow("shelf") << "shelf" << QByteArray("real") << "sheet.pdf" << 0 << QString();
    QTest::newRow("tags") << "tags" << QByteArray("real") << "tags.pdf" << 0 << QString();
    QTest::newRow("ledger") << "ledger" << QByteArray("real") << "ledger.pdf" << 0 << QString();
    QTest::newRow("folder of the PDF missing")
        << "shelf" << QByteArray("real") << "no/such/folder/sheet.pdf" << 1 << "exit status 1\nvennlo-pdf: ";
    QTest::newRow("PDF over the page") << "shelf" << QByteArray("real") << "temp.html" << 1
                                       << "was not made: it would replace the page itself\n";
    QTest::newRow("tool missing") << "shelf" << QByteArray("none") << "sheet.pdf" << 1
                                  << "was not made: vennlo-pdf is not installed beside vennlo-cli (";
    QTest::newRow("tool fails") << "ledger"
                                << QByteArray("echo 'engine noise' >&2; echo 'vennlo-pdf: broken (57)' >&2; exit 1\n")
                                << "ledger.pdf" << 1
                                << "was not made: vennlo-pdf ended with exit status 1\nvennlo-pdf: broken (57)\n";
    QTest::newRow("tool crashes") << "tags" << QByteArray("echo 'last words' >&2; kill -SEGV $$\n") << "tags.pdf" << 1
                                  << "was not made: vennlo-pdf crashed\nlast words\n";
}

void TestCliPdf::pdf()
{
    QFETCH(QString, command);
    QFETCH(QByteArray, tool);
    QFETCH(QString, pdfName);
    QFETCH(int, exitCode);
    QFETCH(QString, err);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    // vennlo-cli looks for vennlo-pdf in its own folder: a copy of it stands in a folder of the test's.
    QString cli = kProgramDir + QStringLiteral("/vennlo-cli");
    if (tool != "real") {
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("bin"))));
        cli = dir.filePath(QStringLiteral("bin/vennlo-cli"));
        QVERIFY(QFile::copy(kProgramDir + QStringLiteral("/vennlo-cli"), cli));
        // The pages need the shipped barcode images of the program folder.
        const QDir images(kProgramDir + QStringLiteral("/BarCode"));
        QVERIFY(QDir().mkpath(dir.filePath(QStringLiteral("bin/BarCode"))));
        for (const QString &name : images.entryList(QDir::Files))
            QVERIFY(QFile::copy(images.filePath(name), dir.filePath(QStringLiteral("bin/BarCode/")) + name));
        if (tool != "none")
            QVERIFY(writeScript(dir.filePath(QStringLiteral("bin/vennlo-pdf")), tool));
    }
    const QString plainOut = dir.filePath(QStringLiteral("plain"));
    const QString out = dir.filePath(QStringLiteral("out"));
    const QString page = QDir(out).filePath(pageName(command));
    const QString pdf = QDir(out).filePath(pdfName);

    const Run plain = runProgram(cli, QStringList{QStringLiteral("--out"), plainOut} + commandArgs(command));
    QCOMPARE(plain.exitCode, 0);
    const Run r = runProgram(
        cli, QStringList{QStringLiteral("--out"), out} + commandArgs(command) +
                 QStringList{QStringLiteral("--pdf"), pdf, QStringLiteral("--pdf-engine"), QStringLiteral("web")});
    QVERIFY2(r.exitCode == exitCode, qPrintable(QStringLiteral("exit %1, stderr: %2").arg(r.exitCode).arg(r.err)));
    if (err.isEmpty())
        QCOMPARE(r.err, QString());
    else
        QVERIFY2(r.err.contains(err), qPrintable(r.err));

    // The page is there and is the page made without --pdf, whatever became of the PDF.
    QCOMPARE(cli_runner::readBytes(page), cli_runner::readBytes(QDir(plainOut).filePath(pageName(command))));
    if (exitCode == 0) {
        QCOMPARE(r.out, page + QLatin1Char('\n') + pdf + QLatin1Char('\n'));
        const QByteArray bytes = cli_runner::readBytes(pdf);
        QVERIFY2(bytes.startsWith("%PDF-"), bytes.left(16).constData());
        QVERIFY(bytes.contains("/Type /Page") || bytes.contains("/Type/Page"));
    } else {
        QCOMPARE(r.out, page + QLatin1Char('\n'));
        QVERIFY(r.err.startsWith(QStringLiteral("vennlo-cli: ")));
        if (pdfName != pageName(command))
            QVERIFY(!QFileInfo::exists(pdf));
    }
}

// The time a page may take grows with its size, so that a big sheet on a busy machine is not cut off.
void TestCliPdf::timeoutBySize_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<int>("minutes");
    QTest::newRow("empty") << qint64(0) << 5;
    QTest::newRow("one byte") << qint64(1) << 6;
    QTest::newRow("one megabyte") << qint64(1 << 20) << 6;
    QTest::newRow("one byte more") << qint64((1 << 20) + 1) << 7;
    QTest::newRow("10,000 shelf cards") << qint64(14814421) << 20;
    QTest::newRow("beyond the bound") << (qint64(1) << 40) << 240;
    QTest::newRow("negative size") << qint64(-1) << 5;
}

void TestCliPdf::timeoutBySize()
{
    QFETCH(qint64, bytes);
    QFETCH(int, minutes);
    QCOMPARE(dialogs::pagePdfTimeoutMs(bytes), minutes * 60 * 1000);
}

QTEST_GUILESS_MAIN(TestCliPdf)
#include "tst_cli_pdf.moc"
