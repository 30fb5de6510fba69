#include "barcode/preview.h"

#include "barcode/barcode.h"

namespace barcode {

PreviewPlan previewPlan(const QString &text)
{
    PreviewPlan plan;
    const qsizetype n = text.size();
    if (n != 12 && n != 7)
        return plan;
    plan.optionType = n == 12 ? 0 : 1;
    const int cd = checkDigitOf(text);
    if (cd < 0) {
        plan.error = platform::AppError::typeMismatch();
        return plan;
    }
    plan.showCheckDigit = true;
    plan.checkDigit = QString::number(cd);
    plan.imageNames = imageSequence(text + plan.checkDigit);
    return plan;
}

} // namespace barcode
