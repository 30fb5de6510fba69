#include "barcode/barcode.h"
#include "barcode/ean_patterns.h"

#include <QRegularExpression>
#include <QtTest>

using namespace barcode;

namespace {

struct Tag {
    QString src;
    int width;
    QString height;
};

// Splits an image sequence back into its tags; fails the test on anything between or around them.
QList<Tag> parseTags(const QString &html)
{
    static const QRegularExpression one(
        QStringLiteral("<img src=\"([^\"]*)\" border=\"0\" width=\"([0-9]+)\" height=\"(-?[0-9]+)\">"));
    QList<Tag> tags;
    qsizetype pos = 0;
    while (pos < html.size()) {
        const QRegularExpressionMatch m =
            one.match(html, pos, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
        if (!m.hasMatch()) {
            qWarning() << "unexpected text at" << pos << html.mid(pos, 40);
            return {};
        }
        tags.append({m.captured(1), m.captured(2).toInt(), m.captured(3)});
        pos = m.capturedEnd();
    }
    return tags;
}

QString expectedHtml(const QStringList &names, int height)
{
    QString html;
    for (qsizetype i = 0; i < names.size(); ++i) {
        const QString &name = names[i];
        const int width = name == u"LB.bmp" || name == u"RB.bmp" ? 4 : name == u"CB.bmp" ? 5 : 7;
        html += QStringLiteral("<img src=\"BarCode/%1\" border=\"0\" width=\"%2\" height=\"%3\">")
                    .arg(name)
                    .arg(width)
                    .arg(height);
    }
    return html;
}

std::string_view modulesOfImage(const QString &src)
{
    const QString name = src.mid(QStringLiteral("BarCode/").size());
    if (name == u"LB.bmp")
        return ean::leftGuardImage;
    if (name == u"CB.bmp")
        return ean::centreGuardImage;
    if (name == u"RB.bmp")
        return ean::rightGuardImage;
    const int d = name[0].unicode() - u'0';
    if (name.mid(1) == u"_L1.bmp")
        return ean::setA[d];
    if (name.mid(1) == u"_L2.bmp")
        return ean::setB[d];
    if (name.mid(1) == u"_R.bmp")
        return ean::setC[d];
    return {};
}

} // namespace

class TestBarcode : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkDigit_data();
    void checkDigit();
    void checkDigitOfEveryValidCode_data();
    void checkDigitOfEveryValidCode();
    void sequence_data();
    void sequence();
    void parityRow_data();
    void parityRow();
    void invalidCode_data();
    void invalidCode();
    void numberSets();
    void sequenceIsCompleteSymbol_data();
    void sequenceIsCompleteSymbol();
};

void TestBarcode::checkDigit_data()
{
    QTest::addColumn<QString>("digits");
    QTest::addColumn<int>("expected"); // -1: no check digit

    // EAN-13, weights 1,3,1,3,... from the left.
    QTest::newRow("13 sample code, sum 120") << "456789123454" << 0;
    QTest::newRow("13 Japanese prefix, sum 126") << "490123456789" << 4;
    QTest::newRow("13 book code, sum 96") << "978020137962" << 4;
    QTest::newRow("13 sum 89") << "400638133393" << 1;
    QTest::newRow("13 zeros") << "000000000000" << 0;
    QTest::newRow("13 nines, sum 216") << "999999999999" << 4;
    // EAN-8, weights 3,1,3,... from the left.
    QTest::newRow("8 sum 60") << "1234567" << 0;
    QTest::newRow("8 sum 86") << "9638507" << 4;
    QTest::newRow("8 Japanese prefix, sum 43") << "4901234" << 7;
    QTest::newRow("8 sum 53") << "5512345" << 7;
    QTest::newRow("8 zeros") << "0000000" << 0;
    // No check digit.
    QTest::newRow("11 characters") << "45678912345" << -1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("6 characters") << "123456" << -1;
    QTest::newRow("8 characters") << "12345670" << -1;
    QTest::newRow("13 characters") << "4567891234540" << -1;
    QTest::newRow("letter in 7") << "12345a7" << -1;
    QTest::newRow("letter in 12") << "49012345678x" << -1;
    QTest::newRow("blank in 7") << " 123456" << -1;
    QTest::newRow("sign in 7") << "-123456" << -1;
    QTest::newRow("full-width digits") << QString::fromUtf8("１２３４５６７") << -1;
}

void TestBarcode::checkDigit()
{
    QFETCH(QString, digits);
    QFETCH(int, expected);
    resetCheckDigitCounter();
    QCOMPARE(checkDigitCounter(), 0);
    QCOMPARE(GetCheckDigit(digits), expected);
    QCOMPARE(checkDigitCounter(), expected >= 0 ? 1 : 0);
    // The counter keeps counting across calls until it is reset.
    GetCheckDigit(digits);
    QCOMPARE(checkDigitCounter(), expected >= 0 ? 2 : 0);
}

void TestBarcode::checkDigitOfEveryValidCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("4901234567894") << "4901234567894";
    QTest::newRow("4006381333931") << "4006381333931";
    QTest::newRow("9780201379624") << "9780201379624";
    QTest::newRow("4567891234540") << "4567891234540";
    QTest::newRow("96385074") << "96385074";
    QTest::newRow("12345670") << "12345670";
    QTest::newRow("49012347") << "49012347";
}

// A complete code: with its own check digit the weighted sum over all digits is a multiple of 10.
void TestBarcode::checkDigitOfEveryValidCode()
{
    QFETCH(QString, code);
    const int check = GetCheckDigit(code.left(code.size() - 1));
    QCOMPARE(QString::number(check), code.right(1));
    int sum = 0;
    for (qsizetype i = 0; i < code.size(); ++i) {
        // Counted from the right, the check digit has weight 1 and its left neighbour 3.
        const bool heavy = (code.size() - 1 - i) % 2 == 1;
        sum += (code[i].unicode() - u'0') * (heavy ? 3 : 1);
    }
    QCOMPARE(sum % 10, 0);
}

void TestBarcode::sequence_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<int>("height");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<int>("totalWidth");

    const QStringList sample13 = {"LB.bmp",   "5_L1.bmp", "6_L2.bmp", "7_L1.bmp", "8_L1.bmp",
                                  "9_L2.bmp", "1_L2.bmp", "CB.bmp",   "2_R.bmp",  "3_R.bmp",
                                  "4_R.bmp",  "5_R.bmp",  "4_R.bmp",  "0_R.bmp",  "RB.bmp"};
    const QStringList sample8 = {"LB.bmp",  "1_L1.bmp", "2_L1.bmp", "3_L1.bmp", "4_L1.bmp", "CB.bmp",
                                 "5_R.bmp", "6_R.bmp",  "7_R.bmp",  "0_R.bmp",  "RB.bmp"};
    QTest::newRow("preview sample, 40") << "4567891234540" << 40 << sample13 << 97;
    QTest::newRow("preview sample, 0") << "4567891234540" << 0 << sample13 << 97;
    QTest::newRow("preview sample, -5") << "4567891234540" << -5 << sample13 << 97;
    QTest::newRow("preview sample, 32767") << "4567891234540" << 32767 << sample13 << 97;
    QTest::newRow("EAN-8, 40") << "12345670" << 40 << sample8 << 69;
    QTest::newRow("EAN-8, -5") << "12345670" << -5 << sample8 << 69;
    QTest::newRow("first character 0") << "0123456789012" << 25
                                       << QStringList{"LB.bmp",   "1_L1.bmp", "2_L1.bmp", "3_L1.bmp", "4_L1.bmp",
                                                      "5_L1.bmp", "6_L1.bmp", "CB.bmp",   "7_R.bmp",  "8_R.bmp",
                                                      "9_R.bmp",  "0_R.bmp",  "1_R.bmp",  "2_R.bmp",  "RB.bmp"}
                                       << 97;
    QTest::newRow("Japanese prefix 49") << "4901234567894" << 40
                                        << QStringList{"LB.bmp",   "9_L1.bmp", "0_L2.bmp", "1_L1.bmp", "2_L1.bmp",
                                                       "3_L2.bmp", "4_L2.bmp", "CB.bmp",   "5_R.bmp",  "6_R.bmp",
                                                       "7_R.bmp",  "8_R.bmp",  "9_R.bmp",  "4_R.bmp",  "RB.bmp"}
                                        << 97;
}

void TestBarcode::sequence()
{
    QFETCH(QString, code);
    QFETCH(int, height);
    QFETCH(QStringList, names);
    QFETCH(int, totalWidth);

    const QString html = MakeBarCodeHtml(code, height);
    resetCheckDigitCounter();
    const QString again = MakeBarCodeHtml(code, height);
    QCOMPARE(checkDigitCounter(), 0); // only check-digit computations count
    QCOMPARE(again, html);
    QCOMPARE(html, expectedHtml(names, height));
    QVERIFY(!html.contains(u'\n') && !html.contains(u'\r'));

    const QList<Tag> tags = parseTags(html);
    QCOMPARE(tags.size(), names.size());
    int width = 0;
    for (const Tag &t : tags) {
        width += t.width;
        QCOMPARE(t.height, QString::number(height));
    }
    QCOMPARE(width, totalWidth);
    QCOMPARE(tags.first().width, 4);
    QCOMPARE(tags.last().width, 4);
    QCOMPARE(tags[tags.size() / 2].src, QStringLiteral("BarCode/CB.bmp"));
    QCOMPARE(tags[tags.size() / 2].width, 5);
}

void TestBarcode::parityRow_data()
{
    QTest::addColumn<QChar>("first");
    QTest::addColumn<QString>("row");
    // The EAN-13 first-digit parity table, A = "_L1", B = "_L2".
    const char *rows[] = {"AAAAAA", "AABABB", "AABBAB", "AABBBA", "ABAABB",
                          "ABBAAB", "ABBBAA", "ABABAB", "ABABBA", "ABBABA"};
    for (int d = 0; d < 10; ++d)
        QTest::newRow(qPrintable(QString::number(d))) << QChar(u'0' + d) << QString::fromLatin1(rows[d]);
}

void TestBarcode::parityRow()
{
    QFETCH(QChar, first);
    QFETCH(QString, row);
    const QString code = first + QStringLiteral("12345678901");
    const int check = GetCheckDigit(code);
    const QList<Tag> tags = parseTags(MakeBarCodeHtml(code + QString::number(check), 40));
    QCOMPARE(tags.size(), 15);
    QString seen;
    for (int k = 1; k <= 6; ++k) {
        QCOMPARE(tags[k].src.mid(8, 1), code.mid(k, 1));
        seen += tags[k].src.endsWith(u"_L1.bmp") ? u'A' : tags[k].src.endsWith(u"_L2.bmp") ? u'B' : u'?';
    }
    QCOMPARE(seen, row);
}

void TestBarcode::invalidCode_data()
{
    QTest::addColumn<QString>("code");
    QTest::newRow("empty") << "";
    QTest::newRow("12 characters, check digit missing") << "456789123454";
    QTest::newRow("14 characters") << "45678912345401";
    QTest::newRow("7 characters") << "1234567";
    QTest::newRow("9 characters") << "123456705";
    QTest::newRow("13, letter first") << "A567891234540";
    QTest::newRow("13, blank first") << " 567891234540";
    QTest::newRow("13, letter inside") << "45678912345X0";
    QTest::newRow("8, letter inside") << "1234a670";
    QTest::newRow("8, sign") << "-1234567";
    QTest::newRow("13, full-width digits") << QString::fromUtf8("４５６７８９１２３４５４０");
    QTest::newRow("13, path characters") << "4../../../x.0";
}

void TestBarcode::invalidCode()
{
    QFETCH(QString, code);
    QCOMPARE(MakeBarCodeHtml(code, 40), QString());
}

// The number-set tables against the rules of the standard that define them.
void TestBarcode::numberSets()
{
    // Pinned entries of ISO/IEC 15420 table 1.
    QCOMPARE(ean::setA[0], std::string_view("0001101"));
    QCOMPARE(ean::setA[9], std::string_view("0001011"));
    QCOMPARE(ean::setB[0], std::string_view("0100111"));
    QCOMPARE(ean::setC[6], std::string_view("1010000"));
    for (int d = 0; d < 10; ++d) {
        const std::string_view a = ean::setA[d], b = ean::setB[d], c = ean::setC[d];
        QCOMPARE(a.size(), size_t(7));
        QCOMPARE(b.size(), size_t(7));
        QCOMPARE(c.size(), size_t(7));
        int onesA = 0, onesB = 0, runsA = 0;
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(c[i], a[i] == '1' ? '0' : '1'); // C is A inverted
            QCOMPARE(b[i], c[6 - i]);                // B is C reversed
            onesA += a[i] == '1';
            onesB += b[i] == '1';
            if (a[i] == '1' && (i == 0 || a[i - 1] == '0'))
                ++runsA;
        }
        QCOMPARE(onesA % 2, 1); // odd parity
        QCOMPARE(onesB % 2, 0); // even parity
        QCOMPARE(runsA, 2);     // two bars and two spaces per character
        QCOMPARE(a.front(), '0');
        QCOMPARE(a.back(), '1');
    }
    // Every digit pattern is distinct across all three sets, so a reader can tell them apart.
    QSet<QString> all;
    for (int d = 0; d < 10; ++d) {
        all << QString::fromLatin1(ean::setA[d].data(), 7) << QString::fromLatin1(ean::setB[d].data(), 7)
            << QString::fromLatin1(ean::setC[d].data(), 7);
    }
    QCOMPARE(all.size(), 30);
}

void TestBarcode::sequenceIsCompleteSymbol_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("symbol"); // bars of the whole symbol, quiet zones excluded
    // EAN-8 12345670 from its module patterns: 101 | 1 2 3 4 in A | 01010 | 5 6 7 0 in C | 101.
    QTest::newRow("12345670") << "12345670"
                              << QStringLiteral("101"
                                                "0011001"
                                                "0010011"
                                                "0111101"
                                                "0100011"
                                                "01010"
                                                "1001110"
                                                "1010000"
                                                "1000100"
                                                "1110010"
                                                "101");
    // EAN-13 4567891234540: row ABAABB over 5 6 7 8 9 1, then 2 3 4 5 4 0 in C.
    QTest::newRow("4567891234540") << "4567891234540"
                                   << QStringLiteral("101"
                                                     "0110001"
                                                     "0000101"
                                                     "0111011"
                                                     "0110111"
                                                     "0010111"
                                                     "0110011"
                                                     "01010"
                                                     "1101100"
                                                     "1000010"
                                                     "1011100"
                                                     "1001110"
                                                     "1011100"
                                                     "1110010"
                                                     "101");
}

// Laid side by side, the images of a sequence hold exactly the symbol's modules, with one space
// module of quiet zone on each side.
void TestBarcode::sequenceIsCompleteSymbol()
{
    QFETCH(QString, code);
    QFETCH(QString, symbol);
    std::string modules;
    for (const Tag &t : parseTags(MakeBarCodeHtml(code, 40))) {
        const std::string_view m = modulesOfImage(t.src);
        QVERIFY2(!m.empty(), qPrintable(t.src));
        QCOMPARE(int(m.size()), t.width); // one module per displayed pixel
        modules += m;
    }
    QCOMPARE(QString::fromStdString(modules), u'0' + symbol + u'0');
}

QTEST_GUILESS_MAIN(TestBarcode)
#include "tst_barcode.moc"
