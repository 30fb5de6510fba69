#include "price_tags/design_file.h"

#include "common/design_keys.h"
#include "common/helpers.h"
#include "common/style_values.h"
#include "platform/numbers.h"

#include <QFileInfo>

namespace price_tags {

namespace {

const char *const fontSections[5] = {"CFontName", "CFontSize", "CFontStyle", "CFontColor", "CFontAlign"};

QString check(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

QString numericOr(const QString &text, const QString &fallback)
{
    return platform::isNumeric(text) ? text : fallback;
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
    for (int i = 0; i < 4; ++i) {
        const QString key = QString::number(i);
        file.setValue(QLatin1String(fontSections[0]), key, f.fontName[i]);
        file.setValue(QLatin1String(fontSections[1]), key, QString(f.fontSize[i]).remove(QLatin1String("pt")));
        file.setValue(QLatin1String(fontSections[2]), key, f.fontStyle[i]);
        file.setValue(QLatin1String(fontSections[3]), key, swatch(f.fontColor[i]));
        file.setValue(QLatin1String(fontSections[4]), key, f.fontAlign[i]);
    }
    const QString mk = QStringLiteral("CMake");
    file.setValue(mk, QStringLiteral("LG"), check(f.checkLogo));
    file.setValue(mk, QStringLiteral("HB"), check(f.checkHinban));
    file.setValue(mk, QStringLiteral("HM"), check(f.checkName));
    // A mark text outside the list leaves the stored mark alone.
    if (f.yMark == yenMarkText())
        file.setValue(mk, QStringLiteral("YM"), QStringLiteral("0"));
    else if (f.yMark == enMarkText())
        file.setValue(mk, QStringLiteral("YM"), QStringLiteral("1"));
    else if (f.yMark == noMarkText())
        file.setValue(mk, QStringLiteral("YM"), QStringLiteral("2"));
    file.setValue(mk, QStringLiteral("ZK"), check(f.checkCZeikomi));
    file.setValue(mk, QStringLiteral("ZW"), check(f.check2Dan));
    file.setValue(mk, QStringLiteral("JC"), check(f.checkJanCode));
    file.setValue(mk, QStringLiteral("JN"), f.optionNum == 0 ? QStringLiteral("0") : QStringLiteral("1"));
    file.setValue(mk, QStringLiteral("Line"), check(f.checkCLine));
    file.setValue(mk, QStringLiteral("LC"), swatch(f.borderColor));
    file.setValue(QStringLiteral("CBun"), QStringLiteral("W"), f.countW);
    file.setValue(QStringLiteral("CBun"), QStringLiteral("H"), f.countH);
    file.setValue(QStringLiteral("CLogo"), QStringLiteral("Name"), f.logoFile);
    file.setValue(QStringLiteral("CLogo"), QStringLiteral("W"), f.logoWidth);
    file.setValue(QStringLiteral("CLogo"), QStringLiteral("H"), f.logoHeight);
    file.setValue(QStringLiteral("CLogo"), QStringLiteral("Align"), f.logoAlign);
    // A design file falls back to the type B-like sizes 45 × 60 mm, unlike the settings (24 × 30).
    file.setValue(QStringLiteral("CHeight"), QStringLiteral("S"), check(f.checkCardHeight));
    file.setValue(QStringLiteral("CHeight"), QStringLiteral("H"),
                  numericOr(f.cardHeight, common::keys::ShelfCardHeight.defaultText()));
    file.setValue(QStringLiteral("CWidth"), QStringLiteral("S"), check(f.checkCardWidth));
    file.setValue(QStringLiteral("CWidth"), QStringLiteral("W"),
                  numericOr(f.cardWidth, common::keys::ShelfCardWidth.defaultText()));
    for (int i = 0; i < 4; ++i)
        file.setValue(QStringLiteral("CPadding"), QStringLiteral("P") + QString::number(i),
                      numericOr(f.padding[i], QStringLiteral("0")));
    file.setValue(QStringLiteral("Style"), QStringLiteral("M"),
                  f.optionStyle == 0 ? QStringLiteral("0") : QStringLiteral("1"));
    file.setValue(QStringLiteral("JAN"), QStringLiteral("CH"), f.janImageHeight);
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
    auto value = [&](const char *section, const QString &key) { return file.value(QLatin1String(section), key); };
    QStringList replaced;
    auto stop = [&](const char *section, const char *key, const platform::AppError &e) {
        if (!replaced.isEmpty())
            r.replaced = common::keysTookDefaults(replaced);
        r.error = e;
        r.stoppedAt = QStringLiteral("[%1] %2").arg(QLatin1String(section), QLatin1String(key));
        r.error.description += QStringLiteral(" (") + r.stoppedAt + QLatin1Char(')');
        return r;
    };

    FlagRead flag = readFlag(value("CMake", QStringLiteral("HB")));
    if (flag.error.isSet())
        return stop("CMake", "HB", flag.error);
    f.checkHinban = flag.value;
    flag = readFlag(value("CMake", QStringLiteral("HM")));
    if (flag.error.isSet())
        return stop("CMake", "HM", flag.error);
    f.checkName = flag.value;

    // A font name or size that could break out of the page's style sheet takes the type A value.
    const PriceTagDesign typeA;
    auto styleValue = [&](const char *section, const QString &key, bool (*passes)(const QString &),
                          const QString &fallback) {
        const QString text = value(section, key);
        if (text.isEmpty() || passes(text))
            return text;
        replaced << QStringLiteral("[") + QLatin1String(section) + QStringLiteral("] ") + key;
        return fallback;
    };
    for (int i = 0; i < 4; ++i) {
        const QString key = QString::number(i);
        f.fontName[i] = styleValue("CFontName", key, common::isSafeFontName, typeA.fontName[i]);
        f.fontSize[i] = sizeCaption(styleValue("CFontSize", key, common::isFontSizeText,
                                               QString(typeA.fontSize[i]).remove(QLatin1String("pt"))));
        if (i == 3)
            break;
        f.fontStyle[i] = value("CFontStyle", key);
        f.fontAlign[i] = value("CFontAlign", key);
        f.fontColor[i] = swatch(value("CFontColor", key));
    }
    // Files of older versions have no tax-note style; it gets the built-in one.
    auto orDefault = [](const QString &text, const QString &fallback) { return text.isEmpty() ? fallback : text; };
    f.fontName[3] = orDefault(f.fontName[3], typeA.fontName[3]);
    f.fontSize[3] = orDefault(f.fontSize[3], typeA.fontSize[3]);
    f.fontStyle[3] = orDefault(value("CFontStyle", QStringLiteral("3")), QStringLiteral("通常"));
    f.fontColor[3] = swatch(orDefault(value("CFontColor", QStringLiteral("3")), QStringLiteral("#000000")));
    f.fontAlign[3] = orDefault(value("CFontAlign", QStringLiteral("3")), QStringLiteral("左"));

    const QString zw = value("CMake", QStringLiteral("ZW"));
    if (zw.isEmpty()) {
        f.check2Dan = false;
    } else {
        flag = readFlag(zw);
        if (flag.error.isSet())
            return stop("CMake", "ZW", flag.error);
        f.check2Dan = flag.value;
    }
    const QString ym = value("CMake", QStringLiteral("YM"));
    const auto ymValue = platform::toWholeNumber(ym);
    if (!ymValue)
        return stop("CMake", "YM",
                    platform::isNumeric(ym) ? platform::AppError::overflow() : platform::AppError::typeMismatch());
    f.yMark = *ymValue == 1 ? enMarkText() : *ymValue == 2 ? noMarkText() : yenMarkText();
    const QString zk = value("CMake", QStringLiteral("ZK"));
    if (!zk.isEmpty()) {
        flag = readFlag(zk);
        if (flag.error.isSet())
            return stop("CMake", "ZK", flag.error);
        f.checkCZeikomi = flag.value;
    }

    flag = readFlag(value("CMake", QStringLiteral("JC")));
    if (flag.error.isSet())
        return stop("CMake", "JC", flag.error);
    f.checkJanCode = flag.value;
    int index = 0;
    platform::AppError e = readIndex(value("CMake", QStringLiteral("JN")), &index);
    if (e.isSet())
        return stop("CMake", "JN", e);
    f.optionNum = index;

    f.countW = value("CBun", QStringLiteral("W"));
    f.countH = value("CBun", QStringLiteral("H"));

    flag = readFlag(value("CMake", QStringLiteral("Line")));
    if (flag.error.isSet())
        return stop("CMake", "Line", flag.error);
    f.checkCLine = flag.value;
    f.borderColor = swatch(orDefault(value("CMake", QStringLiteral("LC")), QStringLiteral("#808080")));

    const QString lg = value("CMake", QStringLiteral("LG"));
    if (!lg.isEmpty()) {
        flag = readFlag(lg);
        if (flag.error.isSet())
            return stop("CMake", "LG", flag.error);
        f.checkLogo = flag.value;
        f.logoFile = value("CLogo", QStringLiteral("Name"));
        f.logoAlign = value("CLogo", QStringLiteral("Align"));
        f.logoWidth = value("CLogo", QStringLiteral("W"));
        f.logoHeight = value("CLogo", QStringLiteral("H"));
        // The window loads the picture here; a file that is gone ends the read.
        if (!f.logoFile.isEmpty() && !QFileInfo(f.logoFile).isFile())
            return stop("CLogo", "Name", platform::AppError::fileNotFound(f.logoFile));
    } else {
        f.checkLogo = false;
        f.logoFile.clear();
        f.logoAlign = QStringLiteral("中央");
        f.logoWidth = QStringLiteral("0");
        f.logoHeight = QStringLiteral("0");
    }

    f.checkCardHeight = value("CHeight", QStringLiteral("S")) == QLatin1String("1");
    f.cardHeight = numericOr(value("CHeight", QStringLiteral("H")), common::keys::ShelfCardHeight.defaultText());
    f.checkCardWidth = value("CWidth", QStringLiteral("S")) == QLatin1String("1");
    f.cardWidth = numericOr(value("CWidth", QStringLiteral("W")), common::keys::ShelfCardWidth.defaultText());

    // Older versions kept one padding for all four sides under "P".
    const QString single = value("CPadding", QStringLiteral("P"));
    for (int i = 0; i < 4; ++i) {
        const QString own = value("CPadding", QStringLiteral("P") + QString::number(i));
        f.padding[i] = platform::isNumeric(own) ? own : numericOr(single, QStringLiteral("0"));
    }

    const QString style = value("Style", QStringLiteral("M"));
    if (style.isEmpty()) {
        f.optionStyle = 0;
    } else {
        e = readIndex(style, &index);
        if (e.isSet())
            return stop("Style", "M", e);
        f.optionStyle = index;
    }

    f.janImageHeight = numericOr(value("JAN", QStringLiteral("CH")), QStringLiteral("40"));
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
