#include "price_tags/design_file.h"

#include "common/card_box.h"
#include "common/design_keys.h"
#include "common/field_table.h"
#include "common/helpers.h"
#include "common/style_values.h"
#include "platform/numbers.h"
#include "price_tags/design_keys.h"

#include <QFileInfo>

namespace price_tags {

namespace {

namespace card_box = common::keys::card_box;
using common::StoredKey;

QString check(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

// The value when it is a number, else the key's default.
QString numericOr(const QString &text, const StoredKey &k)
{
    return platform::isNumeric(text) ? text : k.defaultText();
}

// A check box set from a stored value: the value must be a number that a check box takes.
struct FlagRead {
    bool value = false;
    platform::AppError error;
};

FlagRead readFlag(const QString &text)
{
    FlagRead r;
    const auto v = platform::toWholeNumber(text);
    if (!v) {
        r.error = platform::isNumeric(text) ? platform::AppError::overflow() : platform::AppError::typeMismatch();
        return r;
    }
    if (*v < 0 || *v > 255) {
        r.error = platform::AppError::overflow();
        return r;
    }
    if (*v > 1) {
        r.error = platform::AppError::invalidPropertyValue();
        return r;
    }
    r.value = *v == 1;
    return r;
}

platform::AppError noSuchButton()
{
    return platform::AppError{platform::AppError::NoSuchControlArrayElement,
                              QStringLiteral("コントロール配列の要素が存在しません。")};
}

// An option-button index stored in the file: 0 or 1.
platform::AppError readIndex(const QString &text, int *index)
{
    const auto v = platform::toWholeNumber(text);
    if (!v)
        return platform::isNumeric(text) ? platform::AppError::overflow() : platform::AppError::typeMismatch();
    if (*v != 0 && *v != 1)
        return noSuchButton();
    *index = *v;
    return {};
}

// The swatches hold colour values: a text goes in and comes back as "#RRGGBB" in upper case.
QString swatch(const QString &colorText)
{
    return common::ColorValueToText(common::ColorTextToValue(colorText));
}

QString sizeCaption(const QString &stored)
{
    if (stored.isEmpty() || stored.contains(QLatin1String("mm")))
        return stored;
    return stored + QStringLiteral("pt");
}

} // namespace

void WriteCDesign(const WindowValues &form, platform::ProfileFile &file)
{
    WindowValues f = form;
    common::FieldTable fields;
    bindFields(f, fields);
    auto put = [&file](const StoredKey &k, const QString &value) {
        file.setValue(k.sectionName(), k.keyName(), value);
    };
    auto field = [&](const StoredKey &k) { put(k, fields.text(k)); };
    auto color = [&](const StoredKey &k) { put(k, swatch(fields.text(k))); };
    for (std::size_t i = 0; i < 4; ++i) {
        field(keys::FontName[i]);
        put(keys::FontSize[i], fields.text(keys::FontSize[i]).remove(QLatin1String("pt")));
        field(keys::FontStyle[i]);
        color(keys::FontColor[i]);
        field(keys::FontAlign[i]);
    }
    for (const StoredKey &k : {keys::MakeLG, keys::MakeHB, keys::MakeHM})
        field(k);
    // A mark text outside the list leaves the stored mark alone.
    if (f.yMark == yenMarkText())
        put(keys::MakeYM, QStringLiteral("0"));
    else if (f.yMark == enMarkText())
        put(keys::MakeYM, QStringLiteral("1"));
    else if (f.yMark == noMarkText())
        put(keys::MakeYM, QStringLiteral("2"));
    field(keys::MakeZK);
    field(keys::MakeZW);
    // A design that never showed the mark stays the file older versions wrote.
    if (f.checkReducedMark || !file.value(keys::MakeKM.sectionName(), keys::MakeKM.keyName()).isEmpty())
        field(keys::MakeKM);
    field(keys::MakeJC);
    put(keys::MakeJN, check(f.optionNum != 0));
    field(keys::MakeLine);
    color(keys::LineColor);
    for (const StoredKey &k : {keys::CountW, keys::CountH, keys::LogoName, keys::LogoW, keys::LogoH, keys::LogoAlign})
        field(k);
    // A design file keeps the card under the shelf label's keys, and so falls back to the shelf
    // label's sizes 45 × 60 mm, unlike the settings (24 × 30).
    common::writeCardSize(fields, file);
    put(card_box::LayoutType, check(f.optionStyle != 0));
    field(keys::BarcodeHeight);
    label_stocks::writeStock(file, keys::Stock, f.stock);
}

platform::AppError WriteCDesign(const WindowValues &form, const QString &path)
{
    platform::ProfileFile file(path);
    platform::AppError error;
    if (!file.load(&error))
        return error;
    WriteCDesign(form, file);
    if (!file.save(&error))
        return error;
    return {};
}

CDesignRead ReadCDesign(const platform::ProfileFile &file, const WindowValues &current)
{
    CDesignRead r{current, {}, {}, {}};
    WindowValues &f = r.form;
    auto value = [&](const StoredKey &k) { return file.value(k.sectionName(), k.keyName()); };
    QStringList replaced;
    auto stop = [&](const StoredKey &k, const platform::AppError &e) {
        if (!replaced.isEmpty())
            r.replaced = common::keysTookDefaults(replaced);
        r.error = e;
        r.stoppedAt = k.displayName();
        r.error.description += QStringLiteral(" (") + r.stoppedAt + QLatin1Char(')');
        return r;
    };
    // A value that is empty falls back to the key's default.
    auto orDefault = [&](const StoredKey &k) {
        const QString text = value(k);
        return text.isEmpty() ? k.defaultText() : text;
    };

    common::FieldTable fields;
    bindFields(f, fields);
    auto text = [&](const StoredKey &k) { fields.set(k, value(k)); };
    // A check box takes the stored value; the error that ends the read otherwise.
    auto flag = [&](const StoredKey &k, const QString &stored) {
        const FlagRead read = readFlag(stored);
        if (!read.error.isSet())
            fields.set(k, read.value);
        return read.error;
    };

    for (const StoredKey &k : {keys::MakeHB, keys::MakeHM}) {
        if (const platform::AppError e = flag(k, value(k)); e.isSet())
            return stop(k, e);
    }

    // A font name or size that could break out of the page's style sheet takes its default.
    auto styleValue = [&](const StoredKey &k) {
        const QString text = value(k);
        if (text.isEmpty() || common::fitsKind(k.kind, text))
            return text;
        replaced << k.displayName();
        return k.defaultText();
    };
    for (std::size_t i = 0; i < 3; ++i) {
        fields.set(keys::FontName[i], styleValue(keys::FontName[i]));
        fields.set(keys::FontSize[i], sizeCaption(styleValue(keys::FontSize[i])));
        text(keys::FontStyle[i]);
        text(keys::FontAlign[i]);
        fields.set(keys::FontColor[i], swatch(value(keys::FontColor[i])));
    }
    // Files of older versions have no tax-note style; it gets the built-in one.
    const QString taxName = styleValue(keys::FontName[3]);
    fields.set(keys::FontName[3], taxName.isEmpty() ? keys::FontName[3].defaultText() : taxName);
    const QString taxSize = sizeCaption(styleValue(keys::FontSize[3]));
    fields.set(keys::FontSize[3], taxSize.isEmpty() ? sizeCaption(keys::FontSize[3].defaultText()) : taxSize);
    fields.set(keys::FontStyle[3], orDefault(keys::FontStyle[3]));
    fields.set(keys::FontColor[3], swatch(orDefault(keys::FontColor[3])));
    fields.set(keys::FontAlign[3], orDefault(keys::FontAlign[3]));

    // Two tiers and the tax note keep their defaults when the file lacks them.
    const QString zw = value(keys::MakeZW);
    if (zw.isEmpty())
        fields.set(keys::MakeZW, keys::MakeZW.defaultNumber() != 0);
    else if (const platform::AppError e = flag(keys::MakeZW, zw); e.isSet())
        return stop(keys::MakeZW, e);
    // Files of older versions lack the reduced-rate mark: off.
    text(keys::MakeKM);
    const QString ym = value(keys::MakeYM);
    const auto ymValue = platform::toWholeNumber(ym);
    if (!ymValue)
        return stop(keys::MakeYM,
                    platform::isNumeric(ym) ? platform::AppError::overflow() : platform::AppError::typeMismatch());
    f.yMark = *ymValue == 1 ? enMarkText() : *ymValue == 2 ? noMarkText() : yenMarkText();
    if (const QString zk = value(keys::MakeZK); !zk.isEmpty()) {
        if (const platform::AppError e = flag(keys::MakeZK, zk); e.isSet())
            return stop(keys::MakeZK, e);
    }

    if (const platform::AppError e = flag(keys::MakeJC, value(keys::MakeJC)); e.isSet())
        return stop(keys::MakeJC, e);
    int index = 0;
    platform::AppError e = readIndex(value(keys::MakeJN), &index);
    if (e.isSet())
        return stop(keys::MakeJN, e);
    f.optionNum = index;

    text(keys::CountW);
    text(keys::CountH);

    if (e = flag(keys::MakeLine, value(keys::MakeLine)); e.isSet())
        return stop(keys::MakeLine, e);
    fields.set(keys::LineColor, swatch(orDefault(keys::LineColor)));

    const QString lg = value(keys::MakeLG);
    if (!lg.isEmpty()) {
        if (e = flag(keys::MakeLG, lg); e.isSet())
            return stop(keys::MakeLG, e);
        for (const StoredKey &k : {keys::LogoName, keys::LogoAlign, keys::LogoW, keys::LogoH})
            text(k);
        // The window loads the picture here; a file that is gone ends the read.
        if (!f.logoFile.isEmpty() && !QFileInfo(f.logoFile).isFile())
            return stop(keys::LogoName, platform::AppError::fileNotFound(f.logoFile));
    } else {
        fields.set(keys::MakeLG, keys::MakeLG.defaultNumber() != 0);
        for (const StoredKey &k : {keys::LogoName, keys::LogoAlign, keys::LogoW, keys::LogoH})
            fields.set(k, k.defaultText());
    }

    common::readCardSize(file, fields);

    const QString style = value(card_box::LayoutType);
    if (style.isEmpty()) {
        f.optionStyle = card_box::LayoutType.defaultNumber();
    } else {
        e = readIndex(style, &index);
        if (e.isSet())
            return stop(card_box::LayoutType, e);
        f.optionStyle = index;
    }

    fields.set(keys::BarcodeHeight, numericOr(value(keys::BarcodeHeight), keys::BarcodeHeight));
    f.stock = label_stocks::readStock(file, keys::Stock, &replaced);
    if (!replaced.isEmpty())
        r.replaced = common::keysTookDefaults(replaced);
    return r;
}

CDesignRead ReadCDesign(const QString &path, const WindowValues &current)
{
    if (!QFileInfo(path).isFile())
        return CDesignRead{current, {}, {}, {}};
    platform::ProfileFile file(path);
    platform::AppError error;
    if (!file.load(&error))
        return CDesignRead{current, error, {}, {}};
    return ReadCDesign(file, current);
}

} // namespace price_tags
