#include "shelf_labels/design_file.h"

#include "common/helpers.h"
#include "common/style_values.h"
#include "platform/numbers.h"
#include "platform/profile_file.h"
#include "products/tax_keys.h"
#include "shelf_labels/design_keys.h"

#include <QFileInfo>

#include <optional>

namespace shelf_labels {

using platform::AppError;
using platform::ProfileFile;

namespace {

namespace tax = products::tax_keys;
using common::StoredKey;

QString value(const ProfileFile &f, const StoredKey &k)
{
    return f.value(k.sectionName(), k.keyName());
}

// The value when it is a number, else the key's default.
QString numericOr(const QString &text, const StoredKey &k)
{
    return platform::isNumeric(text) ? text : k.defaultText();
}

QString keyName(const StoredKey &k)
{
    return QStringLiteral(" (") + k.displayName() + QLatin1Char(')');
}

// The value of a key the designer converts to a number without a fallback.
std::optional<int> requiredNumber(const ProfileFile &f, const StoredKey &k, AppError *error)
{
    const auto v = platform::toInteger16(value(f, k));
    if (!v) {
        *error = AppError{AppError::TypeMismatch, AppError::typeMismatch().description + keyName(k)};
        return std::nullopt;
    }
    return *v;
}

// A check box takes 0 or 1.
std::optional<int> requiredFlag(const ProfileFile &f, const StoredKey &k, AppError *error)
{
    const auto v = requiredNumber(f, k, error);
    if (!v)
        return std::nullopt;
    if (*v != 0 && *v != 1) {
        *error = AppError{AppError::InvalidPropertyValue, AppError::invalidPropertyValue().description + keyName(k)};
        return std::nullopt;
    }
    return v;
}

// An option button chosen by its index within a group of count buttons.
std::optional<int> requiredOption(const ProfileFile &f, const StoredKey &k, int count, AppError *error)
{
    const auto v = requiredNumber(f, k, error);
    if (!v)
        return std::nullopt;
    if (*v < 0 || *v >= count) {
        *error = AppError{AppError::NoSuchControlArrayElement,
                          QStringLiteral("コントロール配列の要素 %1 は存在しません。").arg(*v) + keyName(k)};
        return std::nullopt;
    }
    return v;
}

QString withoutPt(QString size)
{
    return size.remove(QStringLiteral("pt"));
}

QString withUnit(const QString &stored)
{
    return stored.contains(QLatin1String("mm")) ? stored : stored + QStringLiteral("pt");
}

bool readValues(const ProfileFile &f, WindowValues &v, AppError *error, QStringList *replaced)
{
    ShelfLabelDesign &d = v.design;
    // A font name or size that could break out of the page's style sheet takes its default.
    auto styleValue = [&](const StoredKey &k) {
        const QString text = value(f, k);
        if (text.isEmpty() || common::fitsKind(k.kind, text))
            return text;
        *replaced << k.displayName();
        return k.defaultText();
    };

    for (std::size_t i = 0; i < 7; ++i) {
        AreaStyle &a = d.area[i];
        a.fontName = styleValue(keys::FontName[i]);
        a.fontSize = withUnit(styleValue(keys::FontSize[i]));
        a.fontStyle = value(f, keys::FontStyle[i]);
        if (i < 6) {
            a.color = normalizedColorText(value(f, keys::FontColor[i]));
            a.align = value(f, keys::FontAlign[i]);
        }
    }

    d.headerColor = normalizedColorText(value(f, keys::HeaderColor));
    d.headerText = value(f, keys::HeaderText);
    const auto line = requiredFlag(f, keys::Line, error);
    if (!line)
        return false;
    d.cutLine = *line == 1;
    d.countW = value(f, keys::CountW);
    d.countH = value(f, keys::CountH);

    const auto priceMark = requiredNumber(f, keys::YMark, error);
    if (!priceMark)
        return false;
    if (*priceMark >= 0 && *priceMark <= 2)
        d.priceMark = *priceMark;

    const auto taxStyle = requiredOption(f, tax::Style, 5, error);
    if (!taxStyle)
        return false;
    v.taxStyle = *taxStyle;

    const auto header = requiredFlag(f, keys::HeaderCheck, error);
    if (!header)
        return false;
    d.showHeader = *header == 1;
    const auto zeikomi = requiredFlag(f, tax::Zeikomi, error);
    if (!zeikomi)
        return false;
    v.zeikomi = *zeikomi;
    const auto gn = requiredFlag(f, keys::MakeGN, error);
    if (!gn)
        return false;
    d.showItemCode = *gn == 1;
    const auto alt = requiredFlag(f, keys::MakeAlt, error);
    if (!alt)
        return false;
    d.showRemarks = *alt == 1;
    const auto bc = requiredFlag(f, keys::MakeBC, error);
    if (!bc)
        return false;
    d.showBarcode = *bc == 1;
    const auto jn = requiredOption(f, keys::MakeJN, 2, error);
    if (!jn)
        return false;
    d.showDigits = *jn == 1;

    if (!value(f, keys::MakeLG).isEmpty()) {
        const auto lg = requiredFlag(f, keys::MakeLG, error);
        if (!lg)
            return false;
        d.showLogo = *lg == 1;
        d.logoName = value(f, keys::LogoName);
        d.logoAlign = value(f, keys::LogoAlign);
        d.logoW = value(f, keys::LogoW);
        d.logoH = value(f, keys::LogoH);
    } else {
        d.showLogo = keys::MakeLG.defaultNumber() == 1;
        d.logoName = keys::LogoName.defaultText();
        d.logoAlign = keys::LogoAlign.defaultText();
        d.logoW = keys::LogoW.defaultText();
        d.logoH = keys::LogoH.defaultText();
    }

    const QString lineColor = value(f, keys::LineColor);
    d.lineColor = lineColor.isEmpty() ? keys::LineColor.defaultText() : normalizedColorText(lineColor);

    d.borderStyle = knownBorderWord(value(f, keys::BorderStyle));
    d.borderWidth = numericOr(value(f, keys::BorderWidth), keys::BorderWidth);
    const QString borderColor = value(f, keys::BorderColor);
    d.borderColor = borderColor.isEmpty() ? keys::BorderColor.defaultText() : normalizedColorText(borderColor);

    d.cardHeightFixed = value(f, keys::CardHeightFixed) == QLatin1String("1");
    d.cardHeight = numericOr(value(f, keys::CardHeight), keys::CardHeight);
    d.cardWidthFixed = value(f, keys::CardWidthFixed) == QLatin1String("1");
    d.cardWidth = numericOr(value(f, keys::CardWidth), keys::CardWidth);

    // Files of older versions hold one padding for all four sides.
    const QString oldPadding = numericOr(value(f, keys::PaddingAll), keys::PaddingAll);
    for (std::size_t i = 0; i < 4; ++i) {
        const QString p = value(f, keys::Padding[i]);
        d.padding[i] = platform::isNumeric(p) ? p : oldPadding;
    }

    if (!value(f, keys::LayoutType).isEmpty()) {
        const auto m = requiredOption(f, keys::LayoutType, 2, error);
        if (!m)
            return false;
        d.layoutType = *m;
    } else {
        d.layoutType = keys::LayoutType.defaultNumber();
    }

    const auto th = platform::toInteger16(value(f, keys::BarcodeHeight));
    d.barcodeHeight = th ? *th : keys::BarcodeHeight.defaultNumber();
    // Files of older versions lack the reduced-rate mark: off.
    d.reducedMark = value(f, keys::MakeKM) == QLatin1String("1");
    d.stock = label_stocks::readStock(f, keys::Stock, replaced);
    return true;
}

} // namespace

QString normalizedColorText(const QString &text)
{
    return common::ColorValueToText(common::ColorTextToValue(text));
}

bool WriteDesign(const WindowValues &values, const QString &path, AppError *error)
{
    ProfileFile f(path);
    if (!f.load(error))
        return false;
    const ShelfLabelDesign &d = values.design;
    auto put = [&f](const StoredKey &k, const QString &value) { f.setValue(k.sectionName(), k.keyName(), value); };
    auto num = [](int n) { return QString::number(n); };

    for (std::size_t i = 0; i < 7; ++i) {
        const AreaStyle &a = d.area[i];
        put(keys::FontName[i], a.fontName);
        put(keys::FontSize[i], withoutPt(a.fontSize));
        put(keys::FontStyle[i], a.fontStyle);
        if (i < 6) {
            put(keys::FontColor[i], normalizedColorText(a.color));
            put(keys::FontAlign[i], a.align);
        }
    }
    put(keys::HeaderColor, normalizedColorText(d.headerColor));
    put(keys::HeaderText, d.headerText);
    put(keys::HeaderCheck, num(d.showHeader));
    put(keys::Line, num(d.cutLine));
    put(keys::LineColor, normalizedColorText(d.lineColor));
    put(keys::CountH, d.countH);
    put(keys::CountW, d.countW);
    if (d.priceMark >= 0 && d.priceMark <= 2)
        put(keys::YMark, num(d.priceMark));
    put(tax::Style, values.taxStyle >= 0 && values.taxStyle <= 3 ? num(values.taxStyle) : num(4));
    put(tax::Zeikomi, num(values.zeikomi));
    put(keys::MakeGN, num(d.showItemCode));
    put(keys::MakeAlt, num(d.showRemarks));
    put(keys::MakeBC, num(d.showBarcode));
    put(keys::MakeJN, num(d.showDigits));
    put(keys::MakeLG, num(d.showLogo));
    put(keys::LogoName, d.logoName);
    put(keys::LogoAlign, d.logoAlign);
    put(keys::LogoW, d.logoW);
    put(keys::LogoH, d.logoH);
    put(keys::BorderStyle, knownBorderWord(d.borderStyle));
    put(keys::BorderWidth, d.borderWidth);
    put(keys::BorderColor, normalizedColorText(d.borderColor));
    put(keys::CardHeightFixed, num(d.cardHeightFixed));
    put(keys::CardHeight, numericOr(d.cardHeight, keys::CardHeight));
    put(keys::CardWidthFixed, num(d.cardWidthFixed));
    put(keys::CardWidth, numericOr(d.cardWidth, keys::CardWidth));
    for (std::size_t i = 0; i < 4; ++i)
        put(keys::Padding[i], numericOr(d.padding[i], keys::Padding[i]));
    put(keys::LayoutType, d.layoutType == 0 ? num(0) : num(1));
    put(keys::BarcodeHeight, num(d.barcodeHeight));
    // A design that never showed the mark stays the file older versions wrote.
    if (d.reducedMark || !value(f, keys::MakeKM).isEmpty())
        put(keys::MakeKM, num(d.reducedMark));
    label_stocks::writeStock(f, keys::Stock, d.stock);
    return f.save(error);
}

DesignRead ReadDesign(const QString &path, const WindowValues &start)
{
    DesignRead r;
    r.values = start;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return r;
    ProfileFile f(path);
    if (!f.load(&r.error))
        return r;
    r.fileFound = true;
    QStringList replaced;
    readValues(f, r.values, &r.error, &replaced);
    if (!replaced.isEmpty())
        r.replaced = common::keysTookDefaults(replaced);
    return r;
}

} // namespace shelf_labels
