#pragma once

#include <QColor>
#include <QSize>
#include <QString>
#include <QtGlobal>

namespace platform {
class UiServices;
}

// The small helpers used all over the program: one INI key, shell open, colour texts, shortened paths,
// twips and pixels, and the size bounds of the main window.
namespace common {

// One key of an INI file: the trimmed value, or the empty text when the file, section or key is missing.
QString GetIniValue(const QString &path, const QString &section, const QString &key);
// Writes one key (creating file, section or key as needed); non-zero on success.
int PutIniValue(const QString &path, const QString &section, const QString &key, const QString &value);

// Opens a document or web address with the desktop's handler; a blank target does nothing (and
// gives false). True when the desktop took it.
bool OpenWithShell(platform::UiServices &services, const QString &target);

// "#RRGGBB" (either case) → colour value 0x00BBGGRR. Each of the six characters after the first
// counts as its hexadecimal digit; any other character, and a missing one, counts as 0.
qint32 ColorTextToValue(const QString &text);
// Colour value 0x00BBGGRR → "#RRGGBB" in upper case; the empty text for a value that is no RGB colour
// (negative or above 0xFFFFFF).
QString ColorValueToText(qint64 value);
// The same colours as QColor, for the swatches.
QColor colorFromValue(qint32 value);
qint32 colorToValue(const QColor &color);

// A path of more than 50 characters as its first 23 characters, ".....", a separator and the name of
// the file (nothing after the separator when the file does not exist); shorter paths as they are.
QString ShortenPath(const QString &path);

// Twips per pixel of the screen (1440 / logical dots per inch); 15 without a screen (96 dpi).
double twipsPerPixelX();
double twipsPerPixelY();

// floor(twips / twips per pixel); 0 when that is no 32-bit number or twipsPerPixel is not positive.
qint32 TwipsToPixelsX(qint32 twips);
qint32 TwipsToPixelsY(qint32 twips);
qint32 twipsToPixels(qint32 twips, double twipsPerPixel);
// pixels × twips per pixel, to the nearest whole number (ties to even); 0 on failure as above.
qint32 PixelsToTwipsX(qint32 pixels);
qint32 PixelsToTwipsY(qint32 pixels);
qint32 pixelsToTwips(qint32 pixels, double twipsPerPixel);

// The main window can be made neither smaller than 9492 × 6444 twips nor larger than the screen. The
// main window applies these with setMinimumSize / setMaximumSize (pixels).
inline constexpr int MainWindowMinWidthTwips = 9492;
inline constexpr int MainWindowMinHeightTwips = 6444;
struct WindowSizeBounds {
    QSize minimum;
    QSize maximum;
};
// From the primary screen (its size and dots per inch).
WindowSizeBounds mainWindowSizeBounds();
// For a given screen: minimum = 9492 / tppX × 6444 / tppY rounded to nearest, maximum = the screen's
// size in pixels, never below the minimum.
WindowSizeBounds mainWindowSizeBounds(double twipsPerPixelX, double twipsPerPixelY, const QSize &screenPixels);

// "ロゴ用の画像" CR LF path CR LF "が見つかりませんでした.": a design names a logo file that is gone.
QString logoNotFoundText(const QString &path);

// A logo is a few hundred pixels across; a picture above this many pixels is no logo and would take
// gigabytes to decode, so it is refused wherever it is chosen or read, from its header alone.
inline constexpr qint64 MaxLogoPixels = 40'000'000;
// "ロゴ用の画像" CR LF path CR LF "は大きすぎます (40,000,000 画素まで).": the picture at path is
// larger than MaxLogoPixels. Empty when it is not, or when it is no picture that can be read.
QString logoTooLargeText(const QString &path);
// The design's logo problem: logoNotFoundText when the file is gone, logoTooLargeText when it is too
// large; empty when there is none.
QString logoProblemText(const QString &path);

} // namespace common
