#include "dialogs/palette.h"

namespace dialogs {

const std::array<NamedColor, 16> &paletteColors()
{
    static const std::array<NamedColor, 16> colors{{
        {QStringLiteral("black"), QColor(0, 0, 0)},
        {QStringLiteral("gray"), QColor(128, 128, 128)},
        {QStringLiteral("silver"), QColor(192, 192, 192)},
        {QStringLiteral("white"), QColor(255, 255, 255)},
        {QStringLiteral("blue"), QColor(0, 0, 255)},
        {QStringLiteral("navy"), QColor(0, 0, 128)},
        {QStringLiteral("teal"), QColor(0, 128, 128)},
        {QStringLiteral("green"), QColor(0, 128, 0)},
        {QStringLiteral("aqua"), QColor(0, 255, 255)},
        {QStringLiteral("lime"), QColor(0, 255, 0)},
        {QStringLiteral("yellow"), QColor(255, 255, 0)},
        {QStringLiteral("fuchsia"), QColor(255, 0, 255)},
        {QStringLiteral("olive"), QColor(128, 128, 0)},
        {QStringLiteral("purple"), QColor(128, 0, 128)},
        {QStringLiteral("maroon"), QColor(128, 0, 0)},
        {QStringLiteral("red"), QColor(255, 0, 0)},
    }};
    return colors;
}

QString colorText(const QColor &color)
{
    return QStringLiteral("#%1%2%3")
        .arg(color.red(), 2, 16, QLatin1Char('0'))
        .arg(color.green(), 2, 16, QLatin1Char('0'))
        .arg(color.blue(), 2, 16, QLatin1Char('0'))
        .toUpper();
}

QColor colorFromText(const QString &text)
{
    int digits[6] = {};
    for (int i = 0; i < 6 && i + 1 < text.size(); ++i) {
        const int d = QString(text.at(i + 1)).toInt(nullptr, 16);
        digits[i] = d;
    }
    return QColor(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3], digits[4] * 16 + digits[5]);
}

std::optional<QString> paletteColorText(const QString &name)
{
    for (const NamedColor &c : paletteColors()) {
        if (c.name == name)
            return colorText(c.color);
    }
    return std::nullopt;
}

} // namespace dialogs
