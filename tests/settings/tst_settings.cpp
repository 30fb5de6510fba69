#include "platform/cp932.h"
#include "platform/profile_file.h"
#include "settings/settings.h"
#include "support/fake_ui_services.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>

using settings::Settings;
using settings::SettingsLoad;

namespace {

QByteArray readBytes(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString dataFile(const char *name)
{
    return QStringLiteral(VENNLO_TEST_DATA_DIR "/") + QLatin1String(name);
}

QByteArray sjis(const QString &text)
{
    return platform::cp932::encode(text).bytes;
}

// The default file with one key changed (or added to its section).
QByteArray defaultWith(const QString &section, const QString &key, const QString &value)
{
    platform::ProfileFile p;
    p.setBytes(settings::defaultSettingsBytes());
    p.setValue(section, key, value);
    return p.toBytes();
}

// The default file with the value of one key replaced by raw bytes (the key added at the top of its
// section when the default file lacks it).
QByteArray defaultWithBytes(const QString &section, const QString &key, const QByteArray &value)
{
    QList<QByteArray> lines = settings::defaultSettingsBytes().split('\n');
    const QByteArray head = '[' + section.toLatin1() + "]\r";
    const QByteArray start = key.toLatin1() + '=';
    const QByteArray line = start + value + '\r';
    const qsizetype at = lines.indexOf(head);
    if (at < 0)
        return settings::defaultSettingsBytes() + head + '\n' + line + '\n';
    for (qsizetype i = at + 1; i < lines.size() && !lines[i].startsWith('['); ++i) {
        if (lines[i].startsWith(start)) {
            lines[i] = line;
            return lines.join('\n');
        }
    }
    lines.insert(at + 1, line);
    return lines.join('\n');
}

// The text a key holds once settings are written into a profile.
QString writtenValue(const Settings &s, const QString &section, const QString &key)
{
    platform::ProfileFile p;
    settings::writeSettings(s, p, true);
    return p.value(section, key);
}

// Settings has no usable operator== (the tax record has none); compare record by record.
bool sameSettings(const Settings &a, const Settings &b)
{
    return a.shelf == b.shelf && a.tag == b.tag && a.ledger == b.ledger && a.browser == b.browser &&
           a.status == b.status && a.excelEX == b.excelEX && a.gridFont == b.gridFont && a.tax.rate == b.tax.rate &&
           a.tax.indicate == b.tax.indicate && a.tax.ks == b.tax.ks && a.tax.style == b.tax.style &&
           a.tax.zeikomi == b.tax.zeikomi;
}

QString reportsText(const SettingsLoad &load)
{
    QStringList out;
    for (const settings::SettingsReport &r : load.reports)
        out << r.label + QStringLiteral(": ") + QString::number(r.error.number) + QLatin1Char(' ') +
                   r.error.description;
    return out.join(QLatin1Char('\n'));
}

// The settings that tests/data/settings_written.ini holds.
Settings knownSettings()
{
    Settings s;
    auto &d = s.shelf;
    d.area[0].fontName = QStringLiteral("ＭＳ 明朝");
    d.area[0].fontSize = QStringLiteral("5mm");
    d.area[1].fontSize = QStringLiteral("20pt");
    d.area[3].color = QStringLiteral("#00FF00");
    d.headerText = QStringLiteral("特売");
    d.showHeader = true;
    d.countW = QStringLiteral("2");
    d.countH = QStringLiteral("8");
    d.priceMark = 1;
    d.showItemCode = true;
    d.borderStyle = QStringLiteral("dashed");
    d.borderWidth = QStringLiteral("1.5");
    d.borderColor = QStringLiteral("#123456");
    d.cardHeightFixed = true;
    d.cardHeight = QStringLiteral("28");
    d.cardWidth = QStringLiteral("80");
    d.padding = {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")};
    d.layoutType = 1;
    d.barcodeHeight = 30;
    s.tax.rate = products::Currency::fromRaw(800);
    s.tax.indicate = 1;
    s.tax.ks = 2;
    s.tax.style = 3;
    s.tax.zeikomi = 0;
    auto &t = s.tag;
    t.fontSize[2] = QStringLiteral("14pt");
    t.fontSize[3] = QStringLiteral("3mm");
    t.priceMark = 2;
    t.twoTier = true;
    t.lineColor = QStringLiteral("#00FF00");
    t.countW = 3;
    t.countH = 14;
    t.cardHeight = QStringLiteral("18");
    t.cardWidth = QStringLiteral("56");
    t.padding = {QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("1")};
    t.layoutType = 1;
    t.barcodeHeight = 25;
    s.ledger.rowsPerPage = 16;
    s.ledger.lineColor = QStringLiteral("#111111");
    s.ledger.backColor = QStringLiteral("#FFFFFF");
    s.ledger.pageNumbers = 1;
    s.ledger.fontName = QStringLiteral("ＭＳ 明朝");
    s.ledger.fontSize = 9;
    s.ledger.padding = 3;
    s.ledger.barcodeHeight = 35;
    s.browser.used = 1;
    s.browser.path = QStringLiteral("/bin/sh");
    s.excelEX = 1;
    s.gridFont = 12;
    s.status.width = 10000;
    s.status.height = 7000;
    s.status.columnWidth = {1000, 2000, 1500, 800, 1200, 1300};
    return s;
}

// Makes every file write of this process fail beyond a few bytes while it lives (root ignores file
// permissions, but not this limit).
class WriteLimit {
public:
    WriteLimit()
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit tiny = m_old;
        tiny.rlim_cur = 16;
        setrlimit(RLIMIT_FSIZE, &tiny);
    }
    ~WriteLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }

private:
    rlimit m_old{};
};

} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void defaultContentByteForByte();
    void firstStartCreatesDefaultFile();
    void defaultFileLoadsDefaults();
    void makeMyIniFailureIsReported();
    void unreadableFileIsReported();
    void upgradeAddsMissingSections();
    void upgradeKeepsUserBytes_data();
    void upgradeKeepsUserBytes();
    void upgradeEachSectionAlone_data();
    void upgradeEachSectionAlone();
    void fontSizeUnits_data();
    void fontSizeUnits();
    void vanishedFiles_data();
    void vanishedFiles();
    void badValues_data();
    void badValues();
    void unusableTextTakesDefault_data();
    void unusableTextTakesDefault();
    void nonNumericKeyNamedLaterKeysLoaded();
    void paddingFallsBackToSingleKey_data();
    void paddingFallsBackToSingleKey();
    void damagedFiles_data();
    void damagedFiles();
    void setInitialWritesInOrder();
    void setInitialRoundTrip();
    void setInitialKeepsStatusWhenNotNormal();
    void setInitialKeepsOtherLines();
    void setInitialRefusesUnencodableValue();
    void failedSaveKeepsOldFile();
    void failedUpgradeSaveIsReported();
    void oldFileTakeover();
    void writeToDiskFalseWritesNothing();
    void reportBoxes();
    void addedKeys_data();
    void addedKeys();
    void flagsOtherThanOneAreOff_data();
    void flagsOtherThanOneAreOff();
};

void TestSettings::defaultContentByteForByte()
{
    const QByteArray expected = readBytes(dataFile("default_vennlo.ini"));
    QVERIFY(!expected.isEmpty());
    QCOMPARE(settings::defaultSettingsBytes(), expected);
}

void TestSettings::firstStartCreatesDefaultFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    const SettingsLoad load = settings::GetInitial(path, dir.filePath(QStringLiteral("no-old.ini")));
    QVERIFY2(load.reports.isEmpty(), qPrintable(reportsText(load)));
    QCOMPARE(readBytes(path), readBytes(dataFile("default_vennlo.ini")));
    QCOMPARE(load.settings.status.width, 9492);
    QCOMPARE(load.settings.status.height, 6444);
}

void TestSettings::defaultFileLoadsDefaults()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, readBytes(dataFile("default_vennlo.ini"))));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY2(load.reports.isEmpty(), qPrintable(reportsText(load)));
    QVERIFY(sameSettings(load.settings, Settings{}));
    // Nothing to upgrade, nothing written.
    QCOMPARE(readBytes(path), readBytes(dataFile("default_vennlo.ini")));
    QCOMPARE(load.settings.tag.priceMark, 1);
    QCOMPARE(load.settings.shelf.area[0].fontSize, QStringLiteral("20pt"));
    QCOMPARE(load.settings.tax.rate.toString(), QStringLiteral("0.05"));
    QCOMPARE(load.settings.status.columnWidth, (std::array<int, 6>{900, 1700, 1700, 900, 1700, 1700}));
}

void TestSettings::makeMyIniFailureIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing-folder/vennlo.ini"));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QCOMPARE(load.reports.size(), 1);
    QCOMPARE(load.reports.at(0).label, QStringLiteral("MakeMyIni"));
    QVERIFY(load.reports.at(0).error.isSet());
    QVERIFY(!QFile::exists(path));
    // Start-up goes on with the default content.
    QVERIFY(sameSettings(load.settings, Settings{}));
}

void TestSettings::unreadableFileIsReported()
{
    // A folder where the file should be: it cannot be read, so nothing is upgraded or written.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("vennlo.ini")));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QCOMPARE(load.reports.size(), 1);
    QCOMPARE(load.reports.at(0).label, QStringLiteral("main.GetInitial"));
    QCOMPARE(load.reports.at(0).error.number, 70);
    QVERIFY(sameSettings(load.settings, Settings{}));
    QVERIFY(QFileInfo(path).isDir());
    platform::AppError error;
    QVERIFY(!settings::SetInitial(load.settings, path, true, &error));
    QVERIFY(error.isSet());
}

void TestSettings::upgradeAddsMissingSections()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, readBytes(dataFile("settings_v120.ini"))));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY2(load.reports.isEmpty(), qPrintable(reportsText(load)));
    QCOMPARE(readBytes(path), readBytes(dataFile("settings_v120_upgraded.ini")));

    const Settings &s = load.settings;
    QCOMPARE(s.shelf.area[0].fontName, QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(s.shelf.area[0].fontSize, QStringLiteral("5mm"));
    QCOMPARE(s.shelf.area[1].fontSize, QStringLiteral("20pt"));
    QCOMPARE(s.shelf.headerText, QStringLiteral("特売"));
    QCOMPARE(s.shelf.headerColor, QStringLiteral("#0000FF"));
    QCOMPARE(s.shelf.showHeader, 1);
    QCOMPARE(s.shelf.cutLine, 0);
    QCOMPARE(s.shelf.countW, QStringLiteral("2"));
    QCOMPARE(s.shelf.countH, QStringLiteral("8"));
    QCOMPARE(s.shelf.priceMark, 1);
    QCOMPARE(s.shelf.showRemarks, 1);
    QCOMPARE(s.shelf.showDigits, 0);
    QCOMPARE(s.tax.style, 3);
    QCOMPARE(s.tax.indicate, 1);
    QCOMPARE(s.tax.ks, 2);
    QCOMPARE(s.gridFont, 11);
    QCOMPARE(s.status.width, 12000);
    QCOMPARE(s.status.height, 8000);
    // The upgrade's values, YM 0 unlike a new file.
    QCOMPARE(s.tag.priceMark, 0);
    QCOMPARE(s.tag.countW, 5);
    QCOMPARE(s.tag.countH, 9);
    QCOMPARE(s.tag.fontSize[2], QStringLiteral("12pt"));
    QCOMPARE(s.tag.fontSize[3], QStringLiteral("9pt"));
    QCOMPARE(s.shelf.cardHeight, QStringLiteral("45"));
    QCOMPARE(s.shelf.padding[3], QStringLiteral("0"));

    // A second start finds nothing more to add.
    const SettingsLoad again = settings::GetInitial(path, QString());
    QVERIFY(again.reports.isEmpty());
    QCOMPARE(readBytes(path), readBytes(dataFile("settings_v120_upgraded.ini")));
}

void TestSettings::upgradeKeepsUserBytes_data()
{
    QTest::addColumn<QByteArray>("old");
    // A section of the user's own with bytes that are not CP932 (a lone lead byte, UTF-8 "あ") and
    // with a character that CP932 writes back as other bytes (EE EF).
    const QByteArray user("[Memo]\r\nodd=\x81\x20\r\nutf8=\xE3\x81\x82\r\nnec=\xEE\xEF\r\n");
    QByteArray cp932 = readBytes(dataFile("settings_v120.ini"));
    QTest::newRow("CP932 file") << cp932.insert(cp932.indexOf('\n') + 1, user);
    // A file an editor saved as UTF-8, with characters CP932 has not.
    const QByteArray utf8 = platform::cp932::decode(readBytes(dataFile("settings_v120.ini"))).toUtf8();
    QTest::newRow("UTF-8 file") << utf8 + QStringLiteral("[Memo]\r\nnote=café ☃ あ\r\n").toUtf8();
}

void TestSettings::upgradeKeepsUserBytes()
{
    // The start-up upgrade only adds what is missing; every line it does not write stays byte for
    // byte, through the save at exit too.
    QFETCH(QByteArray, old);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, old));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY(readBytes(path).startsWith(old));
    QVERIFY(readBytes(path).size() > old.size());

    platform::AppError error;
    QVERIFY2(settings::SetInitial(load.settings, path, true, &error), qPrintable(error.description));
    const QByteArray memo = old.mid(old.indexOf("[Memo]"));
    const qsizetype end = memo.indexOf("\r\n[");
    QVERIFY(readBytes(path).contains(end < 0 ? memo : memo.left(end + 2)));
}

void TestSettings::upgradeEachSectionAlone_data()
{
    QTest::addColumn<QString>("dropSection");
    QTest::addColumn<QString>("appended");

    QTest::newRow("Border") << "Border"
                            << "[Border]\r\nS=none\r\nW=0\r\nC=#FFFFFF\r\n";
    QTest::newRow("CHeight") << "CHeight"
                             << "[CHeight]\r\nS=0\r\nH=45\r\n";
}

void TestSettings::upgradeEachSectionAlone()
{
    QFETCH(QString, dropSection);
    QFETCH(QString, appended);
    // The default file without one section; the upgrade appends exactly that section at the end
    // (Plus142ini also writes [CWidth] and [CPadding], which exist already and keep their values).
    QStringList lines = platform::cp932::decode(settings::defaultSettingsBytes()).split(QStringLiteral("\r\n"));
    const qsizetype at = lines.indexOf(QLatin1Char('[') + dropSection + QLatin1Char(']'));
    QVERIFY(at >= 0);
    qsizetype end = at + 1;
    while (end < lines.size() && !lines.at(end).startsWith(QLatin1Char('[')))
        ++end;
    lines.remove(at, end - at);
    const QString before = lines.join(QStringLiteral("\r\n"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, sjis(before)));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY2(load.reports.isEmpty(), qPrintable(reportsText(load)));
    QCOMPARE(platform::cp932::decode(readBytes(path)), before + appended);
}

void TestSettings::fontSizeUnits_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("inMemory");

    QTest::newRow("millimetres") << "FontSize"
                                 << "5mm"
                                 << "5mm";
    QTest::newRow("points") << "FontSize"
                            << "20"
                            << "20pt";
    QTest::newRow("fraction of a point") << "FontSize"
                                         << "10.5"
                                         << "10.5pt";
    QTest::newRow("millimetre fraction") << "FontSize"
                                         << "3.5mm"
                                         << "3.5mm";
    QTest::newRow("price tag millimetres") << "CFontSize"
                                           << "5mm"
                                           << "5mm";
    QTest::newRow("price tag points") << "CFontSize"
                                      << "20"
                                      << "20pt";
}

void TestSettings::fontSizeUnits()
{
    QFETCH(QString, section);
    QFETCH(QString, stored);
    QFETCH(QString, inMemory);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, defaultWith(section, QStringLiteral("1"), stored)));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY(load.reports.isEmpty());
    const QString got =
        section == QLatin1String("FontSize") ? load.settings.shelf.area[1].fontSize : load.settings.tag.fontSize[1];
    QCOMPARE(got, inMemory);

    platform::AppError error;
    QVERIFY(settings::SetInitial(load.settings, path, true, &error));
    QCOMPARE(platform::readProfileString(path, section, QStringLiteral("1")), stored);
    const SettingsLoad reloaded = settings::GetInitial(path, QString());
    QVERIFY(sameSettings(reloaded.settings, load.settings));
}

void TestSettings::vanishedFiles_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("switchSection");
    QTest::addColumn<QString>("switchKey");
    QTest::addColumn<bool>("exists");

    QTest::newRow("logo gone") << "Logo"
                               << "Name"
                               << "Make"
                               << "LG" << false;
    QTest::newRow("logo there") << "Logo"
                                << "Name"
                                << "Make"
                                << "LG" << true;
    QTest::newRow("price tag logo gone") << "CLogo"
                                         << "Name"
                                         << "CMake"
                                         << "LG" << false;
    QTest::newRow("price tag logo there") << "CLogo"
                                          << "Name"
                                          << "CMake"
                                          << "LG" << true;
    QTest::newRow("browser gone") << "BR"
                                  << "Path"
                                  << "BR"
                                  << "Used" << false;
    QTest::newRow("browser there") << "BR"
                                   << "Path"
                                   << "BR"
                                   << "Used" << true;
}

void TestSettings::vanishedFiles()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, switchSection);
    QFETCH(QString, switchKey);
    QFETCH(bool, exists);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("ロゴ.gif"));
    if (exists)
        QVERIFY(writeBytes(file, "GIF89a"));
    platform::ProfileFile p;
    p.setBytes(settings::defaultSettingsBytes());
    p.setValue(section, key, file);
    p.setValue(switchSection, switchKey, QStringLiteral("1"));
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, p.toBytes()));

    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY(load.reports.isEmpty());
    const Settings &s = load.settings;
    QString name;
    int on = -1;
    if (section == QLatin1String("Logo")) {
        name = s.shelf.logoName;
        on = s.shelf.showLogo;
    } else if (section == QLatin1String("CLogo")) {
        name = s.tag.logoName;
        on = s.tag.showLogo;
    } else {
        name = s.browser.path;
        on = s.browser.used;
    }
    QCOMPARE(name, exists ? file : QString());
    QCOMPARE(on, exists ? 1 : 0);
    // The file itself is not rewritten at start-up; the next save writes the emptied values.
    QCOMPARE(platform::readProfileString(path, section, key), file);
}

void TestSettings::badValues_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("reported"); // the key the report names, or empty for no report

    // Converted directly: default and a report.
    QTest::newRow("Bunkatsu W letters") << "Bunkatsu"
                                        << "W"
                                        << "abc"
                                        << "[Bunkatsu] W";
    QTest::newRow("Bunkatsu H empty") << "Bunkatsu"
                                      << "H"
                                      << ""
                                      << "[Bunkatsu] H";
    QTest::newRow("tax rate letters") << "Tax"
                                      << "Tax"
                                      << "five"
                                      << "[Tax] Tax";
    QTest::newRow("line flag too big for a byte") << "Line"
                                                  << "line"
                                                  << "300"
                                                  << "[Line] line";
    QTest::newRow("CBun W letters") << "CBun"
                                    << "W"
                                    << "x"
                                    << "[CBun] W";
    QTest::newRow("CMake HB letters") << "CMake"
                                      << "HB"
                                      << "yes"
                                      << "[CMake] HB";
    QTest::newRow("Status W letters") << "Status"
                                      << "W"
                                      << "wide"
                                      << "[Status] W";
    QTest::newRow("Style M letters") << "Style"
                                     << "M"
                                     << "B"
                                     << "[Style] M";
    // A stated fallback for anything that is not a number: no report.
    QTest::newRow("Make GN letters") << "Make"
                                     << "GN"
                                     << "abc"
                                     << "";
    QTest::newRow("JAN TH letters") << "JAN"
                                    << "TH"
                                    << "abc"
                                    << "";
    QTest::newRow("DC LIP letters") << "DC"
                                    << "LIP"
                                    << "abc"
                                    << "";
    QTest::newRow("GridFont letters") << "Size"
                                      << "GridFont"
                                      << "big"
                                      << "";
    // Zeros that later code divides by are kept as they are: the makers refuse them.
    QTest::newRow("Bunkatsu W zero") << "Bunkatsu"
                                     << "W"
                                     << "0"
                                     << "";
    QTest::newRow("CBun W zero") << "CBun"
                                 << "W"
                                 << "0"
                                 << "";
    QTest::newRow("DC LIP zero") << "DC"
                                 << "LIP"
                                 << "0"
                                 << "";
    // Number texts fall back silently.
    QTest::newRow("card height letters") << "CHeight"
                                         << "H"
                                         << "abc"
                                         << "";
    QTest::newRow("border width letters") << "Border"
                                          << "W"
                                          << "thick"
                                          << "";
}

void TestSettings::badValues()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, reported);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, defaultWith(section, key, value)));
    const SettingsLoad load = settings::GetInitial(path, QString());
    const Settings &s = load.settings;
    if (reported.isEmpty()) {
        QVERIFY2(load.reports.isEmpty(), qPrintable(reportsText(load)));
    } else {
        QCOMPARE(load.reports.size(), 1);
        QCOMPARE(load.reports.at(0).label, QStringLiteral("main.GetInitial"));
        QCOMPARE(load.reports.at(0).error.number, 13);
        QCOMPARE(load.reports.at(0).error.description, QStringLiteral("型が一致しません。 (") + reported + ")");
    }

    const Settings def;
    const QString id = section + QLatin1Char('/') + key;
    if (id == "Bunkatsu/W")
        QCOMPARE(s.shelf.countW, value == "0" ? QStringLiteral("0") : QStringLiteral("3"));
    else if (id == "Bunkatsu/H")
        QCOMPARE(s.shelf.countH, QStringLiteral("4"));
    else if (id == "Tax/Tax")
        QCOMPARE(s.tax.rate.toString(), QStringLiteral("0.05"));
    else if (id == "Line/line")
        QCOMPARE(s.shelf.cutLine, 1);
    else if (id == "CBun/W")
        QCOMPARE(s.tag.countW, value == "0" ? 0 : 5);
    else if (id == "CMake/HB")
        QCOMPARE(s.tag.showItemCode, 0);
    else if (id == "Status/W")
        QCOMPARE(s.status.width, 9492);
    else if (id == "Style/M")
        QCOMPARE(s.shelf.layoutType, 0);
    else if (id == "Make/GN")
        QCOMPARE(s.shelf.showItemCode, 0);
    else if (id == "JAN/TH")
        QCOMPARE(s.shelf.barcodeHeight, 40);
    else if (id == "DC/LIP")
        QCOMPARE(s.ledger.rowsPerPage, value == "0" ? 0 : 12);
    else if (id == "Size/GridFont")
        QCOMPARE(s.gridFont, 9);
    else if (id == "CHeight/H")
        QCOMPARE(s.shelf.cardHeight, QStringLiteral("45"));
    else if (id == "Border/W")
        QCOMPARE(s.shelf.borderWidth, QStringLiteral("0"));
    else
        QFAIL("row without a check");
    // Everything else loads as usual.
    QCOMPARE(s.ledger.fontName, def.ledger.fontName);
    QCOMPARE(s.status.height, 6444);
}

void TestSettings::unusableTextTakesDefault_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("value");

    // Values that would break out of a page's style sheet.
    const QByteArray font = "a\"}</style><script>alert(1)</script>";
    const QByteArray color = "#FF0000;}</style><script>";
    QTest::newRow("font name") << "FontName"
                               << "2" << font;
    QTest::newRow("font size") << "FontSize"
                               << "3" << QByteArray("12;}</style>");
    QTest::newRow("font size letters") << "FontSize"
                                       << "0" << QByteArray("big");
    QTest::newRow("font colour") << "FontColor"
                                 << "0" << color;
    QTest::newRow("colour name") << "BackColor"
                                 << "H" << QByteArray("red");
    QTest::newRow("short colour") << "Line"
                                  << "Color" << QByteArray("#FFF");
    QTest::newRow("border style") << "Border"
                                  << "S" << QByteArray("none;}</style>");
    QTest::newRow("border colour") << "Border"
                                   << "C" << color;
    QTest::newRow("tag font name") << "CFontName"
                                   << "1" << font;
    QTest::newRow("tag font size") << "CFontSize"
                                   << "2" << QByteArray("9pt}");
    QTest::newRow("tag colour") << "CFontColor"
                                << "0" << color;
    QTest::newRow("tag line colour") << "CMake"
                                     << "LC" << color;
    QTest::newRow("ledger font") << "DC"
                                 << "FN" << font;
    QTest::newRow("ledger line colour") << "DC"
                                        << "LC" << color;
    QTest::newRow("ledger back colour") << "DC"
                                        << "BC" << QByteArray("yellow");
    // Bytes a UTF-8 editor wrote: not CP932.
    QTest::newRow("UTF-8 header text") << "Header"
                                       << "string" << QByteArray("SALE \xE3\x81\x82");
    QTest::newRow("broken font name") << "FontName"
                                      << "1" << QByteArray("\x81\x20");
    QTest::newRow("UTF-8 alignment") << "FontAlign"
                                     << "1" << QByteArray("\xE3\x81\x82");
    QTest::newRow("UTF-8 number") << "CBun"
                                  << "W" << QByteArray("\xEF\xBC\x95");
}

void TestSettings::unusableTextTakesDefault()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QByteArray, value);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, defaultWithBytes(section, key, value)));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QCOMPARE(load.reports.size(), 1);
    QCOMPARE(load.reports.at(0).label, QStringLiteral("main.GetInitial"));
    QCOMPARE(load.reports.at(0).error.number, 13);
    QCOMPARE(load.reports.at(0).error.description,
             QStringLiteral("型が一致しません。 ([") + section + QStringLiteral("] ") + key + QLatin1Char(')'));
    QCOMPARE(writtenValue(load.settings, section, key), writtenValue(Settings(), section, key));
}

void TestSettings::nonNumericKeyNamedLaterKeysLoaded()
{
    platform::ProfileFile p;
    p.setBytes(settings::defaultSettingsBytes());
    p.setValue(QStringLiteral("Bunkatsu"), QStringLiteral("W"), QStringLiteral("三"));
    p.setValue(QStringLiteral("Tax"), QStringLiteral("Zeikomi"), QStringLiteral("?"));
    p.setValue(QStringLiteral("Bunkatsu"), QStringLiteral("H"), QStringLiteral("8"));
    p.setValue(QStringLiteral("CBun"), QStringLiteral("H"), QStringLiteral("14"));
    p.setValue(QStringLiteral("DC"), QStringLiteral("FN"), QStringLiteral("ＭＳ 明朝"));
    p.setValue(QStringLiteral("Status"), QStringLiteral("W"), QStringLiteral("11111"));
    p.setValue(QStringLiteral("JAN"), QStringLiteral("DH"), QStringLiteral("22"));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, p.toBytes()));

    const SettingsLoad load = settings::GetInitial(path, QString());
    QCOMPARE(load.reports.size(), 1);
    QCOMPARE(load.reports.at(0).label, QStringLiteral("main.GetInitial"));
    QCOMPARE(load.reports.at(0).error.description, QStringLiteral("型が一致しません。 ([Bunkatsu] W, [Tax] Zeikomi)"));
    QCOMPARE(settings::settingsReportBox(load.reports.at(0)).text,
             QStringLiteral("エラーが発生しました(main.GetInitial)\r\nエラー番号: 13\r\n"
                            "内容: 型が一致しません。 ([Bunkatsu] W, [Tax] Zeikomi)"));
    const Settings &s = load.settings;
    QCOMPARE(s.shelf.countW, QStringLiteral("3"));
    QCOMPARE(s.tax.zeikomi, 1);
    QCOMPARE(s.shelf.countH, QStringLiteral("8"));
    QCOMPARE(s.tag.countH, 14);
    QCOMPARE(s.ledger.fontName, QStringLiteral("ＭＳ 明朝"));
    QCOMPARE(s.status.width, 11111);
    QCOMPARE(s.ledger.barcodeHeight, 22);
}

void TestSettings::paddingFallsBackToSingleKey_data()
{
    QTest::addColumn<QString>("extra"); // lines added to [CPadding] P=2
    QTest::addColumn<QStringList>("padding");

    QTest::newRow("only P") << "" << QStringList{"2", "2", "2", "2"};
    QTest::newRow("P0 set") << "P0=1\r\nP1=5\r\nP2=6\r\nP3=7\r\n" << QStringList{"1", "5", "6", "7"};
    QTest::newRow("P0 set, others missing") << "P0=1\r\n" << QStringList{"1", "0", "0", "0"};
    QTest::newRow("P0 empty") << "P0=\r\nP1=5\r\n" << QStringList{"2", "2", "2", "2"};
    QTest::newRow("P0 letters") << "P0=x\r\n" << QStringList{"0", "0", "0", "0"};
}

void TestSettings::paddingFallsBackToSingleKey()
{
    QFETCH(QString, extra);
    QFETCH(QStringList, padding);
    QByteArray bytes = settings::defaultSettingsBytes();
    bytes.replace("[CPadding]\r\nP=0\r\n", sjis(QStringLiteral("[CPadding]\r\nP=2\r\n") + extra));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, bytes));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY(load.reports.isEmpty());
    const auto &got = load.settings.shelf.padding;
    QCOMPARE(QStringList({got[0], got[1], got[2], got[3]}), padding);
    // Price tags have their own paddings, 0 when missing.
    QCOMPARE(load.settings.tag.padding[0], QStringLiteral("0"));
}

void TestSettings::damagedFiles_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("countW"); // expected [Bunkatsu] W in memory
    QTest::addColumn<bool>("reported");  // a main.GetInitial report expected

    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator rng(20061);
    for (char &c : garbage)
        c = char(rng.bounded(256));
    QTest::newRow("binary garbage") << garbage << "3" << true;
    QTest::newRow("empty file") << QByteArray() << "3" << true;

    const QByteArray def = settings::defaultSettingsBytes();
    // Cut inside a two-byte character of [FontStyle].
    const qsizetype cut = def.indexOf("[FontStyle]") + 17;
    QTest::newRow("truncated") << def.left(cut) << "3" << true;

    QByteArray dup = def;
    dup.append("[Bunkatsu]\r\nW=7\r\n[Tax]\r\nTax=zero\r\n");
    QTest::newRow("duplicate sections, first counts") << dup << "3" << false;
    QByteArray dupFirst = def;
    dupFirst.prepend("[Bunkatsu]\r\nW=6\r\nH=4\r\n");
    QTest::newRow("duplicate section in front") << dupFirst << "6" << false;

    QByteArray longLine = def;
    longLine.replace("string=SALE", "string=" + QByteArray(100000, 'A'));
    longLine.append(QByteArray(200000, 'x'));
    QTest::newRow("over-long lines") << longLine << "3" << false;

    QByteArray utf8 = platform::cp932::decode(def).toUtf8();
    // Its non-ASCII values (the font names) are not CP932: they take their defaults and are named.
    QTest::newRow("UTF-8 instead of CP932") << utf8 << "3" << true;

    QByteArray lfOnly = def;
    lfOnly.replace("\r\n", "\n");
    QTest::newRow("LF line ends") << lfOnly << "3" << false;

    QByteArray nul = def;
    nul.replace("W=3", QByteArray("W=\0"
                                  "3",
                                  4));
    QTest::newRow("NUL in a value") << nul << "3" << true;
}

void TestSettings::damagedFiles()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, countW);
    QFETCH(bool, reported);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, bytes));
    const SettingsLoad load = settings::GetInitial(path, QString());
    bool got = false;
    for (const settings::SettingsReport &r : load.reports) {
        QVERIFY2(r.label == QLatin1String("main.GetInitial"), qPrintable(reportsText(load)));
        got = true;
    }
    QCOMPARE(got, reported);
    const Settings &s = load.settings;
    QCOMPARE(s.shelf.countW, countW);
    QCOMPARE(s.shelf.countH, QStringLiteral("4"));
    QCOMPARE(s.tag.countW, 5);
    QCOMPARE(s.ledger.rowsPerPage, 12);
    QCOMPARE(s.tax.rate.toString(), QStringLiteral("0.05"));
    QCOMPARE(s.status.width, 9492);
    QVERIFY(s.shelf.headerText.size() <= platform::ProfileFile::MaxValueLength);

    // The settings can be saved over the damaged file and read back.
    platform::AppError error;
    QVERIFY2(settings::SetInitial(s, path, true, &error), qPrintable(error.description));
    const SettingsLoad again = settings::GetInitial(path, QString());
    QVERIFY2(again.reports.isEmpty(), qPrintable(reportsText(again)));
    QVERIFY(sameSettings(again.settings, s));
}

void TestSettings::setInitialWritesInOrder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    platform::AppError error;
    QVERIFY(settings::SetInitial(knownSettings(), path, true, &error));
    QCOMPARE(readBytes(path), readBytes(dataFile("settings_written.ini")));
}

void TestSettings::setInitialRoundTrip()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, readBytes(dataFile("settings_written.ini"))));
    const SettingsLoad load = settings::GetInitial(path, QString(), false);
    QVERIFY2(load.reports.isEmpty(), qPrintable(reportsText(load)));
    QVERIFY(sameSettings(load.settings, knownSettings()));
    QCOMPARE(load.settings.tax.rate.toString(), QStringLiteral("0.08"));

    // Saved over the default file and loaded again: the same settings.
    const QString second = dir.filePath(QStringLiteral("second.ini"));
    QVERIFY(settings::MakeMyIni(second));
    platform::AppError error;
    QVERIFY(settings::SetInitial(load.settings, second, true, &error));
    QVERIFY(sameSettings(settings::GetInitial(second, QString()).settings, knownSettings()));
    // Defaults survive a save too.
    const QString third = dir.filePath(QStringLiteral("third.ini"));
    QVERIFY(settings::SetInitial(Settings{}, third, true, &error));
    QVERIFY(sameSettings(settings::GetInitial(third, QString()).settings, Settings{}));
}

void TestSettings::setInitialKeepsStatusWhenNotNormal()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(settings::MakeMyIni(path));
    platform::AppError error;
    QVERIFY(settings::SetInitial(knownSettings(), path, false, &error));
    const QString status = QStringLiteral("Status");
    QCOMPARE(platform::readProfileString(path, status, QStringLiteral("W")), QStringLiteral("9492"));
    QCOMPARE(platform::readProfileString(path, status, QStringLiteral("H")), QStringLiteral("6444"));
    platform::ProfileFile p(path);
    QVERIFY(p.load());
    QVERIFY(!p.hasKey(status, QStringLiteral("1")));
    // Everything else was written.
    QCOMPARE(platform::readProfileString(path, QStringLiteral("DC"), QStringLiteral("LIP")), QStringLiteral("16"));
    QCOMPARE(platform::readProfileString(path, QStringLiteral("JAN"), QStringLiteral("DH")), QStringLiteral("35"));

    QVERIFY(settings::SetInitial(knownSettings(), path, true, &error));
    QCOMPARE(platform::readProfileString(path, status, QStringLiteral("W")), QStringLiteral("10000"));
    QCOMPARE(platform::readProfileString(path, status, QStringLiteral("6")), QStringLiteral("1300"));
}

void TestSettings::setInitialKeepsOtherLines()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, readBytes(dataFile("settings_v120_upgraded.ini"))));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY(load.reports.isEmpty());
    platform::AppError error;
    QVERIFY(settings::SetInitial(load.settings, path, true, &error));
    const QString text = platform::cp932::decode(readBytes(path));
    QVERIFY(text.startsWith(QStringLiteral("; 旧バージョンの設定\r\n[FontName]\r\n0=ＭＳ 明朝\r\n")));
    QVERIFY(text.contains(QStringLiteral("\r\n\r\n[Memo]\r\nnote=keep me\r\n")));
    // Keys nobody writes stay, and the key spelling of the file is kept.
    QCOMPARE(platform::readProfileString(path, QStringLiteral("CMake"), QStringLiteral("PR")), QStringLiteral("1"));
    QCOMPARE(platform::readProfileString(path, QStringLiteral("CPadding"), QStringLiteral("P")), QStringLiteral("0"));
    QVERIFY(text.contains(QStringLiteral("[Make]\r\nGN=1\r\nAlt=1\r\n")));
    // Saving what was loaded changes nothing the second time.
    const QByteArray once = readBytes(path);
    QVERIFY(settings::SetInitial(settings::GetInitial(path, QString()).settings, path, true, &error));
    QCOMPARE(readBytes(path), once);
}

void TestSettings::setInitialRefusesUnencodableValue()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(settings::MakeMyIni(path));
    Settings s = knownSettings();
    s.shelf.headerText = QStringLiteral("SALE 🎉");
    platform::AppError error;
    QVERIFY(!settings::SetInitial(s, path, true, &error));
    QCOMPARE(error.number, 380);
    QCOMPARE(error.description, QStringLiteral("Shift_JIS で保存できない文字が含まれています。 ([Header] string)"));
    // The old header stays; every other value was saved.
    QCOMPARE(platform::readProfileString(path, QStringLiteral("Header"), QStringLiteral("string")),
             QStringLiteral("SALE"));
    QCOMPARE(platform::readProfileString(path, QStringLiteral("DC"), QStringLiteral("LIP")), QStringLiteral("16"));
    QVERIFY(!readBytes(path).contains('?'));
}

void TestSettings::failedSaveKeepsOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(settings::MakeMyIni(path));
    platform::AppError error;
    bool saved = true;
    {
        WriteLimit limit;
        saved = settings::SetInitial(knownSettings(), path, true, &error);
    }
    QVERIFY(!saved);
    QVERIFY(error.isSet());
    QCOMPARE(readBytes(path), readBytes(dataFile("default_vennlo.ini")));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("vennlo.ini")});

    // A folder that does not exist.
    QVERIFY(!settings::SetInitial(knownSettings(), dir.filePath(QStringLiteral("gone/vennlo.ini")), true, &error));
    QCOMPARE(error.number, 76);
}

void TestSettings::failedUpgradeSaveIsReported()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, readBytes(dataFile("settings_v120.ini"))));
    SettingsLoad load;
    {
        WriteLimit limit;
        load = settings::GetInitial(path, QString());
    }
    QCOMPARE(load.reports.size(), 1);
    QCOMPARE(load.reports.at(0).label, QStringLiteral("Plus130MyIni"));
    QCOMPARE(readBytes(path), readBytes(dataFile("settings_v120.ini")));
    // The upgrade still holds in memory.
    QCOMPARE(load.settings.tag.countW, 5);
    QCOMPARE(load.settings.shelf.headerText, QStringLiteral("特売"));
}

void TestSettings::oldFileTakeover()
{
    QTemporaryDir appData;
    QTemporaryDir program;
    const QString path = appData.filePath(QStringLiteral("vennlo.ini"));
    const QString oldPath = program.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(oldPath, readBytes(dataFile("settings_v120.ini"))));

    const SettingsLoad load = settings::GetInitial(path, oldPath);
    QVERIFY2(load.reports.isEmpty(), qPrintable(reportsText(load)));
    // The new file is made with the default content, the upgrades go into the old file.
    QCOMPARE(readBytes(path), readBytes(dataFile("default_vennlo.ini")));
    QCOMPARE(readBytes(oldPath), readBytes(dataFile("settings_v120_upgraded.ini")));
    QCOMPARE(load.settings.shelf.headerText, QStringLiteral("特売"));
    QCOMPARE(load.settings.status.width, 12000);
    QCOMPARE(load.settings.tag.priceMark, 0);

    // At exit the values taken over reach the new file.
    platform::AppError error;
    QVERIFY(settings::SetInitial(load.settings, path, true, &error));
    const SettingsLoad next = settings::GetInitial(path, oldPath);
    QVERIFY(next.reports.isEmpty());
    QVERIFY(sameSettings(next.settings, load.settings));
    // Once the new file exists the old one is no longer read.
    QVERIFY(writeBytes(oldPath, readBytes(dataFile("default_vennlo.ini"))));
    QCOMPARE(settings::GetInitial(path, oldPath).settings.shelf.headerText, QStringLiteral("特売"));

    // A non-numeric value in the old file is reported under the takeover's label.
    QVERIFY(QFile::remove(path));
    QVERIFY(writeBytes(oldPath, defaultWith(QStringLiteral("CBun"), QStringLiteral("H"), QStringLiteral("x"))));
    const SettingsLoad bad = settings::GetInitial(path, oldPath);
    QCOMPARE(bad.reports.size(), 1);
    QCOMPARE(bad.reports.at(0).label, QStringLiteral("main.GetOldIni"));
    QCOMPARE(bad.reports.at(0).error.description, QStringLiteral("型が一致しません。 ([CBun] H)"));
    QCOMPARE(bad.settings.tag.countH, 9);
}

void TestSettings::writeToDiskFalseWritesNothing()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    const QString oldPath = dir.filePath(QStringLiteral("old.ini"));

    // No file: nothing is made, the defaults are used.
    SettingsLoad load = settings::GetInitial(path, QString(), false);
    QVERIFY(load.reports.isEmpty());
    QVERIFY(!QFile::exists(path));
    QVERIFY(sameSettings(load.settings, Settings{}));

    // A file to upgrade: upgraded in memory only.
    QVERIFY(writeBytes(path, readBytes(dataFile("settings_v120.ini"))));
    load = settings::GetInitial(path, QString(), false);
    QVERIFY(load.reports.isEmpty());
    QCOMPARE(readBytes(path), readBytes(dataFile("settings_v120.ini")));
    QCOMPARE(load.settings.tag.countW, 5);
    QCOMPARE(load.settings.tag.priceMark, 0);
    QCOMPARE(load.settings.shelf.cardWidth, QStringLiteral("60"));

    // Takeover: neither file is written.
    QVERIFY(QFile::remove(path));
    QVERIFY(writeBytes(oldPath, readBytes(dataFile("settings_v120.ini"))));
    load = settings::GetInitial(path, oldPath, false);
    QVERIFY(load.reports.isEmpty());
    QVERIFY(!QFile::exists(path));
    QCOMPARE(readBytes(oldPath), readBytes(dataFile("settings_v120.ini")));
    QCOMPARE(load.settings.shelf.headerText, QStringLiteral("特売"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("old.ini")});
}

void TestSettings::reportBoxes()
{
    const settings::SettingsReportBox make =
        settings::settingsReportBox({QStringLiteral("MakeMyIni"), platform::AppError::pathNotFound()});
    QCOMPARE(make.title, QStringLiteral("エラー情報(MakeMyIni)"));
    QCOMPARE(make.text, QStringLiteral("初期化ファイルの作成に失敗しました"));
    QVERIFY(!make.critical);

    const settings::SettingsReportBox set =
        settings::settingsReportBox({QStringLiteral("main.SetInitial"), platform::AppError::pathNotFound()});
    QCOMPARE(set.title, QStringLiteral("エラー情報"));
    QCOMPARE(set.text,
             QStringLiteral("エラーが発生しました(main.SetInitial)\r\nエラー番号: 76\r\n内容: パスが見つかりません。"));
    QVERIFY(set.critical);

    // Start-up with a settings folder that does not exist and a non-numeric value in the old file.
    QTemporaryDir dir;
    const QString oldPath = dir.filePath(QStringLiteral("old.ini"));
    QVERIFY(writeBytes(oldPath, defaultWith(QStringLiteral("Bunkatsu"), QStringLiteral("W"), QStringLiteral("x"))));
    const SettingsLoad load = settings::GetInitial(dir.filePath(QStringLiteral("gone/vennlo.ini")), oldPath);
    FakeUiServices ui;
    settings::showSettingsReports(ui, load.reports);
    QCOMPARE(ui.messages.size(), 2);
    QCOMPARE(ui.messages.at(0).title, QStringLiteral("エラー情報(MakeMyIni)"));
    QCOMPARE(ui.messages.at(0).text, QStringLiteral("初期化ファイルの作成に失敗しました"));
    QCOMPARE(ui.messages.at(0).icon, platform::UiServices::Icon::None);
    QCOMPARE(ui.messages.at(0).buttons, platform::UiServices::Buttons::Ok);
    QCOMPARE(ui.messages.at(1).title, QStringLiteral("エラー情報"));
    QCOMPARE(ui.messages.at(1).text, QStringLiteral("エラーが発生しました(main.GetOldIni)\r\nエラー番号: 13\r\n"
                                                    "内容: 型が一致しません。 ([Bunkatsu] W)"));
    QCOMPARE(ui.messages.at(1).icon, platform::UiServices::Icon::Critical);
}

// Keys later versions added ([Tax] ReducedTax, the reduced-rate marks): a file without them loads their
// defaults without a report, and they are written back only once they differ from the default.
void TestSettings::addedKeys_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value"); // null: the key is not in the file
    QTest::addColumn<QString>("loaded");
    QTest::addColumn<QString>("reported");
    QTest::addColumn<QString>("written"); // what writing the loaded settings into an empty profile gives
    QTest::newRow("reduced rate missing") << "Tax"
                                          << "ReducedTax" << QString() << "0.08" << QString() << QString();
    QTest::newRow("reduced rate 0.1") << "Tax"
                                      << "ReducedTax"
                                      << "0.1"
                                      << "0.1" << QString() << "0.1";
    QTest::newRow("reduced rate empty") << "Tax"
                                        << "ReducedTax"
                                        << ""
                                        << "0.08" << QString() << QString();
    QTest::newRow("reduced rate letters") << "Tax"
                                          << "ReducedTax"
                                          << "eight"
                                          << "0.08"
                                          << "[Tax] ReducedTax" << QString();
    QTest::newRow("shelf mark on") << "Make"
                                   << "KM"
                                   << "1"
                                   << "1" << QString() << "1";
    QTest::newRow("tag mark missing") << "CMake"
                                      << "KM" << QString() << "0" << QString() << QString();
    QTest::newRow("tag mark on") << "CMake"
                                 << "KM"
                                 << "1"
                                 << "1" << QString() << "1";
}

void TestSettings::addedKeys()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QString, loaded);
    QFETCH(QString, reported);
    QFETCH(QString, written);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, value.isNull() ? settings::defaultSettingsBytes() : defaultWith(section, key, value)));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QCOMPARE(reportsText(load).contains(reported), true);
    QCOMPARE(load.reports.isEmpty(), reported.isEmpty());
    const Settings &s = load.settings;
    const QString got = key == QLatin1String("ReducedTax") ? s.tax.reducedRate.toString()
                        : section == QLatin1String("Make") ? QString::number(s.shelf.reducedMark)
                                                           : QString::number(s.tag.reducedMark);
    QCOMPARE(got, loaded);
    QCOMPARE(writtenValue(s, section, key), written);
}

void TestSettings::flagsOtherThanOneAreOff_data()
{
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("on");
    QTest::newRow("shelf cut line 2") << "Line"
                                      << "line"
                                      << "2" << false;
    QTest::newRow("shelf item code 1") << "Make"
                                       << "GN"
                                       << "1" << true;
    QTest::newRow("shelf digits 7") << "Make"
                                    << "JN"
                                    << "7" << false;
    QTest::newRow("tag item code 2") << "CMake"
                                     << "HB"
                                     << "2" << false;
    QTest::newRow("tag ruled line 255") << "CMake"
                                        << "Line"
                                        << "255" << false;
    QTest::newRow("tag card width fixed 3") << "CCWidth"
                                            << "S"
                                            << "3" << false;
}

// Pages, painters and windows all take only 1 as on; a settings file holding another number reads
// as off and is written back as the 0 it means.
void TestSettings::flagsOtherThanOneAreOff()
{
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(bool, on);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("vennlo.ini"));
    QVERIFY(writeBytes(path, defaultWith(section, key, value)));
    const SettingsLoad load = settings::GetInitial(path, QString());
    QVERIFY2(load.reports.isEmpty(), qPrintable(reportsText(load)));
    const Settings &s = load.settings;
    const QString id = section + QLatin1Char('/') + key;
    const bool read = id == "Line/line"    ? s.shelf.cutLine
                      : id == "Make/GN"    ? s.shelf.showItemCode
                      : id == "Make/JN"    ? s.shelf.showDigits
                      : id == "CMake/HB"   ? s.tag.showItemCode
                      : id == "CMake/Line" ? s.tag.ruledLine
                                           : s.tag.cardWidthFixed;
    QCOMPARE(read, on);
    QCOMPARE(writtenValue(s, section, key), on ? QStringLiteral("1") : QStringLiteral("0"));
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
