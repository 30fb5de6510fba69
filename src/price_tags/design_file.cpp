#include "price_tags/design_file.h"

#include "common/design_keys.h"
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

void WriteCDesign(const WindowValues &f, platform::ProfileFile &file)
{
    auto put = [&file](const StoredKey &k, const QString &value) {
        file.setValue(k.sectionName(), k.keyName(), value);
    };
    for (std::size_t i = 0; i < 4; ++i) {
        put(keys::FontName[i], f.fontName[i]);
        put(keys::FontSize[i], QString(f.fontSize[i]).remove(QLatin1String("pt")));
        put(keys::FontStyle[i], f.fontStyle[i]);
        put(keys::FontColor[i], swatch(f.fontColor[i]));
        put(keys::FontAlign[i], f.fontAlign[i]);
    }
    put(keys::MakeLG, check(f.checkLogo));
    put(keys::MakeHB, check(f.checkHinban));
    put(keys::MakeHM, check(f.checkName));
    // A mark text outside the list leaves the stored mark alone.
    if (f.yMark == yenMarkText())
        put(keys::MakeYM, QStringLiteral("0"));
    else if (f.yMark == enMarkText())
        put(keys::MakeYM, QStringLiteral("1"));
    else if (f.yMark == noMarkText())
        put(keys::MakeYM, QStringLiteral("2"));
    put(keys::MakeZK, check(f.checkCZeikomi));
    put(keys::MakeZW, check(f.check2Dan));
    // A design that never showed the mark stays the file older versions wrote.
    if (f.checkReducedMark || !file.value(keys::MakeKM.sectionName(), keys::MakeKM.keyName()).isEmpty())
        put(keys::MakeKM, check(f.checkReducedMark));
    put(keys::MakeJC, check(f.checkJanCode));
    put(keys::MakeJN, check(f.optionNum != 0));
    put(keys::MakeLine, check(f.checkCLine));
    put(keys::LineColor, swatch(f.borderColor));
    put(keys::CountW, f.countW);
    put(keys::CountH, f.countH);
    put(keys::LogoName, f.logoFile);
    put(keys::LogoW, f.logoWidth);
    put(keys::LogoH, f.logoHeight);
    put(keys::LogoAlign, f.logoAlign);
    // A design file keeps the card under the shelf label's keys, and so falls back to the shelf
    // label's sizes 45 × 60 mm, unlike the settings (24 × 30).
    put(card_box::CardHeightFixed, check(f.checkCardHeight));
    put(card_box::CardHeight, numericOr(f.cardHeight, card_box::CardHeight));
    put(card_box::CardWidthFixed, check(f.checkCardWidth));
    put(card_box::CardWidth, numericOr(f.cardWidth, card_box::CardWidth));
    for (std::size_t i = 0; i < 4; ++i)
        put(card_box::Padding[i], numericOr(f.padding[i], card_box::Padding[i]));
    put(card_box::LayoutType, check(f.optionStyle != 0));
    put(keys::BarcodeHeight, f.janImageHeight);
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

    FlagRead flag = readFlag(value(keys::MakeHB));
    if (flag.error.isSet())
        return stop(keys::MakeHB, flag.error);
    f.checkHinban = flag.value;
    flag = readFlag(value(keys::MakeHM));
    if (flag.error.isSet())
        return stop(keys::MakeHM, flag.error);
    f.checkName = flag.value;

    // A font name or size that could break out of the page's style sheet takes its default.
    auto styleValue = [&](const StoredKey &k) {
        const QString text = value(k);
        if (text.isEmpty() || common::fitsKind(k.kind, text))
            return text;
        replaced << k.displayName();
        return k.defaultText();
    };
    for (std::size_t i = 0; i < 3; ++i) {
        f.fontName[i] = styleValue(keys::FontName[i]);
        f.fontSize[i] = sizeCaption(styleValue(keys::FontSize[i]));
        f.fontStyle[i] = value(keys::FontStyle[i]);
        f.fontAlign[i] = value(keys::FontAlign[i]);
        f.fontColor[i] = swatch(value(keys::FontColor[i]));
    }
    // Files of older versions have no tax-note style; it gets the built-in one.
    f.fontName[3] = styleValue(keys::FontName[3]);
    f.fontSize[3] = sizeCaption(styleValue(keys::FontSize[3]));
    if (f.fontName[3].isEmpty())
        f.fontName[3] = keys::FontName[3].defaultText();
    if (f.fontSize[3].isEmpty())
        f.fontSize[3] = sizeCaption(keys::FontSize[3].defaultText());
    f.fontStyle[3] = orDefault(keys::FontStyle[3]);
    f.fontColor[3] = swatch(orDefault(keys::FontColor[3]));
    f.fontAlign[3] = orDefault(keys::FontAlign[3]);

    const QString zw = value(keys::MakeZW);
    if (zw.isEmpty()) {
        f.check2Dan = keys::MakeZW.defaultNumber() != 0;
    } else {
        flag = readFlag(zw);
        if (flag.error.isSet())
            return stop(keys::MakeZW, flag.error);
        f.check2Dan = flag.value;
    }
    // Files of older versions lack the reduced-rate mark: off.
    f.checkReducedMark = value(keys::MakeKM) == QLatin1String("1");
    const QString ym = value(keys::MakeYM);
    const auto ymValue = platform::toWholeNumber(ym);
    if (!ymValue)
        return stop(keys::MakeYM,
                    platform::isNumeric(ym) ? platform::AppError::overflow() : platform::AppError::typeMismatch());
    f.yMark = *ymValue == 1 ? enMarkText() : *ymValue == 2 ? noMarkText() : yenMarkText();
    const QString zk = value(keys::MakeZK);
    if (!zk.isEmpty()) {
        flag = readFlag(zk);
        if (flag.error.isSet())
            return stop(keys::MakeZK, flag.error);
        f.checkCZeikomi = flag.value;
    }

    flag = readFlag(value(keys::MakeJC));
    if (flag.error.isSet())
        return stop(keys::MakeJC, flag.error);
    f.checkJanCode = flag.value;
    int index = 0;
    platform::AppError e = readIndex(value(keys::MakeJN), &index);
    if (e.isSet())
        return stop(keys::MakeJN, e);
    f.optionNum = index;

    f.countW = value(keys::CountW);
    f.countH = value(keys::CountH);

    flag = readFlag(value(keys::MakeLine));
    if (flag.error.isSet())
        return stop(keys::MakeLine, flag.error);
    f.checkCLine = flag.value;
    f.borderColor = swatch(orDefault(keys::LineColor));

    const QString lg = value(keys::MakeLG);
    if (!lg.isEmpty()) {
        flag = readFlag(lg);
        if (flag.error.isSet())
            return stop(keys::MakeLG, flag.error);
        f.checkLogo = flag.value;
        f.logoFile = value(keys::LogoName);
        f.logoAlign = value(keys::LogoAlign);
        f.logoWidth = value(keys::LogoW);
        f.logoHeight = value(keys::LogoH);
        // The window loads the picture here; a file that is gone ends the read.
        if (!f.logoFile.isEmpty() && !QFileInfo(f.logoFile).isFile())
            return stop(keys::LogoName, platform::AppError::fileNotFound(f.logoFile));
    } else {
        f.checkLogo = keys::MakeLG.defaultNumber() != 0;
        f.logoFile = keys::LogoName.defaultText();
        f.logoAlign = keys::LogoAlign.defaultText();
        f.logoWidth = keys::LogoW.defaultText();
        f.logoHeight = keys::LogoH.defaultText();
    }

    f.checkCardHeight = value(card_box::CardHeightFixed) == QLatin1String("1");
    f.cardHeight = numericOr(value(card_box::CardHeight), card_box::CardHeight);
    f.checkCardWidth = value(card_box::CardWidthFixed) == QLatin1String("1");
    f.cardWidth = numericOr(value(card_box::CardWidth), card_box::CardWidth);

    // Older versions kept one padding for all four sides under "P".
    const QString single = numericOr(value(card_box::PaddingAll), card_box::PaddingAll);
    for (std::size_t i = 0; i < 4; ++i) {
        const QString own = value(card_box::Padding[i]);
        f.padding[i] = platform::isNumeric(own) ? own : single;
    }

    const QString style = value(card_box::LayoutType);
    if (style.isEmpty()) {
        f.optionStyle = card_box::LayoutType.defaultNumber();
    } else {
        e = readIndex(style, &index);
        if (e.isSet())
            return stop(card_box::LayoutType, e);
        f.optionStyle = index;
    }

    f.janImageHeight = numericOr(value(keys::BarcodeHeight), keys::BarcodeHeight);
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
