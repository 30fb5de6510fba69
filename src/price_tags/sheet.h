#pragma once

#include "common/maker.h"
#include "dialogs/browser_display.h"
#include "platform/apperror.h"
#include "platform/page_writer.h"
#include "platform/user_services.h"
#include "price_tags/design.h"
#include "price_tags/product_slots.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace price_tags {

using Copies = std::array<QString, SlotCount>; // the texts of txtCCount 0-9

// The maker's face, named as in the other makers: what a make reads (the products of the slots, the
// design, and the window's boxes as texts, which the checks read before the design is stored), its
// checks, the make itself, the page it writes and the label of its error reports.
struct Inputs {
    ProductSlots rows;                        // the slots, already priced under the tax settings
    PriceTagDesign design;                    // read by the make only
    QString logoWidth = QStringLiteral("0");  // txtLogoWidth
    QString logoHeight = QStringLiteral("0"); // txtLogoHeight
    Copies copies;                            // txtCCount 0-9
    QString startPos = QStringLiteral("1");   // cmbStartPos
    bool cardHeightFixed = false;             // CheckCardHeight
    bool cardWidthFixed = false;              // CheckCardWidth
    QString countW = QStringLiteral("5");     // cmbCountW
    QString countH = QStringLiteral("9");     // cmbCountH
};

// Where the designer goes after a refusal (common::Refusal::next).
struct Next {
    enum : common::FollowUp {
        None = common::NoFollowUp,
        LogoSize,    // the logo boxes back to the picture's own size
        Copies,      // the slot's copies box back to "0"
        CardHeight,  // tab デザイン(1), focus on the fixed card height
        FirstCopies, // tab データ, the first copies box selected and focused
        Division,    // tab デザイン(1), focus on the cards per row
    };
};

// The make command's checks, in the window's order; not refused when the make may go on. Where the
// window goes next: LogoSize, Copies (of slot), CardHeight, FirstCopies, Division.
common::Refusal check(const Inputs &in);

// SetStartPos: the items of cmbStartPos, "1" to W × H, when both division boxes show numbers;
// nullopt leaves the list as it is.
std::optional<QStringList> SetStartPos(const QString &countW, const QString &countH);

// The card texts of the sheet: the start offset's blank cells, then each slot's card repeated by its
// copies. The page is written from these runs, so that memory does not grow with the copies.
struct SheetCards {
    struct Run {
        QString code, name, price, barcode, digits;
        qint32 copies = 0;
        bool reducedMark = false; // "※" after the price
    };
    int cardCount = 0; // start offset + every copy
    int startOffset = 0;
    std::array<Run, SlotCount> runs;
    QString prefix, suffix, tax, logo; // shared by all cards
};

// SetSyouhin: the products of the slots, each repeated by its copies, from the start offset on.
platform::AppError SetSyouhin(const ProductSlots &items, const Copies &copies, const PriceTagDesign &design,
                              SheetCards *cards);

// MakeCHtml into sink, line by line. Product texts are escaped for HTML.
platform::AppError writeCHtml(const SheetCards &cards, const PriceTagDesign &design, platform::LineSink &sink);

struct PageLines {
    QStringList lines;
    platform::AppError error;
};

// MakeCHtml: the lines of ctemp.html, collected (tests and small pages).
PageLines MakeCHtml(const SheetCards &cards, const PriceTagDesign &design);

// The main window's notice before it opens this maker's window on an empty list (then for design
// work only); not refused when the list has rows. Its title: "値札作成" from either.
common::Refusal emptyListNotice(int listRows, common::LaunchedFrom from);

QString pageFileName(); // "ctemp.html"
QString reportLabel();  // the label of the page step's error reports
// The page as the display command shows it: its file name and the label of its apology report.
dialogs::MakerPage makerPage();

// The make after the checks: SetSyouhin, MakeCHtml and the file in folder, stopping at the first
// failure.
common::MakeResult make(const Inputs &in, const QString &folder, const common::Progress &progress = {});

} // namespace price_tags
