#include "price_tags/designer_rules.h"

#include <QtTest>

using namespace price_tags;

class TestDesignerRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void caption_data();
    void caption();
};

void TestDesignerRules::caption_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("prompt");
    QTest::newRow("none") << QString() << "貼付用値札作成ツール"
                          << " は更新されています.\r\n更新を保存しますか?";
    QTest::newRow("file") << "/home/a/値札/店頭.cdn"
                          << "貼付用値札作成ツール [店頭.cdn]"
                          << "店頭.cdn は更新されています.\r\n更新を保存しますか?";
}

void TestDesignerRules::caption()
{
    QFETCH(QString, file);
    QFETCH(QString, caption);
    QFETCH(QString, prompt);
    QCOMPARE(designerCaption(file), caption);
    QCOMPARE(savePromptText(file), prompt);
}

QTEST_APPLESS_MAIN(TestDesignerRules)
#include "tst_designer_rules.moc"
