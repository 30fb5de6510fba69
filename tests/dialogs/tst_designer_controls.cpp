// The control habits both designers share: up-down pairs, font rows, size keys, followers, swatches.

#include "dialogs/designer_controls_widgets.h"
#include "dialogs/font_rows_widgets.h"
#include "support/fake_ui_services.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QtTest>

using dialogs::FontChoice;

class TestDesignerControls : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void upDownPairs_data();
    void upDownPairs();
    void fontRows_data();
    void fontRows();
    void sizeKeysFollowersAndSwatches();
};

void TestDesignerControls::upDownPairs_data()
{
    QTest::addColumn<bool>("scrollBar"); // the reversed scroll bar of the price tags, else a spin box
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value"); // the up-down control's value after typing
    QTest::addColumn<int>("step");  // then the control is set to this value
    QTest::addColumn<QString>("shown");
    QTest::newRow("spin: whole number") << false << "12" << 12 << 20 << "20";
    QTest::newRow("spin: a decimal leaves the control") << false << "1.5" << 0 << 3 << "3";
    QTest::newRow("bar: mirrored") << true << "30" << 70 << 60 << "40";
    QTest::newRow("bar: beyond the range") << true << "150" << 0 << 99 << "1";
    QTest::newRow("bar: no number leaves the control") << true << "x" << 100 << 90 << "10";
}

void TestDesignerControls::upDownPairs()
{
    QFETCH(bool, scrollBar);
    QFETCH(QString, typed);
    QFETCH(int, value);
    QFETCH(int, step);
    QFETCH(QString, shown);
    QWidget window;
    auto *box = new QLineEdit(&window);
    int steps = 0;
    const auto counted = [&steps] { ++steps; };
    QAbstractSlider *bar = nullptr;
    QSpinBox *spin = nullptr;
    if (scrollBar) {
        bar = new QScrollBar(&window);
        bar->setRange(0, 100);
        bar->setValue(100);
        dialogs::pairUpDown(box, static_cast<QScrollBar *>(bar), counted);
    } else {
        spin = new QSpinBox(&window);
        dialogs::pairUpDown(box, spin, counted);
    }
    box->setText(typed);
    QCOMPARE(bar ? bar->value() : spin->value(), value);
    QCOMPARE(box->text(), typed);
    QCOMPARE(steps, 0); // typing is no step
    bar ? bar->setValue(step) : spin->setValue(step);
    QCOMPARE(box->text(), shown);
    QCOMPARE(steps, 1);
}

void TestDesignerControls::fontRows_data()
{
    QTest::addColumn<bool>("labelsFollow");
    QTest::newRow("labels disabled with the row") << true;
    QTest::newRow("labels only look disabled") << false;
}

// Row 0 has every control, row 1 neither alignment nor colour, as the shelf labels' price mark.
void TestDesignerControls::fontRows()
{
    QFETCH(bool, labelsFollow);
    QWidget window;
    for (int row = 0; row < 2; ++row) {
        const QString n = QString::number(row);
        QStringList names{"lblCFontName_", "lblCFontSize_", "lblCFontStyle_"};
        if (row == 0)
            names << "lblCAlign_"
                  << "picCFontColor_";
        for (const QString &name : names)
            (new QLabel(&window))->setObjectName(name + n);
        (new QPushButton(&window))->setObjectName(QStringLiteral("cmdCFont_") + n);
    }
    FakeUiServices services;
    dialogs::FontRows rows(&window, QStringLiteral("C"),
                           {dialogs::FontFields{}, dialogs::FontFields{.color = false, .align = false}}, labelsFollow,
                           services);
    const FontChoice font{QStringLiteral("IPAGothic"), QStringLiteral("5mm"), QStringLiteral("太字"),
                          QStringLiteral("#FF0000"), QStringLiteral("右")};
    rows.show(0, font);
    rows.show(1, font);
    QCOMPARE(rows.font(0), font);
    QCOMPARE(rows.font(1), (FontChoice{font.name, font.size, font.style, QString(), QString()}));
    auto *name = window.findChild<QLabel *>(QStringLiteral("lblCFontName_0"));
    QCOMPARE(name->accessibleDescription(), font.name);
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("picCFontColor_0"))->accessibleDescription(), font.color);

    rows.setPrinted(0, false);
    QVERIFY(!window.findChild<QPushButton *>(QStringLiteral("cmdCFont_0"))->isEnabled());
    QCOMPARE(name->isEnabled(), !labelsFollow);
    QCOMPARE(name->backgroundRole(), QPalette::Button);
    rows.setPrinted(0, true);
    QVERIFY(name->isEnabled());
    QCOMPARE(name->backgroundRole(), QPalette::Base);
}

void TestDesignerControls::sizeKeysFollowersAndSwatches()
{
    QWidget window;
    auto *box = new QLineEdit(&window);
    dialogs::takeOnlySizeKeys({box});
    QTest::keyClicks(box, QStringLiteral("a6b.5"));
    QTest::keyClick(box, Qt::Key_Backspace);
    QCOMPARE(box->text(), QStringLiteral("6."));

    auto *check = new QCheckBox(&window);
    dialogs::enableWith(check, {box});
    QVERIFY(!box->isEnabled());
    check->setChecked(true);
    QVERIFY(box->isEnabled());

    auto *swatch = new QLabel(&window);
    dialogs::showSwatchColor(swatch, QStringLiteral("#000080"));
    QCOMPARE(dialogs::swatchColor(swatch), QStringLiteral("#000080"));
    QCOMPARE(swatch->accessibleDescription(), QStringLiteral("#000080"));
    QCOMPARE(swatch->palette().color(QPalette::Window), QColor(0, 0, 0x80));
}

QTEST_MAIN(TestDesignerControls)
#include "tst_designer_controls.moc"
