#include "shelf_labels/window_values.h"

#include "common/helpers.h"
#include "platform/numbers.h"

#include <QFileInfo>

#include <array>
#include <utility>

namespace shelf_labels {

namespace {

const std::array<std::pair<const char *, const char *>, 8> &borderWords()
{
    static const std::array<std::pair<const char *, const char *>, 8> words{{
        {"solid", "実線"},
        {"double", "二重線"},
        {"dotted", "点線"},
        {"dashed", "破線"},
        {"ridge", "稜線"},
        {"groove", "溝線"},
        {"outset", "凸線"},
        {"inset", "凹線"},
    }};
    return words;
}

QString numericOr(const QString &text, const char *fallback)
{
    return platform::isNumeric(text) ? text : QString::fromLatin1(fallback);
}

} // namespace

WindowValues SetDefaultA()
{
    return WindowValues{};
}

WindowValues SetDefaultB()
{
    WindowValues v;
    v.design.countW = QStringLiteral("2");
    v.design.countH = QStringLiteral("8");
    v.design.cardHeight = QStringLiteral("28");
    v.design.cardWidth = QStringLiteral("80");
    v.design.layoutType = 1;
    return v;
}

QString borderComboText(const QString &cssWord)
{
    for (const auto &[css, text] : borderWords()) {
        if (cssWord == QLatin1String(css))
            return QString::fromUtf8(text);
    }
    return QStringLiteral("(枠飾りなし)");
}

QString borderCssWord(const QString &comboText)
{
    for (const auto &[css, text] : borderWords()) {
        if (comboText == QString::fromUtf8(text))
            return QString::fromLatin1(css);
    }
    return QStringLiteral("none");
}

QString knownBorderWord(const QString &cssWord)
{
    return borderCssWord(borderComboText(cssWord));
}

ShelfLabelDesign settledDesign(const ShelfLabelDesign &design)
{
    ShelfLabelDesign d = design;
    d.backColor = QStringLiteral("#FFFFFF");
    if (!d.logoName.isEmpty()) {
        const auto w = platform::toWholeNumber(d.logoW);
        const auto h = platform::toWholeNumber(d.logoH);
        d.logoW = QString::number(w.value_or(0));
        d.logoH = QString::number(h.value_or(0));
    } else {
        d.logoW = QStringLiteral("0");
        d.logoH = QStringLiteral("0");
    }
    d.borderStyle = knownBorderWord(d.borderStyle);
    d.borderWidth = numericOr(d.borderWidth, "0");
    d.cardHeight = numericOr(d.cardHeight, keys::CardHeight.defaultValue);
    d.cardWidth = numericOr(d.cardWidth, keys::CardWidth.defaultValue);
    for (QString &p : d.padding)
        p = numericOr(p, "0");
    return d;
}

WindowValues loadWindowValues(const ShelfLabelDesign &design, const products::TaxSettings &tax)
{
    return WindowValues{design, tax.style, tax.zeikomi};
}

void storeWindowValues(const WindowValues &values, ShelfLabelDesign &design, products::TaxSettings &tax)
{
    design = values.design;
    tax.style = values.taxStyle;
    tax.zeikomi = values.zeikomi;
}

QString forgetMissingLogo(ShelfLabelDesign &design)
{
    if (!design.showLogo)
        return QString();
    const QString text = common::logoProblemText(design.logoName);
    if (text.isEmpty())
        return QString();
    design.logoName.clear();
    design.logoW = QStringLiteral("0");
    design.logoH = QStringLiteral("0");
    return text;
}

void useStock(ShelfLabelDesign &design, const label_stocks::ChosenStock &stock)
{
    design.stock = stock;
    if (!stock.isSet())
        return;
    design.countW = QString::number(stock.columns);
    design.countH = QString::number(stock.rows);
    design.cardWidth = label_stocks::mmText(stock.labelWidthMm);
    design.cardHeight = label_stocks::mmText(stock.labelHeightMm);
    design.cardWidthFixed = true;
    design.cardHeightFixed = true;
}

} // namespace shelf_labels
