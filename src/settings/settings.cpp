#include "settings/settings.h"

#include "common/field_table.h"
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

bool wholeNumber(common::KeyKind kind)
{
    using K = common::KeyKind;
    return kind == K::Byte || kind == K::Integer16 || kind == K::Integer32;
}

// Every stored field of the settings bound to its key (the rates, the calibration and the stocks
// have readers and writers of their own).
void bindFields(Settings &s, common::FieldTable &t)
{
    shelf_labels::bindFields(s.shelf, t);
    price_tags::bindFields(s.tag, t);
    ledger::bindFields(s.ledger, t);
    t.bind(tax::Style, s.tax.style);
    t.bind(tax::Indicate, s.tax.indicate);
    t.bind(tax::Zeikomi, s.tax.zeikomi);
    t.bind(tax::KS, s.tax.ks);
    t.bind(keys::ExcelEX, s.excelEX);
    t.bind(keys::GridFont, s.gridFont);
    t.bind(keys::StatusW, s.status.width);
    t.bind(keys::StatusH, s.status.height);
    t.bind(keys::ColumnWidth, s.status.columnWidth);
    t.bind(keys::BrowserUsed, s.browser.used);
    t.bind(keys::BrowserPath, s.browser.path);
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

    // The key's field of the table: a whole number (a flag, a count kept as text too) through
    // number(), a font size with its unit, any other text as text() gives it.
    void into(common::FieldTable &table, const StoredKey &k)
    {
        if (!std::holds_alternative<QString *>(table.field(k)) || wholeNumber(k.kind))
            table.set(k, number(k));
        else if (k.kind == common::KeyKind::FontSize)
            table.set(k, withUnit(text(k)));
        else
            table.set(k, text(k));
    }

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
    common::FieldTable fields;
    bindFields(s, fields);
    auto read = [&](const StoredKey &k) { r.into(fields, k); };
    shelf_labels::ShelfLabelDesign &d = s.shelf;

    // Area styles; sizes carry their unit in memory.
    for (std::size_t i = 0; i < 7; ++i) {
        read(shelf::FontName[i]);
        read(shelf::FontSize[i]);
        read(shelf::FontStyle[i]);
        if (i < 6) {
            read(shelf::FontColor[i]);
            read(shelf::FontAlign[i]);
        }
    }

    read(shelf::HeaderColor);
    read(shelf::BackColor);
    read(shelf::HeaderText);
    read(shelf::Line);
    // Rows and columns as the file has them, 0 included: the makers refuse a sheet they cannot divide.
    read(shelf::CountH);
    read(shelf::CountW);
    read(shelf::YMark);
    read(tax::Style);
    s.tax.rate = r.currency(tax::Rate);
    read(shelf::HeaderCheck);
    read(tax::Indicate);
    read(tax::Zeikomi);

    read(shelf::BarcodeHeight);
    read(tag::BarcodeHeight);
    read(ledgerKeys::BarcodeHeight);
    read(shelf::LayoutType);
    read(tag::LayoutType);

    read(shelf::MakeGN);
    read(shelf::MakeAlt);
    read(shelf::MakeBC);
    read(shelf::MakeJN);
    read(tax::KS);
    s.tax.reducedRate = r.currency(tax::ReducedRate);
    read(keys::ExcelEX);
    read(keys::GridFont);
    read(shelf::LineColor);
    read(shelf::MakeLG);
    read(shelf::MakeKM);

    read(shelf::LogoName);
    if (!namesFile(d.logoName)) {
        d.logoName.clear();
        d.showLogo = false;
    }
    read(shelf::LogoW);
    read(shelf::LogoH);
    read(shelf::LogoAlign);

    price_tags::PriceTagDesign &t = s.tag;
    for (std::size_t i = 0; i < 4; ++i) {
        read(tag::FontName[i]);
        read(tag::FontSize[i]);
        read(tag::FontStyle[i]);
        read(tag::FontColor[i]);
        read(tag::FontAlign[i]);
    }

    read(tag::MakeZW);
    read(tag::MakeKM);
    read(tag::MakeLG);
    read(tag::MakeHB);
    read(tag::MakeHM);
    read(tag::MakeJC);
    read(tag::MakeJN);
    read(tag::MakeYM);
    read(tag::MakeZK);
    read(tag::MakeLine);
    read(tag::MakePR);
    read(tag::CountW);
    read(tag::CountH);
    read(tag::LineColor);
    read(tag::LogoName);
    if (!namesFile(t.logoName)) {
        t.logoName.clear();
        t.showLogo = false;
    }
    read(tag::LogoW);
    read(tag::LogoH);
    read(tag::LogoAlign);

    read(shelf::BorderStyle);
    read(shelf::BorderWidth);
    read(shelf::BorderColor);
    read(shelf::CardHeightFixed);
    read(shelf::CardHeight);
    read(tag::CardHeightFixed);
    read(tag::CardHeight);
    read(shelf::CardWidthFixed);
    read(shelf::CardWidth);
    read(tag::CardWidthFixed);
    read(tag::CardWidth);

    // Files of older versions hold one padding P for all four sides.
    if (r.isEmpty(shelf::Padding[0])) {
        d.padding.fill(r.text(shelf::PaddingAll));
    } else {
        for (std::size_t i = 0; i < 4; ++i)
            read(shelf::Padding[i]);
    }
    for (std::size_t i = 0; i < 4; ++i)
        read(tag::Padding[i]);

    read(keys::BrowserUsed);
    read(keys::BrowserPath);
    if (!namesFile(s.browser.path)) {
        s.browser.path.clear();
        s.browser.used = 0;
    }

    // LIP as the file has it, 0 included: the ledger refuses to page by 0 rows.
    read(ledgerKeys::RowsPerPage);
    read(ledgerKeys::LineColor);
    read(ledgerKeys::BackColor);
    read(ledgerKeys::PageNumbers);
    read(ledgerKeys::FontName);
    read(ledgerKeys::FontSize);
    read(ledgerKeys::Padding);

    s.calibration.xTenthsMm = calibrationOffset(r.number(calibrationKeys::OffsetX));
    s.calibration.yTenthsMm = calibrationOffset(r.number(calibrationKeys::OffsetY));

    read(keys::StatusW);
    read(keys::StatusH);
    for (std::size_t i = 0; i < 6; ++i)
        read(keys::ColumnWidth[i]);
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
    Settings written = s;
    common::FieldTable fields;
    bindFields(written, fields);
    // In memory a point size carries its unit; the file holds the number.
    auto put = [&](const StoredKey &k) {
        const QString text = fields.text(k);
        settings::put(p, k, k.kind == common::KeyKind::FontSize ? withoutPt(text) : text, bad);
    };
    const shelf_labels::ShelfLabelDesign &d = s.shelf;
    for (std::size_t i = 0; i < 7; ++i) {
        put(shelf::FontName[i]);
        put(shelf::FontSize[i]);
        put(shelf::FontStyle[i]);
    }
    for (std::size_t i = 0; i < 6; ++i) {
        put(shelf::FontColor[i]);
        put(shelf::FontAlign[i]);
    }
    put(shelf::HeaderColor);
    put(shelf::BackColor);
    put(shelf::HeaderText);
    put(shelf::Line);
    put(shelf::LineColor);
    put(shelf::CountH);
    put(shelf::CountW);
    put(shelf::YMark);
    put(tax::Style);
    settings::put(p, tax::Rate, s.tax.rate.toString(), bad);
    put(shelf::HeaderCheck);
    put(tax::Indicate);
    put(tax::Zeikomi);
    put(tax::KS);
    putAdded(p, tax::ReducedRate, s.tax.reducedRate.toString(), bad);
    put(shelf::MakeGN);
    put(shelf::MakeAlt);
    put(shelf::MakeBC);
    put(shelf::MakeJN);
    put(keys::ExcelEX);
    put(keys::GridFont);
    put(shelf::MakeLG);
    putAdded(p, shelf::MakeKM, fields.text(shelf::MakeKM), bad);
    put(shelf::LogoName);
    put(shelf::LogoW);
    put(shelf::LogoH);
    put(shelf::LogoAlign);

    const price_tags::PriceTagDesign &t = s.tag;
    for (std::size_t i = 0; i < 4; ++i) {
        put(tag::FontName[i]);
        put(tag::FontSize[i]);
        put(tag::FontStyle[i]);
        put(tag::FontColor[i]);
        put(tag::FontAlign[i]);
    }
    put(tag::MakeLG);
    put(tag::MakeHB);
    put(tag::MakeHM);
    put(tag::MakeYM);
    put(tag::MakeZK);
    put(tag::MakeJC);
    put(tag::MakeJN);
    put(tag::MakeLine);
    put(tag::LineColor);
    put(tag::MakeZW);
    putAdded(p, tag::MakeKM, fields.text(tag::MakeKM), bad);
    put(tag::CountW);
    put(tag::CountH);
    put(tag::LogoName);
    put(tag::LogoW);
    put(tag::LogoH);
    put(tag::LogoAlign);

    put(shelf::BorderStyle);
    put(shelf::BorderWidth);
    put(shelf::BorderColor);
    put(shelf::CardHeightFixed);
    put(shelf::CardHeight);
    put(shelf::CardWidthFixed);
    put(shelf::CardWidth);
    for (std::size_t i = 0; i < 4; ++i)
        put(shelf::Padding[i]);
    put(tag::CardHeightFixed);
    put(tag::CardHeight);
    put(tag::CardWidthFixed);
    put(tag::CardWidth);
    for (std::size_t i = 0; i < 4; ++i)
        put(tag::Padding[i]);
    put(shelf::LayoutType);
    put(tag::LayoutType);
    put(keys::BrowserUsed);
    put(keys::BrowserPath);

    put(ledgerKeys::RowsPerPage);
    put(ledgerKeys::LineColor);
    put(ledgerKeys::BackColor);
    put(ledgerKeys::PageNumbers);
    put(ledgerKeys::FontName);
    put(ledgerKeys::FontSize);
    put(ledgerKeys::Padding);

    // A minimised or maximised window says nothing about the size the user chose.
    if (windowNormal) {
        put(keys::StatusW);
        put(keys::StatusH);
        for (std::size_t i = 0; i < 6; ++i)
            put(keys::ColumnWidth[i]);
    }
    put(shelf::BarcodeHeight);
    put(tag::BarcodeHeight);
    put(ledgerKeys::BarcodeHeight);

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
