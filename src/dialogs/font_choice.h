#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace dialogs {

// The display texts of one text item as the maker windows hold them.
struct FontChoice {
    QString name;  // as listed by the system
    QString size;  // "20pt", "5mm"; the number alone for an item without unit ("11")
    QString style; // 通常, 太字, 斜体, 両方
    QString color; // "#RRGGBB"
    QString align; // 右, 中央, 左
    bool operator==(const FontChoice &) const = default;
};

// Which of the dialog's fields a text item takes: each maker window names its items' fields. Without a
// unit the size is the number alone and the style stays 通常.
struct FontFields {
    bool color = true;
    bool align = true;
    bool unit = true;
    bool style = true;
    bool operator==(const FontFields &) const = default;
};

// The list entries of the installed fonts: vertical-writing ("@") and the system's internal ("$", "&",
// "%") names left out, in the order given.
QStringList listedFontNames(const QStringList &families);

inline const QString FontSampleText = QStringLiteral("\\￥Aa123あア円");
inline const QStringList FontStyles{QStringLiteral("通常"), QStringLiteral("太字"), QStringLiteral("斜体"),
                                    QStringLiteral("両方")};
inline const QStringList FontAligns{QStringLiteral("右"), QStringLiteral("中央"), QStringLiteral("左")};
inline const QStringList FontUnits{QStringLiteral("pt"), QStringLiteral("mm")};

// A size text split for the dialog: "5mm" → "5" + "mm", "20pt" → "20" + "pt". A text without either
// unit is kept whole with "pt" (so "12" stays 12 instead of losing its digits).
struct FontSize {
    QString number;
    QString unit;
    bool operator==(const FontSize &) const = default;
};
FontSize splitFontSize(const QString &sizeText);

// The size field is accepted when it is a plain decimal ("12", "10.5", "0.6") whose value rounded to
// a whole number (ties to even) is at least 1.
bool fontSizeAccepted(const QString &number);
inline const QString FontSizeRefusedText = QStringLiteral("フォントサイズが不正です.");
inline const QString FontSizeRefusedTitle = QStringLiteral("入力値チェック");
inline const QString FontSizeResetText = QStringLiteral("12");
inline const QString FontMissingText = QStringLiteral("指定されたフォントがシステム内にないようです.");
inline const QString FontMissingTitle = QStringLiteral("フォントの指定");

// The item after OK: the start values with the fields the item takes replaced by the dialog's; the
// size without unit where the item takes none.
FontChoice fontResult(const FontFields &fields, const FontChoice &start, const FontChoice &dialog, const QString &unit);

} // namespace dialogs
