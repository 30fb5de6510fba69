#include "app/dlgView.h"
#include "app/frmMain.h"
#include "app/startup.h"
#include "common/helpers.h"

#include "support/fake_ui_services.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

using app::dlgView;

class TestDlgView : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opening()
    {
        FakeUiServices ui;
        dlgView dialog(9, ui);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("表示設定"));
        auto *combo = dialog.findChild<QComboBox *>("ComboFontSize");
        QVERIFY(combo);
        QCOMPARE(combo->currentText(), QStringLiteral("9"));
        QStringList list;
        for (int i = 0; i < combo->count(); ++i)
            list.append(combo->itemText(i));
        QCOMPARE(list, (QStringList{"8", "9", "10", "11", "12"}));
        auto *label = dialog.findChild<QLabel *>("Label1");
        QCOMPARE(label->text(), QStringLiteral("フォントサイズ:"));
        QCOMPARE(label->buddy(), combo);
        QCOMPARE(dialog.findChild<QWidget *>("Frame1")->property("title").toString(), QStringLiteral("グリッド(表)"));
        auto *ok = dialog.findChild<QPushButton *>("OKButton");
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(dialog.findChild<QPushButton *>("CancelButton")->text(), QStringLiteral("ｷｬﾝｾﾙ"));
        QVERIFY(!ok->isEnabled());
        // Choosing from the list enables OK; typing does not.
        QTest::keyClicks(combo->lineEdit(), "1");
        QVERIFY(!ok->isEnabled());
        Q_EMIT combo->activated(3);
        QVERIFY(ok->isEnabled());
    }

    // What OK makes of the combo box's text: a size, or the message and the dialog stays open.
    void okWithText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("size"); // 0: refused
        QTest::newRow("12") << "12" << 12;
        QTest::newRow("8") << "8" << 8;
        QTest::newRow("typed 14") << "14" << 14;
        QTest::newRow("letters") << "大きく" << 0;
        QTest::newRow("empty") << "" << 0;
        QTest::newRow("zero") << "0" << 0;
        QTest::newRow("negative") << "-3" << 0;
        QTest::newRow("beyond 16 bits") << "40000" << 0;
    }
    void okWithText()
    {
        QFETCH(QString, text);
        QFETCH(int, size);
        FakeUiServices ui;
        dlgView dialog(9, ui);
        dialog.show();
        auto *combo = dialog.findChild<QComboBox *>("ComboFontSize");
        Q_EMIT combo->activated(0);
        combo->setEditText(text);
        dialog.findChild<QPushButton *>("OKButton")->click();
        if (size == 0) {
            QCOMPARE(ui.messages.size(), 1);
            QCOMPARE(ui.lastTitle(), QStringLiteral("表示設定"));
            QCOMPARE(ui.lastText(), QStringLiteral("フォントサイズの値が不正です."));
            QVERIFY(dialog.isVisible());
            QCOMPARE(dialog.fontSize(), 9);
        } else {
            QVERIFY(ui.messages.isEmpty());
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(dialog.fontSize(), size);
        }
    }

    void cancelChangesNothing()
    {
        FakeUiServices ui;
        dlgView dialog(9, ui);
        auto *combo = dialog.findChild<QComboBox *>("ComboFontSize");
        combo->setCurrentIndex(4);
        QTimer::singleShot(0, dialog.findChild<QPushButton *>("CancelButton"), &QPushButton::click);
        QCOMPARE(dialog.exec(), int(QDialog::Rejected));
        QCOMPARE(dialog.fontSize(), 9);
    }

    void twelveFromTheMainWindowIsUsedAtOnceAndSaved()
    {
        QTemporaryDir dir;
        qputenv("HOME", dir.path().toLocal8Bit());
        qputenv("XDG_DATA_HOME", (dir.path() + "/.local/share").toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", (dir.path() + "/.config").toLocal8Bit());
        FakeUiServices ui;
        settings::Settings settings;
        app::frmMain w(settings, ui);
        w.Form_Load();
        w.show();
        w.closeSplash();
        auto *list = w.findChild<QTreeView *>("ListView1");
        QCOMPARE(list->font().pointSize(), 9);
        QTimer::singleShot(0, [] {
            QWidget *modal = nullptr;
            QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
            auto *combo = modal->findChild<QComboBox *>("ComboFontSize");
            combo->setCurrentIndex(4);
            Q_EMIT combo->activated(4);
            modal->findChild<QPushButton *>("OKButton")->click();
        });
        w.findChild<QAction *>("mnuGridFont")->trigger();
        QCOMPARE(list->font().pointSize(), 12);
        QCOMPARE(settings.gridFont, 12);
        QVERIFY(w.close());
        QCOMPARE(common::GetIniValue(w.folders().settingsFile(), "Size", "GridFont"), QStringLiteral("12"));
    }
};

QTEST_MAIN(TestDlgView)
#include "tst_dlgView.moc"
