// Checking and refilling a BarCode folder: the images a page needs, copied from the program folder.

#include "barcode/barcode.h"
#include "barcode/barcode_images.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// A source folder of 33 small files, each holding "shipped " + its name.
bool makeSource(const QString &folder, const QString &leaveOut = {})
{
    if (!QDir().mkpath(folder))
        return false;
    for (const QString &name : barcode::barcodeImageNames()) {
        if (name != leaveOut && !writeFile(folder + QLatin1Char('/') + name, "shipped " + name.toLatin1()))
            return false;
    }
    return true;
}

// Root may write anywhere: for it the refill runs in a child that has given up root for "nobody",
// so that a read-only folder binds it. Gives the error's description, or "" when there was none.
QString ensureAsUser(const QString &source, const QString &target)
{
    if (::geteuid() != 0) {
        const auto error = barcode::ensureBarcodeImages(source, target);
        return error ? error->description : QString();
    }
    int fds[2];
    if (::pipe(fds) != 0)
        return QStringLiteral("no pipe");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            ::_exit(2);
        const auto error = barcode::ensureBarcodeImages(source, target);
        const QByteArray text = error ? error->description.toUtf8() : QByteArray();
        const bool written = ::write(fds[1], text.constData(), size_t(text.size())) == text.size();
        ::_exit(written ? 0 : 3);
    }
    ::close(fds[1]);
    QByteArray text;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, qsizetype(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("child failed");
    return QString::fromUtf8(text);
}

} // namespace

class TestBarcodeImages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void namesAreTheImagesPagesUse();
    void fillsMissingImages_data();
    void fillsMissingImages();
    void replacesImagesThatDiffer_data();
    void replacesImagesThatDiffer();
    void refusesWhatItCannotCopy_data();
    void refusesWhatItCannotCopy();
};

void TestBarcodeImages::namesAreTheImagesPagesUse()
{
    const QStringList names = barcode::barcodeImageNames();
    const QSet<QString> set(names.begin(), names.end());
    QCOMPARE(set.size(), 33);

    // Every image a code can name, and nothing more: each digit in each position, both parities.
    QSet<QString> used;
    QStringList codes{QStringLiteral("1000000000000"), QStringLiteral("49012342")};
    for (int d = 0; d < 10; ++d)
        codes << QString(13, QChar(u'0' + d));
    for (const QString &code : codes) {
        const QStringList seq = barcode::imageSequence(code);
        QVERIFY(!seq.isEmpty());
        used.unite(QSet<QString>(seq.begin(), seq.end()));
    }
    QCOMPARE(used, set);

    QStringList shipped = QDir(QStringLiteral(VENNLO_PROGRAM_DIR "/BarCode")).entryList(QDir::Files);
    QStringList sorted = names;
    shipped.sort();
    sorted.sort();
    QCOMPARE(shipped, sorted);
}

void TestBarcodeImages::fillsMissingImages_data()
{
    QTest::addColumn<int>("present"); // the first images of the list already there, as shipped
    QTest::addColumn<bool>("targetExists");
    QTest::addColumn<bool>("sourceExists");
    QTest::newRow("first copy") << 0 << false << true;
    QTest::newRow("empty folder") << 0 << true << true;
    QTest::newRow("copy broken off at 16 of 33") << 16 << true << true;
    QTest::newRow("one missing") << 32 << true << true;
    QTest::newRow("complete, no source needed") << 33 << true << false;
}

void TestBarcodeImages::fillsMissingImages()
{
    QFETCH(int, present);
    QFETCH(bool, targetExists);
    QFETCH(bool, sourceExists);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("program/BarCode"));
    const QString target = dir.filePath(QStringLiteral("out/BarCode"));
    if (sourceExists)
        QVERIFY(makeSource(source));
    const QStringList names = barcode::barcodeImageNames();
    if (targetExists)
        QVERIFY(QDir().mkpath(target));
    for (int i = 0; i < present; ++i)
        QVERIFY(writeFile(target + QLatin1Char('/') + names.at(i), "shipped " + names.at(i).toLatin1()));

    const auto error = barcode::ensureBarcodeImages(source, target);
    QVERIFY2(!error, error ? qPrintable(error->description) : "");

    for (int i = 0; i < names.size(); ++i) {
        const QByteArray expected = "shipped " + names.at(i).toLatin1();
        QCOMPARE(readAll(target + QLatin1Char('/') + names.at(i)), expected);
    }
    // No temporary file is left behind.
    QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 33);
}

// An image cut short by a full disk, or changed, is put back as shipped, never kept; a link is replaced
// itself, not written through.
void TestBarcodeImages::replacesImagesThatDiffer_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("present"); // "link" for a symbolic link to a file of the user's
    QTest::newRow("cut short") << "4_L1.bmp" << QByteArray("shipped 4_");
    QTest::newRow("empty") << "RB.bmp" << QByteArray("");
    QTest::newRow("other bytes of the same length") << "CB.bmp" << QByteArray("shipped XX.bmp");
    QTest::newRow("longer") << "0_R.bmp" << QByteArray("shipped 0_R.bmp and more");
    QTest::newRow("link to another file") << "9_L2.bmp" << QByteArray("link");
}

void TestBarcodeImages::replacesImagesThatDiffer()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, present);
    QTemporaryDir dir;
    const QString source = dir.filePath(QStringLiteral("program/BarCode"));
    const QString target = dir.filePath(QStringLiteral("out/BarCode"));
    QVERIFY(makeSource(source));
    QVERIFY(makeSource(target));
    const QString image = target + QLatin1Char('/') + name;
    const QString users = dir.filePath(QStringLiteral("users.txt"));
    QVERIFY(QFile::remove(image));
    if (present == "link") {
        QVERIFY(writeFile(users, "the user's own"));
        QVERIFY(QFile::link(users, image));
    } else {
        QVERIFY(writeFile(image, present));
    }

    const auto error = barcode::ensureBarcodeImages(source, target);
    QVERIFY2(!error, error ? qPrintable(error->description) : "");
    for (const QString &n : barcode::barcodeImageNames())
        QCOMPARE(readAll(target + QLatin1Char('/') + n), "shipped " + n.toLatin1());
    QVERIFY(!QFileInfo(image).isSymLink());
    if (present == "link")
        QCOMPARE(readAll(users), QByteArray("the user's own"));
    QCOMPARE(QDir(target).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 33);
}

void TestBarcodeImages::refusesWhatItCannotCopy_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<int>("present");
    QTest::addColumn<QString>("named"); // the file the report names, relative to the temporary folder
    QTest::addColumn<int>("copied");    // images in the target afterwards
    QTest::newRow("target below a file") << "file" << 0 << "file/BarCode/LB.bmp" << 0;
    QTest::newRow("read-only target, half filled") << "readonly" << 16 << "out/BarCode/4_L2.bmp" << 16;
    QTest::newRow("folder in an image's place") << "folder" << 0 << "out/BarCode/CB.bmp" << 32;
    QTest::newRow("image missing from the source") << "source" << 16 << "program/BarCode/5_L2.bmp" << 32;
}

void TestBarcodeImages::refusesWhatItCannotCopy()
{
    QFETCH(QString, setup);
    QFETCH(int, present);
    QFETCH(QString, named);
    QFETCH(int, copied);
    QTemporaryDir dir;
    // The child that drops root must reach the files.
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
    const QString source = dir.filePath(QStringLiteral("program/BarCode"));
    QString target = dir.filePath(QStringLiteral("out/BarCode"));
    QVERIFY(makeSource(source, setup == QLatin1String("source") ? QStringLiteral("5_L2.bmp") : QString()));
    const QStringList names = barcode::barcodeImageNames();
    if (setup == QLatin1String("file")) {
        QVERIFY(writeFile(dir.filePath(QStringLiteral("file")), "not a folder"));
        target = dir.filePath(QStringLiteral("file/BarCode"));
    } else {
        QVERIFY(QDir().mkpath(target));
        for (int i = 0; i < present; ++i)
            QVERIFY(writeFile(target + QLatin1Char('/') + names.at(i), "shipped " + names.at(i).toLatin1()));
        if (setup == QLatin1String("folder"))
            QVERIFY(QDir().mkpath(target + QStringLiteral("/CB.bmp")));
        if (setup == QLatin1String("readonly"))
            QVERIFY(QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::ExeOwner |
                                                      QFileDevice::ReadOther | QFileDevice::ExeOther));
    }

    QString description;
    if (setup == QLatin1String("readonly")) {
        description = ensureAsUser(source, target);
        QFile::setPermissions(target, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    } else {
        const auto error = barcode::ensureBarcodeImages(source, target);
        QVERIFY(error);
        description = error->description;
    }
    QVERIFY2(description.endsWith(QStringLiteral(" (") + dir.filePath(named) + QLatin1Char(')')),
             qPrintable(description));
    int found = 0;
    for (const QString &name : names)
        found += QFileInfo(target + QLatin1Char('/') + name).isFile() ? 1 : 0;
    QCOMPARE(found, copied);
    // The images that were there stay as they were.
    for (int i = 0; i < present; ++i)
        QCOMPARE(readAll(target + QLatin1Char('/') + names.at(i)), "shipped " + names.at(i).toLatin1());
}

QTEST_GUILESS_MAIN(TestBarcodeImages)
#include "tst_barcode_images.moc"
