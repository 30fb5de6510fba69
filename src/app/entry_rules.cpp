#include "app/entry_rules.h"

#include "barcode/barcode.h"
#include "platform/cp932.h"
#include "platform/numbers.h"

namespace products {

namespace {

const QChar kQuote = QLatin1Char('"');
const QChar kComma = QLatin1Char(',');

QString quoteMessage(const QString &what)
{
    return what + QStringLiteral("にダブルコーテーション「") + kQuote + QStringLiteral("」は使用できません.");
}

QString commaMessage(const QString &what)
{
    return what + QStringLiteral("にカンマ(,)は使用できません.");
}

bool allDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

QString plainPrice(const QString &listPrice)
{
    QString p = listPrice;
    p.remove(kComma);
    return p.trimmed();
}

} // namespace

QString checkDigitWarning()
{
    return QStringLiteral("バーコード・チェックデジット(最右桁)が違います.\r\n登録ボタンで修正します.");
}

std::optional<EntryProblem> checkEntry(const EntryFields &f, int indicate)
{
    if (f.code.contains(kQuote))
        return EntryProblem{EntryField::Code, quoteMessage(QStringLiteral("品番等"))};
    if (f.code.contains(kComma))
        return EntryProblem{EntryField::Code, commaMessage(QStringLiteral("品番等"))};
    if (f.name.isEmpty())
        return EntryProblem{EntryField::Name, QStringLiteral("商品名がありません")};
    if (f.name.contains(kQuote))
        return EntryProblem{EntryField::Name, quoteMessage(QStringLiteral("商品名"))};
    if (f.name.contains(kComma))
        return EntryProblem{EntryField::Name, commaMessage(QStringLiteral("商品名"))};
    if (f.remarks.contains(kQuote))
        return EntryProblem{EntryField::Remarks, quoteMessage(QStringLiteral("備考"))};
    if (f.remarks.contains(kComma))
        return EntryProblem{EntryField::Remarks, commaMessage(QStringLiteral("備考"))};
    // Pasted text bypasses the key filters; nothing the list file cannot hold may enter the list.
    const struct {
        const QString &text;
        EntryField field;
        const char *caption;
    } texts[] = {{f.code, EntryField::Code, "品番等"},
                 {f.name, EntryField::Name, "商品名"},
                 {f.remarks, EntryField::Remarks, "備考"}};
    for (const auto &t : texts) {
        if (const QString bad = platform::cp932::firstUnencodableCharacter(t.text); !bad.isEmpty())
            return EntryProblem{t.field, QString::fromUtf8(t.caption) + QStringLiteral("に保存できない文字「") + bad +
                                             QStringLiteral("」(Shift_JIS にない文字)が含まれています.")};
    }
    if (indicate == 0 && !platform::isNumeric(f.basePrice))
        return EntryProblem{EntryField::BasePrice, QStringLiteral("本体価格を設定してください")};
    if (indicate != 0 && !platform::isNumeric(f.inclPrice))
        return EntryProblem{EntryField::InclPrice, QStringLiteral("税込価格を設定してください")};
    if (!f.barcode.isEmpty() && !platform::isNumeric(f.barcode))
        return EntryProblem{EntryField::Barcode, QStringLiteral("バーコードのデータが不正です.")};
    if (!f.barcode.isEmpty() && f.barcode.size() != 12 && f.barcode.size() != 7)
        return EntryProblem{EntryField::Barcode, QStringLiteral("バーコードデータの桁数が違います.")};
    return std::nullopt;
}

QString checkDigitCaption(const QString &digits)
{
    if ((digits.size() != 12 && digits.size() != 7) || !allDigits(digits))
        return QString();
    const int cd = barcode::GetCheckDigit(digits);
    return cd < 0 ? QString() : QString::number(cd);
}

FilledEntry fillEntry(const Product &row, const TaxSettings &tax)
{
    FilledEntry out;
    EntryFields &f = out.fields;
    f.code = row.code;
    f.name = row.name;
    const QString price = plainPrice(row.price);
    const auto whole = platform::toWholeNumber(price);
    const QString shown = whole ? platform::formatPlain(*whole) : price;
    if (tax.indicate == 0) {
        f.inclMaxLength = 8;
        f.basePrice = shown;
        if (price.isEmpty()) {
        } else if (whole && *whole == 0) {
            f.inclPrice = f.tax = QStringLiteral("0");
        } else if (whole) {
            const PriceSplit s = ruleA(*whole, tax.rateFor(row.reduced), tax.ks);
            if (s.valid) {
                f.inclPrice = QString::number(s.included);
                f.tax = QString::number(s.tax);
            }
        }
    } else {
        f.inclMaxLength = 7;
        f.inclPrice = shown;
        if (price.isEmpty()) {
        } else if (whole && *whole == 0) {
            f.basePrice = f.tax = QStringLiteral("0");
        } else if (whole) {
            const PriceSplit s = ruleB(*whole, tax.rateFor(row.reduced));
            f.basePrice = QString::number(s.base);
            f.tax = QString::number(s.tax);
        }
    }
    f.remarks = row.remarks;
    f.reduced = row.reduced;

    const QString &jan = row.jan;
    auto numericOrEmpty = [](const QString &t) { return platform::isNumeric(t) ? t : QString(); };
    switch (jan.size()) {
    case 7:
        f.janType = 1;
        f.barcode = numericOrEmpty(jan);
        break;
    case 8:
    case 13: {
        f.janType = jan.size() == 8 ? 1 : 0;
        f.barcode = jan.left(jan.size() - 1);
        const int cd = barcode::GetCheckDigit(f.barcode);
        out.checkDigitWrong = cd < 0 || QString::number(cd) != jan.right(1);
        break;
    }
    case 12:
        f.janType = 0;
        f.barcode = numericOrEmpty(jan);
        break;
    default:
        f.janType = 0;
        f.barcode = numericOrEmpty(jan);
        break;
    }
    f.checkDigit = checkDigitCaption(f.barcode);
    return out;
}

Product productFromEntry(const EntryFields &f, int indicate)
{
    Product p;
    p.code = f.code;
    p.name = f.name;
    const QString price = indicate == 0 ? f.basePrice : f.inclPrice;
    const auto whole = platform::toWholeNumber(price);
    p.price = whole ? platform::formatPlain(*whole) : QString();
    p.remarks = f.remarks;
    p.jan = f.barcode.isEmpty() ? QString() : f.barcode + checkDigitCaption(f.barcode);
    p.reduced = f.reduced;
    return p;
}

bool acceptsTypedText(EntryField field, const QString &typed)
{
    switch (field) {
    case EntryField::Code:
    case EntryField::Name:
    case EntryField::Remarks:
        return !typed.contains(kComma) && !typed.contains(kQuote);
    case EntryField::BasePrice:
    case EntryField::InclPrice:
    case EntryField::Barcode:
        return typed.isEmpty() || allDigits(typed);
    }
    return true;
}

} // namespace products
