#include "platform/dialog_services_widgets.h"
#include "platform/file_dialog_filter.h"
#include "platform/qt_translation.h"

#include <QApplication>
#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <functional>

using platform::UiServices;
using platform::WidgetUiServices;

Q_DECLARE_METATYPE(UiServices::Buttons)
Q_DECLARE_METATYPE(UiServices::Answer)

namespace {

// Runs check on the modal dialog that the next call opens, once it is up.
void onNextModal(std::function<void(QWidget *)> check)
{
    QTimer::singleShot(0, [check] {
        QWidget *modal = nullptr;
        QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
        check(modal);
    });
}

QStringList buttonTexts(QMessageBox *box)
{
    QStringList texts;
    for (QAbstractButton *b : box->buttons())
        texts.append(b->text());
    texts.sort();
    return texts;
}

} // namespace

class TestDialogServices : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    WidgetUiServices services_;

private Q_SLOTS:
    void initTestCase() { QVERIFY(platform::installQtJapanese(*qApp)); }

    void nameFilter_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QString>("patterns");
        QTest::newRow("csv") << QStringLiteral("CSVファイル(*.csv)|*.csv")
                             << QStringLiteral("CSVファイル(*.csv) (*.csv)") << QStringLiteral("*.csv");
        QTest::newRow("pictures") << QStringLiteral("画像ファイル(GIF,JPG,BMP)|*.gif;*.bmp;*.jpg;*.jpeg")
                                  << QStringLiteral("画像ファイル(GIF,JPG,BMP) (*.gif *.bmp *.jpg *.jpeg)")
                                  << QStringLiteral("*.gif *.bmp *.jpg *.jpeg");
        QTest::newRow("design") << QStringLiteral("デザインファイル(*.hdn)|*.hdn")
                                << QStringLiteral("デザインファイル(*.hdn) (*.hdn)") << QStringLiteral("*.hdn");
        QTest::newRow("blanks and empty parts") << QStringLiteral("表|*.xls; ;*.XLS;")
                                                << QStringLiteral("表 (*.xls *.XLS)") << QStringLiteral("*.xls *.XLS");
        QTest::newRow("patterns only") << QStringLiteral("*.exe") << QStringLiteral("*.exe") << QStringLiteral("*.exe");
        QTest::newRow("no patterns") << QStringLiteral("すべて|") << QStringLiteral("すべて (*)") << QString();
    }
    void nameFilter()
    {
        QFETCH(QString, entry);
        QFETCH(QString, expected);
        QFETCH(QString, patterns);
        QCOMPARE(platform::qtNameFilter(entry), expected);
        QCOMPARE(platform::filterPatterns(entry), patterns);
    }

    void defaultExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("expected");
        QTest::newRow("typed without") << QStringLiteral("/d/商品") << QStringLiteral("csv")
                                       << QStringLiteral("/d/商品.csv");
        QTest::newRow("has its own") << QStringLiteral("/d/a.txt") << QStringLiteral("csv")
                                     << QStringLiteral("/d/a.txt");
        QTest::newRow("same") << QStringLiteral("/d/a.hdn") << QStringLiteral("hdn") << QStringLiteral("/d/a.hdn");
        QTest::newRow("dot in folder") << QStringLiteral("/d.x/a") << QStringLiteral("cdn")
                                       << QStringLiteral("/d.x/a.cdn");
        QTest::newRow("with dot") << QStringLiteral("/d/a") << QStringLiteral(".csv") << QStringLiteral("/d/a.csv");
        QTest::newRow("no default") << QStringLiteral("/d/a") << QString() << QStringLiteral("/d/a");
        QTest::newRow("cancelled") << QString() << QStringLiteral("csv") << QString();
    }
    void defaultExtension()
    {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QFETCH(QString, expected);
        QCOMPARE(platform::withDefaultExtension(path, extension), expected);
    }

    void messageBoxSetUp_data()
    {
        QTest::addColumn<UiServices::Buttons>("buttons");
        QTest::addColumn<UiServices::Answer>("defaultAnswer");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("defaultText");
        QTest::addColumn<QString>("escapeText");
        QTest::newRow("ok") << UiServices::Buttons::Ok << UiServices::Answer::Ok << QStringList{QStringLiteral("OK")}
                            << QStringLiteral("OK") << QStringLiteral("OK");
        QTest::newRow("yes no, no default") << UiServices::Buttons::YesNo << UiServices::Answer::No
                                            << QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("はい(&Y)")}
                                            << QStringLiteral("いいえ(&N)") << QStringLiteral("いいえ(&N)");
        QTest::newRow("yes no cancel") << UiServices::Buttons::YesNoCancel << UiServices::Answer::Yes
                                       << QStringList{QStringLiteral("いいえ(&N)"), QStringLiteral("キャンセル"),
                                                      QStringLiteral("はい(&Y)")}
                                       << QStringLiteral("はい(&Y)") << QStringLiteral("キャンセル");
        QTest::newRow("ok cancel") << UiServices::Buttons::OkCancel << UiServices::Answer::Cancel
                                   << QStringList{QStringLiteral("OK"), QStringLiteral("キャンセル")}
                                   << QStringLiteral("キャンセル") << QStringLiteral("キャンセル");
    }
    void messageBoxSetUp()
    {
        QFETCH(UiServices::Buttons, buttons);
        QFETCH(UiServices::Answer, defaultAnswer);
        QFETCH(QStringList, texts);
        QFETCH(QString, defaultText);
        QFETCH(QString, escapeText);
        texts.sort();
        QMessageBox box;
        WidgetUiServices::configureMessageBox(box, QStringLiteral("削除確認"),
                                              QStringLiteral("No.1 <b>りんご</b> を削除しますか?\r\n次の行"),
                                              UiServices::Icon::Question, buttons, defaultAnswer);
        QCOMPARE(box.windowTitle(), QStringLiteral("削除確認"));
        QCOMPARE(box.text(), QStringLiteral("No.1 <b>りんご</b> を削除しますか?\n次の行"));
        QCOMPARE(box.textFormat(), Qt::PlainText);
        QCOMPARE(box.icon(), QMessageBox::Question);
        QCOMPARE(buttonTexts(&box), texts);
        QVERIFY(box.defaultButton());
        QCOMPARE(box.defaultButton()->text(), defaultText);
        QVERIFY(box.escapeButton());
        QCOMPARE(box.escapeButton()->text(), escapeText);
    }

    void messageAnswers_data()
    {
        QTest::addColumn<UiServices::Buttons>("buttons");
        QTest::addColumn<int>("press"); // a standard button, or 0 for Escape
        QTest::addColumn<UiServices::Answer>("answer");
        QTest::newRow("yes") << UiServices::Buttons::YesNo << int(QMessageBox::Yes) << UiServices::Answer::Yes;
        QTest::newRow("no") << UiServices::Buttons::YesNo << int(QMessageBox::No) << UiServices::Answer::No;
        QTest::newRow("escape yes no") << UiServices::Buttons::YesNo << 0 << UiServices::Answer::No;
        QTest::newRow("cancel") << UiServices::Buttons::YesNoCancel << int(QMessageBox::Cancel)
                                << UiServices::Answer::Cancel;
        QTest::newRow("escape three") << UiServices::Buttons::YesNoCancel << 0 << UiServices::Answer::Cancel;
        QTest::newRow("ok") << UiServices::Buttons::Ok << int(QMessageBox::Ok) << UiServices::Answer::Ok;
    }
    void messageAnswers()
    {
        QFETCH(UiServices::Buttons, buttons);
        QFETCH(int, press);
        QFETCH(UiServices::Answer, answer);
        QString seenTitle;
        onNextModal([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            QVERIFY(box);
            seenTitle = box->windowTitle();
            if (press == 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::StandardButton(press))->click();
        });
        QCOMPARE(services_.message(nullptr, QStringLiteral("登録確認"), QStringLiteral("上書きしますか?"),
                                   UiServices::Icon::Question, buttons, UiServices::Answer::Yes),
                 answer);
        QCOMPARE(seenTitle, QStringLiteral("登録確認"));
    }

    void fileDialogSetUp()
    {
        UiServices::FileDialogRequest r;
        r.initialFolder = dir_.path();
        r.filter = QStringLiteral("CSVファイル(*.csv)|*.csv");
        r.title = QStringLiteral("ファイルの保存");
        r.defaultExtension = QStringLiteral("csv");
        r.forSaving = true;
        QFileDialog dialog;
        WidgetUiServices::configureFileDialog(dialog, r);
        QCOMPARE(dialog.windowTitle(), QStringLiteral("ファイルの保存"));
        QCOMPARE(dialog.nameFilters(), QStringList{QStringLiteral("CSVファイル(*.csv) (*.csv)")});
        QCOMPARE(QDir(dialog.directory()).canonicalPath(), QDir(dir_.path()).canonicalPath());
        QCOMPARE(dialog.acceptMode(), QFileDialog::AcceptSave);
        QCOMPARE(dialog.defaultSuffix(), QStringLiteral("csv"));
        QVERIFY(!dialog.testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(dialog.testOption(QFileDialog::HideNameFilterDetails));
        // Big enough for a folder of lists, with the names uncut.
        QVERIFY(dialog.width() >= 800 && dialog.height() >= 500);
        QCOMPARE(dialog.viewMode(), QFileDialog::Detail);
        auto *details = dialog.findChild<QTreeView *>(QStringLiteral("treeView"));
        QVERIFY(details);
        QVERIFY(details->header()->sectionSize(0) >= 380);

        UiServices::FileDialogRequest open;
        open.initialFolder = dir_.filePath(QStringLiteral("missing"));
        open.filter = QStringLiteral("画像ファイル(GIF,JPG,BMP)|*.gif;*.bmp;*.jpg;*.jpeg");
        open.title = QStringLiteral("ロゴ画像を開く");
        QFileDialog openDialog;
        WidgetUiServices::configureFileDialog(openDialog, open);
        QCOMPARE(openDialog.acceptMode(), QFileDialog::AcceptOpen);
        QCOMPARE(openDialog.fileMode(), QFileDialog::ExistingFile);
        QCOMPARE(openDialog.nameFilters(),
                 QStringList{QStringLiteral("画像ファイル(GIF,JPG,BMP) (*.gif *.bmp *.jpg *.jpeg)")});
        // A folder that is gone: the dialog starts at home rather than nowhere.
        QCOMPARE(QDir(openDialog.directory()).canonicalPath(), QDir::home().canonicalPath());
    }

    void savingAppendsTheDefaultExtension()
    {
        UiServices::FileDialogRequest r;
        r.initialFolder = dir_.path();
        r.filter = QStringLiteral("CSVファイル(*.csv)|*.csv");
        r.title = QStringLiteral("ファイルの保存");
        r.defaultExtension = QStringLiteral("csv");
        r.forSaving = true;
        onNextModal([](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            QVERIFY(dialog);
            auto *edit = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            QVERIFY(edit);
            edit->setText(QStringLiteral("新しい商品"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QCOMPARE(services_.fileDialog(nullptr, r), dir_.filePath(QStringLiteral("新しい商品.csv")));
    }

    void overwritePromptIsTheDialogs()
    {
        const QString existing = dir_.filePath(QStringLiteral("ある.csv"));
        QFile f(existing);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        UiServices::FileDialogRequest r;
        r.initialFolder = dir_.path();
        r.filter = QStringLiteral("CSVファイル(*.csv)|*.csv");
        r.title = QStringLiteral("ファイルの保存");
        r.defaultExtension = QStringLiteral("csv");
        r.forSaving = true;
        bool prompted = false;
        onNextModal([&](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            QVERIFY(dialog);
            dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("ある"));
            QTimer::singleShot(0, [&] {
                QMessageBox *box = nullptr;
                QTRY_VERIFY((box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) != nullptr);
                prompted = true;
                QVERIFY(box->button(QMessageBox::Yes));
                QCOMPARE(box->button(QMessageBox::Yes)->text(), QStringLiteral("はい(&Y)"));
                box->button(QMessageBox::Yes)->click();
            });
            QMetaObject::invokeMethod(dialog, "accept");
        });
        QCOMPARE(services_.fileDialog(nullptr, r), existing);
        QVERIFY(prompted);
    }

    void cancelGivesAnEmptyName()
    {
        UiServices::FileDialogRequest r;
        r.initialFolder = dir_.path();
        r.filter = QStringLiteral("CSVファイル(*.csv)|*.csv");
        r.title = QStringLiteral("ファイルを開く");
        onNextModal([](QWidget *w) {
            auto *dialog = qobject_cast<QFileDialog *>(w);
            QVERIFY(dialog);
            // The cancel button reads キャンセル with Qt's Japanese texts.
            auto *buttons = dialog->findChild<QDialogButtonBox *>();
            QVERIFY(buttons && buttons->button(QDialogButtonBox::Cancel));
            QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
            buttons->button(QDialogButtonBox::Cancel)->click();
        });
        QCOMPARE(services_.fileDialog(nullptr, r), QString());
    }

    void colourChooser_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QColor>("expected");
        QTest::newRow("chosen") << true << QColor(0x12, 0x34, 0x56);
        QTest::newRow("cancelled keeps the colour") << false << QColor(Qt::red);
    }
    void colourChooser()
    {
        QFETCH(bool, accept);
        QFETCH(QColor, expected);
        QColor seenStart;
        onNextModal([&](QWidget *w) {
            auto *dialog = qobject_cast<QColorDialog *>(w);
            QVERIFY(dialog);
            seenStart = dialog->currentColor();
            dialog->setCurrentColor(QColor(0x12, 0x34, 0x56));
            QMetaObject::invokeMethod(dialog, accept ? "accept" : "reject");
        });
        QColor color(Qt::red);
        QCOMPARE(services_.chooseColor(nullptr, color), accept);
        QCOMPARE(color, expected);
        QCOMPARE(seenStart, QColor(Qt::red));
    }

    void pictures_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QSize>("size");
        QTest::newRow("gif") << QStringLiteral("picture.gif") << QSize(7, 5);
        QTest::newRow("jpeg") << QStringLiteral("picture.jpg") << QSize(7, 5);
        QTest::newRow("bmp") << QStringLiteral("picture.bmp") << QSize(7, 5);
        QTest::newRow("gif named .jpg") << QStringLiteral("gif_named.jpg") << QSize(7, 5);
        QTest::newRow("unreadable") << QStringLiteral("broken.gif") << QSize();
        QTest::newRow("missing") << QStringLiteral("missing.gif") << QSize();
    }
    void pictures()
    {
        QFETCH(QString, file);
        QFETCH(QSize, size);
        const QImage image = services_.loadPicture(QStringLiteral(VENNLO_TEST_DATA_DIR "/platform/") + file);
        QCOMPARE(image.isNull(), !size.isValid());
        if (size.isValid())
            QCOMPARE(image.size(), size);
    }

    void shellRefusesWhatCannotBeOpened()
    {
        QVERIFY(!services_.openWithShell(QString()));
        QVERIFY(!services_.openWithShell(QStringLiteral("   ")));
        QVERIFY(!services_.openWithShell(dir_.filePath(QStringLiteral("vennlo.chm"))));
    }

    void startProgram()
    {
        QVERIFY(services_.startProgram(QStringLiteral("true"), {QStringLiteral("temp.html")}));
        QVERIFY(!services_.startProgram(dir_.filePath(QStringLiteral("no-such-browser")), {}));
        QVERIFY(!services_.startProgram(QString(), {}));
    }
};

QTEST_MAIN(TestDialogServices)
#include "tst_dialog_services.moc"
