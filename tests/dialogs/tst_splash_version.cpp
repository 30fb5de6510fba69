#include "common/version.h"
#include "dialogs/dlgSplash.h"
#include "dialogs/dlgVersion.h"

#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using dialogs::dlgSplash;
using dialogs::dlgVersion;

class TestSplashVersion : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void splashDisablesTheMainWindow()
    {
        QWidget main;
        QPointer<dlgSplash> splash = new dlgSplash(&main);
        splash->showSplash();
        QVERIFY(splash->isVisible());
        QVERIFY(!main.isEnabled());
        QVERIFY(splash->windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(splash->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(splash->timer()->objectName(), QStringLiteral("Timer1"));
        QCOMPARE(splash->timer()->interval(), 2000);
        QVERIFY(splash->timer()->isActive());
        QCOMPARE(splash->findChild<QLabel *>("Label1")->text(), QStringLiteral("ぽらね値札作成"));
        QCOMPARE(splash->findChild<QLabel *>("Label2")->text(), QStringLiteral("Ver 3.07"));
        QVERIFY(!splash->findChild<QLabel *>("Picture1")->pixmap().isNull());
        QVERIFY(splash->findChild<QFrame *>("Shape1"));
        splash->close();
        QVERIFY(main.isEnabled());
    }

    void clickClosesAtOnce_data()
    {
        QTest::addColumn<QString>("target");
        QTest::newRow("window") << QString();
        QTest::newRow("picture") << "Picture1";
        QTest::newRow("title") << "Label1";
        QTest::newRow("version") << "Label2";
    }
    void clickClosesAtOnce()
    {
        QFETCH(QString, target);
        QWidget main;
        QPointer<dlgSplash> splash = new dlgSplash(&main);
        splash->showSplash();
        QVERIFY(!main.isVisible());
        QWidget *clicked = target.isEmpty() ? splash.data() : splash->findChild<QWidget *>(target);
        QVERIFY(clicked);
        QTest::mouseClick(clicked, Qt::LeftButton);
        QVERIFY(!splash || !splash->isVisible());
        QVERIFY(main.isEnabled());
        // The main window is shown when the splash goes, if it was not yet.
        QVERIFY(main.isVisible());
        QTRY_VERIFY(!splash); // closing deletes it
    }

    void timerTickCloses()
    {
        QWidget main;
        main.show();
        QPointer<dlgSplash> splash = new dlgSplash(&main);
        splash->showSplash();
        QVERIFY(!main.isEnabled());
        splash->Timer1_Timer();
        QVERIFY(!splash || !splash->isVisible());
        QVERIFY(main.isEnabled());
    }

    void mainWindowGoneFirst()
    {
        auto *main = new QWidget;
        QPointer<dlgSplash> splash = new dlgSplash(main);
        splash->showSplash();
        delete main;
        splash->close(); // nothing left to enable; no crash
        QTRY_VERIFY(!splash);
    }

    void versionDialog()
    {
        dlgVersion dialog;
        QCOMPARE(dialog.windowTitle(), QStringLiteral("バージョン情報"));
        QCOMPARE(dialog.findChild<QLabel *>("Label1")->text(), QStringLiteral("ぽらね値札作成"));
        QCOMPARE(dialog.findChild<QLabel *>("lblVersion")->text(), QStringLiteral("Ver 3.07"));
        QCOMPARE(dialog.findChild<QLabel *>("lblRevision")->text(), QStringLiteral("Build:62"));
        QCOMPARE(dialog.findChild<QLabel *>("Label2")->text(), dlgVersion::noticeLine());
        QVERIFY(!dlgVersion::noticeLine().isEmpty());
        auto *ok = dialog.findChild<QPushButton *>("Command1");
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("O　K"));
        QTimer::singleShot(0, ok, &QPushButton::click);
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
    }

    void versionTexts()
    {
        QCOMPARE(common::versionText(), QStringLiteral("Ver 3.07"));
        QCOMPARE(common::revisionText(), QStringLiteral("Build:62"));
    }
};

QTEST_MAIN(TestSplashVersion)
#include "tst_splash_version.moc"
