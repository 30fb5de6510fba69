#include "shelf_labels/card.h"

#include "barcode/barcode.h"
#include "common/font_texts.h"
#include "common/page_head.h"
#include "common/style_values.h"
#include "platform/numbers.h"
#include "platform/text_file.h"

namespace shelf_labels {

std::optional<CssPieces> cssPieces(const ShelfLabelDesign &d, platform::AppError *error)
{
    CssPieces c;
    for (int i = 0; i < 7; ++i) {
        c.prefix[i] = common::cssFontPrefix(d.area[i].fontStyle);
        c.size[i] = d.area[i].fontSize;
        c.name[i] = common::cssQuotedFontName(d.area[i].fontName);
        if (i < 6) {
            c.color[i] = d.area[i].color;
            c.align[i] = common::cssAlign(d.area[i].align);
        }
    }
    c.logoAlign = common::cssAlign(d.logoAlign);
    if (d.cardHeightFixed) {
        c.heightRule = QStringLiteral("height:") + d.cardHeight + QStringLiteral("mm;");
        c.overflowRule = QStringLiteral("overflow:hidden;");
    } else {
        c.overflowRule = QStringLiteral("overflow:visible;");
    }
    if (d.cardWidthFixed) {
        const auto w = platform::toWholeNumber(d.cardWidth);
        if (!w) {
            if (error)
                *error = platform::AppError::typeMismatch();
            return std::nullopt;
        }
        // One millimetre less inside, so that the card's border stays within the cell.
        c.divWidthRule = QStringLiteral("width:") + QString::number(qint64(*w) - 1) + QStringLiteral("mm;");
        c.cellWidthRule = QStringLiteral("width:") + d.cardWidth + QStringLiteral("mm;");
    } else {
        c.divWidthRule = QStringLiteral("width:100%;");
        c.tableWidthRule = QStringLiteral("width:100%;");
    }
    c.paddingRule = QStringLiteral("padding:") + d.padding[0] + QStringLiteral("mm ") + d.padding[3] +
                    QStringLiteral("mm ") + d.padding[1] + QStringLiteral("mm ") + d.padding[2] + QStringLiteral("mm;");
    c.lineRule = d.cutLine ? QStringLiteral("border-style:solid; border-width:1px; border-color:") + d.lineColor +
                                 QLatin1Char(';')
                           : QStringLiteral("border-style:none;");
    return c;
}

void priceMarks(int priceMark, QString *before, QString *after)
{
    switch (priceMark) {
    case 0:
        *before = QStringLiteral("&yen;");
        *after = QStringLiteral("　");
        break;
    case 1:
        *before = QStringLiteral("　");
        *after = QStringLiteral("円");
        break;
    default:
        before->clear();
        after->clear();
    }
}

QString cardHtml(const Card &card, const CardFrame &frame, int layoutType)
{
    using platform::htmlEscape;
    const QLatin1String span = layoutType == 1 ? QLatin1String("4") : QLatin1String("3");
    QString s;
    s.reserve(1200 + card.barcode.size());
    s += QLatin1String("<td class=\"top\"><div class=\"card\"><table class=\"card\" cellspacing=\"0\"><tr>"
                       "<td><table class=\"inside\" cellspacing=\"0\"><tr><td class=\"area0\" colspan=\"");
    s += span;
    if (!frame.headerColor.isNull()) {
        s += QLatin1String("\" bgcolor=\"");
        s += frame.headerColor;
    }
    s += QLatin1String("\">");
    s += htmlEscape(frame.headerText);
    s += QLatin1String("</td></tr><tr><td align=\"");
    s += frame.logoAlign;
    s += QLatin1String("\" colspan=\"");
    s += span;
    s += QLatin1String("\">");
    s += frame.logoTag;
    s += QLatin1String("</td></tr><tr><td class=\"area1\" colspan=\"");
    s += span;
    s += QLatin1String("\">");
    s += htmlEscape(card.itemCode);
    s += QLatin1String("</td></tr><tr><td class=\"area2\" colspan=\"");
    s += span;
    s += QLatin1String("\">");
    s += htmlEscape(card.name);
    s += QLatin1String("</td></tr><tr><td class=\"area30\">");
    s += frame.markBefore;
    s += QLatin1String("</td><td class=\"area31\">");
    s += htmlEscape(card.price);
    s += QLatin1String("</td><td class=\"area32\">");
    s += frame.markAfter;
    if (card.reducedMark)
        s += QStringLiteral("※");
    if (layoutType == 1) {
        s += QLatin1String("</td><td><div align=\"center\">");
        s += card.barcode;
        s += QLatin1String("</div></td></tr><tr><td class=\"area4\" colspan=\"3\">");
        s += htmlEscape(card.taxNote);
        s += QLatin1String("</td><td class=\"area6\">");
        s += htmlEscape(card.janDigits);
        s += QLatin1String("</td></tr><tr><td class=\"area5\" colspan=\"4\">");
        s += htmlEscape(card.remarks);
    } else {
        s += QLatin1String("</td></tr><tr><td class=\"area4\" colspan=\"3\">");
        s += htmlEscape(card.taxNote);
        s += QLatin1String("</td></tr><tr><td class=\"area5\" colspan=\"3\">");
        s += htmlEscape(card.remarks);
        s += QLatin1String("</td></tr><tr><td colspan=\"3\"><div align=\"center\">");
        s += card.barcode;
        s += QLatin1String("</div></td></tr><tr><td class=\"area6\" colspan=\"3\">");
        s += htmlEscape(card.janDigits);
    }
    s += QLatin1String("</td></tr></table></td></tr></table></div></td>");
    return s;
}

std::optional<Card> fillCard(const products::Product &p, const ShelfLabelDesign &design,
                             const products::TaxSettings &tax, platform::AppError *error)
{
    const auto prices = priceTexts(p.price, tax.forClass(p.reduced), error);
    if (!prices)
        return std::nullopt;
    Card c;
    if (design.showItemCode)
        c.itemCode = p.code;
    c.name = p.name;
    c.price = prices->price;
    c.taxNote = prices->taxNote;
    c.reducedMark = design.reducedMark && p.reduced;
    if (design.showRemarks)
        c.remarks = p.remarks;
    if (design.showBarcode) {
        c.barcode = barcode::MakeBarCodeHtml(p.jan, design.barcodeHeight);
        if (design.showDigits)
            c.janDigits = p.jan;
    }
    return c;
}

QStringList pageHeadLines()
{
    return common::pageHeadLines({QStringLiteral("ぽらね値札作成")});
}

} // namespace shelf_labels
