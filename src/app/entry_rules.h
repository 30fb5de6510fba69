#pragma once

#include "products/product.h"
#include "products/tax.h"

#include <QString>

#include <optional>

namespace products {

// The texts of the entry form below the list.
struct EntryFields {
    QString code;          // txt品番
    QString name;          // txt商品名
    QString basePrice;     // txt本体価格
    QString inclPrice;     // txt価格
    QString tax;           // lbl消費税
    QString remarks;       // txt備考
    QString barcode;       // txtBarCode: the JAN code without its check digit
    QString checkDigit;    // lblCD
    int janType = 0;       // OptionType: 0 標準(13桁), 1 短縮(8桁)
    int inclMaxLength = 8; // maximum length of txt価格
    bool reduced = false;  // Check軽減税率: the product is taxed at the reduced rate

    bool operator==(const EntryFields &) const = default;
};

enum class EntryField { Code, Name, BasePrice, InclPrice, Remarks, Barcode };

struct EntryProblem {
    EntryField field;
    QString message; // shown in an information box titled "登録確認"
};

// The checks of 登 録 in their order; the first problem found, or nothing when the form may be stored.
std::optional<EntryProblem> checkEntry(const EntryFields &fields, int indicate);

// The form filled from a list row (prices as the list shows them, "#,##0" allowed). checkDigitWrong
// tells that the stored 13th or 8th digit did not match; the form then holds the digits without it.
struct FilledEntry {
    EntryFields fields;
    bool checkDigitWrong = false;
};
FilledEntry fillEntry(const Product &row, const TaxSettings &tax);

// The row 登 録 stores: the price of the price basis, the barcode digits followed by their check digit.
// The price is plain digits (the list shows it with separators).
Product productFromEntry(const EntryFields &fields, int indicate);

// Check digit caption for the barcode field: empty unless it holds 12 or 7 digits.
QString checkDigitCaption(const QString &barcodeDigits);

// The text the entry fields accept as typed: the three text fields refuse "," and the double quote,
// the price and barcode fields take digits only.
bool acceptsTypedText(EntryField field, const QString &typed);

inline constexpr const char *kEntryTitle = "登録確認";
inline constexpr const char *kCheckDigitTitle = "チェックデジット";
QString checkDigitWarning();

} // namespace products
