#include "ledger/sheet.h"

#include "barcode/barcode.h"
#include "barcode/barcode_images.h"
#include "common/page_head.h"
#include "common/style_values.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/page_writer.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <functional>

namespace ledger {

using Icon = platform::UiServices::Icon;

LedgerPrices ledgerPrices(const QString &listPrice, const products::TaxSettings &tax, int *error)
{
    if (error)
        *error = 0;
    LedgerPrices out;
    // One parse: a whole number in 32 bits is the common case.
    const auto p = platform::toWholeNumber(listPrice);
    if (!p) {
        if (platform::isNumeric(listPrice)) {
            if (error)
                *error = platform::AppError::Overflow;
            return out;
        }
        out.included = out.base = out.tax = QStringLiteral("0");
        return out;
    }
    if (tax.indicate == 0) {
        out.base = platform::formatThousands(p.value_or(0));
        if (tax.ks < 0 || tax.ks > 2)
            return out;
        const products::PriceSplit s = products::ruleA(p.value_or(0), tax.rate, tax.ks);
        if (error)
            *error = s.error;
        out.included = platform::formatThousands(s.included);
        out.tax = platform::formatThousands(s.tax);
    } else if (tax.indicate == 1) {
        out.included = platform::formatThousands(p.value_or(0));
        const products::PriceSplit s = products::ruleB(p.value_or(0), tax.rate);
        if (error)
            *error = s.error;
        out.base = platform::formatThousands(s.base);
        out.tax = platform::formatThousands(s.tax);
    }
    return out;
}

namespace {

platform::AppError priceError(int number)
{
    return number == platform::AppError::Overflow ? platform::AppError::overflow()
                                                  : platform::AppError::divisionByZero();
}

// Gives row i of the page; false with *error set stops the page.
using RowSource = std::function<bool(qsizetype i, LedgerRow *row, platform::AppError *error)>;

// The page, line by line into sink. Stops at the first row the source cannot give, or when the sink
// can take no more.
platform::AppError writePage(qsizetype n, const RowSource &rowAt, const LedgerDesign &s, const QString &startPage,
                             products::Currency reducedRate, platform::LineSink &sink)
{
    if (s.rowsPerPage < 1)
        return platform::AppError::divisionByZero();
    const QString line =
        QStringLiteral("border-style:solid; border-width:1px; border-color:") + s.lineColor + QLatin1Char(';');
    const QString font = common::cssQuotedFontName(s.fontName);
    const QString pad = QString::number(s.padding);
    sink << common::pageHeadLines({QStringLiteral("ぽらね値札作成 商品台帳")});
    sink.addLine(QStringLiteral("table.pagebreak {page-break-after:always; border-collapse:collapse; ") + line);
    sink.addLine(QStringLiteral("        table-layout:fixed;width:100%;}"));
    sink.addLine(QStringLiteral("table.nobreak {border-collapse:collapse; ") + line +
                 QStringLiteral(" table-layout:fixed;width:100%;}"));
    sink.addLine(QStringLiteral("th   {font:normal normal normal ") + QString::number(s.fontSize - 1) +
                 QStringLiteral("pt ") + font + QLatin1Char(';'));
    sink.addLine(QStringLiteral("      color:#000000;") + line);
    sink.addLine(QStringLiteral("      text-align:center; padding:") + pad + QStringLiteral("mm;"));
    sink.addLine(QStringLiteral("      background-color:") + s.backColor + QStringLiteral(";}"));
    sink.addLine(QStringLiteral("td   {font:normal normal normal ") + QString::number(s.fontSize) +
                 QStringLiteral("pt ") + font + QLatin1Char(';'));
    sink.addLine(QStringLiteral("      color:#000000;") + line);
    sink.addLine(QStringLiteral("      padding:") + pad + QStringLiteral("mm;"));
    static const char *const rules[] = {"      background-color:#FFFFFF;}",
                                        "td.cnt {text-align:center;}",
                                        "td.rgt {text-align:right;}",
                                        "th.num {width:20%;}",
                                        "th.hinmei {width:35%;}",
                                        "th.price {width:20%;}",
                                        "th.bcode {width:20%;}",
                                        "td.pagenum {text-align:center;}",
                                        "--></style></head><body>"};
    for (const char *r : rules)
        sink.addLine(QString::fromLatin1(r));

    const QString header = QStringLiteral(
        "<tr><th class=\"num\" rowspan=\"2\">品番等</th><th class=\"hinmei\">商品名</th><th class=\"price\" "
        "colspan=\"2\">税込価格</th><th class=\"bcode\" rowspan=\"2\">JANコード</th></tr><tr><th>備　考</th>"
        "<th>本体価格</th><th>消費税</th></tr>");
    const QString pageBreak = QStringLiteral("<table class=\"pagebreak\" cellspacing=\"0\">");
    const QString noBreak = QStringLiteral("<table class=\"nobreak\" cellspacing=\"0\">");
    qint64 q = platform::toWholeNumber(startPage).value_or(1);
    const qsizetype L = s.rowsPerPage;
    qsizetype j = 0;
    LedgerRow row;
    QString t;
    bool anyReduced = false;
    for (qsizetype p = 0; p <= n / L && j < n; ++p) {
        // The last page's table does not break after itself, or a full last page prints a blank one.
        sink.addLine((p + 1) * L < n ? pageBreak : noBreak);
        sink.addLine(header);
        for (qsizetype r = 0; r < L && j < n; ++r, ++j) {
            platform::AppError error;
            if (!rowAt(j, &row, &error))
                return error;
            t.clear();
            t += QLatin1String("<tr><td rowspan=\"2\">");
            t += platform::htmlEscape(row.code);
            t += QLatin1String("</td><td>");
            t += platform::htmlEscape(row.name);
            if (row.reduced) {
                t += QStringLiteral("※");
                anyReduced = true;
            }
            t += QLatin1String("</td><td class=\"rgt\" colspan=\"2\">");
            t += row.included;
            t += QLatin1String("</td><td class=\"cnt\" rowspan=\"2\">");
            t += row.barcode;
            t += QLatin1String("<br>");
            t += platform::htmlEscape(row.jan);
            t += QLatin1String("</td></tr><tr><td>");
            t += platform::htmlEscape(row.remarks);
            t += QLatin1String("</td><td class=\"rgt\">");
            t += row.base;
            t += QLatin1String("</td><td class=\"rgt\">");
            t += row.tax;
            t += QLatin1String("</td></tr>");
            sink.addLine(t);
            sink.addLine(QString());
        }
        if (!sink.good())
            return {};
        if (s.pageNumbers == 1)
            sink.addLine(QStringLiteral("<tr><td class=\"pagenum\" colspan=\"5\">- ") + QString::number(q) +
                         QStringLiteral(" -</td></tr>"));
        ++q;
        sink.addLine(QStringLiteral("</table>"));
    }
    if (anyReduced)
        sink.addLine(QStringLiteral("<p>") + platform::htmlEscape(reducedRateNote(reducedRate)) +
                     QStringLiteral("</p>"));
    sink.addLine(QStringLiteral("</body></html>"));
    return {};
}

} // namespace

bool fillRow(const products::Product &p, const products::TaxSettings &tax, int barcodeHeight, LedgerRow *r,
             platform::AppError *error)
{
    int number = 0;
    const LedgerPrices prices = ledgerPrices(p.price, tax.forClass(p.reduced), &number);
    if (number) {
        *error = priceError(number);
        return false;
    }
    r->code = p.code;
    r->name = p.name;
    r->included = prices.included;
    r->base = prices.base;
    r->tax = prices.tax;
    r->remarks = p.remarks;
    r->barcode = p.jan.size() == 13 || p.jan.size() == 8 ? barcode::MakeBarCodeHtml(p.jan, barcodeHeight) : QString();
    r->jan = p.jan;
    r->reduced = p.reduced;
    return true;
}

platform::AppError SetSyouhin(const products::ProductList &list, const products::TaxSettings &tax, int barcodeHeight,
                              QList<LedgerRow> *rows)
{
    if (const platform::AppError unstorable = products::unstorableTextForMakers(list); unstorable.isSet())
        return unstorable;
    const products::ProductList chosen = products::rowsForMakers(list);
    QList<LedgerRow> out;
    out.reserve(chosen.size());
    platform::AppError error;
    for (const products::Product &p : chosen) {
        LedgerRow r;
        if (!fillRow(p, tax, barcodeHeight, &r, &error))
            return error;
        out.append(std::move(r));
    }
    *rows = std::move(out);
    return {};
}

QString reducedRateNote(products::Currency reducedRate)
{
    return QStringLiteral("※は軽減税率(%1)対象商品です").arg(products::ratePercentText(reducedRate));
}

LedgerPage MakeHtmlFile(const QList<LedgerRow> &rows, const LedgerDesign &s, const QString &startPage,
                        products::Currency reducedRate)
{
    LedgerPage page;
    platform::LineCollector lines;
    page.error = writePage(
        rows.size(),
        [&rows](qsizetype i, LedgerRow *row, platform::AppError *) {
            *row = rows.at(i);
            return true;
        },
        s, startPage, reducedRate, lines);
    page.lines = std::move(lines.lines);
    return page;
}

common::Refusal emptyListNotice(int listRows, common::LaunchedFrom from)
{
    return common::emptyListNotice(listRows, from == common::LaunchedFrom::Button ? QStringLiteral("商品台帳作成")
                                                                                  : QStringLiteral("値札作成"));
}

dialogs::MakerPage makerPage()
{
    return {pageFileName(), QStringLiteral("frmDaicyo.ShowExplorer")};
}

QString pageFileName()
{
    return QStringLiteral("dtemp.html");
}

QString reportLabel()
{
    return QStringLiteral("frmDaicto.MakeHtmlFile");
}

common::Refusal check(const Inputs &in)
{
    const LedgerDesign &settings = in.design;
    const auto start = platform::toWholeNumber(in.start);
    if (!start || *start <= 0)
        return {QStringLiteral("入力値チェック"), QStringLiteral("開始ページの値が不正です."), Icon::Critical,
                Next::StartPage};
    // A stored 0 rows per page would divide by zero while the page is made.
    if (settings.rowsPerPage < 1)
        return {QStringLiteral("入力値チェック"), QStringLiteral("1 ページの行数には 1 以上の数を指定してください."),
                Icon::Critical};
    return {};
}

common::MakeResult make(const Inputs &in, const QString &folder, const common::Progress &progress)
{
    using common::MakeResult;
    const products::ProductList &list = in.rows;
    const products::TaxSettings &tax = in.tax;
    const LedgerDesign &settings = in.design;
    const QString &startPage = in.start;
    const QString setSyouhinLabel = QStringLiteral("frmdaicyo.SetSyouhin");
    const QString makeLabel = reportLabel();
    // A text the page cannot hold names its product, before any page is begun.
    if (const platform::AppError unstorable = products::unstorableTextForMakers(list); unstorable.isSet())
        return MakeResult::failed(setSyouhinLabel, unstorable);
    const products::ProductList chosen = products::rowsForMakers(list);
    // The rows are worked out as the page is written, so that memory stays flat however long the
    // list is. A price that cannot be worked out is still reported before any fault of the page.
    platform::AppError e;
    auto checkPrices = [&]() {
        LedgerRow row;
        for (const products::Product &p : chosen) {
            if (!fillRow(p, tax, settings.barcodeHeight, &row, &e))
                return false;
        }
        return true;
    };
    if (settings.rowsPerPage < 1) {
        if (!checkPrices())
            return MakeResult::failed(setSyouhinLabel, e);
        return MakeResult::failed(makeLabel, platform::AppError::divisionByZero());
    }
    const QString path = QDir(folder).filePath(pageFileName());
    const QString images = QDir(folder).filePath(QStringLiteral("BarCode"));
    const QString shipped = platform::programFolder() + QStringLiteral("/BarCode");
    platform::Cp932PageWriter writer(path);
    platform::AppError openError;
    if (!writer.open(&openError)) {
        if (!checkPrices())
            return MakeResult::failed(setSyouhinLabel, e);
        if (QFileInfo(folder).isDir()) {
            if (const auto missing = barcode::ensureBarcodeImages(shipped, images))
                return MakeResult::failed(makeLabel, *missing);
        }
        return MakeResult::failed(makeLabel, openError);
    }
    bool priceFailed = false;
    e = writePage(
        chosen.size(),
        [&](qsizetype i, LedgerRow *row, platform::AppError *error) {
            if (progress)
                progress();
            if (fillRow(chosen.at(i), tax, settings.barcodeHeight, row, error))
                return true;
            priceFailed = true;
            return false;
        },
        settings, startPage, tax.reducedRate, writer);
    if (priceFailed)
        return MakeResult::failed(setSyouhinLabel, e);
    if (e.isSet())
        return MakeResult::failed(makeLabel, e);
    // The page draws its barcodes from the 33 images beside it. A missing output folder is not
    // made here: writing the page reports it.
    if (QFileInfo(folder).isDir()) {
        if (const auto missing = barcode::ensureBarcodeImages(shipped, images))
            return MakeResult::failed(makeLabel, *missing);
    }
    if (!writer.finish(&e))
        return MakeResult::failed(makeLabel, e);
    return MakeResult::made(path, QStringLiteral("ぽらね値札作成"),
                            QStringLiteral("商品台帳を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
}

} // namespace ledger
