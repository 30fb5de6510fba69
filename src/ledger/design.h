#pragma once

#include <QString>

namespace ledger {

// The ledger options ([DC] and [JAN] DH of the settings file).
struct LedgerDesign {
    int rowsPerPage = 12;                                 // DC/LIP
    QString lineColor = QStringLiteral("#000000");        // DC/LC
    QString backColor = QStringLiteral("#FFFF00");        // DC/BC
    int pageNumbers = 0;                                  // DC/PN
    QString fontName = QStringLiteral("ＭＳ Ｐゴシック"); // DC/FN
    int fontSize = 11;                                    // DC/FS
    int padding = 2;                                      // DC/PD
    int barcodeHeight = 40;                               // JAN/DH
    bool operator==(const LedgerDesign &) const = default;
};

} // namespace ledger
