#include "shelf_labels/preview.h"

#include "barcode/barcode.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "shelf_labels/card.h"
#include "shelf_labels/sheet.h"

#include <QDir>

namespace shelf_labels {

products::Product previewSample()
{
    products::Product p;
    p.code = QStringLiteral("SMPL12345");
    p.name = QStringLiteral("サンプル商品");
    p.price = QStringLiteral("2350");
    p.remarks = QStringLiteral("(株)さんぷる");
    p.jan = QStringLiteral("4567891234540");
    return p;
}

std::optional<QStringList> previewHtmlLines(const ShelfLabelDesign &d, const products::TaxSettings &tax,
                                            platform::AppError *error)
{
    const auto css = cssPieces(d, error);
    if (!css)
        return std::nullopt;
    const CssPieces &c = *css;
    const products::Product sample = previewSample();
    const auto card = fillCard(sample, d, tax, error);
    if (!card)
        return std::nullopt;

    CardFrame frame;
    QString headerColor = QStringLiteral("#FFFFFF");
    if (d.showHeader) {
        frame.headerText = d.headerText;
        headerColor = d.headerColor;
    }
    frame.logoAlign = c.logoAlign;
    // The embedded browser takes the plain path, unlike the sheet.
    if (d.showLogo)
        frame.logoTag = QStringLiteral("<IMG SRC=\"") + platform::htmlEscape(d.logoName) +
                        QStringLiteral("\" width=\"") + QString::number(platform::toWholeNumber(d.logoW).value_or(0)) +
                        QStringLiteral("\" height=\"") + QString::number(platform::toWholeNumber(d.logoH).value_or(0)) +
                        QStringLiteral("\">");
    priceMarks(d.priceMark, &frame.markBefore, &frame.markAfter);

    const QString &b = d.backColor;
    QStringList lines;
    lines << pageHeadLines() << QStringLiteral("table.card {width:100%;}")
          << QStringLiteral("table.inside {width:100%;") << QStringLiteral("        border-style:none;}");
    auto rule = [&](const char *cls, int font, const QString &color, const QString &align, const QString &background) {
        lines << QStringLiteral("td.") + QLatin1String(cls) + QStringLiteral(" {font:") + c.prefix[font] +
                     c.size[font] + QLatin1Char(' ') + c.name[font] + QLatin1Char(';')
              << QStringLiteral("        color:") + color + QLatin1Char(';')
              << QStringLiteral("        text-align:") + align + QLatin1Char(';')
              << QStringLiteral("        background-color:") + background + QStringLiteral(";}");
    };
    rule("area0", 0, c.color[0], c.align[0], headerColor);
    rule("area1", 1, c.color[1], c.align[1], b);
    rule("area2", 2, c.color[2], c.align[2], b);
    rule("area30", 6, c.color[3], QStringLiteral("right"), b);
    rule("area31", 3, c.color[3], c.align[3], b);
    rule("area32", 6, c.color[3], QStringLiteral("left"), b);
    rule("area4", 4, c.color[4], c.align[4], b);
    rule("area5", 5, c.color[5], c.align[5], b);
    lines << QStringLiteral("td.area6 {font-size:10pt;") << QStringLiteral("        text-align:center;}")
          << QStringLiteral("td.top {vertical-align:top;}")
          << QStringLiteral("td.top {vertical-align:top; ") + c.cellWidthRule + QLatin1Char('}')
          << QStringLiteral("div.card {") + c.heightRule + c.divWidthRule
          << QStringLiteral("        margin:0px;") + c.paddingRule + c.overflowRule
          << QStringLiteral("        border-style:") + d.borderStyle + QLatin1Char(';')
          << QStringLiteral("        border-width:") + d.borderWidth + QStringLiteral("pt;")
          << QStringLiteral("        border-color:") + d.borderColor + QStringLiteral(";}")
          << QStringLiteral("--></style></head><body>");

    QString body = QStringLiteral("<table border=\"") + QString::number(d.cutLine) +
                   QStringLiteral("\" bordercolor=\"") + d.lineColor + QStringLiteral("\" cellspacing=\"0\"><tr>") +
                   cardHtml(*card, frame, d.layoutType);
    body += QStringLiteral("</tr></table>");
    lines << body << QStringLiteral("</body></html>");
    return lines;
}

std::optional<QStringList> previewCardTexts(const ShelfLabelDesign &d, const products::TaxSettings &tax,
                                            platform::AppError *error)
{
    const auto card = fillCard(previewSample(), d, tax, error);
    if (!card)
        return std::nullopt;
    const QString price = (d.priceMark == 0 ? QStringLiteral("¥") : QString()) + card->price +
                          (d.priceMark == 1 ? QStringLiteral("円") : QString());
    QStringList texts{d.showHeader ? d.headerText : QString(),
                      card->itemCode,
                      card->name,
                      price,
                      card->taxNote,
                      card->remarks,
                      card->janDigits};
    texts.removeAll(QString());
    return texts;
}

bool MakePreviewHtml(const ShelfLabelDesign &design, const products::TaxSettings &tax, const QString &folder,
                     QString *path, platform::AppError *error)
{
    const auto lines = previewHtmlLines(design, tax, error);
    if (!lines)
        return false;
    const QString file = QDir(folder).filePath(previewFileName());
    if (!platform::writeCp932Lines(file, *lines, error))
        return false;
    if (path)
        *path = file;
    return true;
}

} // namespace shelf_labels
