#pragma once

#include "common/maker.h"
#include "dialogs/browser_display.h"
#include "ledger/design.h"
#include "platform/apperror.h"
#include "platform/user_services.h"
#include "products/product.h"
#include "products/tax.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace ledger {

// One product of the ledger, as its cells show it.
struct LedgerRow {
    QString code;
    QString name;
    QString included; // tax-inclusive, "#,##0"
    QString base;
    QString tax;
    QString remarks;
    QString barcode; // image sequence, empty unless the JAN code has 13 or 8 characters
    QString jan;
    bool reduced = false; // taxed at the reduced rate: "※" after the name
    bool operator==(const LedgerRow &) const = default;
};

// The three price cells of a list price under the price basis and rounding.
struct LedgerPrices {
    QString included, base, tax;
};
// error gets the classic number when the arithmetic failed (6 overflow, 11 a rate of -1).
LedgerPrices ledgerPrices(const QString &listPrice, const products::TaxSettings &tax, int *error = nullptr);

// One row of the ledger; false with *error set when its prices cannot be worked out.
bool fillRow(const products::Product &p, const products::TaxSettings &tax, int barcodeHeight, LedgerRow *r,
             platform::AppError *error);

// SetSyouhin: the rows of the list the makers read (checked rows, or all), with both prices.
platform::AppError SetSyouhin(const products::ProductList &list, const products::TaxSettings &tax, int barcodeHeight,
                              QList<LedgerRow> *rows);

struct LedgerPage {
    QStringList lines;
    platform::AppError error;
};

// MakeHtmlFile: the lines of dtemp.html; the start page text falls back to 1 when not a number.
// Product texts are escaped for HTML. When a row is of the reduced class, one line under the last
// table tells what its "※" means, with the reduced rate.
LedgerPage MakeHtmlFile(const QList<LedgerRow> &rows, const LedgerDesign &settings, const QString &startPage,
                        products::Currency reducedRate = products::TaxSettings().reducedRate);

// That line: "※は軽減税率(8%)対象商品です" with the rate as a percentage.
QString reducedRateNote(products::Currency reducedRate);

// The maker's face, named as in the other makers: what a make reads, its checks, the make itself,
// the page it writes and the label of its error reports.
struct Inputs {
    products::ProductList rows; // the whole list: the make reads the checked rows, or all
    LedgerDesign design;
    products::TaxSettings tax;
    QString start = QStringLiteral("1"); // the start page box
};

// Where the window goes after a refusal (common::Refusal::next).
struct Next {
    enum : common::FollowUp {
        None = common::NoFollowUp,
        StartPage, // the start page box back to "1"
    };
};

// The main window's notice before it opens this maker's window on an empty list (then for design
// work only); not refused when the list has rows. Its title: "商品台帳作成" from the button, "値札作成" from the
// menu entry.
common::Refusal emptyListNotice(int listRows, common::LaunchedFrom from);

QString pageFileName(); // "dtemp.html"
QString reportLabel();  // the label of the page step's error reports
// The page as the display command shows it: its file name and the label of its apology report.
dialogs::MakerPage makerPage();

// The make command's input checks; not refused when the make may go on.
common::Refusal check(const Inputs &in);

// SetSyouhin, MakeHtmlFile and the file in folder, stopping at the first failure; the completion
// message only when the page was written.
common::MakeResult make(const Inputs &in, const QString &folder, const common::Progress &progress = {});

} // namespace ledger
