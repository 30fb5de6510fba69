#include "price_tags/preview.h"

#include "common/font_texts.h"

#include "barcode/barcode.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "price_tags/card.h"

namespace price_tags {

namespace {
const QLatin1String Q("\"");
const QString sampleJan = QStringLiteral("4567891234540");

// The sample product's texts as the design prints them; the yen mark is left to the caller.
struct SampleTexts {
    QString code;
    QString name;
    QString tax;
    bool yenBefore = false;
    QString price; // with 円 after it where the design says so
    QString digits;
};

SampleTexts sampleTexts(const PriceTagDesign &d)
{
    SampleTexts s;
    s.code = d.showItemCode ? QStringLiteral("SMPL12345") : QString();
    s.name = d.showName ? QStringLiteral("サンプル商品") : QString();
    s.tax = d.showTaxNote ? QStringLiteral("(税込)") : QString();
    s.yenBefore = d.priceMark == 0;
    s.price = platform::formatThousands(2467) + (d.priceMark == 1 ? QStringLiteral("円") : QString());
    s.digits = d.showBarcode && d.showDigits ? sampleJan : QString();
    return s;
}
} // namespace

QString cprevFileName()
{
    return QStringLiteral("cprev.html");
}

PageLines MakeCPrevHtml(const PriceTagDesign &d)
{
    PageLines page;
    CardTexts t;
    if (d.showLogo)
        t.logo = QStringLiteral("<IMG SRC=") + Q + platform::htmlEscape(d.logoName) + Q + QStringLiteral(" width=") +
                 Q + QString::number(d.logoW) + Q + QStringLiteral(" height=") + Q + QString::number(d.logoH) + Q +
                 QLatin1Char('>');
    const SampleTexts s = sampleTexts(d);
    t.code = s.code;
    t.name = s.name;
    t.tax = s.tax;
    t.price = (s.yenBefore ? QStringLiteral("&yen;") : QString()) + s.price;
    if (d.showBarcode)
        t.barcode = barcode::MakeBarCodeHtml(sampleJan, d.barcodeHeight);
    t.digits = s.digits;

    const QString heightPart =
        d.cardHeightFixed ? QStringLiteral("height:") + d.cardHeight + QStringLiteral("mm;") : QString();
    const QString overflowPart =
        d.cardHeightFixed ? QStringLiteral("overflow:hidden;") : QStringLiteral("overflow:visible;");
    // The single preview card keeps its full width: there is no cell border to leave room for.
    const QString widthPart = d.cardWidthFixed ? QStringLiteral("width:") + d.cardWidth + QStringLiteral("mm;")
                                               : QStringLiteral("width:100%;");
    const QString paddingPart = QStringLiteral("padding:") + d.padding[0] + QStringLiteral("mm ") + d.padding[3] +
                                QStringLiteral("mm ") + d.padding[1] + QStringLiteral("mm ") + d.padding[2] +
                                QStringLiteral("mm;");

    QStringList &l = page.lines;
    l << pageHeadLines();
    l << QStringLiteral("table.inside {width:100%;}");
    static const char *const openings[4] = {
        "td.area1 {font:", "td.area2 {font:", "td.area31 {font:", "td.area33 {font:"};
    for (int i = 0; i < 4; ++i) {
        const QString word = i == 3 ? QStringLiteral("normal normal normal ") : common::cssFontPrefix(d.fontStyle[i]);
        l << QLatin1String(openings[i]) + word + d.fontSize[i] + QLatin1Char(' ') + quotedFamily(d.fontName[i]) +
                 QLatin1Char(';');
        l << QStringLiteral("        color:") + d.fontColor[i] + QLatin1Char(';');
        l << QStringLiteral("        text-align:") + common::cssAlign(d.fontAlign[i]) + QLatin1Char(';');
        l << QStringLiteral("        background-color:#ffffff;}");
    }
    l << QStringLiteral("td.area6 {font-size:9pt;");
    l << QStringLiteral("        text-align:center;}");
    l << QStringLiteral("td.top {vertical-align:top;}");
    l << QStringLiteral("div.card {") + heightPart + widthPart;
    l << QStringLiteral("        margin:0px;") + paddingPart + overflowPart + QLatin1Char('}');
    l << QStringLiteral("--></style></head><body>");
    l << QStringLiteral("<table border=") + Q + QString::number(d.ruledLine) + Q + QStringLiteral(" bordercolor=") + Q +
             d.lineColor + Q + QStringLiteral(" cellspacing=") + Q + QStringLiteral("0") + Q + QLatin1Char('>') +
             QStringLiteral("<tr><td class=\"top\"><div class=\"card\"><table class=\"inside\" border=\"0\" "
                            "cellspacing=\"0\"><tr><td align=\"") +
             logoAlignWord(d.logoAlign) + Q + cardRest(d.twoTier, d.layoutType, t) + QStringLiteral("</tr></table>");
    l << QStringLiteral("</body></html>");
    return page;
}

QStringList previewCardTexts(const PriceTagDesign &d)
{
    const SampleTexts s = sampleTexts(d);
    QStringList texts{s.code, s.name, (s.yenBefore ? QStringLiteral("¥") : QString()) + s.price, s.tax, s.digits};
    texts.removeAll(QString());
    return texts;
}

} // namespace price_tags
