#include "app/settings.h"

#include "common/design_keys.h"
#include "common/style_values.h"
#include "platform/cp932.h"
#include "platform/numbers.h"
#include "platform/profile_file.h"
#include "platform/text_file.h"
#include "platform/user_services.h"
#include "shelf_labels/window_values.h"

#include <QFileInfo>

#include <cmath>
#include <limits>

namespace app {

namespace keys = common::keys;
using platform::AppError;
using platform::ProfileFile;

namespace {

const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");

struct Line {
    const char *section; // nullptr: the key belongs to the section above
    const char *key;
    const char *value;
};

// The default content, in the order a new file holds it.
// clang-format off
const Line kDefaultContent[] = {
    {"FontName", "0", "ＭＳ Ｐゴシック"}, {nullptr, "1", "ＭＳ Ｐゴシック"}, {nullptr, "2", "ＭＳ Ｐゴシック"},
    {nullptr, "3", "ＭＳ Ｐゴシック"}, {nullptr, "4", "ＭＳ Ｐゴシック"}, {nullptr, "5", "ＭＳ Ｐゴシック"},
    {nullptr, "6", "ＭＳ Ｐゴシック"},
    {"FontSize", "0", "20"}, {nullptr, "1", "12"}, {nullptr, "2", "12"}, {nullptr, "3", "34"},
    {nullptr, "4", "12"}, {nullptr, "5", "12"}, {nullptr, "6", "34"},
    {"FontStyle", "0", "太字"}, {nullptr, "1", "通常"}, {nullptr, "2", "太字"}, {nullptr, "3", "太字"},
    {nullptr, "4", "通常"}, {nullptr, "5", "通常"}, {nullptr, "6", "太字"},
    {"FontColor", "0", "#FFFFFF"}, {nullptr, "1", "#000000"}, {nullptr, "2", "#000000"},
    {nullptr, "3", "#FF0000"}, {nullptr, "4", "#000000"}, {nullptr, "5", "#000000"},
    {"FontAlign", "0", "中央"}, {nullptr, "1", "左"}, {nullptr, "2", "左"}, {nullptr, "3", "中央"},
    {nullptr, "4", "右"}, {nullptr, "5", "左"},
    {"BackColor", "H", "#FF0000"}, {nullptr, "B", "#FFFFFF"},
    {"Header", "string", "SALE"}, {nullptr, "check", "0"},
    {"Line", "line", "1"}, {nullptr, "Color", "#808080"},
    {"Bunkatsu", "W", "3"}, {nullptr, "H", "4"},
    {"YMark", "Y", "0"},
    {"Tax", "Style", "2"}, {nullptr, "Tax", "0.05"}, {nullptr, "Indicate", "0"}, {nullptr, "Zeikomi", "1"},
    {nullptr, "KS", "0"},
    {"Make", "GN", "0"}, {nullptr, "Alt", "0"}, {nullptr, "BC", "1"}, {nullptr, "JN", "1"}, {nullptr, "LG", "0"},
    {"Excel", "EX", "0"},
    {"Logo", "Name", ""}, {nullptr, "W", "0"}, {nullptr, "H", "0"}, {nullptr, "Align", "中央"},
    {"Size", "GridFont", "9"},
    {"CFontName", "0", "ＭＳ Ｐゴシック"}, {nullptr, "1", "ＭＳ Ｐゴシック"}, {nullptr, "2", "ＭＳ Ｐゴシック"},
    {"CFontSize", "0", "9"}, {nullptr, "1", "9"}, {nullptr, "2", "12"},
    {"CFontStyle", "0", "通常"}, {nullptr, "1", "通常"}, {nullptr, "2", "太字"},
    {"CFontColor", "0", "#000000"}, {nullptr, "1", "#000000"}, {nullptr, "2", "#000000"},
    {"CFontAlign", "0", "左"}, {nullptr, "1", "左"}, {nullptr, "2", "中央"},
    {"CMake", "LG", "0"}, {nullptr, "HB", "0"}, {nullptr, "HM", "1"}, {nullptr, "PR", "1"}, {nullptr, "YM", "1"},
    {nullptr, "ZK", "1"}, {nullptr, "JC", "1"}, {nullptr, "JN", "1"}, {nullptr, "Line", "1"},
    {"CBun", "W", "5"}, {nullptr, "H", "9"},
    {"CLogo", "Name", ""}, {nullptr, "W", "0"}, {nullptr, "H", "0"}, {nullptr, "Align", "中央"},
    {"Border", "S", "none"}, {nullptr, "W", "0"}, {nullptr, "C", "#FFFFFF"},
    {keys::ShelfCardHeightFixed.section, keys::ShelfCardHeightFixed.key, keys::ShelfCardHeightFixed.defaultValue},
    {nullptr, keys::ShelfCardHeight.key, keys::ShelfCardHeight.defaultValue},
    {keys::ShelfCardWidthFixed.section, keys::ShelfCardWidthFixed.key, keys::ShelfCardWidthFixed.defaultValue},
    {nullptr, keys::ShelfCardWidth.key, keys::ShelfCardWidth.defaultValue},
    {"CPadding", "P", "0"},
    {"Status", "W", "9492"}, {nullptr, "H", "6444"},
};
// clang-format on

QString u(const char *text)
{
    return QString::fromUtf8(text);
}

QString keyName(const QString &section, const QString &key)
{
    return QLatin1Char('[') + section + QStringLiteral("] ") + key;
}

// A size in millimetres keeps its unit; any other size is in points.
QString withUnit(const QString &size)
{
    return size.contains(QLatin1String("mm")) ? size : size + QStringLiteral("pt");
}

QString withoutPt(QString size)
{
    return size.remove(QStringLiteral("pt"));
}

void setDefault(ProfileFile &p, const common::StoredKey &k)
{
    p.setValue(k.sectionName(), k.keyName(), k.defaultText());
}

bool namesFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// The card border is one of the CSS words the designer offers.
bool isBorderWord(const QString &text)
{
    return shelf_labels::knownBorderWord(text) == text;
}

constexpr qint64 kByteMin = 0, kByteMax = 255;
constexpr qint64 kInt16Min = std::numeric_limits<qint16>::min(), kInt16Max = std::numeric_limits<qint16>::max();
constexpr qint64 kInt32Min = std::numeric_limits<qint32>::min(), kInt32Max = std::numeric_limits<qint32>::max();

// Reads the settings from one profile, collecting the keys whose values could not be used.
class Reader {
public:
    explicit Reader(const ProfileFile &profile) : m_p(profile) {}

    QStringList badKeys;

    // Text that cannot sensibly be empty (alignments, style words): missing or empty gives the
    // fallback.
    QString text(const QString &section, const QString &key, const QString &fallback)
    {
        const QString v = value(section, key);
        return v.isEmpty() ? fallback : v;
    }
    // Text whose emptiness means something (header text, file paths): only a missing value gives the
    // fallback.
    QString textKeepEmpty(const QString &section, const QString &key, const QString &fallback)
    {
        return m_p.hasKey(section, key) ? value(section, key, fallback) : fallback;
    }
    // A value that goes into a page's style sheet (colour, font size, font name): missing or empty
    // gives the fallback; text that fails its check gives the fallback and is reported.
    QString styleText(const QString &section, const QString &key, const QString &fallback,
                      bool (*passes)(const QString &))
    {
        const QString v = value(section, key);
        if (v.isEmpty())
            return fallback;
        if (passes(v))
            return v;
        report(section, key);
        return fallback;
    }
    // A number text such as a size in millimetres: kept as stored when numeric, else the fallback.
    QString numberText(const QString &section, const QString &key, const QString &fallback)
    {
        const QString v = value(section, key);
        return platform::isNumeric(v) ? v : fallback;
    }

    // A value converted directly: anything but a number in range takes the fallback and is reported.
    int number(const QString &section, const QString &key, int fallback, qint64 min, qint64 max)
    {
        int n = 0;
        if (convert(section, key, min, max, &n))
            return n;
        report(section, key);
        return fallback;
    }
    // A value with a fallback for anything but a number: nothing to report.
    int numberOr(const QString &section, const QString &key, int fallback, qint64 min, qint64 max)
    {
        int n = 0;
        return convert(section, key, min, max, &n) ? n : fallback;
    }
    // A value with a fallback when missing or empty; other text that is not a number is reported.
    int numberOrWhenEmpty(const QString &section, const QString &key, int fallback, qint64 min, qint64 max)
    {
        if (m_p.value(section, key).isEmpty())
            return fallback;
        return number(section, key, fallback, min, max);
    }

    products::Currency currency(const QString &section, const QString &key, products::Currency fallback)
    {
        const QString v = value(section, key);
        if (const auto c = products::Currency::parse(v))
            return *c;
        // Forms the parser does not take ("5e-2", "1,000") but the number test does.
        if (const auto d = platform::numericValue(v); d && std::fabs(*d) < 1e14)
            return products::Currency::fromRaw(qint64(std::nearbyint(*d * double(products::Currency::Scale))));
        report(section, key);
        return fallback;
    }

    bool isEmpty(const QString &section, const QString &key) const { return m_p.value(section, key).isEmpty(); }

private:
    // The value as text. Bytes that are not CP932 (a file saved by an editor in UTF-8, a damaged
    // line) are not worth keeping: the key is reported and reads as the fallback.
    QString value(const QString &section, const QString &key, const QString &fallback = QString())
    {
        ProfileFile::ValueStatus status = ProfileFile::ValueStatus::Missing;
        const QString v = m_p.value(section, key, &status);
        if (status != ProfileFile::ValueStatus::NotCp932)
            return v;
        report(section, key);
        return fallback;
    }

    void report(const QString &section, const QString &key)
    {
        const QString name = keyName(section, key);
        if (!badKeys.contains(name))
            badKeys << name;
    }

    bool convert(const QString &section, const QString &key, qint64 min, qint64 max, int *out)
    {
        const auto v = platform::toWholeNumber(value(section, key));
        if (!v || *v < min || *v > max)
            return false;
        *out = int(*v);
        return true;
    }

    const ProfileFile &m_p;
};

QString numberText(Reader &r, const common::StoredKey &k)
{
    return r.numberText(k.sectionName(), k.keyName(), k.defaultText());
}

// Every setting from one profile (already upgraded).
Settings readSettings(Reader &r)
{
    Settings s;
    shelf_labels::ShelfLabelDesign &d = s.shelf;
    const shelf_labels::ShelfLabelDesign def;

    // Area styles; sizes carry their unit in memory.
    for (int i = 0; i < 7; ++i) {
        const QString k = QString::number(i);
        d.area[i].fontName = r.styleText("FontName", k, def.area[i].fontName, common::isSafeFontName);
        const QString size = r.styleText("FontSize", k, QString(), common::isFontSizeText);
        d.area[i].fontSize = size.isEmpty() ? def.area[i].fontSize : withUnit(size);
        d.area[i].fontStyle = r.text("FontStyle", k, def.area[i].fontStyle);
        if (i < 6) {
            d.area[i].color = r.styleText("FontColor", k, def.area[i].color, common::isColorText);
            d.area[i].align = r.text("FontAlign", k, def.area[i].align);
        }
    }

    d.headerColor = r.styleText("BackColor", "H", def.headerColor, common::isColorText);
    d.backColor = r.styleText("BackColor", "B", def.backColor, common::isColorText);
    d.headerText = r.textKeepEmpty("Header", "string", def.headerText);
    d.line = r.number("Line", "line", def.line, kByteMin, kByteMax);
    // Rows and columns as the file has them, 0 included: the makers refuse a sheet they cannot divide.
    d.countH = QString::number(r.number("Bunkatsu", "H", 4, kInt16Min, kInt16Max));
    d.countW = QString::number(r.number("Bunkatsu", "W", 3, kInt16Min, kInt16Max));
    d.yMark = r.number("YMark", "Y", def.yMark, kByteMin, kByteMax);
    s.tax.style = r.number("Tax", "Style", s.tax.style, kByteMin, kByteMax);
    s.tax.rate = r.currency("Tax", "Tax", s.tax.rate);
    d.headerCheck = r.number("Header", "check", def.headerCheck, kByteMin, kByteMax);
    s.tax.indicate = r.number("Tax", "Indicate", s.tax.indicate, kByteMin, kByteMax);
    s.tax.zeikomi = r.number("Tax", "Zeikomi", s.tax.zeikomi, kByteMin, kByteMax);

    d.barcodeHeight = r.numberOr("JAN", "TH", 40, kInt16Min, kInt16Max);
    s.tag.barcodeHeight = r.numberOr("JAN", "CH", 40, kInt16Min, kInt16Max);
    s.ledger.barcodeHeight = r.numberOr("JAN", "DH", 40, kInt16Min, kInt16Max);
    d.layoutType = r.numberOrWhenEmpty("Style", "M", 0, kByteMin, kByteMax);
    s.tag.layoutType = r.numberOrWhenEmpty("Style", "C", 0, kByteMin, kByteMax);

    d.makeGN = r.numberOr("Make", "GN", 0, kByteMin, kByteMax);
    d.makeAlt = r.numberOr("Make", "ALT", 0, kByteMin, kByteMax);
    d.makeBC = r.numberOr("Make", "BC", 1, kByteMin, kByteMax);
    d.makeJN = r.numberOr("Make", "JN", 1, kByteMin, kByteMax);
    s.tax.ks = r.numberOr("Tax", "KS", 0, kByteMin, kByteMax);
    s.excelEX = r.numberOr("Excel", "EX", 0, kByteMin, kByteMax);
    s.gridFont = r.numberOr("Size", "GridFont", 9, kInt16Min, kInt16Max);
    d.lineColor = r.styleText("Line", "Color", def.lineColor, common::isColorText);
    d.makeLG = r.numberOr("Make", "LG", 0, kByteMin, kByteMax);

    d.logoName = r.textKeepEmpty("Logo", "Name", QString());
    if (!namesFile(d.logoName)) {
        d.logoName.clear();
        d.makeLG = 0;
    }
    d.logoW = QString::number(r.numberOr("Logo", "W", 0, kInt32Min, kInt32Max));
    d.logoH = QString::number(r.numberOr("Logo", "H", 0, kInt32Min, kInt32Max));
    d.logoAlign = r.text("Logo", "Align", QStringLiteral("中央"));

    price_tags::PriceTagDesign &t = s.tag;
    const price_tags::PriceTagDesign tdef;
    for (int i = 0; i < 4; ++i) {
        const QString k = QString::number(i);
        t.fontName[i] = r.styleText("CFontName", k, tdef.fontName[i], common::isSafeFontName);
        const QString size = r.styleText("CFontSize", k, QString(), common::isFontSizeText);
        t.fontSize[i] = size.isEmpty() ? tdef.fontSize[i] : withUnit(size);
        t.fontStyle[i] = r.text("CFontStyle", k, tdef.fontStyle[i]);
        t.fontColor[i] = r.styleText("CFontColor", k, tdef.fontColor[i], common::isColorText);
        t.fontAlign[i] = r.text("CFontAlign", k, tdef.fontAlign[i]);
    }

    t.zw = r.numberOrWhenEmpty("CMake", "ZW", 0, kByteMin, kByteMax);
    t.lg = r.number("CMake", "LG", 0, kByteMin, kByteMax);
    t.hb = r.number("CMake", "HB", 0, kByteMin, kByteMax);
    t.hm = r.number("CMake", "HM", 1, kByteMin, kByteMax);
    t.jc = r.number("CMake", "JC", 1, kByteMin, kByteMax);
    t.jn = r.number("CMake", "JN", 1, kByteMin, kByteMax);
    t.ym = r.number("CMake", "YM", 1, kByteMin, kByteMax);
    t.zk = r.number("CMake", "ZK", 1, kByteMin, kByteMax);
    t.line = r.number("CMake", "Line", 1, kByteMin, kByteMax);
    // PR is not consulted by the maker; a stray value is not worth a report.
    t.pr = r.numberOr("CMake", "PR", 1, kByteMin, kByteMax);
    t.countW = r.number("CBun", "W", 5, kInt16Min, kInt16Max);
    t.countH = r.number("CBun", "H", 9, kInt16Min, kInt16Max);
    t.lineColor = r.styleText("CMake", "LC", tdef.lineColor, common::isColorText);
    t.logoName = r.textKeepEmpty("CLogo", "Name", QString());
    if (!namesFile(t.logoName)) {
        t.logoName.clear();
        t.lg = 0;
    }
    t.logoW = r.number("CLogo", "W", 0, kInt32Min, kInt32Max);
    t.logoH = r.number("CLogo", "H", 0, kInt32Min, kInt32Max);
    t.logoAlign = r.text("CLogo", "Align", QStringLiteral("中央"));

    // Texts the sheets put into their style sheets: a value that is not a number never reaches them.
    d.borderStyle = r.styleText("Border", "S", def.borderStyle, isBorderWord);
    d.borderWidth = r.numberText("Border", "W", QStringLiteral("0"));
    d.borderColor = r.styleText("Border", "C", def.borderColor, common::isColorText);
    d.cardHeightFixed = r.number("CHeight", "S", 0, kByteMin, kByteMax);
    d.cardHeight = numberText(r, keys::ShelfCardHeight);
    t.cardHeightFixed = r.numberOrWhenEmpty("CCHeight", "S", 0, kByteMin, kByteMax);
    t.cardHeight = numberText(r, keys::TagCardHeight);
    d.cardWidthFixed = r.number("CWidth", "S", 0, kByteMin, kByteMax);
    d.cardWidth = numberText(r, keys::ShelfCardWidth);
    t.cardWidthFixed = r.numberOrWhenEmpty("CCWidth", "S", 0, kByteMin, kByteMax);
    t.cardWidth = numberText(r, keys::TagCardWidth);

    // Files of older versions hold one padding P for all four sides.
    if (r.isEmpty("CPadding", "P0")) {
        d.padding.fill(r.numberText("CPadding", "P", QStringLiteral("0")));
    } else {
        for (int i = 0; i < 4; ++i)
            d.padding[i] = r.numberText("CPadding", QStringLiteral("P%1").arg(i), QStringLiteral("0"));
    }
    for (int i = 0; i < 4; ++i)
        t.padding[i] = r.numberText("CCPadding", QStringLiteral("P%1").arg(i), QStringLiteral("0"));

    s.browser.used = r.numberOrWhenEmpty("BR", "Used", 0, kByteMin, kByteMax);
    s.browser.path = r.textKeepEmpty("BR", "Path", QString());
    if (!namesFile(s.browser.path)) {
        s.browser.path.clear();
        s.browser.used = 0;
    }

    const ledger::LedgerDesign ldef;
    // LIP as the file has it, 0 included: the ledger refuses to page by 0 rows.
    s.ledger.rowsPerPage = r.numberOr("DC", "LIP", 12, kInt16Min, kInt16Max);
    s.ledger.lineColor = r.styleText("DC", "LC", ldef.lineColor, common::isColorText);
    s.ledger.backColor = r.styleText("DC", "BC", ldef.backColor, common::isColorText);
    s.ledger.pageNumbers = r.numberOr("DC", "PN", 0, kByteMin, kByteMax);
    s.ledger.fontName = r.styleText("DC", "FN", ldef.fontName, common::isSafeFontName);
    s.ledger.fontSize = r.numberOr("DC", "FS", 11, kInt16Min, kInt16Max);
    s.ledger.padding = r.numberOr("DC", "PD", 2, kInt16Min, kInt16Max);

    s.status.width = r.numberOrWhenEmpty("Status", "W", 9492, kInt32Min, kInt32Max);
    s.status.height = r.numberOrWhenEmpty("Status", "H", 6444, kInt32Min, kInt32Max);
    const WindowStatus defStatus;
    for (int i = 0; i < 6; ++i)
        s.status.columnWidth[i] =
            r.numberOrWhenEmpty("Status", QString::number(i + 1), defStatus.columnWidth[i], kInt32Min, kInt32Max);
    return s;
}

// The load steps shared by GetInitial and GetOldIni on a profile already in memory.
void loadFrom(ProfileFile &profile, const QString &label, bool writeToDisk, SettingsLoad &result)
{
    QString firstUpgrade;
    if (Plus130MyIni(profile))
        firstUpgrade = Plus130MyIniLabel;
    if (Plus132ini(profile) && firstUpgrade.isEmpty())
        firstUpgrade = Plus132iniLabel;
    if (Plus142ini(profile) && firstUpgrade.isEmpty())
        firstUpgrade = Plus142iniLabel;
    if (!firstUpgrade.isEmpty() && writeToDisk) {
        AppError e;
        if (!profile.save(&e))
            result.reports << SettingsReport{firstUpgrade, e};
    }

    Reader reader(profile);
    result.settings = readSettings(reader);
    if (!reader.badKeys.isEmpty())
        result.reports << SettingsReport{label, common::keysTookDefaults(reader.badKeys)};
}

void put(ProfileFile &p, const char *section, const QString &key, const QString &value, QStringList *unwritable)
{
    if (!platform::cp932::canEncode(value)) {
        if (unwritable)
            *unwritable << keyName(u(section), key);
        return;
    }
    p.setValue(u(section), key, value);
}

void put(ProfileFile &p, const char *section, const char *key, const QString &value, QStringList *unwritable)
{
    put(p, section, u(key), value, unwritable);
}

void put(ProfileFile &p, const char *section, const char *key, qint64 value, QStringList *unwritable)
{
    put(p, section, u(key), QString::number(value), unwritable);
}

} // namespace

QByteArray defaultSettingsBytes()
{
    QStringList lines;
    for (const Line &l : kDefaultContent) {
        if (l.section)
            lines << QLatin1Char('[') + u(l.section) + QLatin1Char(']');
        lines << u(l.key) + QLatin1Char('=') + u(l.value);
    }
    return platform::cp932Lines(lines);
}

bool MakeMyIni(const QString &path, AppError *error)
{
    return platform::writeFileAtomically(path, defaultSettingsBytes(), error);
}

bool Plus130MyIni(ProfileFile &p)
{
    if (!p.value(QStringLiteral("CMake"), QStringLiteral("LG")).isEmpty())
        return false;
    for (const char *k : {"0", "1"}) {
        p.setValue(QStringLiteral("CFontName"), u(k), kGothic);
        p.setValue(QStringLiteral("CFontSize"), u(k), QStringLiteral("9"));
        p.setValue(QStringLiteral("CFontStyle"), u(k), QStringLiteral("通常"));
        p.setValue(QStringLiteral("CFontColor"), u(k), QStringLiteral("#000000"));
        p.setValue(QStringLiteral("CFontAlign"), u(k), QStringLiteral("左"));
    }
    const QString two = QStringLiteral("2");
    p.setValue(QStringLiteral("CFontName"), two, kGothic);
    p.setValue(QStringLiteral("CFontStyle"), two, QStringLiteral("太字"));
    p.setValue(QStringLiteral("CFontColor"), two, QStringLiteral("#000000"));
    p.setValue(QStringLiteral("CFontAlign"), two, QStringLiteral("中央"));
    p.setValue(QStringLiteral("CFontSize"), two, QStringLiteral("12"));
    // Files upgraded from these versions have always had the price mark 0 (a new file has 1).
    const char *cmake[][2] = {{"LG", "0"}, {"HB", "0"}, {"HM", "1"}, {"PR", "1"},  {"YM", "0"},
                              {"ZK", "1"}, {"JC", "1"}, {"JN", "1"}, {"Line", "1"}};
    for (const auto &kv : cmake)
        p.setValue(QStringLiteral("CMake"), u(kv[0]), u(kv[1]));
    p.setValue(QStringLiteral("CBun"), QStringLiteral("W"), QStringLiteral("5"));
    p.setValue(QStringLiteral("CBun"), QStringLiteral("H"), QStringLiteral("9"));
    p.setValue(QStringLiteral("CLogo"), QStringLiteral("Name"), QString());
    p.setValue(QStringLiteral("CLogo"), QStringLiteral("W"), QStringLiteral("0"));
    p.setValue(QStringLiteral("CLogo"), QStringLiteral("H"), QStringLiteral("0"));
    p.setValue(QStringLiteral("CLogo"), QStringLiteral("Align"), QStringLiteral("中央"));
    return true;
}

bool Plus132ini(ProfileFile &p)
{
    if (!p.value(QStringLiteral("Border"), QStringLiteral("S")).isEmpty())
        return false;
    p.setValue(QStringLiteral("Border"), QStringLiteral("S"), QStringLiteral("none"));
    p.setValue(QStringLiteral("Border"), QStringLiteral("W"), QStringLiteral("0"));
    p.setValue(QStringLiteral("Border"), QStringLiteral("C"), QStringLiteral("#FFFFFF"));
    return true;
}

bool Plus142ini(ProfileFile &p)
{
    if (!p.value(QStringLiteral("CHeight"), QStringLiteral("S")).isEmpty())
        return false;
    for (const common::StoredKey &k :
         {keys::ShelfCardHeightFixed, keys::ShelfCardHeight, keys::ShelfCardWidthFixed, keys::ShelfCardWidth})
        setDefault(p, k);
    p.setValue(QStringLiteral("CPadding"), QStringLiteral("P"), QStringLiteral("0"));
    return true;
}

SettingsLoad GetOldIni(const QString &oldPath, bool writeToDisk)
{
    SettingsLoad result;
    ProfileFile old(oldPath);
    AppError e;
    if (!old.load(&e)) {
        result.reports << SettingsReport{GetOldIniLabel, e};
        return result;
    }
    loadFrom(old, GetOldIniLabel, writeToDisk, result);
    return result;
}

SettingsLoad GetInitial(const QString &path, const QString &oldPath, bool writeToDisk)
{
    SettingsLoad result;
    ProfileFile file(path);
    if (!QFileInfo::exists(path)) {
        AppError e;
        if (writeToDisk && !MakeMyIni(path, &e))
            result.reports << SettingsReport{MakeMyIniLabel, e};
        if (!oldPath.isEmpty() && QFileInfo(oldPath).isFile()) {
            // The new file keeps its default content until the settings taken over are saved at exit.
            SettingsLoad old = GetOldIni(oldPath, writeToDisk);
            result.settings = old.settings;
            result.reports << old.reports;
            return result;
        }
        file.setBytes(defaultSettingsBytes());
    } else {
        AppError e;
        if (!file.load(&e)) {
            result.reports << SettingsReport{GetInitialLabel, e};
            return result;
        }
    }
    loadFrom(file, GetInitialLabel, writeToDisk, result);
    return result;
}

void writeSettings(const Settings &s, ProfileFile &p, bool windowNormal, QStringList *bad)
{
    const shelf_labels::ShelfLabelDesign &d = s.shelf;
    for (int i = 0; i < 7; ++i) {
        const QString k = QString::number(i);
        put(p, "FontName", k, d.area[i].fontName, bad);
        put(p, "FontSize", k, withoutPt(d.area[i].fontSize), bad);
        put(p, "FontStyle", k, d.area[i].fontStyle, bad);
    }
    for (int i = 0; i < 6; ++i) {
        const QString k = QString::number(i);
        put(p, "FontColor", k, d.area[i].color, bad);
        put(p, "FontAlign", k, d.area[i].align, bad);
    }
    put(p, "BackColor", "H", d.headerColor, bad);
    put(p, "BackColor", "B", d.backColor, bad);
    put(p, "Header", "string", d.headerText, bad);
    put(p, "Line", "line", d.line, bad);
    put(p, "Line", "Color", d.lineColor, bad);
    put(p, "Bunkatsu", "H", d.countH, bad);
    put(p, "Bunkatsu", "W", d.countW, bad);
    put(p, "YMark", "Y", d.yMark, bad);
    put(p, "Tax", "Style", s.tax.style, bad);
    put(p, "Tax", "Tax", s.tax.rate.toString(), bad);
    put(p, "Header", "check", d.headerCheck, bad);
    put(p, "Tax", "Indicate", s.tax.indicate, bad);
    put(p, "Tax", "Zeikomi", s.tax.zeikomi, bad);
    put(p, "Tax", "KS", s.tax.ks, bad);
    put(p, "Make", "GN", d.makeGN, bad);
    put(p, "Make", "Alt", d.makeAlt, bad);
    put(p, "Make", "BC", d.makeBC, bad);
    put(p, "Make", "JN", d.makeJN, bad);
    put(p, "Excel", "EX", s.excelEX, bad);
    put(p, "Size", "GridFont", s.gridFont, bad);
    put(p, "Make", "LG", d.makeLG, bad);
    put(p, "Logo", "Name", d.logoName, bad);
    put(p, "Logo", "W", d.logoW, bad);
    put(p, "Logo", "H", d.logoH, bad);
    put(p, "Logo", "Align", d.logoAlign, bad);

    const price_tags::PriceTagDesign &t = s.tag;
    for (int i = 0; i < 4; ++i) {
        const QString k = QString::number(i);
        put(p, "CFontName", k, t.fontName[i], bad);
        put(p, "CFontSize", k, withoutPt(t.fontSize[i]), bad);
        put(p, "CFontStyle", k, t.fontStyle[i], bad);
        put(p, "CFontColor", k, t.fontColor[i], bad);
        put(p, "CFontAlign", k, t.fontAlign[i], bad);
    }
    put(p, "CMake", "LG", t.lg, bad);
    put(p, "CMake", "HB", t.hb, bad);
    put(p, "CMake", "HM", t.hm, bad);
    put(p, "CMake", "YM", t.ym, bad);
    put(p, "CMake", "ZK", t.zk, bad);
    put(p, "CMake", "JC", t.jc, bad);
    put(p, "CMake", "JN", t.jn, bad);
    put(p, "CMake", "Line", t.line, bad);
    put(p, "CMake", "LC", t.lineColor, bad);
    put(p, "CMake", "ZW", t.zw, bad);
    put(p, "CBun", "W", t.countW, bad);
    put(p, "CBun", "H", t.countH, bad);
    put(p, "CLogo", "Name", t.logoName, bad);
    put(p, "CLogo", "W", t.logoW, bad);
    put(p, "CLogo", "H", t.logoH, bad);
    put(p, "CLogo", "Align", t.logoAlign, bad);

    put(p, "Border", "S", d.borderStyle, bad);
    put(p, "Border", "W", d.borderWidth, bad);
    put(p, "Border", "C", d.borderColor, bad);
    put(p, "CHeight", "S", d.cardHeightFixed, bad);
    put(p, "CHeight", "H", d.cardHeight, bad);
    put(p, "CWidth", "S", d.cardWidthFixed, bad);
    put(p, "CWidth", "W", d.cardWidth, bad);
    for (int i = 0; i < 4; ++i)
        put(p, "CPadding", QStringLiteral("P%1").arg(i), d.padding[i], bad);
    put(p, "CCHeight", "S", t.cardHeightFixed, bad);
    put(p, "CCHeight", "H", t.cardHeight, bad);
    put(p, "CCWidth", "S", t.cardWidthFixed, bad);
    put(p, "CCWidth", "W", t.cardWidth, bad);
    for (int i = 0; i < 4; ++i)
        put(p, "CCPadding", QStringLiteral("P%1").arg(i), t.padding[i], bad);
    put(p, "Style", "M", d.layoutType, bad);
    put(p, "Style", "C", t.layoutType, bad);
    put(p, "BR", "Used", s.browser.used, bad);
    put(p, "BR", "Path", s.browser.path, bad);

    const ledger::LedgerDesign &l = s.ledger;
    put(p, "DC", "LIP", l.rowsPerPage, bad);
    put(p, "DC", "LC", l.lineColor, bad);
    put(p, "DC", "BC", l.backColor, bad);
    put(p, "DC", "PN", l.pageNumbers, bad);
    put(p, "DC", "FN", l.fontName, bad);
    put(p, "DC", "FS", l.fontSize, bad);
    put(p, "DC", "PD", l.padding, bad);

    // A minimised or maximised window says nothing about the size the user chose.
    if (windowNormal) {
        put(p, "Status", "W", s.status.width, bad);
        put(p, "Status", "H", s.status.height, bad);
        for (int i = 0; i < 6; ++i)
            put(p, "Status", QString::number(i + 1), QString::number(s.status.columnWidth[i]), bad);
    }
    put(p, "JAN", "TH", d.barcodeHeight, bad);
    put(p, "JAN", "CH", t.barcodeHeight, bad);
    put(p, "JAN", "DH", l.barcodeHeight, bad);
}

bool SetInitial(const Settings &settings, const QString &path, bool windowNormal, AppError *error)
{
    ProfileFile file(path);
    AppError e;
    if (!file.load(&e)) {
        if (error)
            *error = e;
        return false;
    }
    QStringList unwritable;
    writeSettings(settings, file, windowNormal, &unwritable);
    if (!file.save(&e)) {
        if (error)
            *error = e;
        return false;
    }
    if (!unwritable.isEmpty()) {
        if (error) {
            *error = AppError{AppError::InvalidPropertyValue,
                              QStringLiteral("Shift_JIS で保存できない文字が含まれています。 (") +
                                  unwritable.join(QStringLiteral(", ")) + QLatin1Char(')')};
        }
        return false;
    }
    return true;
}

SettingsReportBox settingsReportBox(const SettingsReport &report)
{
    if (report.label == MakeMyIniLabel)
        return {QStringLiteral("エラー情報(MakeMyIni)"), QStringLiteral("初期化ファイルの作成に失敗しました"), false};
    return {platform::reportTitle(), platform::errorReportText(report.label, report.error), true};
}

void showSettingsReports(platform::UiServices &services, const QList<SettingsReport> &reports, QWidget *parent)
{
    for (const SettingsReport &r : reports) {
        const SettingsReportBox box = settingsReportBox(r);
        services.message(parent, box.title, box.text,
                         box.critical ? platform::UiServices::Icon::Critical : platform::UiServices::Icon::None);
    }
}

} // namespace app
