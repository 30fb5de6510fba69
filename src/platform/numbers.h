#pragma once

#include <QString>

#include <optional>

namespace platform {

// The one number test of the program: a trimmed decimal with an optional sign, digits with optional
// thousands separators, an optional fraction and an optional exponent ("12", " -3.5 ", "1,280", "1e3").
bool isNumeric(const QString &text);
// The numeric value of such a text.
std::optional<double> numericValue(const QString &text);
// The value rounded to a whole number, ties to even; nullopt when not numeric or outside 32 bits.
std::optional<qint32> toWholeNumber(const QString &text);
// Same, limited to 16 bits.
std::optional<qint16> toInteger16(const QString &text);

// "#,##0": whole number with thousands separators.
QString formatThousands(qint64 value);
// "##0": plain whole number.
QString formatPlain(qint64 value);

} // namespace platform
