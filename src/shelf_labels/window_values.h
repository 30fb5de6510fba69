#pragma once

#include "dialogs/font_choice.h"
#include "products/tax.h"
#include "shelf_labels/design.h"

#include <QString>

namespace shelf_labels {

// The font dialog's fields of the text items: items 0-5 take them all, the price mark (item 6) neither
// colour nor alignment.
inline constexpr dialogs::FontFields ItemFont{};
inline constexpr dialogs::FontFields PriceMarkFont{.color = false, .align = false, .unit = true, .style = true};

// What the designer window edits and a ".hdn" file holds: the design, plus the tax-note wording and
// the display-price choice, which the program keeps with the tax settings ([Tax] Style, Zeikomi).
struct WindowValues {
    ShelfLabelDesign design;
    int taxStyle = 2; // Tax/Style 0–4
    int zeikomi = 1;  // Tax/Zeikomi
    bool operator==(const WindowValues &) const = default;
};

// The window's pair of transfers: the load step (memory → controls) and the store step (controls →
// memory), the tax-note wording and display price going to and from the tax settings.
WindowValues loadWindowValues(const ShelfLabelDesign &design, const products::TaxSettings &tax);
void storeWindowValues(const WindowValues &values, ShelfLabelDesign &design, products::TaxSettings &tax);

// The two built-in designs of the menu "初期値に戻す(&D)".
WindowValues SetDefaultA();
WindowValues SetDefaultB();

// The CSS border words and the designer's combo texts: "solid" ↔ "実線" ... "inset" ↔ "凹線";
// "none", the empty text and any unknown word pair with "(枠飾りなし)".
QString borderComboText(const QString &cssWord);
QString borderCssWord(const QString &comboText);
// A known CSS border word stays, anything else becomes "none".
QString knownBorderWord(const QString &cssWord);

// The design as the make and preview commands store it before they use it: the card background
// white, the logo size whole pixels (0 when not numeric, both 0 without a logo path), and size,
// padding and width texts that are not numeric replaced by their defaults.
ShelfLabelDesign settledDesign(const ShelfLabelDesign &design);

// The 用紙 choice: a stock sets the division to its columns × rows and fixes the card at its label
// size; no stock (the free layout) leaves the design's division and card size as they are.
void useStock(ShelfLabelDesign &design, const label_stocks::ChosenStock &stock);

// A logo switched on whose file is gone, or whose picture is beyond common::MaxLogoPixels, is
// forgotten (name cleared, size 0 × 0) as the price tags do; the text telling it, or empty when
// nothing was forgotten.
QString forgetMissingLogo(ShelfLabelDesign &design);

} // namespace shelf_labels
