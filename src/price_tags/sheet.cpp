#include "price_tags/sheet.h"

#include "barcode/barcode_images.h"
#include "common/font_texts.h"
#include "common/helpers.h"
#include "platform/folders.h"

#include "barcode/barcode.h"
#include "platform/numbers.h"
#include "platform/text_file.h"
#include "price_tags/card.h"
#include "price_tags/designer_rules.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace price_tags {

using Icon = platform::UiServices::Icon;

namespace {

common::Refusal refusal(const QString &text, const QString &title, Icon icon, common::FollowUp next, int slot = -1)
{
    return {title, text, icon, next, slot};
}

const QLatin1String Q("\"");

} // namespace

common::Refusal check(const Inputs &in)
{
    const bool wNum = platform::isNumeric(in.logoWidth);
    const bool hNum = platform::isNumeric(in.logoHeight);
    if (!wNum || !hNum || *platform::numericValue(in.logoWidth) < 0 || *platform::numericValue(in.logoHeight) < 0)
        return refusal(QStringLiteral("画像のサイズの値が不正です."), QStringLiteral("画像の拡大/縮小"), Icon::Critical,
                       Next::LogoSize);

    qint64 total = 0;
    for (int i = 0; i < SlotCount; ++i) {
        // A negative count is as meaningless as a letter and would shift every later card.
        const auto n = platform::toWholeNumber(in.copies[i]);
        if (!platform::isNumeric(in.copies[i]) || (n && *n < 0) || (!n && *platform::numericValue(in.copies[i]) < 0))
            return refusal(QStringLiteral("作成枚数の値がが不正です"), QStringLiteral("作成枚数チェック"),
                           Icon::Critical, Next::Copies, i);
        total += n ? *n : std::numeric_limits<qint32>::max();
    }

    if (in.startPos != QLatin1String("1") && (!in.cardHeightFixed || !in.cardWidthFixed))
        return refusal(
            QStringLiteral("出力の開始位置を 1 以外に指定するときは、\r\nカードの縦横のサイズを指定してください."),
            QStringLiteral("貼付用値札作成"), Icon::Information, Next::CardHeight);

    if (total == 0)
        return refusal(QStringLiteral("作成枚数が設定されていません."), QStringLiteral("貼付用値札作成"),
                       Icon::Information, Next::FirstCopies);

    // An empty division box would divide by zero while the page is made.
    const auto w = platform::toWholeNumber(in.countW);
    const auto h = platform::toWholeNumber(in.countH);
    if (!w || !h || *w < 1 || *h < 1)
        return refusal(QStringLiteral("横に並べる列数と縦に並べる行数には 1 以上の数を指定してください."),
                       QStringLiteral("貼付用値札作成"), Icon::Information, Next::Division);
    const auto start = platform::toWholeNumber(in.startPos);
    if (!start || *start < 1 || qint64(*start) > qint64(*w) * *h)
        return refusal(QStringLiteral("出力の開始位置は 1 から %1 までの数で指定してください.").arg(qint64(*w) * *h),
                       QStringLiteral("貼付用値札作成"), Icon::Information, Next::CardHeight);
    if (total + *start - 1 > common::MaxSheetCards)
        return common::tooManyCards(QStringLiteral("貼付用値札作成"));
    return {};
}

std::optional<QStringList> SetStartPos(const QString &countW, const QString &countH)
{
    const auto w = platform::toWholeNumber(countW);
    const auto h = platform::toWholeNumber(countH);
    if (!w || !h)
        return std::nullopt;
    QStringList items;
    const qint64 cells = qint64(*w) * *h;
    for (qint64 i = 1; i <= cells && i <= common::MaxStartPositions; ++i)
        items << QString::number(i);
    return items;
}

platform::AppError SetSyouhin(const ProductSlots &items, const Copies &copiesText, const PriceTagDesign &d,
                              SheetCards *cards)
{
    std::array<qint32, SlotCount> copies{};
    qint64 total = 0;
    for (int i = 0; i < SlotCount; ++i) {
        const auto n = platform::toWholeNumber(copiesText[i]);
        if (!n)
            return platform::isNumeric(copiesText[i]) ? platform::AppError::overflow()
                                                      : platform::AppError::typeMismatch();
        copies[i] = *n;
        total += *n;
    }
    total += d.startOffset;
    if (total > std::numeric_limits<qint32>::max() || d.startOffset < 0 || total < 0)
        return platform::AppError::overflow();

    SheetCards c;
    c.cardCount = int(total);
    c.startOffset = d.startOffset;

    if (d.showLogo) {
        c.logo = QStringLiteral("<IMG SRC=\"file://") + platform::htmlEscape(d.logoName) + Q +
                 QStringLiteral(" width=\"") + QString::number(d.logoW) + Q + QStringLiteral(" height=\"") +
                 QString::number(d.logoH) + Q + QLatin1Char('>');
        c.logo.replace(QLatin1Char('\\'), QLatin1Char('/'));
    }

    for (int p = 0; p < SlotCount; ++p) {
        const ProductSlot &slot = items[p];
        SheetCards::Run &run = c.runs[p];
        run.copies = copies[p];
        if (run.copies == 0)
            continue;
        // One image sequence per slot: every copy shows the same code.
        if (d.showBarcode)
            run.barcode = barcode::MakeBarCodeHtml(slot.jan, d.barcodeHeight);
        if (d.showBarcode && d.showDigits)
            run.digits = slot.jan;
        if (d.showItemCode)
            run.code = slot.code;
        if (d.showName)
            run.name = slot.name;
        run.price = slot.price;
        run.reducedMark = d.reducedMark && slot.reduced;
    }
    switch (d.priceMark) {
    case 0:
        c.prefix = QStringLiteral("&yen;");
        break;
    case 1:
        c.suffix = QStringLiteral("円");
        break;
    default:
        break;
    }
    c.tax = d.showTaxNote ? QStringLiteral("(税込)") : QString();
    *cards = std::move(c);
    return {};
}

platform::AppError writeCHtml(const SheetCards &c, const PriceTagDesign &d, platform::LineSink &sink)
{
    if (d.countW < 1 || d.countH < 1)
        return platform::AppError::divisionByZero();
    const QString heightPart =
        d.cardHeightFixed ? QStringLiteral("height:") + d.cardHeight + QStringLiteral("mm;") : QString();
    const QString overflowPart =
        d.cardHeightFixed ? QStringLiteral("overflow:hidden;") : QStringLiteral("overflow:visible;");
    QString innerWidth, cellWidth, tableWidth;
    if (d.cardWidthFixed) {
        const auto w = platform::toInteger16(d.cardWidth);
        if (!w)
            return platform::isNumeric(d.cardWidth) ? platform::AppError::overflow()
                                                    : platform::AppError::typeMismatch();
        // The inner box is one millimetre narrower so that the ruled line stays inside the cell.
        innerWidth = QStringLiteral("width:") + QString::number(*w - 1) + QStringLiteral("mm;");
        cellWidth = QStringLiteral("width:") + d.cardWidth + QStringLiteral("mm;");
    } else {
        innerWidth = QStringLiteral("width:100%;");
        tableWidth = QStringLiteral("width:100%;");
    }
    const QString paddingPart = QStringLiteral("padding:") + d.padding[0] + QStringLiteral("mm ") + d.padding[3] +
                                QStringLiteral("mm ") + d.padding[1] + QStringLiteral("mm ") + d.padding[2] +
                                QStringLiteral("mm;");
    const QString borderPart = d.ruledLine ? QStringLiteral("border-style:solid; border-width:1px; border-color:") +
                                                 d.lineColor + QLatin1Char(';')
                                           : QStringLiteral("border-style:none;");

    platform::LineSink &l = sink;
    const qint64 P = qint64(d.countW) * d.countH;
    const qint64 N = c.cardCount;
    for (const QString &line : pageHeadLines())
        l << line;
    static const char *const openings[4] = {
        "td.area1 {font:", "td.area2 {font:", "td.area31 {font:", "td.area33 {font:"};
    for (int i = 0; i < 4; ++i) {
        l << QLatin1String(openings[i]) + common::cssFontPrefix(d.fontStyle[i]) + d.fontSize[i] + QLatin1Char(' ') +
                 quotedFamily(d.fontName[i]) + QLatin1Char(';');
        l << QStringLiteral("        color:") + d.fontColor[i] + QStringLiteral("; text-align:") +
                 common::cssAlign(d.fontAlign[i]) + QLatin1Char(';');
        l << QStringLiteral("        background-color:#ffffff;}");
    }
    l << QStringLiteral("td.area6 {font-size:9pt;");
    l << QStringLiteral("        text-align:center;}");
    l << QStringLiteral("td.top {vertical-align:top; ") + borderPart + QLatin1Char(' ') + cellWidth + QLatin1Char('}');
    l << QStringLiteral("div.card {") + heightPart + innerWidth;
    l << QStringLiteral("        margin:0px;") + paddingPart + overflowPart + QLatin1Char('}');
    l << QStringLiteral("table.pagebreak {page-break-after:always; border-collapse:collapse; ") + borderPart;
    l << QStringLiteral("        table-layout:fixed;") + tableWidth + QLatin1Char('}');
    l << QStringLiteral("table.nobreak {table-layout:fixed; border-collapse:collapse; ") + borderPart + tableWidth +
             QLatin1Char('}');
    if (d.stock.isSet()) {
        for (const QString &line : label_stocks::stockStyleLines(d.stock, borderPart))
            l << line;
    }
    l << QStringLiteral("--></style></head><body>");

    const QString blank = QStringLiteral("<td class=\"top\"><div class=\"card\"></div></td>");
    const QString opening = QStringLiteral("<td class=\"top\"><div class=\"card\"><table width=\"100%\" border=\"0\" "
                                           "cellpadding=\"0\"><tr><td align=\"") +
                            logoAlignWord(d.logoAlign) + Q;
    const bool twoTier = d.twoTier;
    CardTexts t;
    t.logo = c.logo;
    t.tax = c.tax;
    // Copies of one product give the same card line: it is built once per run. The cells are
    // asked for in order, so one cursor walks the runs.
    int run = 0;
    qint64 usedOfRun = 0;
    int builtRun = -1;
    QString builtCard;
    auto cell = [&](qint64 k) -> const QString & {
        if (k < c.startOffset)
            return blank;
        while (run < SlotCount && usedOfRun >= c.runs[run].copies) {
            ++run;
            usedOfRun = 0;
        }
        if (run >= SlotCount)
            return blank;
        ++usedOfRun;
        const SheetCards::Run &r = c.runs[run];
        if (!platform::isNumeric(r.price))
            return blank;
        if (builtRun != run) {
            t.code = platform::htmlEscape(r.code);
            t.name = platform::htmlEscape(r.name);
            t.price = c.prefix + platform::htmlEscape(r.price) + c.suffix;
            if (r.reducedMark)
                t.price += QStringLiteral("※");
            t.barcode = r.barcode;
            t.digits = platform::htmlEscape(r.digits);
            builtCard = opening + cardRest(twoTier, d.layoutType, t);
            builtRun = run;
        }
        return builtCard;
    };
    const QString pageBreak = QStringLiteral("<table class=\"pagebreak\" cellspacing=\"0\">");
    const QString noBreak = QStringLiteral("<table class=\"nobreak\" cellspacing=\"0\">");

    // On a stock each tag stands on its label, one page per sheet; the labels before the start
    // position and those of products without a price stay empty.
    if (d.stock.isSet()) {
        const qint64 perSheet = d.stock.count();
        const qint64 lastSheet = N > 0 ? (N - 1) / perSheet : 0;
        for (qint64 s = 0; s <= lastSheet; ++s) {
            l << label_stocks::sheetOpening(s == lastSheet);
            for (qint64 i = s * perSheet; i < N && i < (s + 1) * perSheet; ++i) {
                const QString &card = cell(i);
                if (&card != &blank)
                    l << label_stocks::labelHtml(d.stock, i, card);
            }
            l << label_stocks::sheetClosing();
            if (!sink.good())
                return {};
        }
        l << QStringLiteral("</body></html>");
        return {};
    }
    // The table of the last page with tags does not break after itself: a sheet that fills its last
    // page exactly would otherwise print a blank sheet after it.
    const qint64 lastPage = N > 0 ? (N - 1) / P : 0;
    qint64 k = 0;
    for (qint64 pg = 0; pg <= lastPage; ++pg) {
        l << (pg < lastPage ? pageBreak : noBreak);
        for (int row = 1; row <= d.countH && k < N; ++row) {
            l << QStringLiteral("<tr>");
            for (int col = 0; col < d.countW; ++col, ++k)
                l << cell(k);
            l << QStringLiteral("</tr>");
        }
        l << QStringLiteral("</table>");
        if (!sink.good())
            return {}; // the writer reports its failure when it is finished
    }
    l << QStringLiteral("</body></html>");
    return {};
}

PageLines MakeCHtml(const SheetCards &cards, const PriceTagDesign &design)
{
    platform::LineCollector lines;
    PageLines page;
    page.error = writeCHtml(cards, design, lines);
    page.lines = std::move(lines.lines);
    return page;
}

common::Refusal emptyListNotice(int listRows, common::LaunchedFrom)
{
    return common::emptyListNotice(listRows, emptyListNoticeTitle());
}

dialogs::MakerPage makerPage()
{
    return {pageFileName(), QStringLiteral("Sub.ShowExplorer")};
}

QString pageFileName()
{
    return QStringLiteral("ctemp.html");
}

QString reportLabel()
{
    return QStringLiteral("MakeCHtml");
}

common::MakeResult make(const Inputs &in, const QString &folder, const common::Progress &)
{
    using common::MakeResult;
    const ProductSlots &items = in.rows;
    const Copies &copies = in.copies;
    const PriceTagDesign &design = in.design;
    const QString makeLabel = reportLabel();
    if (design.showLogo && !design.logoName.isEmpty()) {
        if (const QString tooLarge = common::logoTooLargeText(design.logoName); !tooLarge.isEmpty())
            return MakeResult::refusedBy(
                common::Refusal{QStringLiteral("エラー情報"), tooLarge, platform::UiServices::Icon::Critical});
    }
    SheetCards cards;
    platform::AppError e = SetSyouhin(items, copies, design, &cards);
    if (e.isSet())
        return MakeResult::failed(QStringLiteral("CMain.SetSyouhin"), e);
    const QString path = QDir(folder).filePath(pageFileName());
    platform::Cp932PageWriter writer(path);
    platform::AppError openError;
    const bool opened = writer.open(&openError);
    platform::NullSink nowhere;
    // Into nowhere when the file cannot be opened: the page's own faults are still reported first.
    e = opened ? writeCHtml(cards, design, writer) : writeCHtml(cards, design, nowhere);
    if (e.isSet())
        return MakeResult::failed(makeLabel, e);
    // The page draws its barcodes from the 33 images beside it. A missing output folder is not
    // made here: writing the page reports it.
    if (QFileInfo(folder).isDir()) {
        if (const auto images = barcode::ensureBarcodeImages(platform::programFolder() + QStringLiteral("/BarCode"),
                                                             QDir(folder).filePath(QStringLiteral("BarCode"))))
            return MakeResult::failed(makeLabel, *images);
    }
    if (!opened)
        return MakeResult::failed(makeLabel, openError);
    if (!writer.finish(&e))
        return MakeResult::failed(makeLabel, e);
    return MakeResult::made(path, QStringLiteral("ぽらね値札作成"),
                            QStringLiteral("貼付用値札を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
}

} // namespace price_tags
