#include "platform/termination_signals.h"

#include <QSignalSpy>
#include <QtTest>

#include <csignal>

// A logout's SIGTERM or SIGHUP must reach the event loop as a request to end, not kill the program.
class TestTerminationSignals : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void deliversOnEventLoop_data();
    void deliversOnEventLoop();
};

void TestTerminationSignals::deliversOnEventLoop_data()
{
    QTest::addColumn<int>("number");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

void TestTerminationSignals::deliversOnEventLoop()
{
    QFETCH(int, number);
    platform::TerminationSignals signals_;
    QVERIFY(signals_.installed());
    QSignalSpy spy(&signals_, &platform::TerminationSignals::terminationRequested);
    ::raise(number); // the process survives: the handler only queues the request
    QVERIFY(spy.wait(2000));
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), number);
}

QTEST_GUILESS_MAIN(TestTerminationSignals)
#include "tst_termination_signals.moc"
