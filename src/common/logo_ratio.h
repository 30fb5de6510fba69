#pragma once

#include <QSize>
#include <QString>

#include <optional>

// The logo's aspect lock of both designers: with the ratio fixed, the size box the user works on sets
// the other one.
namespace common {

// SetComp: the logo's aspect ratios, from the size boxes and the picture. nullopt leaves the ratios
// as they were (a box empty or "0", or a picture without size).
struct LogoRatios {
    double heightPerWidth = 0;
    double widthPerHeight = 0;
};
std::optional<LogoRatios> SetComp(const QString &widthText, const QString &heightText, QSize picture);

// The other logo-size box when one changes with the aspect ratio fixed: the integer part of
// typed × ratio + 0.5. nullopt when the typed text is no number or the result is no 32-bit number.
std::optional<QString> keptLogoSide(const QString &typed, double ratio);

} // namespace common
