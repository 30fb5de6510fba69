#include "app/dlgSearch.h"
#include "app/dlgView.h"
#include "support/fake_ui_services.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

class TestSearchAndViewDialogs : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void searchButtonsFollowText();
    void forwardEndDisablesNext();
    void closingEmitsClosed();
    void viewOkOnlyAfterChoice();
    void viewRejectsBadSize_data();
    void viewRejectsBadSize();
};

void TestSearchAndViewDialogs::searchButtonsFollowText()
{
    products::dlgSearch dlg([](const QString &) { return false; }, [](const QString &) { return false; });
    auto *text = dlg.findChild<QLineEdit *>(QStringLiteral("txtFind"));
    auto *next = dlg.findChild<QPushButton *>(QStringLiteral("btnFind"));
    auto *rev = dlg.findChild<QPushButton *>(QStringLiteral("btnFindRev"));
    QVERIFY(text && next && rev);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("データ内検索"));
    QCOMPARE(next->text(), QStringLiteral("次を検索(&N)"));
    QCOMPARE(rev->text(), QStringLiteral("前を検索(&R)"));
    QVERIFY(!next->isEnabled() && !rev->isEnabled());
    text->setText(QStringLiteral("abc"));
    QVERIFY(next->isEnabled() && rev->isEnabled());
    text->clear();
    QVERIFY(!next->isEnabled() && !rev->isEnabled());
}

void TestSearchAndViewDialogs::forwardEndDisablesNext()
{
    QStringList asked;
    bool endNow = false;
    products::dlgSearch dlg(
        [&](const QString &t) {
            asked << QStringLiteral("next:") + t;
            return endNow;
        },
        [&](const QString &t) {
            asked << QStringLiteral("rev:") + t;
            return false;
        });
    auto *text = dlg.findChild<QLineEdit *>(QStringLiteral("txtFind"));
    auto *next = dlg.findChild<QPushButton *>(QStringLiteral("btnFind"));
    auto *rev = dlg.findChild<QPushButton *>(QStringLiteral("btnFindRev"));
    text->setText(QStringLiteral("abc"));
    next->click();
    QVERIFY(next->isEnabled());
    endNow = true;
    next->click();
    QVERIFY(!next->isEnabled());
    QVERIFY(rev->isEnabled());
    rev->click();
    QVERIFY(next->isEnabled());
    QCOMPARE(asked, (QStringList{"next:abc", "next:abc", "rev:abc"}));
    text->setText(QStringLiteral("abcd"));
    QVERIFY(next->isEnabled());
}

void TestSearchAndViewDialogs::closingEmitsClosed()
{
    products::dlgSearch dlg([](const QString &) { return false; }, [](const QString &) { return false; });
    QSignalSpy spy(&dlg, &products::dlgSearch::closed);
    dlg.show();
    dlg.findChild<QPushButton *>(QStringLiteral("CancelButton"))->click();
    QCOMPARE(spy.count(), 1);
    dlg.show();
    dlg.close();
    QCOMPARE(spy.count(), 2);
}

void TestSearchAndViewDialogs::viewOkOnlyAfterChoice()
{
    FakeUiServices ui;
    app::dlgView dlg(9, ui);
    auto *combo = dlg.findChild<QComboBox *>(QStringLiteral("ComboFontSize"));
    auto *ok = dlg.findChild<QPushButton *>(QStringLiteral("OKButton"));
    QCOMPARE(combo->currentText(), QStringLiteral("9"));
    QVERIFY(!ok->isEnabled());
    combo->setCurrentIndex(4);
    Q_EMIT combo->activated(4);
    QVERIFY(ok->isEnabled());
    ok->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.fontSize(), 12);
    QVERIFY(ui.messages.isEmpty());
}

void TestSearchAndViewDialogs::viewRejectsBadSize_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("letters") << "abc";
    QTest::newRow("empty") << "";
    QTest::newRow("zero") << "0";
}

void TestSearchAndViewDialogs::viewRejectsBadSize()
{
    QFETCH(QString, typed);
    FakeUiServices ui;
    app::dlgView dlg(9, ui);
    dlg.show();
    auto *combo = dlg.findChild<QComboBox *>(QStringLiteral("ComboFontSize"));
    auto *ok = dlg.findChild<QPushButton *>(QStringLiteral("OKButton"));
    Q_EMIT combo->activated(0);
    combo->setEditText(typed);
    ok->click();
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.lastTitle(), QStringLiteral("表示設定"));
    QCOMPARE(ui.lastText(), QStringLiteral("フォントサイズの値が不正です."));
    QVERIFY(dlg.isVisible());
    QCOMPARE(dlg.fontSize(), 9);
}

QTEST_MAIN(TestSearchAndViewDialogs)
#include "tst_dlg_search.moc"
