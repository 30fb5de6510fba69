#pragma once

#include <QSize>
#include <QString>

#include <optional>

// The price-tag designer's own rules that the command line shares or a test pins: captions, prompts,
// notices, and the logo's aspect ratio.
namespace price_tags {

// "貼付用値札作成ツール", or with the name of the current design file in brackets.
QString designerCaption(const QString &designFile);

// The save prompt before a design is replaced or the window closes with unsaved edits.
QString savePromptText(const QString &designFile);
QString savePromptTitle(); // "デザインの変更確認"

// The main window's notice when the product list is empty; the designer then opens for design only.
QString emptyListNoticeText();  // "データリストにデータがありません."
QString emptyListNoticeTitle(); // "値札作成"

// The display command before anything was made.
QString nothingToShowText(); // "表示するデータがまだありません."
QString displayTitle();      // "貼付用値札の表示"

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

} // namespace price_tags
