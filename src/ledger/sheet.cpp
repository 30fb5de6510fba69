#include "ledger/sheet.h"

#include "barcode/barcode.h"
#include "barcode/barcode_images.h"
#include "common/style_values.h"
#include "platform/folders.h"
#include "platform/numbers.h"
#include "platform/text_file.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

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

platform::AppError SetSyouhin(const products::ProductList &list, const products::TaxSettings &tax, int barcodeHeight,
                              QList<LedgerRow> *rows)
{
    const products::ProductList chosen = products::rowsForMakers(list);
    QList<LedgerRow> out;
    out.reserve(chosen.size());
    for (const products::Product &p : chosen) {
        LedgerRow r;
        r.code = p.code;
        r.name = p.name;
        int error = 0;
        const LedgerPrices prices = ledgerPrices(p.price, tax, &error);
        if (error)
            return error == platform::AppError::Overflow ? platform::AppError::overflow()
                                                         : platform::AppError::divisionByZero();
        r.included = prices.included;
        r.base = prices.base;
        r.tax = prices.tax;
        r.remarks = p.remarks;
        if (p.jan.size() == 13 || p.jan.size() == 8)
            r.barcode = barcode::MakeBarCodeHtml(p.jan, barcodeHeight);
        r.jan = p.jan;
        out.append(std::move(r));
    }
    *rows = std::move(out);
    return {};
}

LedgerPage MakeHtmlFile(const QList<LedgerRow> &rows, const LedgerDesign &s, const QString &startPage)
{
    LedgerPage page;
    if (s.rowsPerPage < 1) {
        page.error = platform::AppError::divisionByZero();
        return page;
    }
    const QString line =
        QStringLiteral("border-style:solid; border-width:1px; border-color:") + s.lineColor + QLatin1Char(';');
    const QString font = common::cssQuotedFontName(s.fontName);
    const QString pad = QString::number(s.padding);
    QStringList &l = page.lines;
    const qsizetype n = rows.size();
    const qsizetype L = s.rowsPerPage;
    l.reserve(30 + n * 2 + (n / L + 1) * 4);
    l << QStringLiteral("<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">") << QStringLiteral("<html>")
      << QStringLiteral("<head>")
      << QStringLiteral("<meta http-equiv=\"content-type\" content=\"text/html; charset=shift_jis\">")
      << QStringLiteral("<meta http-equiv=\"content-style-type\" content=\"text/css\">")
      << QStringLiteral("<title>ぽらね値札作成 商品台帳</title>") << QStringLiteral("<style type=\"text/css\"><!--")
      << QStringLiteral("table.pagebreak {page-break-after:always; border-collapse:collapse; ") + line
      << QStringLiteral("        table-layout:fixed;width:100%;}")
      << QStringLiteral("table.nobreak {border-collapse:collapse; ") + line +
             QStringLiteral(" table-layout:fixed;width:100%;}")
      << QStringLiteral("th   {font:normal normal normal ") + QString::number(s.fontSize - 1) + QStringLiteral("pt ") +
             font + QLatin1Char(';')
      << QStringLiteral("      color:#000000;") + line
      << QStringLiteral("      text-align:center; padding:") + pad + QStringLiteral("mm;")
      << QStringLiteral("      background-color:") + s.backColor + QStringLiteral(";}")
      << QStringLiteral("td   {font:normal normal normal ") + QString::number(s.fontSize) + QStringLiteral("pt ") +
             font + QLatin1Char(';')
      << QStringLiteral("      color:#000000;") + line << QStringLiteral("      padding:") + pad + QStringLiteral("mm;")
      << QStringLiteral("      background-color:#FFFFFF;}") << QStringLiteral("td.cnt {text-align:center;}")
      << QStringLiteral("td.rgt {text-align:right;}") << QStringLiteral("th.num {width:20%;}")
      << QStringLiteral("th.hinmei {width:35%;}") << QStringLiteral("th.price {width:20%;}")
      << QStringLiteral("th.bcode {width:20%;}") << QStringLiteral("td.pagenum {text-align:center;}")
      << QStringLiteral("--></style></head><body>");

    const QString header = QStringLiteral(
        "<tr><th class=\"num\" rowspan=\"2\">品番等</th><th class=\"hinmei\">商品名</th><th class=\"price\" "
        "colspan=\"2\">税込価格</th><th class=\"bcode\" rowspan=\"2\">JANコード</th></tr><tr><th>備　考</th>"
        "<th>本体価格</th><th>消費税</th></tr>");
    qint64 q = platform::toWholeNumber(startPage).value_or(1);
    qsizetype j = 0;
    for (qsizetype p = 0; p <= n / L && j < n; ++p) {
        l << ((p + 1) * L <= n ? QStringLiteral("<table class=\"pagebreak\" cellspacing=\"0\">")
                               : QStringLiteral("<table class=\"nobreak\" cellspacing=\"0\">"));
        l << header;
        for (qsizetype r = 0; r < L && j < n; ++r, ++j) {
            const LedgerRow &row = rows.at(j);
            QString t;
            t.reserve(200 + row.barcode.size() + row.code.size() + row.name.size() + row.remarks.size());
            t += QLatin1String("<tr><td rowspan=\"2\">");
            t += platform::htmlEscape(row.code);
            t += QLatin1String("</td><td>");
            t += platform::htmlEscape(row.name);
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
            l << t;
            l << QString();
        }
        if (s.pageNumbers == 1)
            l << QStringLiteral("<tr><td class=\"pagenum\" colspan=\"5\">- ") + QString::number(q) +
                     QStringLiteral(" -</td></tr>");
        ++q;
        l << QStringLiteral("</table>");
    }
    l << QStringLiteral("</body></html>");
    return page;
}

QString dtempFileName()
{
    return QStringLiteral("dtemp.html");
}

common::Refusal checkLedgerMake(const QString &startPage, const LedgerDesign &settings)
{
    const auto start = platform::toWholeNumber(startPage);
    if (!start || *start <= 0)
        return {QStringLiteral("入力値チェック"), QStringLiteral("開始ページの値が不正です."), Icon::Critical,
                common::Next::StartPage};
    // A stored 0 rows per page would divide by zero while the page is made.
    if (settings.rowsPerPage < 1)
        return {QStringLiteral("入力値チェック"), QStringLiteral("1 ページの行数には 1 以上の数を指定してください."),
                Icon::Critical};
    return {};
}

common::MakeResult makeLedger(const products::ProductList &list, const products::TaxSettings &tax,
                              const LedgerDesign &settings, const QString &startPage, const QString &folder)
{
    using common::MakeResult;
    QList<LedgerRow> rows;
    platform::AppError e = SetSyouhin(list, tax, settings.barcodeHeight, &rows);
    if (e.isSet())
        return MakeResult::failed(QStringLiteral("frmdaicyo.SetSyouhin"), e);
    const LedgerPage page = MakeHtmlFile(rows, settings, startPage);
    if (page.error.isSet())
        return MakeResult::failed(QStringLiteral("frmDaicto.MakeHtmlFile"), page.error);
    // The page draws its barcodes from the 33 images beside it. A missing output folder is not
    // made here: writing the page reports it.
    if (QFileInfo(folder).isDir()) {
        if (const auto images = barcode::ensureBarcodeImages(platform::programFolder() + QStringLiteral("/BarCode"),
                                                             QDir(folder).filePath(QStringLiteral("BarCode"))))
            return MakeResult::failed(QStringLiteral("frmDaicto.MakeHtmlFile"), *images);
    }
    const QString path = QDir(folder).filePath(dtempFileName());
    if (!platform::writeCp932Lines(path, page.lines, &e))
        return MakeResult::failed(QStringLiteral("frmDaicto.MakeHtmlFile"), e);
    return MakeResult::made(path, QStringLiteral("ぽらね値札作成"),
                            QStringLiteral("商品台帳を作成しました.\r\n「表示」ボタンでブラウザが起動します."));
}

} // namespace ledger
