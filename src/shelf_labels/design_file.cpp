#include "shelf_labels/design_file.h"

#include "common/design_keys.h"
#include "common/helpers.h"
#include "common/style_values.h"
#include "platform/numbers.h"
#include "platform/profile_file.h"

#include <QFileInfo>

#include <optional>

namespace shelf_labels {

using platform::AppError;
using platform::ProfileFile;

namespace {

QString numericOr(const QString &text, const char *fallback)
{
    return platform::isNumeric(text) ? text : QString::fromLatin1(fallback);
}

QString keyName(const char *section, const QString &key)
{
    return QStringLiteral(" ([") + QLatin1String(section) + QStringLiteral("] ") + key + QLatin1Char(')');
}

// The value of a key the designer converts to a number without a fallback.
std::optional<int> requiredNumber(const ProfileFile &f, const char *section, const QString &key, AppError *error)
{
    const auto v = platform::toInteger16(f.value(QLatin1String(section), key));
    if (!v) {
        *error = AppError{AppError::TypeMismatch, AppError::typeMismatch().description + keyName(section, key)};
        return std::nullopt;
    }
    return *v;
}

// A check box takes 0 or 1.
std::optional<int> requiredFlag(const ProfileFile &f, const char *section, const QString &key, AppError *error)
{
    const auto v = requiredNumber(f, section, key, error);
    if (!v)
        return std::nullopt;
    if (*v != 0 && *v != 1) {
        *error = AppError{AppError::InvalidPropertyValue,
                          AppError::invalidPropertyValue().description + keyName(section, key)};
        return std::nullopt;
    }
    return v;
}

// An option button chosen by its index within a group of count buttons.
std::optional<int> requiredOption(const ProfileFile &f, const char *section, const QString &key, int count,
                                  AppError *error)
{
    const auto v = requiredNumber(f, section, key, error);
    if (!v)
        return std::nullopt;
    if (*v < 0 || *v >= count) {
        *error = AppError{AppError::NoSuchControlArrayElement,
                          QStringLiteral("コントロール配列の要素 %1 は存在しません。").arg(*v) + keyName(section, key)};
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
    auto value = [&f](const char *section, const QString &key) { return f.value(QLatin1String(section), key); };
    // A font name or size that could break out of the page's style sheet takes the type A value.
    const ShelfLabelDesign typeA;
    auto styleValue = [&](const char *section, const QString &key, bool (*passes)(const QString &),
                          const QString &fallback) {
        const QString text = value(section, key);
        if (text.isEmpty() || passes(text))
            return text;
        *replaced << QStringLiteral("[") + QLatin1String(section) + QStringLiteral("] ") + key;
        return fallback;
    };

    for (int i = 0; i < 7; ++i) {
        const QString k = QString::number(i);
        AreaStyle &a = d.area[i];
        a.fontName = styleValue("FontName", k, common::isSafeFontName, typeA.area[i].fontName);
        a.fontSize = withUnit(styleValue("FontSize", k, common::isFontSizeText, withoutPt(typeA.area[i].fontSize)));
        a.fontStyle = value("FontStyle", k);
        if (i < 6) {
            a.color = normalizedColorText(value("FontColor", k));
            a.align = value("FontAlign", k);
        }
    }

    d.headerColor = normalizedColorText(value("BackColor", QStringLiteral("H")));
    d.headerText = value("Header", QStringLiteral("string"));
    const auto line = requiredFlag(f, "Line", QStringLiteral("line"), error);
    if (!line)
        return false;
    d.line = *line;
    d.countW = value("Bunkatsu", QStringLiteral("W"));
    d.countH = value("Bunkatsu", QStringLiteral("H"));

    const auto yMark = requiredNumber(f, "YMark", QStringLiteral("Y"), error);
    if (!yMark)
        return false;
    if (*yMark >= 0 && *yMark <= 2)
        d.yMark = *yMark;

    const auto taxStyle = requiredOption(f, "Tax", QStringLiteral("Style"), 5, error);
    if (!taxStyle)
        return false;
    v.taxStyle = *taxStyle;

    const auto header = requiredFlag(f, "Header", QStringLiteral("check"), error);
    if (!header)
        return false;
    d.headerCheck = *header;
    const auto zeikomi = requiredFlag(f, "Tax", QStringLiteral("Zeikomi"), error);
    if (!zeikomi)
        return false;
    v.zeikomi = *zeikomi;
    const auto gn = requiredFlag(f, "Make", QStringLiteral("GN"), error);
    if (!gn)
        return false;
    d.makeGN = *gn;
    const auto alt = requiredFlag(f, "Make", QStringLiteral("Alt"), error);
    if (!alt)
        return false;
    d.makeAlt = *alt;
    const auto bc = requiredFlag(f, "Make", QStringLiteral("BC"), error);
    if (!bc)
        return false;
    d.makeBC = *bc;
    const auto jn = requiredOption(f, "Make", QStringLiteral("JN"), 2, error);
    if (!jn)
        return false;
    d.makeJN = *jn;

    if (!value("Make", QStringLiteral("LG")).isEmpty()) {
        const auto lg = requiredFlag(f, "Make", QStringLiteral("LG"), error);
        if (!lg)
            return false;
        d.makeLG = *lg;
        d.logoName = value("Logo", QStringLiteral("Name"));
        d.logoAlign = value("Logo", QStringLiteral("Align"));
        d.logoW = value("Logo", QStringLiteral("W"));
        d.logoH = value("Logo", QStringLiteral("H"));
    } else {
        d.makeLG = 0;
        d.logoName.clear();
        d.logoAlign = QStringLiteral("中央");
        d.logoW = QStringLiteral("0");
        d.logoH = QStringLiteral("0");
    }

    const QString lineColor = value("Line", QStringLiteral("Color"));
    d.lineColor = lineColor.isEmpty() ? QStringLiteral("#808080") : normalizedColorText(lineColor);

    d.borderStyle = knownBorderWord(value("Border", QStringLiteral("S")));
    d.borderWidth = numericOr(value("Border", QStringLiteral("W")), "0");
    const QString borderColor = value("Border", QStringLiteral("C"));
    d.borderColor = borderColor.isEmpty() ? QStringLiteral("#FFFFFF") : normalizedColorText(borderColor);

    d.cardHeightFixed = value("CHeight", QStringLiteral("S")) == QLatin1String("1") ? 1 : 0;
    d.cardHeight = numericOr(value("CHeight", QStringLiteral("H")), common::keys::ShelfCardHeight.defaultValue);
    d.cardWidthFixed = value("CWidth", QStringLiteral("S")) == QLatin1String("1") ? 1 : 0;
    d.cardWidth = numericOr(value("CWidth", QStringLiteral("W")), common::keys::ShelfCardWidth.defaultValue);

    // Files of older versions hold one padding for all four sides.
    const QString oldPadding = value("CPadding", QStringLiteral("P"));
    for (int i = 0; i < 4; ++i) {
        const QString p = value("CPadding", QStringLiteral("P") + QString::number(i));
        d.padding[i] = platform::isNumeric(p) ? p : numericOr(oldPadding, "0");
    }

    if (!value("Style", QStringLiteral("M")).isEmpty()) {
        const auto m = requiredOption(f, "Style", QStringLiteral("M"), 2, error);
        if (!m)
            return false;
        d.layoutType = *m;
    } else {
        d.layoutType = 0;
    }

    const auto th = platform::toInteger16(value("JAN", QStringLiteral("TH")));
    d.barcodeHeight = th ? *th : 40;
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
    auto put = [&f](const char *section, const QString &key, const QString &value) {
        f.setValue(QLatin1String(section), key, value);
    };
    auto num = [](int n) { return QString::number(n); };

    for (int i = 0; i < 7; ++i) {
        const QString k = num(i);
        const AreaStyle &a = d.area[i];
        put("FontName", k, a.fontName);
        put("FontSize", k, withoutPt(a.fontSize));
        put("FontStyle", k, a.fontStyle);
        if (i < 6) {
            put("FontColor", k, normalizedColorText(a.color));
            put("FontAlign", k, a.align);
        }
    }
    put("BackColor", QStringLiteral("H"), normalizedColorText(d.headerColor));
    put("Header", QStringLiteral("string"), d.headerText);
    put("Header", QStringLiteral("check"), num(d.headerCheck));
    put("Line", QStringLiteral("line"), num(d.line));
    put("Line", QStringLiteral("Color"), normalizedColorText(d.lineColor));
    put("Bunkatsu", QStringLiteral("H"), d.countH);
    put("Bunkatsu", QStringLiteral("W"), d.countW);
    if (d.yMark >= 0 && d.yMark <= 2)
        put("YMark", QStringLiteral("Y"), num(d.yMark));
    put("Tax", QStringLiteral("Style"), values.taxStyle >= 0 && values.taxStyle <= 3 ? num(values.taxStyle) : num(4));
    put("Tax", QStringLiteral("Zeikomi"), num(values.zeikomi));
    put("Make", QStringLiteral("GN"), num(d.makeGN));
    put("Make", QStringLiteral("Alt"), num(d.makeAlt));
    put("Make", QStringLiteral("BC"), num(d.makeBC));
    put("Make", QStringLiteral("JN"), d.makeJN == 0 ? num(0) : num(1));
    put("Make", QStringLiteral("LG"), num(d.makeLG));
    put("Logo", QStringLiteral("Name"), d.logoName);
    put("Logo", QStringLiteral("Align"), d.logoAlign);
    put("Logo", QStringLiteral("W"), d.logoW);
    put("Logo", QStringLiteral("H"), d.logoH);
    put("Border", QStringLiteral("S"), knownBorderWord(d.borderStyle));
    put("Border", QStringLiteral("W"), d.borderWidth);
    put("Border", QStringLiteral("C"), normalizedColorText(d.borderColor));
    put("CHeight", QStringLiteral("S"), d.cardHeightFixed == 1 ? num(1) : num(0));
    put("CHeight", QStringLiteral("H"), numericOr(d.cardHeight, common::keys::ShelfCardHeight.defaultValue));
    put("CWidth", QStringLiteral("S"), d.cardWidthFixed == 1 ? num(1) : num(0));
    put("CWidth", QStringLiteral("W"), numericOr(d.cardWidth, common::keys::ShelfCardWidth.defaultValue));
    for (int i = 0; i < 4; ++i)
        put("CPadding", QStringLiteral("P") + num(i), numericOr(d.padding[i], "0"));
    put("Style", QStringLiteral("M"), d.layoutType == 0 ? num(0) : num(1));
    put("JAN", QStringLiteral("TH"), num(d.barcodeHeight));
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
