#pragma once

#include <QString>

namespace price_tags {

// The texts of one card as they go into the page (already escaped where they come from products).
struct CardTexts {
    QString logo;
    QString code;
    QString name;
    QString price; // with its price mark
    QString tax;
    QString barcode;
    QString digits;
};

// CSS words of the design's texts; the empty text for anything unknown.
QString logoAlignWord(const QString &align); // "右揃え" / "右" → "right" ...
QString quotedFamily(const QString &fontName);

// Everything of a card line after its opening '<td align="…"', ending with
// "</td></tr></table></div></td>": one or two tiers (the tax note beside or under the price),
// layout type A (barcode below) or B (barcode to the right).
QString cardRest(bool twoTier, int layoutType, const CardTexts &t);

// The first seven lines shared by the sheet and the preview.
QStringList pageHeadLines();

} // namespace price_tags
