// Texts drawn by the text pen into a PDF keep every character in the PDF's text layer, in order,
// whatever face draws them: a Japanese face with Latin letters and digits, a Latin face whose Japanese
// letters come from its fallback face, on one line or wrapped; ideographs that the face's radicals
// share a glyph with are named by the ideographs themselves. The glyphs drawn are the ones the shaper
// chose, whatever face names them. A slanted face whose font has no italic leans as the web engine
// leans it.

#include "painting/text_box.h"
#include "platform/font_config.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextLayout>
#include <QtTest>

namespace {

// The text as pdftotext reads it, and as it is meant, compared without spaces and line ends and in
// compatibility form (the PDF may name a CJK radical for its ideograph).
QString comparable(const QString &text)
{
    static const QRegularExpression space(QStringLiteral("\\s+"));
    return text.normalized(QString::NormalizationForm_KC).remove(space);
}

} // namespace

class TestTextLayer : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawn_data();
    void drawn();
    void shapes_data();
    void shapes();
    void slant_data();
    void slant();
};

void TestTextLayer::drawn_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width");
    // Read back as drawn, character for character; otherwise in compatibility form.
    QTest::addColumn<bool>("exactly");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::newRow("Japanese face, code, letters and digits")
        << "ＭＳ Ｐゴシック"
        << "A-001 煎茶 <20袋入>" << 1000.0 << false << false << false;
    QTest::newRow("Latin face, Japanese letters between") << "DejaVu Serif"
                                                          << "(本体価格 398円)" << 1000.0 << false << false << false;
    QTest::newRow("Latin face, Japanese letters, wrapped")
        << "DejaVu Serif"
        << "煎茶ティーバッグ <20袋入> ほうじ茶 & 玄米茶 1,450円" << 120.0 << false << false << false;
    QTest::newRow("default face, digits") << ""
                                          << "4901234567894" << 1000.0 << false << false << false;
    // 長, 入 and 麦 share their glyphs with radicals (U+2ED1 and U+2FA7, U+2F0A, U+2EE8).
    QTest::newRow("ideographs radicals share, Gothic")
        << "ＭＳ ゴシック"
        << "店長のおすすめ 入荷 黒糖 麦茶" << 1000.0 << true << false << false;
    QTest::newRow("ideographs radicals share, Mincho") << "ＭＳ 明朝"
                                                       << "店長入荷" << 1000.0 << true << false << false;
    // Item codes, prices and ideographs in every face and style a design offers: each word is read
    // back whole, the PDF's width of each glyph reaching to the next one.
    const QStringList faces{QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("ＭＳ ゴシック"),
                            QStringLiteral("ＭＳ 明朝"), QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("メイリオ")};
    for (const QString &family : faces) {
        for (const int style : {0, 1, 2, 3}) {
            const bool bold = style & 1, italic = style & 2;
            QTest::addRow("%s%s%s", qUtf8Printable(family), bold ? " bold" : "", italic ? " slanted" : "")
                << family << QStringLiteral("B-101 A-001 4901234567894 1,480円 店長入荷") << 1000.0 << true << bold
                << italic;
        }
    }
}

void TestTextLayer::drawn()
{
    QFETCH(QString, family);
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(bool, exactly);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("text.pdf"));
    {
        QPdfWriter writer(pdf);
        writer.setResolution(96);
        QPainter painter(&writer);
        const painting::TextPen pen(&writer);
        painting::TextFace face;
        face.family = family;
        face.sizePx = 16;
        face.bold = bold;
        face.italic = italic;
        const double height = pen.draw(painter, QRectF(10, 10, width, 600), face, text);
        QVERIFY(height >= pen.lineHeight(face));
        QCOMPARE(height > pen.lineHeight(face), width < 1000);
    }
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(60000));
    const QString read = QString::fromUtf8(p.readAllStandardOutput());
    if (exactly)
        QCOMPARE(QString(read).remove(QRegularExpression(QStringLiteral("\\s+"))),
                 QString(text).remove(QLatin1Char(' ')));
    else
        QCOMPARE(comparable(read), comparable(text));
    // On one line, the words as they were written: none broken in two where the reader, placing each
    // glyph by its width, sees a gap before the next one.
    if (width >= 1000) {
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        QVERIFY(p.waitForFinished(60000));
        static const QRegularExpression word(QStringLiteral(">([^<]*)</word>"));
        QStringList words;
        for (const QRegularExpressionMatch &m : word.globalMatch(QString::fromUtf8(p.readAllStandardOutput())))
            words.append(m.captured(1)
                             .replace(QStringLiteral("&lt;"), QStringLiteral("<"))
                             .replace(QStringLiteral("&gt;"), QStringLiteral(">"))
                             .replace(QStringLiteral("&amp;"), QStringLiteral("&")));
        const auto form = exactly ? QString::NormalizationForm_C : QString::NormalizationForm_KC;
        QCOMPARE(words.join(QLatin1Char(' ')).normalized(form), text.normalized(form));
    }
}

void TestTextLayer::shapes_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    for (const char *family : {"ＭＳ Ｐゴシック", "ＭＳ ゴシック", "ＭＳ 明朝", "ＭＳ Ｐ明朝", "メイリオ"}) {
        for (const bool bold : {false, true})
            QTest::addRow("%s%s", family, bold ? " bold" : "") << QString::fromUtf8(family) << bold;
    }
}

// The pen's line against the shaper's glyph runs drawn as they come, large: the same ink.
void TestTextLayer::shapes()
{
    QFETCH(QString, family);
    QFETCH(bool, bold);
    const QString text = QStringLiteral("B-101 店長入荷 4901234567894");
    QImage drawn(1400, 100, QImage::Format_Grayscale8);
    drawn.fill(Qt::white);
    QImage shaped = drawn;
    painting::TextFace face;
    face.family = family;
    face.sizePx = 48;
    face.bold = bold;
    {
        QPainter painter(&drawn);
        const painting::TextPen pen(&drawn);
        pen.draw(painter, QRectF(10, 10, 1380, 90), face, text);
        QPainter plain(&shaped);
        plain.setPen(Qt::black);
        // A line with Japanese letters is drawn unkerned, as the web engine draws it.
        QFont unkerned = pen.font(face);
        unkerned.setKerning(false);
        QTextLayout layout(text, unkerned, &shaped);
        layout.beginLayout();
        const QTextLine line = layout.createLine();
        layout.endLayout();
        for (const QGlyphRun &run : line.glyphRuns())
            plain.drawGlyphRun(QPointF(10, 10 + pen.ascent(face) - line.ascent()), run);
    }
    qsizetype ink = 0, apart = 0;
    for (int y = 0; y < drawn.height(); ++y) {
        const uchar *a = drawn.constScanLine(y), *b = shaped.constScanLine(y);
        for (int x = 0; x < drawn.width(); ++x) {
            ink += b[x] < 128;
            apart += std::abs(a[x] - b[x]) > 96;
        }
    }
    QVERIFY(ink > 1000);
    QVERIFY2(apart * 1000 < ink, qPrintable(QStringLiteral("%1 of %2 pixels apart").arg(apart).arg(ink)));
}

void TestTextLayer::slant_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<double>("lean");
    QTest::newRow("Gothic face upright") << "ＭＳ ゴシック" << false << false << 0.0;
    QTest::newRow("Gothic face slanted") << "ＭＳ ゴシック" << false << true << 0.25;
    QTest::newRow("Mincho face bold and slanted") << "ＭＳ 明朝" << true << true << 0.25;
}

// A tall stroke drawn large: the run of its ink's middle across per row of height.
void TestTextLayer::slant()
{
    QFETCH(QString, family);
    QFETCH(bool, bold);
    QFETCH(bool, italic);
    QFETCH(double, lean);
    QImage image(400, 400, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        const painting::TextPen pen(&image);
        painting::TextFace face;
        face.family = family;
        face.sizePx = 200;
        face.bold = bold;
        face.italic = italic;
        pen.draw(painter, QRectF(100, 50, 300, 300), face, QStringLiteral("|"));
    }
    QList<QPointF> middles;
    for (int y = 0; y < image.height(); ++y) {
        const uchar *row = image.constScanLine(y);
        double sum = 0;
        int n = 0;
        for (int x = 0; x < image.width(); ++x) {
            if (row[x] < 128) {
                sum += x;
                ++n;
            }
        }
        if (n > 0)
            middles.append(QPointF(sum / n, y));
    }
    QVERIFY(middles.size() > 100);
    // The ends of a stroke are rounded or cut: its middle half is measured.
    const QPointF top = middles.at(middles.size() / 4), bottom = middles.at(middles.size() * 3 / 4);
    QVERIFY(qAbs((top.x() - bottom.x()) / (bottom.y() - top.y()) - lean) < 0.01);
}

int main(int argc, char *argv[])
{
    // The Windows font names in the faces the program's fontconfig names, as the sheets draw them.
    platform::useProgramFontConfig(QStringLiteral(VENNLO_PROGRAM_DIR));
    QGuiApplication app(argc, argv);
    TestTextLayer test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_text_layer.moc"
