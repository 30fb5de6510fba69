#include "common/page_head.h"

#include <QtTest>

// The head every page opens with; the makers' expected pages pin it byte for byte, this pins what
// the PageHead changes in it.
class TestPageHead : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void head_data();
    void head();
};

void TestPageHead::head_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<bool>("declaresStyleType");
    QTest::newRow("sheet") << QStringLiteral("ぽらね値札作成　貼付用値札") << true;
    QTest::newRow("calibration, no style type") << QStringLiteral("印刷位置の補正") << false;
}

void TestPageHead::head()
{
    QFETCH(QString, title);
    QFETCH(bool, declaresStyleType);
    const QStringList l = common::pageHeadLines({title, declaresStyleType});
    const QString styleType = QStringLiteral("<meta http-equiv=\"content-style-type\" content=\"text/css\">");
    QCOMPARE(l.size(), declaresStyleType ? 7 : 6);
    QCOMPARE(l.first(), QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">"));
    QCOMPARE(l.at(3), QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">"));
    QCOMPARE(l.contains(styleType), declaresStyleType);
    QCOMPARE(l.at(l.size() - 2), QStringLiteral("<title>") + title + QStringLiteral("</title>"));
    QCOMPARE(l.last(), QStringLiteral("<style type=\"text/css\"><!--"));
}

QTEST_GUILESS_MAIN(TestPageHead)
#include "tst_page_head.moc"
