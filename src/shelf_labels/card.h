#pragma once

// Pieces the sheet and the preview share: the CSS values derived from the design and the markup of one
// card.

#include "platform/apperror.h"
#include "shelf_labels/sheet.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

namespace shelf_labels {

struct CssPieces {
    std::array<QString, 7> prefix; // S(i)
    std::array<QString, 7> size;   // Z(i)
    std::array<QString, 7> name;   // Q(i), quoted
    std::array<QString, 6> color;  // C(i)
    std::array<QString, 6> align;  // A(i)
    QString logoAlign;
    QString heightRule;
    QString overflowRule;
    QString divWidthRule;
    QString cellWidthRule;
    QString tableWidthRule;
    QString paddingRule;
    QString lineRule;
};
// Fails (type mismatch) only when a fixed card width is not a number.
std::optional<CssPieces> cssPieces(const ShelfLabelDesign &design, platform::AppError *error);

// The texts around the price: "\" and a full-width space, a full-width space and "円", or nothing.
void priceMarks(int priceMark, QString *before, QString *after);

// What every card of a page shares.
struct CardFrame {
    QString headerText;  // escaped here
    QString headerColor; // null: no bgcolor attribute (the preview colours the header by its style)
    QString logoAlign;   // CSS word
    QString logoTag;     // markup
    QString markBefore;
    QString markAfter;
};

// The card of one product, as the design prints it; fails where its price cannot be converted
// (priceTexts). The sheet and the preview fill every card with it.
std::optional<Card> fillCard(const products::Product &product, const ShelfLabelDesign &design,
                             const products::TaxSettings &tax, platform::AppError *error);

// One card: `<td class="top"><div class="card">` ... `</div></td>` for layout 0 (barcode below the
// price) or 1 (barcode beside it).
QString cardHtml(const Card &card, const CardFrame &frame, int layoutType);

// The page head shared by the sheet and the preview, up to the opening of the style block.
QStringList pageHeadLines();

} // namespace shelf_labels
