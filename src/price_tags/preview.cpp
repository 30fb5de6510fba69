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
} // namespace

QString cprevFileName()
{
    return QStringLiteral("cprev.html");
}

PageLines MakeCPrevHtml(const PriceTagDesign &d)
{
    PageLines page;
    CardTexts t;
    if (d.lg == 1)
        t.logo = QStringLiteral("<IMG SRC=") + Q + platform::htmlEscape(d.logoName) + Q + QStringLiteral(" width=") +
                 Q + QString::number(d.logoW) + Q + QStringLiteral(" height=") + Q + QString::number(d.logoH) + Q +
                 QLatin1Char('>');
    t.code = d.hb == 1 ? QStringLiteral("SMPL12345") : QString();
    t.name = d.hm == 1 ? QStringLiteral("サンプル商品") : QString();
    t.tax = d.zk == 1 ? QStringLiteral("(税込)") : QString();
    const QString price = platform::formatThousands(2467);
    t.price = d.ym == 0 ? QStringLiteral("&yen;") + price : d.ym == 1 ? price + QStringLiteral("円") : price;
    if (d.jc == 1) {
        t.barcode = barcode::MakeBarCodeHtml(sampleJan, d.barcodeHeight);
        t.digits = d.jn == 1 ? sampleJan : QString();
    }

    const QString heightPart =
        d.cardHeightFixed == 1 ? QStringLiteral("height:") + d.cardHeight + QStringLiteral("mm;") : QString();
    const QString overflowPart =
        d.cardHeightFixed == 1 ? QStringLiteral("overflow:hidden;") : QStringLiteral("overflow:visible;");
    // The single preview card keeps its full width: there is no cell border to leave room for.
    const QString widthPart = d.cardWidthFixed == 1 ? QStringLiteral("width:") + d.cardWidth + QStringLiteral("mm;")
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
    l << QStringLiteral("<table border=") + Q + QString::number(d.line) + Q + QStringLiteral(" bordercolor=") + Q +
             d.lineColor + Q + QStringLiteral(" cellspacing=") + Q + QStringLiteral("0") + Q + QLatin1Char('>') +
             QStringLiteral("<tr><td class=\"top\"><div class=\"card\"><table class=\"inside\" border=\"0\" "
                            "cellspacing=\"0\"><tr><td align=\"") +
             logoAlignWord(d.logoAlign) + Q + cardRest(d.zw == 1, d.layoutType, t) + QStringLiteral("</tr></table>");
    l << QStringLiteral("</body></html>");
    return page;
}

} // namespace price_tags
