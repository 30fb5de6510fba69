#include "dialogs/logo_box_widgets.h"
#include "support/fake_ui_services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using dialogs::LogoBox;

namespace {

// The controls of a designer's logo tab around one box, wired as the designers wire them.
struct Fixture {
    FakeUiServices services;
    QTemporaryDir dir;
    QWidget window;
    QCheckBox *check = new QCheckBox(&window);
    QLabel *caption = new QLabel(&window);
    QLabel *image = new QLabel(&window);
    QLineEdit *width = new QLineEdit(&window);
    QLineEdit *height = new QLineEdit(&window);
    QCheckBox *lock = new QCheckBox(&window);
    QComboBox *align = new QComboBox(&window);
    int edits = 0; // size changes told to the window
    LogoBox box{{.window = &window,
                 .check = check,
                 .caption = caption,
                 .image = image,
                 .width = width,
                 .height = height,
                 .lockAspect = lock,
                 .align = align,
                 .sizeControls = {width, height, lock},
                 .sizeEdited = [this] { ++edits; }},
                services,
                QString(),
                nullptr};
    QStringList unreadable;

    Fixture()
    {
        check->setChecked(true);
        align->addItems({QStringLiteral("右"), QStringLiteral("中央"), QStringLiteral("左")});
    }
    LogoBox::Chosen choose(const QString &path)
    {
        services.fileNames.enqueue(path);
        return box.choose([this](const QString &p) { unreadable << p; });
    }
    QString picture(QSize size)
    {
        const QString path = dir.filePath(QStringLiteral("logo.png"));
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::red);
        image.save(path);
        return path;
    }
};

} // namespace

class TestLogoBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aspectLock_data();
    void aspectLock();
    void unreadablePictureDropsTheLogo();
    void clearCentresAndFrees();
};

void TestLogoBox::aspectLock_data()
{
    QTest::addColumn<bool>("locked");
    QTest::addColumn<bool>("workingOnHeight");
    QTest::addColumn<bool>("typedIntoHeight");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::newRow("width sets height") << true << false << false << "50"
                                       << "50"
                                       << "25";
    QTest::newRow("height sets width") << true << true << true << "50"
                                       << "100"
                                       << "50";
    QTest::newRow("unlocked") << false << false << false << "50"
                              << "50"
                              << "100";
    QTest::newRow("the other box's change does not come back") << true << false << true << "10"
                                                               << "200"
                                                               << "10";
}

void TestLogoBox::aspectLock()
{
    QFETCH(bool, locked);
    QFETCH(bool, workingOnHeight);
    QFETCH(bool, typedIntoHeight);
    QFETCH(QString, typed);
    QFETCH(QString, width);
    QFETCH(QString, height);
    Fixture f;
    QCOMPARE(f.choose(f.picture(QSize(200, 100))), LogoBox::Chosen::Taken);
    QCOMPARE(f.width->text(), QStringLiteral("200"));
    QCOMPARE(f.height->text(), QStringLiteral("100"));
    QVERIFY(f.width->isEnabled());
    f.lock->setChecked(locked);
    f.box.workingOn(workingOnHeight);
    (typedIntoHeight ? f.height : f.width)->setText(typed);
    QCOMPARE(f.width->text(), width);
    QCOMPARE(f.height->text(), height);
}

void TestLogoBox::unreadablePictureDropsTheLogo()
{
    Fixture f;
    QCOMPARE(f.choose(f.picture(QSize(20, 10))), LogoBox::Chosen::Taken);
    const QString broken = f.dir.filePath(QStringLiteral("broken.gif"));
    QFile file(broken);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("GIF89a not a picture");
    file.close();
    QCOMPARE(f.choose(broken), LogoBox::Chosen::Unreadable);
    QCOMPARE(f.unreadable, QStringList{broken});
    QVERIFY(f.box.path().isEmpty());
    QVERIFY(f.caption->text().isEmpty());
    QCOMPARE(f.width->text(), QStringLiteral("0"));
    QCOMPARE(f.height->text(), QStringLiteral("0"));
    QVERIFY(!f.width->isEnabled());
}

void TestLogoBox::clearCentresAndFrees()
{
    Fixture f;
    QCOMPARE(f.choose(f.picture(QSize(20, 10))), LogoBox::Chosen::Taken);
    QVERIFY(f.edits > 0);
    f.lock->setChecked(true);
    f.box.clear();
    QVERIFY(f.box.path().isEmpty());
    QCOMPARE(f.width->text(), QStringLiteral("0"));
    QCOMPARE(f.align->currentText(), QStringLiteral("中央"));
    QVERIFY(!f.lock->isChecked());
    QVERIFY(!f.width->isEnabled());
}

QTEST_MAIN(TestLogoBox)
#include "tst_logo_box.moc"
