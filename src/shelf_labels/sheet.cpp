#include "shelf_labels/sheet.h"

#include "barcode/barcode.h"
#include "barcode/barcode_images.h"
#include "common/helpers.h"
#include "platform/cp932.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "shelf_labels/card.h"
#include "shelf_labels/window_values.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

namespace shelf_labels {

using platform::AppError;

namespace {

// "#,##0" of a numeric text; any other text stays as it is.
QString formatted(const QString &text)
{
    const auto v = platform::numericValue(text);
    if (!v || std::fabs(*v) > 9.0e15)
        return text;
    return platform::formatThousands(qint64(std::nearbyint(*v)));
}

std::optional<qint32> wholeNumber(const QString &text, AppError *error)
{
    if (!platform::isNumeric(text)) {
        if (error)
            *error = AppError::typeMismatch();
        return std::nullopt;
    }
    const auto v = platform::toWholeNumber(text);
    if (!v && error)
        *error = AppError::overflow();
    return v;
}

// The rounding mode as the sheet applies it: an unknown mode adds nothing.
int roundingMode(int ks)
{
    return ks >= 0 && ks <= 2 ? ks : 0;
}

void setError(AppError *error, const AppError &e)
{
    if (error)
        *error = e;
}

// A split whose arithmetic failed (a price beyond 32 bits, a rate of -1) refuses the card with
// the same report the ledger and the price tags give, instead of printing 0.
bool splitOk(const products::PriceSplit &split, AppError *error)
{
    if (!split.error)
        return true;
    setError(error, split.error == AppError::Overflow ? AppError::overflow() : AppError::divisionByZero());
    return false;
}

// The cards on the stock's labels, one page per sheet; the labels before the start position and those
// of products without a price stay empty.
bool writeStockSheets(const Sheet &sheet, const ShelfLabelDesign &d, const CardFrame &frame, platform::LineSink &lines,
                      AppError *error, const Progress &progress)
{
    const qint64 perSheet = d.stock.count();
    const qint64 n = sheet.cellCount;
    const qint64 lastSheet = n > 0 ? (n - 1) / perSheet : 0;
    for (qint64 s = 0; s <= lastSheet; ++s) {
        lines << label_stocks::sheetOpening(s == lastSheet);
        for (qint64 i = s * perSheet; i < n && i < (s + 1) * perSheet; ++i) {
            const qint64 k = i - sheet.startOffset;
            if (k >= 0) {
                const auto card = fillCard(sheet.products.at(k), d, sheet.tax, error);
                if (!card)
                    return false;
                if (platform::isNumeric(card->price))
                    lines << label_stocks::labelHtml(d.stock, i, cardHtml(*card, frame, d.layoutType));
            }
            if (progress)
                progress();
        }
        lines << label_stocks::sheetClosing();
        if (!lines.good())
            return true; // the writer reports its failure when it is finished
    }
    lines << QStringLiteral("</body></html>");
    return true;
}

} // namespace

std::optional<Division> division(const ShelfLabelDesign &design)
{
    const auto w = platform::toInteger16(design.countW);
    const auto h = platform::toInteger16(design.countH);
    if (!w || !h || *w < 1 || *h < 1)
        return std::nullopt;
    return Division{*w, *h};
}

std::optional<PriceTexts> priceTexts(const QString &listPrice, const products::TaxSettings &tax, AppError *error)
{
    const bool listIsIncluded = tax.indicate == 1;
    const int ks = roundingMode(tax.ks);
    const QString &l = listPrice;
    PriceTexts t;

    if (tax.zeikomi != 1) {
        if (!listIsIncluded) {
            t.price = formatted(l);
        } else {
            const auto lw = wholeNumber(l, error);
            if (!lw)
                return std::nullopt;
            const products::PriceSplit split = products::ruleB(*lw, tax.rate);
            if (!splitOk(split, error))
                return std::nullopt;
            t.price = platform::formatThousands(split.base);
        }
        t.taxNote = QStringLiteral("(消費税別)");
        return t;
    }

    std::optional<qint32> lw;
    if (platform::isNumeric(l)) {
        lw = wholeNumber(l, error);
        if (!lw)
            return std::nullopt;
        if (listIsIncluded) {
            t.price = formatted(l);
        } else {
            const products::PriceSplit split = products::ruleA(*lw, tax.rate, ks);
            if (!splitOk(split, error))
                return std::nullopt;
            t.price = platform::formatThousands(split.included);
        }
    } else {
        t.price = QStringLiteral("0");
    }

    const bool zero = !platform::isNumeric(t.price) || t.price == QLatin1String("0");
    QString base;
    QString taxAmount;
    if (!zero) {
        if (!listIsIncluded) {
            base = formatted(l);
            const products::PriceSplit split = products::ruleA(*lw, tax.rate, ks);
            if (!splitOk(split, error))
                return std::nullopt;
            taxAmount = platform::formatThousands(split.tax);
        } else {
            const auto d = wholeNumber(t.price, error);
            if (!d)
                return std::nullopt;
            const products::PriceSplit split = products::ruleB(*d, tax.rate);
            if (!splitOk(split, error))
                return std::nullopt;
            base = platform::formatThousands(split.base);
            taxAmount = platform::formatThousands(split.tax);
        }
    }
    switch (tax.style) {
    case 1:
        t.taxNote = QStringLiteral("(税込み)");
        break;
    case 2:
        t.taxNote =
            zero ? QStringLiteral("(本体価格 0円)") : QStringLiteral("(本体価格 ") + base + QStringLiteral("円)");
        break;
    case 3:
        t.taxNote = zero ? QStringLiteral("(うち消費税等 0円) ")
                         : QStringLiteral("(うち消費税等 ") + taxAmount + QStringLiteral("円)");
        break;
    case 4:
        t.taxNote = zero ? QStringLiteral("(本体価格 0円、消費税等 0円) ")
                         : QStringLiteral("(本体価格 ") + base + QStringLiteral("円、消費税等 ") + taxAmount +
                               QStringLiteral("円)");
        break;
    default:
        break;
    }
    return t;
}

std::optional<Sheet> SetSyouhin(const products::ProductList &list, const ShelfLabelDesign &design,
                                const products::TaxSettings &tax, int startOffset, AppError *error,
                                const Progress &progress)
{
    const auto div = division(design);
    if (!div) {
        setError(error, AppError::invalidPropertyValue());
        return std::nullopt;
    }
    if (startOffset < 0) {
        setError(error, AppError::invalidPropertyValue());
        return std::nullopt;
    }
    // A text the page cannot hold names its product, before any page is begun.
    if (const AppError unstorable = products::unstorableTextForMakers(list); unstorable.isSet()) {
        setError(error, unstorable);
        return std::nullopt;
    }
    Sheet sheet;
    sheet.products = products::rowsForMakers(list);
    sheet.tax = tax;
    sheet.startOffset = startOffset;
    sheet.cellCount = qint32(sheet.products.size()) + startOffset;

    if (design.showHeader) {
        sheet.headerText = design.headerText;
        sheet.headerColor = design.headerColor;
    } else {
        sheet.headerColor = QStringLiteral("#FFFFFF");
    }
    if (design.showLogo) {
        QString tag = QStringLiteral("<IMG SRC=\"file://") + platform::htmlEscape(design.logoName) +
                      QStringLiteral("\" width=\"") +
                      QString::number(platform::toWholeNumber(design.logoW).value_or(0)) +
                      QStringLiteral("\" height=\"") +
                      QString::number(platform::toWholeNumber(design.logoH).value_or(0)) + QStringLiteral("\">");
        sheet.logoTag = tag.replace(QLatin1Char('\\'), QLatin1Char('/'));
    }

    // Every price is checked here, so that a list the sheet cannot show is refused before the page
    // is begun; the cards themselves are filled as the page is written.
    for (const products::Product &p : std::as_const(sheet.products)) {
        if (!priceTexts(p.price, tax.forClass(p.reduced), error))
            return std::nullopt;
        if (progress)
            progress();
    }
    priceMarks(design.priceMark, &sheet.markBefore, &sheet.markAfter);
    return sheet;
}

bool writeSheet(const Sheet &sheet, const ShelfLabelDesign &d, platform::LineSink &sink, AppError *error,
                const Progress &progress)
{
    const auto div = division(d);
    if (!div) {
        setError(error, AppError::invalidPropertyValue());
        return false;
    }
    const auto css = cssPieces(d, error);
    if (!css)
        return false;
    const CssPieces &c = *css;
    const QString &b = d.backColor;
    const qint32 n = sheet.cellCount;
    if (sheet.startOffset < 0 || qint64(sheet.startOffset) + sheet.products.size() != n) {
        setError(error, AppError::invalidPropertyValue());
        return false;
    }

    platform::LineSink &lines = sink;
    lines << pageHeadLines()
          << QStringLiteral("table.pagebreak {page-break-after:always; border-collapse:collapse; ") + c.lineRule
          << QStringLiteral("        table-layout:fixed;") + c.tableWidthRule + QLatin1Char('}')
          << QStringLiteral("table.nobreak {border-collapse:collapse; ") + c.lineRule +
                 QStringLiteral(" table-layout:fixed;") + c.tableWidthRule + QLatin1Char('}')
          << QStringLiteral("table.card {width:100%;}")
          << QStringLiteral("table.inside {width:100%; border-style:none;}")
          << QStringLiteral("td.area0 {font:") + c.prefix[0] + c.size[0] + QLatin1Char(' ') + c.name[0] +
                 QLatin1Char(';')
          << QStringLiteral("        color:") + c.color[0] + QStringLiteral("; text-align:") + c.align[0] +
                 QStringLiteral(";}");
    auto area = [&](const char *cls, int i) {
        lines << QStringLiteral("td.") + QLatin1String(cls) + QStringLiteral(" {font:") + c.prefix[i] + c.size[i] +
                     QLatin1Char(' ') + c.name[i] + QLatin1Char(';')
              << QStringLiteral("        color:") + c.color[i] + QStringLiteral("; text-align:") + c.align[i] +
                     QLatin1Char(';')
              << QStringLiteral("        background-color:") + b + QStringLiteral(";}");
    };
    area("area1", 1);
    area("area2", 2);
    lines << QStringLiteral("td.area30 {font:") + c.prefix[6] + c.size[6] + QLatin1Char(' ') + c.name[6] +
                 QLatin1Char(';')
          << QStringLiteral("        color:") + c.color[3] + QLatin1Char(';')
          << QStringLiteral("        text-align:right; background-color:") + b + QStringLiteral(";}");
    area("area31", 3);
    lines << QStringLiteral("td.area32 {font:") + c.prefix[6] + c.size[6] + QLatin1Char(' ') + c.name[6] +
                 QLatin1Char(';')
          << QStringLiteral("        color:") + c.color[3] + QStringLiteral("; text-align:left;")
          << QStringLiteral("        background-color:") + b + QStringLiteral(";}");
    area("area4", 4);
    area("area5", 5);
    lines << QStringLiteral("td.area6 {font-size:10pt;") << QStringLiteral("        text-align:center;}")
          << QStringLiteral("td.top {vertical-align:top; ") + c.lineRule + QLatin1Char(' ') + c.cellWidthRule +
                 QLatin1Char('}')
          << QStringLiteral("div.card {") + c.heightRule + c.divWidthRule
          << QStringLiteral("        margin:0px;") + c.paddingRule + c.overflowRule
          << QStringLiteral("        border-style:") + d.borderStyle + QStringLiteral("; border-width:") +
                 d.borderWidth + QStringLiteral("pt;")
          << QStringLiteral("        border-color:") + d.borderColor + QStringLiteral(";}")
          << QStringLiteral("div.dumm {") + c.heightRule + c.divWidthRule
          << QStringLiteral("        margin:0px;") + c.paddingRule + c.overflowRule
          << QStringLiteral("        border-style:none;}");
    if (d.stock.isSet()) {
        for (const QString &line : label_stocks::stockStyleLines(d.stock, c.lineRule))
            lines << line;
    }
    lines << QStringLiteral("--></style></head><body>");

    const CardFrame frame{sheet.headerText, sheet.headerColor, c.logoAlign,
                          sheet.logoTag,    sheet.markBefore,  sheet.markAfter};
    const QString blank = QStringLiteral("<td class=\"top\"><div class=\"dumm\"></div></td>");
    if (d.stock.isSet())
        return writeStockSheets(sheet, d, frame, lines, error, progress);
    const qint64 perPage = qint64(div->w) * div->h;
    // The table of the last page with cards does not break after itself: a sheet that fills its last
    // page exactly would otherwise print a blank sheet after it.
    const qint64 lastPage = n > 0 ? (n - 1) / perPage : 0;
    const QString pageBreak = QStringLiteral("<table class=\"pagebreak\" cellspacing=\"0\">");
    const QString noBreak = QStringLiteral("<table class=\"nobreak\" cellspacing=\"0\">");
    qint64 i = 0;
    for (qint64 p = 0; p <= lastPage; ++p) {
        lines << (p < lastPage ? pageBreak : noBreak);
        for (int row = 1; row <= div->h; ++row) {
            if (i >= n)
                break;
            lines << QStringLiteral("<tr>");
            for (int col = 0; col < div->w; ++col, ++i) {
                const qint64 k = i - sheet.startOffset;
                if (k < 0 || k >= sheet.products.size()) {
                    lines << blank;
                } else {
                    const auto card = fillCard(sheet.products.at(k), d, sheet.tax, error);
                    if (!card)
                        return false;
                    lines << (platform::isNumeric(card->price) ? cardHtml(*card, frame, d.layoutType) : blank);
                }
                if (progress)
                    progress();
            }
            lines << QStringLiteral("</tr>");
        }
        lines << QStringLiteral("</table>");
        if (!sink.good())
            return true; // the writer reports its failure when it is finished
    }
    lines << QStringLiteral("</body></html>");
    return true;
}

std::optional<QStringList> sheetHtmlLines(const Sheet &sheet, const ShelfLabelDesign &design, AppError *error,
                                          const Progress &progress)
{
    platform::LineCollector lines;
    if (!writeSheet(sheet, design, lines, error, progress))
        return std::nullopt;
    return std::move(lines.lines);
}

bool MakeHtmlFile(const Sheet &sheet, const ShelfLabelDesign &design, const QString &folder, AppError *error,
                  const Progress &progress)
{
    platform::Cp932PageWriter writer(QDir(folder).filePath(pageFileName()));
    AppError openError;
    if (!writer.open(&openError)) {
        // The page's own faults come first, as they would if the folder could take it.
        platform::NullSink nowhere;
        if (writeSheet(sheet, design, nowhere, error))
            setError(error, openError);
        return false;
    }
    if (!writeSheet(sheet, design, writer, error, progress))
        return false;
    return writer.finish(error);
}

std::optional<QStringList> SetStartPos(const QString &countW, const QString &countH)
{
    const auto w = platform::toInteger16(countW);
    const auto h = platform::toInteger16(countH);
    if (!platform::isNumeric(countW) || !platform::isNumeric(countH) || !w || !h)
        return std::nullopt;
    QStringList items;
    const qint64 cells = qint64(*w) * *h;
    for (qint64 i = 1; i <= cells && i <= common::MaxStartPositions; ++i)
        items << QString::number(i);
    return items;
}

common::Refusal emptyListNotice(int listRows, common::LaunchedFrom from)
{
    return common::emptyListNotice(listRows, from == common::LaunchedFrom::Button ? QStringLiteral("棚札作成")
                                                                                  : QStringLiteral("値札作成"));
}

common::Refusal check(const Inputs &in)
{
    const qsizetype productCount = products::rowCountForMakers(in.rows);
    const ShelfLabelDesign &design = in.design;
    const QString &startPosition = in.start;
    using Icon = platform::UiServices::Icon;
    if (productCount == 0)
        return common::Refusal{QStringLiteral("値札作成"), QStringLiteral("データがありません."), Icon::Information};

    const bool wNumeric = platform::isNumeric(design.logoW);
    const bool hNumeric = platform::isNumeric(design.logoH);
    if (!wNumeric || !hNumeric || *platform::numericValue(design.logoW) < 0 ||
        *platform::numericValue(design.logoH) < 0)
        return common::Refusal{QStringLiteral("画像の拡大/縮小"), QStringLiteral("画像のサイズの値が不正です."),
                               Icon::Critical, Next::LogoSize};
    if (design.showLogo && !design.logoName.isEmpty()) {
        if (const QString tooLarge = common::logoTooLargeText(design.logoName); !tooLarge.isEmpty())
            return common::Refusal{QStringLiteral("エラー情報"), tooLarge, Icon::Critical};
    }

    if (startPosition != QLatin1String("1") && (!design.cardHeightFixed || !design.cardWidthFixed))
        return common::Refusal{
            QStringLiteral("棚札作成"),
            QStringLiteral("出力の開始位置を 1 以外に指定するときは、\r\nカードの縦横のサイズを指定してください."),
            Icon::Information, Next::CardHeight};

    const auto div = division(design);
    if (!div)
        return common::Refusal{
            QStringLiteral("入力値のチェック"),
            QStringLiteral("「列　で改行する」と「行　で改ページする」には\r\n1 以上の整数を指定してください."),
            Icon::Critical};

    const qint64 cells = qint64(div->w) * div->h;
    const auto start = platform::toWholeNumber(startPosition);
    if (!platform::isNumeric(startPosition) || !start || *start < 1 || *start > cells ||
        *platform::numericValue(startPosition) != double(*start))
        return common::Refusal{QStringLiteral("棚札作成"),
                               QStringLiteral("出力の開始位置には 1 から %1 までの数値を指定してください.").arg(cells),
                               Icon::Information};
    if (productCount + *start - 1 > common::MaxSheetCards)
        return common::tooManyCards(QStringLiteral("棚札作成"));
    if (design.showHeader) {
        if (const QString bad = platform::cp932::firstUnencodableCharacter(design.headerText); !bad.isEmpty())
            return common::Refusal{
                QStringLiteral("入力値のチェック"),
                QStringLiteral("ヘッダーの文字に Shift_JIS で保存できない文字「%1」があります.").arg(bad),
                Icon::Critical};
    }
    return {};
}

common::MakeResult make(const Inputs &in, const QString &folder, const Progress &progress)
{
    using common::MakeResult;
    if (const common::Refusal refusal = check(in); refusal.refused())
        return MakeResult::refusedBy(refusal);
    ShelfLabelDesign d = settledDesign(in.design);
    d.startOffset = *platform::toWholeNumber(in.start) - 1;

    // The page draws its barcodes from the 33 images beside it. A missing output folder is not
    // made here: writing the page reports it.
    if (QFileInfo(folder).isDir()) {
        if (const auto e = barcode::ensureBarcodeImages(platform::programFolder() + QStringLiteral("/BarCode"),
                                                        QDir(folder).filePath(QStringLiteral("BarCode"))))
            return MakeResult::failed(makeHtmlFileLabel(), *e);
    }
    AppError error;
    const auto sheet = SetSyouhin(in.rows, d, in.tax, d.startOffset, &error, progress);
    if (!sheet)
        return MakeResult::failed(setSyouhinLabel(), error);
    if (!MakeHtmlFile(*sheet, d, folder, &error, progress))
        return MakeResult::failed(makeHtmlFileLabel(), error);
    return MakeResult::made(QDir(folder).filePath(pageFileName()), QStringLiteral("ぽらね値札作成"),
                            QStringLiteral("値札(棚札)を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
}

} // namespace shelf_labels
