#pragma once

#include "platform/apperror.h"
#include "products/product.h"
#include "products/tax.h"
#include "shelf_labels/design.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace shelf_labels {

inline QString makePreviewHtmlLabel()
{
    return QStringLiteral("frmTanafuda.MakePreviewHtml");
}
inline QString previewFileName()
{
    return QStringLiteral("tempprev.html");
}

// The fixed product the preview shows.
products::Product previewSample();

// The lines of tempprev.html: one card of the sample product with the design and the tax settings.
std::optional<QStringList> previewHtmlLines(const ShelfLabelDesign &design, const products::TaxSettings &tax,
                                            platform::AppError *error = nullptr);

// What the preview card says, in reading order, for assistive technology: the header, item code,
// name, price with its mark, tax note, remarks and JAN digits that the design prints.
std::optional<QStringList> previewCardTexts(const ShelfLabelDesign &design, const products::TaxSettings &tax,
                                            platform::AppError *error = nullptr);

// Writes folder + "/tempprev.html" (CP932, CR LF) and gives its path; the previous file stays when
// that fails.
bool MakePreviewHtml(const ShelfLabelDesign &design, const products::TaxSettings &tax, const QString &folder,
                     QString *path = nullptr, platform::AppError *error = nullptr);

} // namespace shelf_labels
