#pragma once

#include "platform/apperror.h"

#include <QString>
#include <QStringList>

// What a settings or design file may put into a page's style sheet. Every such value is checked
// where it is read, so that a shared design file cannot end the style block or smuggle markup into
// the page; a value that fails takes its default and the reader names it in its report.
namespace common {

// "#" followed by exactly six hexadecimal digits (either case).
bool isColorText(const QString &text);
// A number (digits with at most one decimal point) with an optional unit "pt" or "mm", as the
// designers store font sizes: "11", "10.5", "20pt", "5mm".
bool isFontSizeText(const QString &text);
// A font family name that can stand inside double quotes in a style sheet: not empty, and without
// '"', '<', '>', '{', '}', ';', '\' or control characters.
bool isSafeFontName(const QString &text);

// The value if it passes its check, otherwise the fallback; *rejected is set when it did not pass.
QString checkedColor(const QString &text, const QString &fallback, bool *rejected = nullptr);
QString checkedFontSize(const QString &text, const QString &fallback, bool *rejected = nullptr);
QString checkedFontName(const QString &text, const QString &fallback, bool *rejected = nullptr);

// The report of a reader whose values took their defaults: type mismatch (13) naming the keys, as
// "型が一致しません。 ([FontName] 2, [FontColor] 0)"; past ten keys the rest are counted.
platform::AppError keysTookDefaults(const QStringList &keys);

// A font family as a style sheet's quoted string: the name between double quotes, with every
// character that could end the string, the rule or the style block ('"', '<', '>', '{', '}', ';',
// '\', control characters) written as a CSS escape ("\22 "). A name that passes isSafeFontName()
// comes out unchanged between its quotes.
QString cssQuotedFontName(const QString &name);

} // namespace common
