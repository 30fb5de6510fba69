#include "support/fake_ui_services.h"

#include "app/dlgTax.h"

#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace products;

namespace {

template <typename T> T *child(QDialog &d, const char *name)
{
    T *w = d.findChild<T *>(QString::fromUtf8(name));
    if (!w)
        qFatal("no control %s", name);
    return w;
}

// Types text as key presses carrying their characters (keyClicks takes Latin-1 only).
void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text) {
        const int key = c.unicode() < 0x80 ? QChar(c).toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QCoreApplication::sendEvent(w, &release);
    }
}

TaxSettings settings(const char *rate, int indicate, int ks)
{
    TaxSettings t;
    t.rate = *Currency::parse(QString::fromLatin1(rate));
    t.indicate = indicate;
    t.ks = ks;
    return t;
}

} // namespace

class TestDlgTax : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opening_data();
    void opening();
    void keyFilter_data();
    void keyFilter();
    void basisChoice();
    void basisFollowsKeyboardAndAssistiveTechnology_data();
    void basisFollowsKeyboardAndAssistiveTechnology();
    void ok_data();
    void ok();
    void invalidRateStaysOpen();
    void rateOutOfRange_data();
    void rateOutOfRange();
    void rateOverflow();
    void cancelKeepsSettings();
    void newRateShownNextTime();
    void reducedRate_data();
    void reducedRate();
};

void TestDlgTax::opening_data()
{
    QTest::addColumn<int>("indicate");
    QTest::addColumn<int>("ks");
    QTest::newRow("base, down") << 0 << 0;
    QTest::newRow("base, half up") << 0 << 1;
    QTest::newRow("base, up") << 0 << 2;
    QTest::newRow("tax-inclusive") << 1 << 0;
}

void TestDlgTax::opening()
{
    QFETCH(int, indicate);
    QFETCH(int, ks);
    FakeUiServices ui;
    dlgTax d(settings("0.05", indicate, ks), ui);
    QCOMPARE(d.windowTitle(), QStringLiteral("消費税率・価格基準"));
    QCOMPARE(child<QLabel>(d, "lblPresentTax")->text(), QStringLiteral("0.05"));
    QCOMPARE(child<QLabel>(d, "lblPresentPercent")->text(), QStringLiteral("(5%)"));
    // The rate is read out with its caption.
    QCOMPARE(QAccessible::queryAccessibleInterface(child<QLabel>(d, "lblPresentTax"))->text(QAccessible::Name),
             QStringLiteral("現在の消費税率 0.05"));
    QVERIFY(child<QLineEdit>(d, "txtNewTax")->text().isEmpty());
    QCOMPARE(d.roundingGroup()->checkedId(), ks);
    QCOMPARE(d.basisGroup()->checkedId(), indicate);
    QCOMPARE(child<QGroupBox>(d, "Frame丸め処理")->isEnabled(), indicate == 0);
    QCOMPARE(child<QGroupBox>(d, "Frame丸め処理")->title(), QStringLiteral("小数点以下の処理"));
    QCOMPARE(child<QGroupBox>(d, "Frame基準")->title(), QStringLiteral("価格基準"));
    QCOMPARE(child<QRadioButton>(d, "Option丸め処理_1")->text(), QStringLiteral("四捨五入"));
    QCOMPARE(child<QPushButton>(d, "CancelButton")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
    QCOMPARE(child<QLineEdit>(d, "txtNewTax")->accessibleName(), QStringLiteral("新しい消費税率"));
}

void TestDlgTax::keyFilter_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("digits and point") << "0.08"
                                      << "0.08";
    QTest::newRow("letters dropped") << "0a.b0c8"
                                     << "0.08";
    QTest::newRow("sign and comma dropped") << "-1,5"
                                            << "15";
    QTest::newRow("blank dropped") << "0 .1"
                                   << "0.1";
    QTest::newRow("full-width digits dropped") << "０.1"
                                               << ".1";
}

void TestDlgTax::keyFilter()
{
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    FakeUiServices ui;
    dlgTax d(settings("0.05", 0, 0), ui);
    auto *edit = child<QLineEdit>(d, "txtNewTax");
    typeText(edit, typed);
    QCOMPARE(edit->text(), shown);
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), shown.left(shown.size() - 1));
}

void TestDlgTax::basisChoice()
{
    FakeUiServices ui;
    dlgTax d(settings("0.05", 0, 2), ui);
    child<QRadioButton>(d, "Option基準_1")->click();
    QCOMPARE(d.roundingGroup()->checkedId(), 0);
    QVERIFY(!child<QGroupBox>(d, "Frame丸め処理")->isEnabled());
    child<QRadioButton>(d, "Option基準_0")->click();
    QVERIFY(child<QGroupBox>(d, "Frame丸め処理")->isEnabled());
    QCOMPARE(d.roundingGroup()->checkedId(), 0);
}

// Not only the mouse: the space key and the accessible press action change the basis the same way.
void TestDlgTax::basisFollowsKeyboardAndAssistiveTechnology_data()
{
    QTest::addColumn<bool>("accessibleAction");
    QTest::newRow("space key") << false;
    QTest::newRow("accessible press") << true;
}
void TestDlgTax::basisFollowsKeyboardAndAssistiveTechnology()
{
    QFETCH(bool, accessibleAction);
    FakeUiServices ui;
    dlgTax d(settings("0.05", 0, 1), ui);
    d.show();
    auto *inclusive = child<QRadioButton>(d, "Option基準_1");
    if (accessibleAction) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(inclusive);
        QVERIFY(iface && iface->actionInterface());
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    } else {
        inclusive->setFocus();
        QTest::keyClick(inclusive, Qt::Key_Space);
    }
    QVERIFY(inclusive->isChecked());
    QCOMPARE(d.roundingGroup()->checkedId(), 0);
    QVERIFY(!child<QGroupBox>(d, "Frame丸め処理")->isEnabled());
    child<QPushButton>(d, "OKButton")->click();
    QCOMPARE(d.taxSettings().indicate, 1);
    QCOMPARE(d.taxSettings().ks, 0);
}

void TestDlgTax::ok_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rate");
    QTest::addColumn<int>("basis");
    QTest::addColumn<int>("rounding");
    QTest::newRow("empty keeps the rate") << ""
                                          << "0.05" << 0 << 1;
    QTest::newRow("0.08") << "0.08"
                          << "0.08" << 0 << 2;
    QTest::newRow("0.1, tax-inclusive") << "0.1"
                                        << "0.1" << 1 << 0;
    QTest::newRow("zero") << "0"
                          << "0" << 0 << 0;
    QTest::newRow("just below one") << "0.9999"
                                    << "0.9999" << 0 << 0;
    QTest::newRow("five places round to four") << "0.08125"
                                               << "0.0812" << 0 << 0;
}

void TestDlgTax::ok()
{
    QFETCH(QString, typed);
    QFETCH(QString, rate);
    QFETCH(int, basis);
    QFETCH(int, rounding);
    FakeUiServices ui;
    TaxSettings in = settings("0.05", 0, 0);
    in.style = 4;
    in.zeikomi = 0;
    dlgTax d(in, ui);
    QTest::keyClicks(child<QLineEdit>(d, "txtNewTax"), typed);
    d.basisGroup()->button(basis)->click();
    d.roundingGroup()->button(rounding)->click();
    child<QPushButton>(d, "OKButton")->click();
    QCOMPARE(d.result(), int(QDialog::Accepted));
    QVERIFY(ui.messages.isEmpty());
    const TaxSettings out = d.taxSettings();
    QCOMPARE(out.rate.toString(), rate);
    QCOMPARE(out.indicate, basis);
    QCOMPARE(out.ks, rounding);
    QCOMPARE(out.style, 4);
    QCOMPARE(out.zeikomi, 0);
}

void TestDlgTax::invalidRateStaysOpen()
{
    FakeUiServices ui;
    dlgTax d(settings("0.05", 0, 1), ui);
    d.show();
    auto *edit = child<QLineEdit>(d, "txtNewTax");
    edit->setText(QStringLiteral("0.0.8")); // pasted, not typed
    child<QPushButton>(d, "OKButton")->click();
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages.first().title, QStringLiteral("入力値チェック"));
    QCOMPARE(ui.messages.first().text, QStringLiteral("消費税の値が不正です."));
    QCOMPARE(ui.messages.first().icon, platform::UiServices::Icon::Critical);
    QVERIFY(edit->text().isEmpty());
    QVERIFY(d.isVisible());
    QCOMPARE(d.taxSettings().rate.toString(), QStringLiteral("0.05"));
    // Then a good rate closes it.
    QTest::keyClicks(edit, QStringLiteral("0.08"));
    child<QPushButton>(d, "OKButton")->click();
    QVERIFY(!d.isVisible());
    QCOMPARE(d.taxSettings().rate.toString(), QStringLiteral("0.08"));
}

// A rate typed as a percentage would multiply every price: it is refused with a hint how to type it.
void TestDlgTax::rateOutOfRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("10 meant as 10 %") << "10";
    QTest::newRow("8 meant as 8 %") << "8";
    QTest::newRow("exactly 1") << "1";
    QTest::newRow("1 with places") << "1.0000";
    QTest::newRow("negative, pasted") << "-0.1";
}

void TestDlgTax::rateOutOfRange()
{
    QFETCH(QString, text);
    FakeUiServices ui;
    dlgTax d(settings("0.1", 0, 0), ui);
    d.show();
    auto *edit = child<QLineEdit>(d, "txtNewTax");
    edit->setText(text);
    child<QPushButton>(d, "OKButton")->click();
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages.first().title, QStringLiteral("入力値チェック"));
    QCOMPARE(ui.messages.first().text, QStringLiteral("税率は 0.1 のように小数で入力してください (10% → 0.1)"));
    QCOMPARE(ui.messages.first().icon, platform::UiServices::Icon::Critical);
    QVERIFY(d.isVisible());
    QCOMPARE(d.taxSettings().rate.toString(), QStringLiteral("0.1"));
}

void TestDlgTax::rateOverflow()
{
    FakeUiServices ui;
    dlgTax d(settings("0.05", 0, 0), ui);
    d.show();
    child<QLineEdit>(d, "txtNewTax")->setText(QStringLiteral("99999999999999999999"));
    child<QPushButton>(d, "OKButton")->click();
    QCOMPARE(ui.messages.size(), 1);
    QCOMPARE(ui.messages.first().title, QStringLiteral("エラー情報"));
    QCOMPARE(ui.messages.first().text,
             QStringLiteral("エラーが発生しました(tax.OKButton)\r\nエラー番号: 6\r\n内容: オーバーフローしました。"));
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QVERIFY(!d.isVisible());
    QCOMPARE(d.taxSettings().rate.toString(), QStringLiteral("0.05"));
}

void TestDlgTax::cancelKeepsSettings()
{
    FakeUiServices ui;
    dlgTax d(settings("0.05", 0, 2), ui);
    QTest::keyClicks(child<QLineEdit>(d, "txtNewTax"), QStringLiteral("0.1"));
    child<QRadioButton>(d, "Option基準_1")->click();
    child<QPushButton>(d, "CancelButton")->click();
    QCOMPARE(d.result(), int(QDialog::Rejected));
    QCOMPARE(d.taxSettings().rate.toString(), QStringLiteral("0.05"));
    QCOMPARE(d.taxSettings().indicate, 0);
    QCOMPARE(d.taxSettings().ks, 2);
}

void TestDlgTax::newRateShownNextTime()
{
    FakeUiServices ui;
    TaxSettings t = settings("0.05", 0, 0);
    {
        dlgTax d(t, ui);
        QTest::keyClicks(child<QLineEdit>(d, "txtNewTax"), QStringLiteral("0.08"));
        child<QPushButton>(d, "OKButton")->click();
        t = d.taxSettings();
    }
    dlgTax again(t, ui);
    QCOMPARE(child<QLabel>(again, "lblPresentTax")->text(), QStringLiteral("0.08"));
}

// The reduced rate beside the standard one: shown with its percentage, typed through the caption's
// buddy, checked as the standard rate is, and left alone when its box stays empty.
void TestDlgTax::reducedRate_data()
{
    QTest::addColumn<QString>("standard");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shownPercent"); // beside the box while typing
    QTest::addColumn<QString>("message");      // empty: accepted
    QTest::addColumn<QString>("rate");         // the standard and reduced rates afterwards
    const QString range = QStringLiteral("税率は 0.1 のように小数で入力してください (10% → 0.1)");
    QTest::newRow("new reduced rate") << ""
                                      << "0.05"
                                      << "(5%)" << QString() << "0.1/0.05";
    QTest::newRow("both rates") << "0.12"
                                << "0.1"
                                << "(10%)" << QString() << "0.12/0.1";
    QTest::newRow("empty keeps it") << ""
                                    << ""
                                    << "" << QString() << "0.1/0.08";
    QTest::newRow("8 meant as 8 %") << ""
                                    << "8"
                                    << "(800%)" << range << "0.1/0.08";
    QTest::newRow("not a number") << ""
                                  << "0..1"
                                  << "" << QStringLiteral("軽減税率の値が不正です.") << "0.1/0.08";
    QTest::newRow("standard refused first") << "10"
                                            << "0.05"
                                            << "(5%)" << range << "0.1/0.08";
}

void TestDlgTax::reducedRate()
{
    QFETCH(QString, standard);
    QFETCH(QString, typed);
    QFETCH(QString, shownPercent);
    QFETCH(QString, message);
    QFETCH(QString, rate);
    FakeUiServices ui;
    TaxSettings t = settings("0.1", 0, 0);
    dlgTax d(t, ui);
    d.show();
    QCOMPARE(child<QLabel>(d, "lblPresentReducedTax")->text(), QStringLiteral("0.08"));
    QCOMPARE(child<QLabel>(d, "lblPresentReducedPercent")->text(), QStringLiteral("(8%)"));
    auto *edit = child<QLineEdit>(d, "txtNewReducedTax");
    QCOMPARE(child<QLabel>(d, "lblNewReducedCaption")->buddy(), edit);
    child<QLineEdit>(d, "txtNewTax")->setText(standard);
    edit->setText(typed); // as assistive technology sets it
    QCOMPARE(child<QLabel>(d, "lblNewReducedPercent")->text(), shownPercent);
    child<QPushButton>(d, "OKButton")->click();
    QCOMPARE(ui.lastText(), message);
    QCOMPARE(d.isVisible(), !message.isEmpty());
    QCOMPARE(d.taxSettings().rate.toString() + QLatin1Char('/') + d.taxSettings().reducedRate.toString(), rate);
}

QTEST_MAIN(TestDlgTax)
#include "tst_dlg_tax.moc"
