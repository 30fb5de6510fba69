#pragma once

#include "common/maker.h"
#include "dialogs/browser_display.h"
#include "platform/apperror.h"
#include "platform/page_writer.h"
#include "platform/user_services.h"
#include "products/product.h"
#include "products/tax.h"
#include "shelf_labels/design.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace shelf_labels {

// Labels of the make command's error reports.
inline QString setSyouhinLabel()
{
    return QStringLiteral("frmTanafuda.SetSyouhin");
}
inline QString makeHtmlFileLabel()
{
    return QStringLiteral("frmTanafuda.MakeHtmlFile");
}
inline QString pageFileName()
{
    return QStringLiteral("temp.html");
}
// The label of the page step's error reports.
inline QString reportLabel()
{
    return makeHtmlFileLabel();
}
// The page as the display command shows it: its file name and the label of its apology report.
inline dialogs::MakerPage makerPage()
{
    return {pageFileName(), QStringLiteral("frmTanafuda.ShowExplorer")};
}

// The texts of one grid cell, as the product list holds them (the page writer escapes them).
struct Card {
    QString itemCode;
    QString name;
    QString price; // display price; a cell whose price is not numeric is a blank cell
    QString taxNote;
    QString remarks;
    QString barcode; // image sequence (markup)
    QString janDigits;
    bool reducedMark = false; // "※" after the price: a reduced-rate product, when the design asks for it
};

// Everything MakeHtmlFile needs besides the design. The cards are filled as the page is written, so
// that memory does not grow with the list: cell startOffset + i shows products[i], every other cell
// up to cellCount is blank.
struct Sheet {
    qint32 cellCount = 0; // selected products + start offset
    qint32 startOffset = 0;
    products::ProductList products; // the selected rows, in list order
    products::TaxSettings tax;
    QString headerText;
    QString headerColor;
    QString logoTag; // markup, the path already escaped
    QString markBefore;
    QString markAfter;
};

// Called once per product and once per cell so that a window can keep itself responsive.
using Progress = common::Progress;

// Cards per row and rows per page, when both are whole numbers of at least 1.
struct Division {
    int w = 0;
    int h = 0;
};
std::optional<Division> division(const ShelfLabelDesign &design);

struct PriceTexts {
    QString price;
    QString taxNote;
};
// Display price and tax note of one list price at tax.rate (the rate of the product's class, see
// products::TaxSettings::forClass). Fails (type mismatch, overflow) where the list price
// cannot be converted: a non-numeric price shown as base price from tax-inclusive list prices.
std::optional<PriceTexts> priceTexts(const QString &listPrice, const products::TaxSettings &tax,
                                     platform::AppError *error = nullptr);

// Fills the sheet from the product list (in list order; the checked rows when any is checked, else
// all), the design and the tax settings; the first card goes to cell startOffset. Fails where a
// product's price cannot be converted, before any page is written.
std::optional<Sheet> SetSyouhin(const products::ProductList &list, const ShelfLabelDesign &design,
                                const products::TaxSettings &tax, int startOffset, platform::AppError *error = nullptr,
                                const Progress &progress = {});

// The lines of temp.html into sink, one card at a time. Product texts and the header are escaped,
// every other text is written as the design holds it.
bool writeSheet(const Sheet &sheet, const ShelfLabelDesign &design, platform::LineSink &sink,
                platform::AppError *error = nullptr, const Progress &progress = {});
// The same lines, collected (tests and small pages).
std::optional<QStringList> sheetHtmlLines(const Sheet &sheet, const ShelfLabelDesign &design,
                                          platform::AppError *error = nullptr, const Progress &progress = {});

// Streams folder + "/temp.html" (CP932, CR LF), replacing it; the previous file stays when that fails.
bool MakeHtmlFile(const Sheet &sheet, const ShelfLabelDesign &design, const QString &folder,
                  platform::AppError *error = nullptr, const Progress &progress = {});

// The items of the start-position list for a new division: "1" … W × H as decimal texts (the window
// then selects "1"); nullopt, leaving the list as it is, when either text is not a number.
std::optional<QStringList> SetStartPos(const QString &countW, const QString &countH);

// The maker's face, named as in the other makers: what a make reads, its checks and the make itself.
struct Inputs {
    products::ProductList rows; // the whole list: the make reads the checked rows, or all
    ShelfLabelDesign design;
    products::TaxSettings tax;
    QString start = QStringLiteral("1"); // the start position box
};

// Where the designer goes after a refusal (common::Refusal::next).
struct Next {
    enum : common::FollowUp {
        None = common::NoFollowUp,
        LogoSize,   // the logo boxes back to the picture's own size
        CardHeight, // tab デザイン(1), focus on the fixed card height
    };
};

// The main window's notice before it opens this maker's window on an empty list (then for design
// work only); not refused when the list has rows. Its title: "棚札作成" from the button, "値札作成" from the menu
// entry.
common::Refusal emptyListNotice(int listRows, common::LaunchedFrom from);

// The make command's checks of its input, in the designer's order: the empty list, the logo size,
// a start position other than 1 without a fixed card size, then the division and the start position's
// range (neither of which the designer lets through unchecked), then a header text the page cannot
// hold. Not refused when the sheet may be made.
common::Refusal check(const Inputs &in);

// The make command after SetValues: the checks, SetSyouhin, MakeHtmlFile into folder. The completion
// message only follows a page that was really written.
common::MakeResult make(const Inputs &in, const QString &folder, const Progress &progress = {});

} // namespace shelf_labels
