#pragma once

#include <QColor>
#include <QString>

#include <array>
#include <optional>

namespace dialogs {

struct NamedColor {
    QString name;
    QColor color;
};

// The sixteen named page colours of the palette, in the order of its swatches (four per row).
const std::array<NamedColor, 16> &paletteColors();

// "#RRGGBB" in upper case, red first.
QString colorText(const QColor &color);
// A colour text read as the designs store it: each of the six characters after the first counts as
// its hexadecimal digit, any other character and a missing one as 0.
QColor colorFromText(const QString &text);
// The colour text of a palette name ("navy" → "#000080"); nullopt for a name not on the palette.
std::optional<QString> paletteColorText(const QString &name);

} // namespace dialogs
