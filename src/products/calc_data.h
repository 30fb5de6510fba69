#pragma once

#include "platform/apperror.h"
#include "products/tax.h"

#include <QString>

namespace products {

// The calculation of the entry form's two price fields (税 計 算).
struct CalcInput {
    QString included;  // txt価格, the tax-inclusive price
    QString base;      // txt本体価格, the base price
    int direction = 0; // 0: the tax-inclusive price was typed last, 1: the base price was
};

struct CalcOutput {
    // An input problem: the box to show (critical stop) and nothing else changes.
    QString messageTitle;
    QString messageText;
    // An arithmetic failure: the error report with the label "CalcData".
    platform::AppError error;
    // The new field texts (unchanged ones are copied from the input) and the tax label.
    QString included;
    QString base;
    QString tax;
    bool taxChanged = false;
    int includedMaxLength = 0; // 7 or 8
    bool done = false;         // the calculation ran: 税 計 算 is disabled again

    bool hasMessage() const { return !messageText.isEmpty(); }
};

CalcOutput CalcData(const CalcInput &input, const TaxSettings &tax);

// The title of the input-problem boxes.
QString calcCheckTitle();

} // namespace products
