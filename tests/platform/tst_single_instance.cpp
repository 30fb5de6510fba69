#include "platform/single_instance.h"

#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QtTest>

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

    void defaultLockIsPerUser()
    {
        const QString path = SingleInstance::defaultLockPath();
        QVERIFY(path.endsWith(QStringLiteral(".lock")));
        QVERIFY(path.contains(QStringLiteral("runtime")) || path.contains(QString::number(::getuid())));
    }
};

QTEST_GUILESS_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
