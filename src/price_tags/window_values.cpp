#include "price_tags/window_values.h"

#include "common/helpers.h"
#include "platform/numbers.h"

#include <QFileInfo>

namespace price_tags {

// The page prints the yen sign; the list shows it as such, not as the backslash that Japanese
// Windows fonts draw as a yen sign.
QString yenMarkText()
{
    return QStringLiteral("¥ マーク");
}
QString enMarkText()
{
    return QStringLiteral("円マーク");
}
QString noMarkText()
{
    return QStringLiteral("付けない");
}

namespace {

QString numericOr(const QString &text, const QString &fallback)
{
    return platform::isNumeric(text) ? text : fallback;
}

QString markText(int ym)
{
    switch (ym) {
    case 1:
        return enMarkText();
    case 2:
        return noMarkText();
    default:
        return yenMarkText();
    }
}

} // namespace

WindowValues::WindowValues()
{
    const PriceTagDesign d;
    fontName = d.fontName;
    fontSize = d.fontSize;
    fontStyle = d.fontStyle;
    fontColor = d.fontColor;
    fontAlign = d.fontAlign;
    yMark = yenMarkText();
    padding.fill(QStringLiteral("0"));
}

void bindFields(WindowValues &f, common::FieldTable &t)
{
    namespace card_box = common::keys::card_box;
    t.bind(keys::FontName, f.fontName);
    t.bind(keys::FontSize, f.fontSize);
    t.bind(keys::FontStyle, f.fontStyle);
    t.bind(keys::FontColor, f.fontColor);
    t.bind(keys::FontAlign, f.fontAlign);
    t.bind(keys::MakeLG, f.checkLogo);
    t.bind(keys::MakeHB, f.checkHinban);
    t.bind(keys::MakeHM, f.checkName);
    t.bind(keys::MakeZK, f.checkCZeikomi);
    t.bind(keys::MakeZW, f.check2Dan);
    t.bind(keys::MakeKM, f.checkReducedMark);
    t.bind(keys::MakeJC, f.checkJanCode);
    t.bind(keys::MakeLine, f.checkCLine);
    t.bind(keys::LineColor, f.borderColor);
    t.bind(keys::CountW, f.countW);
    t.bind(keys::CountH, f.countH);
    t.bind(keys::LogoName, f.logoFile);
    t.bind(keys::LogoW, f.logoWidth);
    t.bind(keys::LogoH, f.logoHeight);
    t.bind(keys::LogoAlign, f.logoAlign);
    t.bind(card_box::CardHeightFixed, f.checkCardHeight);
    t.bind(card_box::CardHeight, f.cardHeight);
    t.bind(card_box::CardWidthFixed, f.checkCardWidth);
    t.bind(card_box::CardWidth, f.cardWidth);
    t.bind(card_box::Padding, f.padding);
    t.bind(keys::BarcodeHeight, f.janImageHeight);
}

WindowValues loadWindowValues(const PriceTagDesign &d)
{
    WindowValues f;
    f.checkHinban = d.showItemCode;
    f.checkName = d.showName;
    f.fontName = d.fontName;
    f.fontSize = d.fontSize;
    f.fontStyle = d.fontStyle;
    f.fontColor = d.fontColor;
    f.fontAlign = d.fontAlign;
    f.checkCZeikomi = d.showTaxNote;
    f.check2Dan = d.twoTier;
    f.checkReducedMark = d.reducedMark;
    f.yMark = markText(d.priceMark);
    f.checkJanCode = d.showBarcode;
    f.optionNum = !d.showDigits ? 0 : 1;
    f.countW = QString::number(d.countW);
    f.countH = QString::number(d.countH);
    f.checkCLine = d.ruledLine;
    f.borderColor = d.lineColor;
    f.checkCardHeight = d.cardHeightFixed;
    f.checkCardWidth = d.cardWidthFixed;
    f.cardWidth = numericOr(d.cardWidth, keys::CardWidth.defaultText());
    f.cardHeight = numericOr(d.cardHeight, keys::CardHeight.defaultText());
    for (int i = 0; i < 4; ++i)
        f.padding[i] = numericOr(d.padding[i], QStringLiteral("0"));
    f.optionStyle = d.layoutType == 1 ? 1 : 0;
    f.startPos = QStringLiteral("1");
    f.checkLogo = d.showLogo;
    if (d.showLogo) {
        f.logoFile = d.logoName;
        f.logoAlign = d.logoAlign;
        f.logoWidth = QString::number(d.logoW);
        f.logoHeight = QString::number(d.logoH);
    }
    f.janImageHeight = QString::number(d.barcodeHeight);
    f.stock = d.stock;
    return f;
}

platform::AppError SetCValue(const WindowValues &f, PriceTagDesign &d)
{
    d.fontName = f.fontName;
    d.fontSize = f.fontSize;
    d.fontStyle = f.fontStyle;
    d.fontColor = f.fontColor;
    d.fontAlign = f.fontAlign;
    d.stock = f.stock;
    if (f.yMark == yenMarkText())
        d.priceMark = 0;
    else if (f.yMark == enMarkText())
        d.priceMark = 1;
    else
        d.priceMark = 2;
    d.showTaxNote = f.checkCZeikomi;
    if (!f.countW.isEmpty() && !f.countH.isEmpty()) {
        const auto w = platform::toInteger16(f.countW);
        const auto h = platform::toInteger16(f.countH);
        if (!w || !h)
            return platform::isNumeric(f.countW) && platform::isNumeric(f.countH) ? platform::AppError::overflow()
                                                                                  : platform::AppError::typeMismatch();
        d.countW = *w;
        d.countH = *h;
    } else {
        d.countW = 0;
        d.countH = 0;
    }
    d.showLogo = f.checkLogo;
    d.showItemCode = f.checkHinban;
    d.showName = f.checkName;
    d.showBarcode = f.checkJanCode;
    d.twoTier = f.check2Dan;
    d.reducedMark = f.checkReducedMark;
    if (f.optionNum == 0 || f.optionNum == 1)
        d.showDigits = f.optionNum == 1;
    d.ruledLine = f.checkCLine;
    d.lineColor = f.borderColor;
    d.logoName = f.logoFile;
    d.logoAlign = f.logoAlign;
    if (!f.logoWidth.isEmpty() && !f.logoHeight.isEmpty()) {
        const auto w = platform::toWholeNumber(f.logoWidth);
        const auto h = platform::toWholeNumber(f.logoHeight);
        if (!w || !h)
            return platform::isNumeric(f.logoWidth) && platform::isNumeric(f.logoHeight)
                       ? platform::AppError::overflow()
                       : platform::AppError::typeMismatch();
        d.logoW = *w;
        d.logoH = *h;
    } else {
        d.logoW = 0;
        d.logoH = 0;
    }
    d.cardWidthFixed = f.checkCardWidth;
    d.cardHeightFixed = f.checkCardHeight;
    d.cardWidth = numericOr(f.cardWidth, keys::CardWidth.defaultText());
    d.cardHeight = numericOr(f.cardHeight, keys::CardHeight.defaultText());
    for (int i = 0; i < 4; ++i)
        d.padding[i] = numericOr(f.padding[i], QStringLiteral("0"));
    d.layoutType = f.optionStyle == 0 ? 0 : 1;
    const auto start = platform::toInteger16(f.startPos);
    if (!start)
        return platform::isNumeric(f.startPos) ? platform::AppError::overflow() : platform::AppError::typeMismatch();
    d.startOffset = *start - 1;
    const auto barHeight = platform::toInteger16(f.janImageHeight);
    if (!barHeight)
        return platform::isNumeric(f.janImageHeight) ? platform::AppError::overflow()
                                                     : platform::AppError::typeMismatch();
    d.barcodeHeight = *barHeight;
    return {};
}

WindowValues builtInForm(BuiltInType type, const WindowValues &current)
{
    WindowValues f = loadWindowValues(builtInDesign(type));
    f.startPos = current.startPos;
    return f;
}

PriceTagDesign builtInDesign(BuiltInType type)
{
    PriceTagDesign d; // every stored key at its default, as type A has it
    d.priceMark = 0;  // with the yen mark in front of the price
    if (type == BuiltInType::B) {
        d.countW = 3;
        d.countH = 14;
        d.cardHeight = QStringLiteral("18");
        d.cardWidth = QStringLiteral("56");
        d.layoutType = 1;
    }
    return d;
}

QString logoNotFoundText(const QString &path)
{
    return common::logoNotFoundText(path);
}

QString forgetMissingLogo(PriceTagDesign &design)
{
    if (!design.showLogo)
        return QString();
    const QString text = common::logoProblemText(design.logoName);
    if (text.isEmpty())
        return QString();
    design.logoName.clear();
    design.logoW = 0;
    design.logoH = 0;
    return text;
}

void useStock(WindowValues &form, const label_stocks::ChosenStock &stock)
{
    form.stock = stock;
    if (!stock.isSet())
        return;
    form.countW = QString::number(stock.columns);
    form.countH = QString::number(stock.rows);
    form.cardWidth = label_stocks::mmText(stock.labelWidthMm);
    form.cardHeight = label_stocks::mmText(stock.labelHeightMm);
    form.checkCardWidth = true;
    form.checkCardHeight = true;
}

} // namespace price_tags
