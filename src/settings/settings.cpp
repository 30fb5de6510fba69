#include "settings/settings.h"

#include "common/print_calibration.h"
#include "common/style_values.h"
#include "label_stocks/chosen_stock.h"
#include "ledger/design_keys.h"
#include "platform/cp932.h"
#include "platform/numbers.h"
#include "platform/profile_file.h"
#include "platform/text_file.h"
#include "platform/user_services.h"
#include "price_tags/design_keys.h"
#include "products/tax_keys.h"
#include "settings/settings_keys.h"
#include "shelf_labels/design_keys.h"

#include <QFileInfo>

#include <cmath>

namespace settings {

using common::StoredKey;
using platform::AppError;
using platform::ProfileFile;
namespace shelf = shelf_labels::keys;
namespace tag = price_tags::keys;
namespace tax = products::tax_keys;
namespace ledgerKeys = ledger::keys;
namespace calibrationKeys = common::keys::calibration;

namespace {

template <std::size_t N>
void append(QList<const StoredKey *> &list, const std::array<StoredKey, N> &keys, std::size_t count = N)
{
    for (std::size_t i = 0; i < count; ++i)
        list << &keys[i];
}

// The keys of a new file, in the order it holds them.
QList<const StoredKey *> defaultContent()
{
    QList<const StoredKey *> l;
    append(l, shelf::FontName);
    append(l, shelf::FontSize);
    append(l, shelf::FontStyle);
    append(l, shelf::FontColor);
    append(l, shelf::FontAlign);
    l << &shelf::HeaderColor << &shelf::BackColor << &shelf::HeaderText << &shelf::HeaderCheck << &shelf::Line
      << &shelf::LineColor << &shelf::CountW << &shelf::CountH << &shelf::YMark << &tax::Style << &tax::Rate
      << &tax::Indicate << &tax::Zeikomi << &tax::KS << &shelf::MakeGN << &shelf::MakeAlt << &shelf::MakeBC
      << &shelf::MakeJN << &shelf::MakeLG << &keys::ExcelEX << &shelf::LogoName << &shelf::LogoW << &shelf::LogoH
      << &shelf::LogoAlign << &keys::GridFont;
    // The tax-note style (key 3) came later than the new file's content.
    append(l, tag::FontName, 3);
    append(l, tag::FontSize, 3);
    append(l, tag::FontStyle, 3);
    append(l, tag::FontColor, 3);
    append(l, tag::FontAlign, 3);
    l << &tag::MakeLG << &tag::MakeHB << &tag::MakeHM << &tag::MakePR << &tag::MakeYM << &tag::MakeZK << &tag::MakeJC
      << &tag::MakeJN << &tag::MakeLine << &tag::CountW << &tag::CountH << &tag::LogoName << &tag::LogoW << &tag::LogoH
      << &tag::LogoAlign << &shelf::BorderStyle << &shelf::BorderWidth << &shelf::BorderColor << &shelf::CardHeightFixed
      << &shelf::CardHeight << &shelf::CardWidthFixed << &shelf::CardWidth << &shelf::PaddingAll << &keys::StatusW
      << &keys::StatusH;
    return l;
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

void setDefault(ProfileFile &p, const StoredKey &k)
{
    p.setValue(k.sectionName(), k.keyName(), k.defaultText());
}

// An offset beyond any printer's shift is no calibration: none.
int calibrationOffset(int tenthsMm)
{
    return std::abs(tenthsMm) <= common::MaxCalibrationTenthsMm ? tenthsMm : 0;
}

bool namesFile(const QString &path)
{
    return !path.isEmpty() && QFileInfo(path).isFile();
}

// Reads the settings from one profile, collecting the keys whose values could not be used.
class Reader {
public:
    explicit Reader(const ProfileFile &profile) : m_p(profile) {}

    QStringList badKeys;

    // The value when it passes the check of its key's kind, otherwise the key's default; the key is
    // reported as its table says. Bytes that are not CP932 (a file saved by an editor in UTF-8, a
    // damaged line) are never worth keeping and are always reported.
    QString text(const StoredKey &k)
    {
        ProfileFile::ValueStatus status = ProfileFile::ValueStatus::Missing;
        const QString v = m_p.value(k.sectionName(), k.keyName(), &status);
        if (status == ProfileFile::ValueStatus::NotCp932) {
            report(k);
            return k.defaultText();
        }
        if (k.kind == common::KeyKind::TextOrEmpty)
            return status == ProfileFile::ValueStatus::Missing ? k.defaultText() : v;
        if (v.isEmpty() && k.onBad != common::OnBad::Report)
            return k.defaultText();
        if (common::fitsKind(k.kind, v))
            return v;
        if (k.onBad != common::OnBad::Quiet)
            report(k);
        return k.defaultText();
    }

    int number(const StoredKey &k) { return platform::toWholeNumber(text(k)).value_or(k.defaultNumber()); }

    products::Currency currency(const StoredKey &k)
    {
        const QString v = text(k);
        if (const auto c = products::Currency::parse(v))
            return *c;
        // Forms the parser does not take ("5e-2", "1,000") but the number test does.
        const double d = platform::numericValue(v).value_or(0.0);
        return products::Currency::fromRaw(qint64(std::nearbyint(d * double(products::Currency::Scale))));
    }

    bool isEmpty(const StoredKey &k) const { return m_p.value(k.sectionName(), k.keyName()).isEmpty(); }

private:
    void report(const StoredKey &k)
    {
        const QString name = k.displayName();
        if (!badKeys.contains(name))
            badKeys << name;
    }

    const ProfileFile &m_p;
};

// Every setting from one profile (already upgraded).
Settings readSettings(Reader &r)
{
    Settings s;
    shelf_labels::ShelfLabelDesign &d = s.shelf;

    // Area styles; sizes carry their unit in memory.
    for (std::size_t i = 0; i < 7; ++i) {
        d.area[i].fontName = r.text(shelf::FontName[i]);
        d.area[i].fontSize = withUnit(r.text(shelf::FontSize[i]));
        d.area[i].fontStyle = r.text(shelf::FontStyle[i]);
        if (i < 6) {
            d.area[i].color = r.text(shelf::FontColor[i]);
            d.area[i].align = r.text(shelf::FontAlign[i]);
        }
    }

    d.headerColor = r.text(shelf::HeaderColor);
    d.backColor = r.text(shelf::BackColor);
    d.headerText = r.text(shelf::HeaderText);
    d.cutLine = r.number(shelf::Line) == 1;
    // Rows and columns as the file has them, 0 included: the makers refuse a sheet they cannot divide.
    d.countH = QString::number(r.number(shelf::CountH));
    d.countW = QString::number(r.number(shelf::CountW));
    d.priceMark = r.number(shelf::YMark);
    s.tax.style = r.number(tax::Style);
    s.tax.rate = r.currency(tax::Rate);
    d.showHeader = r.number(shelf::HeaderCheck) == 1;
    s.tax.indicate = r.number(tax::Indicate);
    s.tax.zeikomi = r.number(tax::Zeikomi);

    d.barcodeHeight = r.number(shelf::BarcodeHeight);
    s.tag.barcodeHeight = r.number(tag::BarcodeHeight);
    s.ledger.barcodeHeight = r.number(ledgerKeys::BarcodeHeight);
    d.layoutType = r.number(shelf::LayoutType);
    s.tag.layoutType = r.number(tag::LayoutType);

    d.showItemCode = r.number(shelf::MakeGN) == 1;
    d.showRemarks = r.number(shelf::MakeAlt) == 1;
    d.showBarcode = r.number(shelf::MakeBC) == 1;
    d.showDigits = r.number(shelf::MakeJN) == 1;
    s.tax.ks = r.number(tax::KS);
    s.tax.reducedRate = r.currency(tax::ReducedRate);
    s.excelEX = r.number(keys::ExcelEX);
    s.gridFont = r.number(keys::GridFont);
    d.lineColor = r.text(shelf::LineColor);
    d.showLogo = r.number(shelf::MakeLG) == 1;
    d.reducedMark = r.number(shelf::MakeKM) == 1;

    d.logoName = r.text(shelf::LogoName);
    if (!namesFile(d.logoName)) {
        d.logoName.clear();
        d.showLogo = false;
    }
    d.logoW = QString::number(r.number(shelf::LogoW));
    d.logoH = QString::number(r.number(shelf::LogoH));
    d.logoAlign = r.text(shelf::LogoAlign);

    price_tags::PriceTagDesign &t = s.tag;
    for (std::size_t i = 0; i < 4; ++i) {
        t.fontName[i] = r.text(tag::FontName[i]);
        t.fontSize[i] = withUnit(r.text(tag::FontSize[i]));
        t.fontStyle[i] = r.text(tag::FontStyle[i]);
        t.fontColor[i] = r.text(tag::FontColor[i]);
        t.fontAlign[i] = r.text(tag::FontAlign[i]);
    }

    t.twoTier = r.number(tag::MakeZW) == 1;
    t.reducedMark = r.number(tag::MakeKM) == 1;
    t.showLogo = r.number(tag::MakeLG) == 1;
    t.showItemCode = r.number(tag::MakeHB) == 1;
    t.showName = r.number(tag::MakeHM) == 1;
    t.showBarcode = r.number(tag::MakeJC) == 1;
    t.showDigits = r.number(tag::MakeJN) == 1;
    t.priceMark = r.number(tag::MakeYM);
    t.showTaxNote = r.number(tag::MakeZK) == 1;
    t.ruledLine = r.number(tag::MakeLine) == 1;
    t.keptPR = r.number(tag::MakePR);
    t.countW = r.number(tag::CountW);
    t.countH = r.number(tag::CountH);
    t.lineColor = r.text(tag::LineColor);
    t.logoName = r.text(tag::LogoName);
    if (!namesFile(t.logoName)) {
        t.logoName.clear();
        t.showLogo = false;
    }
    t.logoW = r.number(tag::LogoW);
    t.logoH = r.number(tag::LogoH);
    t.logoAlign = r.text(tag::LogoAlign);

    d.borderStyle = r.text(shelf::BorderStyle);
    d.borderWidth = r.text(shelf::BorderWidth);
    d.borderColor = r.text(shelf::BorderColor);
    d.cardHeightFixed = r.number(shelf::CardHeightFixed) == 1;
    d.cardHeight = r.text(shelf::CardHeight);
    t.cardHeightFixed = r.number(tag::CardHeightFixed) == 1;
    t.cardHeight = r.text(tag::CardHeight);
    d.cardWidthFixed = r.number(shelf::CardWidthFixed) == 1;
    d.cardWidth = r.text(shelf::CardWidth);
    t.cardWidthFixed = r.number(tag::CardWidthFixed) == 1;
    t.cardWidth = r.text(tag::CardWidth);

    // Files of older versions hold one padding P for all four sides.
    if (r.isEmpty(shelf::Padding[0])) {
        d.padding.fill(r.text(shelf::PaddingAll));
    } else {
        for (std::size_t i = 0; i < 4; ++i)
            d.padding[i] = r.text(shelf::Padding[i]);
    }
    for (std::size_t i = 0; i < 4; ++i)
        t.padding[i] = r.text(tag::Padding[i]);

    s.browser.used = r.number(keys::BrowserUsed);
    s.browser.path = r.text(keys::BrowserPath);
    if (!namesFile(s.browser.path)) {
        s.browser.path.clear();
        s.browser.used = 0;
    }

    // LIP as the file has it, 0 included: the ledger refuses to page by 0 rows.
    s.ledger.rowsPerPage = r.number(ledgerKeys::RowsPerPage);
    s.ledger.lineColor = r.text(ledgerKeys::LineColor);
    s.ledger.backColor = r.text(ledgerKeys::BackColor);
    s.ledger.pageNumbers = r.number(ledgerKeys::PageNumbers);
    s.ledger.fontName = r.text(ledgerKeys::FontName);
    s.ledger.fontSize = r.number(ledgerKeys::FontSize);
    s.ledger.padding = r.number(ledgerKeys::Padding);

    s.calibration.xTenthsMm = calibrationOffset(r.number(calibrationKeys::OffsetX));
    s.calibration.yTenthsMm = calibrationOffset(r.number(calibrationKeys::OffsetY));

    s.status.width = r.number(keys::StatusW);
    s.status.height = r.number(keys::StatusH);
    for (std::size_t i = 0; i < 6; ++i)
        s.status.columnWidth[i] = r.number(keys::ColumnWidth[i]);
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
    result.settings.shelf.stock = label_stocks::readStock(profile, shelf::Stock, &reader.badKeys);
    result.settings.tag.stock = label_stocks::readStock(profile, tag::Stock, &reader.badKeys);
    if (!reader.badKeys.isEmpty())
        result.reports << SettingsReport{label, common::keysTookDefaults(reader.badKeys)};
}

void put(ProfileFile &p, const StoredKey &k, const QString &value, QStringList *unwritable)
{
    if (!platform::cp932::canEncode(value)) {
        if (unwritable)
            *unwritable << k.displayName();
        return;
    }
    p.setValue(k.sectionName(), k.keyName(), value);
}

void put(ProfileFile &p, const StoredKey &k, int value, QStringList *unwritable)
{
    put(p, k, QString::number(value), unwritable);
}

// A flag is stored as 1 or 0.
void put(ProfileFile &p, const StoredKey &k, bool on, QStringList *unwritable)
{
    put(p, k, on ? QStringLiteral("1") : QStringLiteral("0"), unwritable);
}

// A key later versions added: written once the file has it or its value is not the default, so that
// the settings of a shop that never used it stay the file older versions wrote.
void putAdded(ProfileFile &p, const StoredKey &k, const QString &value, QStringList *unwritable)
{
    if (value != k.defaultText() || !p.value(k.sectionName(), k.keyName()).isEmpty())
        put(p, k, value, unwritable);
}

} // namespace

QByteArray defaultSettingsBytes()
{
    QStringList lines;
    const char *section = nullptr;
    for (const StoredKey *k : defaultContent()) {
        if (!section || qstrcmp(section, k->section) != 0) {
            section = k->section;
            lines << QLatin1Char('[') + k->sectionName() + QLatin1Char(']');
        }
        lines << k->keyName() + QLatin1Char('=') + k->defaultText();
    }
    return platform::cp932Lines(lines);
}

bool MakeMyIni(const QString &path, AppError *error)
{
    return platform::writeFileAtomically(path, defaultSettingsBytes(), error);
}

bool Plus130MyIni(ProfileFile &p)
{
    if (!p.value(tag::MakeLG.sectionName(), tag::MakeLG.keyName()).isEmpty())
        return false;
    for (std::size_t i : {0, 1}) {
        for (const StoredKey &k :
             {tag::FontName[i], tag::FontSize[i], tag::FontStyle[i], tag::FontColor[i], tag::FontAlign[i]})
            setDefault(p, k);
    }
    for (const StoredKey &k : {tag::FontName[2], tag::FontStyle[2], tag::FontColor[2], tag::FontAlign[2],
                               tag::FontSize[2], tag::MakeLG, tag::MakeHB, tag::MakeHM, tag::MakePR})
        setDefault(p, k);
    // Files upgraded from these versions have always had the price mark 0 (a new file has 1).
    p.setValue(tag::MakeYM.sectionName(), tag::MakeYM.keyName(), QStringLiteral("0"));
    for (const StoredKey &k : {tag::MakeZK, tag::MakeJC, tag::MakeJN, tag::MakeLine, tag::CountW, tag::CountH,
                               tag::LogoName, tag::LogoW, tag::LogoH, tag::LogoAlign})
        setDefault(p, k);
    return true;
}

bool Plus132ini(ProfileFile &p)
{
    if (!p.value(shelf::BorderStyle.sectionName(), shelf::BorderStyle.keyName()).isEmpty())
        return false;
    for (const StoredKey &k : {shelf::BorderStyle, shelf::BorderWidth, shelf::BorderColor})
        setDefault(p, k);
    return true;
}

bool Plus142ini(ProfileFile &p)
{
    if (!p.value(shelf::CardHeightFixed.sectionName(), shelf::CardHeightFixed.keyName()).isEmpty())
        return false;
    for (const StoredKey &k :
         {shelf::CardHeightFixed, shelf::CardHeight, shelf::CardWidthFixed, shelf::CardWidth, shelf::PaddingAll})
        setDefault(p, k);
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
    for (std::size_t i = 0; i < 7; ++i) {
        put(p, shelf::FontName[i], d.area[i].fontName, bad);
        put(p, shelf::FontSize[i], withoutPt(d.area[i].fontSize), bad);
        put(p, shelf::FontStyle[i], d.area[i].fontStyle, bad);
    }
    for (std::size_t i = 0; i < 6; ++i) {
        put(p, shelf::FontColor[i], d.area[i].color, bad);
        put(p, shelf::FontAlign[i], d.area[i].align, bad);
    }
    put(p, shelf::HeaderColor, d.headerColor, bad);
    put(p, shelf::BackColor, d.backColor, bad);
    put(p, shelf::HeaderText, d.headerText, bad);
    put(p, shelf::Line, d.cutLine, bad);
    put(p, shelf::LineColor, d.lineColor, bad);
    put(p, shelf::CountH, d.countH, bad);
    put(p, shelf::CountW, d.countW, bad);
    put(p, shelf::YMark, d.priceMark, bad);
    put(p, tax::Style, s.tax.style, bad);
    put(p, tax::Rate, s.tax.rate.toString(), bad);
    put(p, shelf::HeaderCheck, d.showHeader, bad);
    put(p, tax::Indicate, s.tax.indicate, bad);
    put(p, tax::Zeikomi, s.tax.zeikomi, bad);
    put(p, tax::KS, s.tax.ks, bad);
    putAdded(p, tax::ReducedRate, s.tax.reducedRate.toString(), bad);
    put(p, shelf::MakeGN, d.showItemCode, bad);
    put(p, shelf::MakeAlt, d.showRemarks, bad);
    put(p, shelf::MakeBC, d.showBarcode, bad);
    put(p, shelf::MakeJN, d.showDigits, bad);
    put(p, keys::ExcelEX, s.excelEX, bad);
    put(p, keys::GridFont, s.gridFont, bad);
    put(p, shelf::MakeLG, d.showLogo, bad);
    putAdded(p, shelf::MakeKM, QString::number(d.reducedMark), bad);
    put(p, shelf::LogoName, d.logoName, bad);
    put(p, shelf::LogoW, d.logoW, bad);
    put(p, shelf::LogoH, d.logoH, bad);
    put(p, shelf::LogoAlign, d.logoAlign, bad);

    const price_tags::PriceTagDesign &t = s.tag;
    for (std::size_t i = 0; i < 4; ++i) {
        put(p, tag::FontName[i], t.fontName[i], bad);
        put(p, tag::FontSize[i], withoutPt(t.fontSize[i]), bad);
        put(p, tag::FontStyle[i], t.fontStyle[i], bad);
        put(p, tag::FontColor[i], t.fontColor[i], bad);
        put(p, tag::FontAlign[i], t.fontAlign[i], bad);
    }
    put(p, tag::MakeLG, t.showLogo, bad);
    put(p, tag::MakeHB, t.showItemCode, bad);
    put(p, tag::MakeHM, t.showName, bad);
    put(p, tag::MakeYM, t.priceMark, bad);
    put(p, tag::MakeZK, t.showTaxNote, bad);
    put(p, tag::MakeJC, t.showBarcode, bad);
    put(p, tag::MakeJN, t.showDigits, bad);
    put(p, tag::MakeLine, t.ruledLine, bad);
    put(p, tag::LineColor, t.lineColor, bad);
    put(p, tag::MakeZW, t.twoTier, bad);
    putAdded(p, tag::MakeKM, QString::number(t.reducedMark), bad);
    put(p, tag::CountW, t.countW, bad);
    put(p, tag::CountH, t.countH, bad);
    put(p, tag::LogoName, t.logoName, bad);
    put(p, tag::LogoW, t.logoW, bad);
    put(p, tag::LogoH, t.logoH, bad);
    put(p, tag::LogoAlign, t.logoAlign, bad);

    put(p, shelf::BorderStyle, d.borderStyle, bad);
    put(p, shelf::BorderWidth, d.borderWidth, bad);
    put(p, shelf::BorderColor, d.borderColor, bad);
    put(p, shelf::CardHeightFixed, d.cardHeightFixed, bad);
    put(p, shelf::CardHeight, d.cardHeight, bad);
    put(p, shelf::CardWidthFixed, d.cardWidthFixed, bad);
    put(p, shelf::CardWidth, d.cardWidth, bad);
    for (std::size_t i = 0; i < 4; ++i)
        put(p, shelf::Padding[i], d.padding[i], bad);
    put(p, tag::CardHeightFixed, t.cardHeightFixed, bad);
    put(p, tag::CardHeight, t.cardHeight, bad);
    put(p, tag::CardWidthFixed, t.cardWidthFixed, bad);
    put(p, tag::CardWidth, t.cardWidth, bad);
    for (std::size_t i = 0; i < 4; ++i)
        put(p, tag::Padding[i], t.padding[i], bad);
    put(p, shelf::LayoutType, d.layoutType, bad);
    put(p, tag::LayoutType, t.layoutType, bad);
    put(p, keys::BrowserUsed, s.browser.used, bad);
    put(p, keys::BrowserPath, s.browser.path, bad);

    const ledger::LedgerDesign &l = s.ledger;
    put(p, ledgerKeys::RowsPerPage, l.rowsPerPage, bad);
    put(p, ledgerKeys::LineColor, l.lineColor, bad);
    put(p, ledgerKeys::BackColor, l.backColor, bad);
    put(p, ledgerKeys::PageNumbers, l.pageNumbers, bad);
    put(p, ledgerKeys::FontName, l.fontName, bad);
    put(p, ledgerKeys::FontSize, l.fontSize, bad);
    put(p, ledgerKeys::Padding, l.padding, bad);

    // A minimised or maximised window says nothing about the size the user chose.
    if (windowNormal) {
        put(p, keys::StatusW, s.status.width, bad);
        put(p, keys::StatusH, s.status.height, bad);
        for (std::size_t i = 0; i < 6; ++i)
            put(p, keys::ColumnWidth[i], s.status.columnWidth[i], bad);
    }
    put(p, shelf::BarcodeHeight, d.barcodeHeight, bad);
    put(p, tag::BarcodeHeight, t.barcodeHeight, bad);
    put(p, ledgerKeys::BarcodeHeight, l.barcodeHeight, bad);

    // Keys of later versions: a shop that never chose a stock or calibrated keeps its old file.
    auto putStock = [&](const common::StockKeys &k, const label_stocks::ChosenStock &stock) {
        if (!platform::cp932::canEncode(stock.key)) {
            if (bad)
                *bad << k.name.displayName();
            return;
        }
        label_stocks::writeStock(p, k, stock);
    };
    putStock(shelf::Stock, d.stock);
    putStock(tag::Stock, t.stock);
    putAdded(p, calibrationKeys::OffsetX, QString::number(s.calibration.xTenthsMm), bad);
    putAdded(p, calibrationKeys::OffsetY, QString::number(s.calibration.yTenthsMm), bad);
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

} // namespace settings
