#include "platform/single_instance.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

#include <unistd.h>

using platform::SingleInstance;

class TestSingleInstance : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    QString lockPath() const { return dir_.filePath(QStringLiteral("vennlo.lock")); }

    // A lock file as a copy of the program with the given process id would have left it.
    void writeLockOf(qint64 pid, const QString &appName)
    {
        QFile f(lockPath());
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray::number(pid) + '\n' + appName.toUtf8() + '\n' + QSysInfo::machineHostName().toUtf8() + '\n');
    }

private Q_SLOTS:
    void init() { QFile::remove(lockPath()); }

    void firstCopyRuns()
    {
        SingleInstance first(lockPath());
        QCOMPARE(first.acquire(), SingleInstance::State::First);
        QVERIFY(QFile::exists(lockPath()));
        // Asking again from the same copy keeps the answer.
        QCOMPARE(first.acquire(), SingleInstance::State::First);
    }

    void secondCopyIsRefusedWhileTheFirstRuns()
    {
        SingleInstance first(lockPath());
        QCOMPARE(first.acquire(), SingleInstance::State::First);
        SingleInstance second(lockPath());
        QCOMPARE(second.acquire(), SingleInstance::State::AlreadyRunning);
        // The refusal leaves the first copy's lock in place.
        QVERIFY(QFile::exists(lockPath()));
        SingleInstance third(lockPath());
        QCOMPARE(third.acquire(), SingleInstance::State::AlreadyRunning);
    }

    void lockIsFreeAfterTheFirstCopyEnds()
    {
        {
            SingleInstance first(lockPath());
            QCOMPARE(first.acquire(), SingleInstance::State::First);
        }
        QVERIFY(!QFile::exists(lockPath()));
        SingleInstance next(lockPath());
        QCOMPARE(next.acquire(), SingleInstance::State::First);
    }

    void lockOfALiveOtherProcessRefuses()
    {
        QProcess sleeper;
        sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
        QVERIFY(sleeper.waitForStarted());
        writeLockOf(sleeper.processId(), QStringLiteral("sleep"));
        SingleInstance second(lockPath());
        QCOMPARE(second.acquire(), SingleInstance::State::AlreadyRunning);
        sleeper.kill();
        sleeper.waitForFinished();
    }

    void staleLockOfACrashedCopyIsTakenOver()
    {
        // A process that has ended: its id is free, as after a crash of the first copy.
        QProcess ended;
        ended.start(QStringLiteral("true"), {});
        QVERIFY(ended.waitForStarted());
        const qint64 pid = ended.processId();
        QVERIFY(ended.waitForFinished());
        writeLockOf(pid, QStringLiteral("vennlo"));
        QVERIFY(QFile::exists(lockPath()));

        SingleInstance next(lockPath());
        QCOMPARE(next.acquire(), SingleInstance::State::First);
        SingleInstance other(lockPath());
        QCOMPARE(other.acquire(), SingleInstance::State::AlreadyRunning);
    }

    void oldLockIsNotStaleByAgeAlone()
    {
        SingleInstance first(lockPath());
        QCOMPARE(first.acquire(), SingleInstance::State::First);
        QFile f(lockPath());
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(QDateTime::currentDateTime().addDays(-2), QFileDevice::FileModificationTime));
        f.close();
        SingleInstance second(lockPath());
        QCOMPARE(second.acquire(), SingleInstance::State::AlreadyRunning);
    }

    void unwritableLockFolderDoesNotKeepTheUserOut()
    {
        SingleInstance first(dir_.filePath(QStringLiteral("missing/folder/vennlo.lock")));
        QCOMPARE(first.acquire(), SingleInstance::State::First);
    }

    // A later start hands its file to the first copy over the socket beside the lock, and is told
    // whether it was taken; it runs on a thread of its own, as it does in a process of its own.
    void fileIsHandedOver_data()
    {
        QTest::addColumn<bool>("listening");
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("taken");
        QTest::newRow("first copy listens") << true << "/home/u/値札データ/sample list.csv" << true;
        QTest::newRow("first copy deaf (older, or socket failed)") << false << "/tmp/a.csv" << false;
        QTest::newRow("path of two lines") << true << "/tmp/a.csv\n/tmp/b.csv" << false;
        QTest::newRow("path beyond the bound")
            << true << QLatin1Char('/') + QString(int(SingleInstance::MaxMessageBytes), QLatin1Char('x')) << false;
    }
    void fileIsHandedOver()
    {
        QFETCH(bool, listening);
        QFETCH(QString, path);
        QFETCH(bool, taken);
        SingleInstance first(lockPath());
        QCOMPARE(first.acquire(), SingleInstance::State::First);
        if (listening)
            QVERIFY(first.listen());
        QSignalSpy spy(&first, &SingleInstance::fileHandedOver);
        SingleInstance second(lockPath());
        std::atomic<bool> done = false;
        std::atomic<bool> answer = false;
        std::thread later([&] {
            answer = second.handOver(path, 2000);
            done = true;
        });
        QTRY_VERIFY_WITH_TIMEOUT(done, 5000);
        later.join();
        QCOMPARE(answer.load(), taken);
        QCOMPARE(spy.count(), taken ? 1 : 0);
        if (taken)
            QCOMPARE(spy.first().first().toString(), path);
    }

    // Whatever reaches the socket, the first copy holds no more than the bound and opens nothing
    // that is not an absolute path.
    void endlessOrRelativeMessageOpensNothing_data()
    {
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("no line end, beyond the bound") << QByteArray(SingleInstance::MaxMessageBytes + 10, 'x');
        QTest::newRow("relative path") << QByteArray("sample.csv\n");
        QTest::newRow("empty line") << QByteArray("\n");
    }
    void endlessOrRelativeMessageOpensNothing()
    {
        QFETCH(QByteArray, message);
        SingleInstance first(lockPath());
        QCOMPARE(first.acquire(), SingleInstance::State::First);
        QVERIFY(first.listen());
        QSignalSpy spy(&first, &SingleInstance::fileHandedOver);
        QLocalSocket peer;
        peer.connectToServer(first.socketPath());
        QVERIFY(peer.waitForConnected(2000));
        peer.write(message);
        peer.flush();
        QTRY_VERIFY_WITH_TIMEOUT(peer.state() == QLocalSocket::UnconnectedState || peer.bytesAvailable() > 0, 5000);
        QCOMPARE(spy.count(), 0);
    }

    void defaultLockIsPerUser()
    {
        const QString path = SingleInstance::defaultLockPath();
        QVERIFY(path.endsWith(QStringLiteral(".lock")));
        QVERIFY(path.contains(QStringLiteral("runtime")) || path.contains(QString::number(::getuid())));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
