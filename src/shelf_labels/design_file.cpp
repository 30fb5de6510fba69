#include "shelf_labels/design_file.h"

#include "common/card_box.h"
#include "common/field_table.h"
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
    common::FieldTable fields;
    bindFields(d, fields);
    auto text = [&](const StoredKey &k) { fields.set(k, value(f, k)); };
    // A check box or option button that takes the stored value, or ends the read.
    auto flag = [&](const StoredKey &k) {
        const auto on = requiredFlag(f, k, error);
        if (on)
            fields.set(k, *on);
        return on.has_value();
    };
    auto option = [&](const StoredKey &k, int count) {
        const auto index = requiredOption(f, k, count, error);
        if (index)
            fields.set(k, *index);
        return index.has_value();
    };
    // A font name or size that could break out of the page's style sheet takes its default.
    auto styleValue = [&](const StoredKey &k) {
        const QString text = value(f, k);
        if (text.isEmpty() || common::fitsKind(k.kind, text))
            return text;
        *replaced << k.displayName();
        return k.defaultText();
    };

    auto color = [&](const StoredKey &k) { fields.set(k, normalizedColorText(value(f, k))); };

    for (std::size_t i = 0; i < 7; ++i) {
        fields.set(keys::FontName[i], styleValue(keys::FontName[i]));
        fields.set(keys::FontSize[i], withUnit(styleValue(keys::FontSize[i])));
        text(keys::FontStyle[i]);
        if (i < 6) {
            color(keys::FontColor[i]);
            text(keys::FontAlign[i]);
        }
    }

    color(keys::HeaderColor);
    text(keys::HeaderText);
    if (!flag(keys::Line))
        return false;
    text(keys::CountW);
    text(keys::CountH);

    const auto priceMark = requiredNumber(f, keys::YMark, error);
    if (!priceMark)
        return false;
    if (*priceMark >= 0 && *priceMark <= 2)
        fields.set(keys::YMark, *priceMark);

    const auto taxStyle = requiredOption(f, tax::Style, 5, error);
    if (!taxStyle)
        return false;
    v.taxStyle = *taxStyle;

    if (!flag(keys::HeaderCheck))
        return false;
    const auto zeikomi = requiredFlag(f, tax::Zeikomi, error);
    if (!zeikomi)
        return false;
    v.zeikomi = *zeikomi;
    if (!flag(keys::MakeGN) || !flag(keys::MakeAlt) || !flag(keys::MakeBC) || !option(keys::MakeJN, 2))
        return false;

    if (!value(f, keys::MakeLG).isEmpty()) {
        if (!flag(keys::MakeLG))
            return false;
        for (const StoredKey &k : {keys::LogoName, keys::LogoAlign, keys::LogoW, keys::LogoH})
            text(k);
    } else {
        for (const StoredKey &k : {keys::MakeLG, keys::LogoName, keys::LogoAlign, keys::LogoW, keys::LogoH})
            fields.set(k, k.defaultText());
    }

    // An empty colour takes the default, any other text goes through the swatch.
    auto colorOrDefault = [&](const StoredKey &k) {
        const QString c = value(f, k);
        fields.set(k, c.isEmpty() ? k.defaultText() : normalizedColorText(c));
    };
    auto numberText = [&](const StoredKey &k) { fields.set(k, numericOr(value(f, k), k)); };
    colorOrDefault(keys::LineColor);

    fields.set(keys::BorderStyle, knownBorderWord(value(f, keys::BorderStyle)));
    numberText(keys::BorderWidth);
    colorOrDefault(keys::BorderColor);

    common::readCardSize(f, fields);

    if (!value(f, keys::LayoutType).isEmpty()) {
        if (!option(keys::LayoutType, 2))
            return false;
    } else {
        fields.set(keys::LayoutType, keys::LayoutType.defaultNumber());
    }

    const auto th = platform::toInteger16(value(f, keys::BarcodeHeight));
    fields.set(keys::BarcodeHeight, th ? *th : keys::BarcodeHeight.defaultNumber());
    // Files of older versions lack the reduced-rate mark: off.
    text(keys::MakeKM);
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
    ShelfLabelDesign d = values.design;
    common::FieldTable fields;
    bindFields(d, fields);
    auto put = [&f](const StoredKey &k, const QString &value) { f.setValue(k.sectionName(), k.keyName(), value); };
    auto field = [&](const StoredKey &k) { put(k, fields.text(k)); };
    auto color = [&](const StoredKey &k) { put(k, normalizedColorText(fields.text(k))); };
    auto num = [](int n) { return QString::number(n); };

    for (std::size_t i = 0; i < 7; ++i) {
        field(keys::FontName[i]);
        put(keys::FontSize[i], withoutPt(fields.text(keys::FontSize[i])));
        field(keys::FontStyle[i]);
        if (i < 6) {
            color(keys::FontColor[i]);
            field(keys::FontAlign[i]);
        }
    }
    color(keys::HeaderColor);
    for (const StoredKey &k : {keys::HeaderText, keys::HeaderCheck, keys::Line})
        field(k);
    color(keys::LineColor);
    field(keys::CountH);
    field(keys::CountW);
    if (d.priceMark >= 0 && d.priceMark <= 2)
        field(keys::YMark);
    put(tax::Style, values.taxStyle >= 0 && values.taxStyle <= 3 ? num(values.taxStyle) : num(4));
    put(tax::Zeikomi, num(values.zeikomi));
    for (const StoredKey &k : {keys::MakeGN, keys::MakeAlt, keys::MakeBC, keys::MakeJN, keys::MakeLG, keys::LogoName,
                               keys::LogoAlign, keys::LogoW, keys::LogoH})
        field(k);
    put(keys::BorderStyle, knownBorderWord(d.borderStyle));
    field(keys::BorderWidth);
    color(keys::BorderColor);
    common::writeCardSize(fields, f);
    // Any layout but type A is stored as type B.
    put(keys::LayoutType, num(d.layoutType == 0 ? 0 : 1));
    field(keys::BarcodeHeight);
    // A design that never showed the mark stays the file older versions wrote.
    if (d.reducedMark || !value(f, keys::MakeKM).isEmpty())
        field(keys::MakeKM);
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
