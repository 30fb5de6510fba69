#include "platform/font_config.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

using namespace platform;

// The program's fontconfig file, which maps the Windows font names of designs to the Noto CJK faces.
class TestFontConfig : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fontAliases_data();
    void fontAliases();
    void usersFontConfigKept();
};

void TestFontConfig::fontAliases_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("face");
    const QString gothic = QStringLiteral("Noto Sans CJK JP");
    const QString mincho = QStringLiteral("Noto Serif CJK JP");
    for (const char *name :
         {"ＭＳ Ｐゴシック", "MS PGothic", "ＭＳ ゴシック", "MS Gothic", "MS UI Gothic", "メイリオ", "Meiryo"})
        QTest::newRow(name) << QString::fromUtf8(name) << gothic;
    for (const char *name : {"ＭＳ Ｐ明朝", "MS PMincho", "ＭＳ 明朝", "MS Mincho"})
        QTest::newRow(name) << QString::fromUtf8(name) << mincho;
    QTest::newRow("spelt in lower case") << "ms pgothic" << gothic;
    QTest::newRow("other names as the system has them") << "DejaVu Sans"
                                                        << "DejaVu Sans";
}

// fontconfig as the program sets it up (the file beside the test, as beside the program) answers a
// design's Windows font name with the Noto face.
void TestFontConfig::fontAliases()
{
    QFETCH(QString, family);
    QFETCH(QString, face);
    const QString file = programFontConfigFile(QStringLiteral(VENNLO_PROGRAM_DIR));
    QVERIFY2(QFileInfo(file).isFile(), qPrintable(file));
    QProcess fcMatch;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FONTCONFIG_FILE"), file);
    fcMatch.setProcessEnvironment(env);
    fcMatch.start(QStringLiteral("fc-match"), {QStringLiteral("--format=%{family[0]}"), family});
    if (!fcMatch.waitForStarted())
        QSKIP("fc-match is not installed");
    QVERIFY(fcMatch.waitForFinished());
    QCOMPARE(QString::fromUtf8(fcMatch.readAllStandardOutput()), face);
}

void TestFontConfig::usersFontConfigKept()
{
    const QByteArray saved = qgetenv("FONTCONFIG_FILE");
    qputenv("FONTCONFIG_FILE", "/etc/fonts/fonts.conf");
    QVERIFY(useProgramFontConfig(QStringLiteral(VENNLO_PROGRAM_DIR)).isEmpty());
    QCOMPARE(qgetenv("FONTCONFIG_FILE"), QByteArray("/etc/fonts/fonts.conf"));
    qunsetenv("FONTCONFIG_FILE");
    QCOMPARE(useProgramFontConfig(QStringLiteral(VENNLO_PROGRAM_DIR)),
             programFontConfigFile(QStringLiteral(VENNLO_PROGRAM_DIR)));
    QCOMPARE(QFile::decodeName(qgetenv("FONTCONFIG_FILE")), programFontConfigFile(QStringLiteral(VENNLO_PROGRAM_DIR)));
    if (saved.isNull())
        qunsetenv("FONTCONFIG_FILE");
    else
        qputenv("FONTCONFIG_FILE", saved);
}

QTEST_GUILESS_MAIN(TestFontConfig)
#include "tst_font_config.moc"
