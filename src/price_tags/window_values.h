#pragma once

#include "common/field_table.h"
#include "dialogs/font_choice.h"
#include "platform/apperror.h"
#include "price_tags/design.h"

#include <QString>

#include <array>

namespace price_tags {

// The font dialog's fields of the text items 0-3: all of them.
inline constexpr dialogs::FontFields ItemFont{};

// The texts of the price-mark list cmbYMark.
QString yenMarkText(); // "¥ マーク"
QString enMarkText();  // "円マーク"
QString noMarkText();  // "付けない"

// The designer window's controls as values: what its load step fills, what SetCValue and WriteCDesign
// read and what ReadCDesign and the built-in designs set. Texts stay texts, as the boxes hold them.
struct WindowValues {
    std::array<QString, 4> fontName;  // lblCFontName 0-3
    std::array<QString, 4> fontSize;  // lblCFontSize, with its unit ("9pt", "5mm")
    std::array<QString, 4> fontStyle; // lblCFontStyle
    std::array<QString, 4> fontColor; // picCFontColor as colour text
    std::array<QString, 4> fontAlign; // lblCAlign
    bool checkHinban = false;
    bool checkName = true;
    bool checkCZeikomi = true;
    bool check2Dan = false;
    bool checkJanCode = true;
    bool checkCLine = true;
    bool checkLogo = false;
    bool checkReducedMark = false;               // Check軽減マーク: "※" after the price of reduced-rate products
    QString yMark;                               // cmbYMark text
    int optionNum = 1;                           // selected OptionNum index, -1 when neither is selected
    QString countW = keys::CountW.defaultText(); // cmbCountW
    QString countH = keys::CountH.defaultText(); // cmbCountH
    QString borderColor = keys::LineColor.defaultText(); // lblCBorderColor
    QString logoFile;                                    // the window's logo file
    QString logoAlign = keys::LogoAlign.defaultText();   // cmbCLogoAlign
    QString logoWidth = keys::LogoW.defaultText();       // txtLogoWidth
    QString logoHeight = keys::LogoH.defaultText();      // txtLogoHeight
    bool checkCardHeight = false;
    bool checkCardWidth = false;
    QString cardHeight = keys::CardHeight.defaultText();        // txtCardHeight
    QString cardWidth = keys::CardWidth.defaultText();          // txtCardWidth
    std::array<QString, 4> padding;                             // txtCardPadding 0-3: top, bottom, left, right
    int optionStyle = 0;                                        // OptionStyle index
    QString startPos = QStringLiteral("1");                     // cmbStartPos
    QString janImageHeight = keys::BarcodeHeight.defaultText(); // cmbJanImageHeight
    label_stocks::ChosenStock stock;                            // the 用紙 choice

    WindowValues(); // the controls as the type A design sets them
    bool operator==(const WindowValues &) const = default;
};

// The controls a ".cdn" design file holds, each bound to its key: the file keeps the card box under
// the shelf label's keys (common::keys::card_box). The price mark and the barcode-digit and layout
// options are stored as indexes and have their own steps.
void bindFields(WindowValues &form, common::FieldTable &table);

// Load step of the window (memory → controls), with the fallbacks for non-numeric card sizes.
WindowValues loadWindowValues(const PriceTagDesign &design);

// SetCValue, the store step of the window's pair of transfers (controls → memory). Stops at the first value that cannot
// be converted; what was set before it stays set, as the window leaves it.
platform::AppError SetCValue(const WindowValues &form, PriceTagDesign &design);

enum class BuiltInType { A = 0, B = 1 };
// The controls as mnuDefaultA / mnuDefaultB leave them (the start position is not touched there).
WindowValues builtInForm(BuiltInType type, const WindowValues &current = WindowValues());
// The same built-in design in memory form; fields the built-in designs do not set keep their defaults.
PriceTagDesign builtInDesign(BuiltInType type);

// The 用紙 choice: a stock sets the division boxes to its columns × rows and fixes the card at its
// label size; no stock (the free layout) leaves the boxes as they are.
void useStock(WindowValues &form, const label_stocks::ChosenStock &stock);

// Message of the load step when the stored logo file is gone.
QString logoNotFoundText(const QString &path);
// The load step's logo check: when the design prints a logo whose file is gone or whose picture is
// beyond common::MaxLogoPixels, the design forgets it (path empty, sizes 0) and the message to show
// is returned; otherwise the empty text.
QString forgetMissingLogo(PriceTagDesign &design);

} // namespace price_tags
