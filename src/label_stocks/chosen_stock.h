#pragma once

#include "common/design_keys.h"
#include "label_stocks/catalogue.h"

#include <QRectF>
#include <QString>
#include <QStringList>

namespace platform {
class ProfileFile;
}

namespace label_stocks {

// The stock a design prints on, as the design stores it: its name and the geometry its page needs,
// so that the design prints the same where the catalogue lacks the stock. All sizes in millimetres.
struct ChosenStock {
    QString key; // "BRAND:PART"; empty: no stock, the designer's free layout
    double pageWidthMm = 0;
    double pageHeightMm = 0;
    double labelWidthMm = 0;
    double labelHeightMm = 0;
    int columns = 0;
    int rows = 0;
    double leftMm = 0;
    double topMm = 0;
    double pitchXMm = 0;
    double pitchYMm = 0;

    bool isSet() const { return !key.isEmpty(); }
    int count() const { return columns * rows; }
    // The label that cell index (counted over every sheet, row by row) stands on, on its own sheet.
    QRectF labelRectMm(qint64 index) const;
    bool operator==(const ChosenStock &) const = default;
};

ChosenStock chosenStock(const LabelStock &stock);

// Geometry a page can be laid out on: finite sizes within the catalogue's bounds, 1 to 1000 columns
// and rows. A stock that is not set is usable (it asks for nothing).
bool isUsable(const ChosenStock &stock);

// A length as stored and written into pages: rounded to 0.001 mm, without trailing zeros ("48.26", "10").
QString mmText(double mm);

// The stock's keys into a design's profile. A design without a stock writes nothing, unless the file
// already names one (then the name is emptied), so that such a design stays the file it always was.
void writeStock(platform::ProfileFile &file, const common::StockKeys &keys, const ChosenStock &stock);
// The stock a profile names; no stock when it names none. A named stock whose geometry cannot be used
// is dropped, its name going into badKeys ("[Stock] Name").
ChosenStock readStock(const platform::ProfileFile &file, const common::StockKeys &keys, QStringList *badKeys = nullptr);

// The pieces of a page whose cards stand on the stock's labels: each sheet one page (margins 0), each
// card absolutely placed on its label; the cut line, when drawn, is the label's outline.
// lineRule: the design's CSS for the cut line ("border-style:none;" or a solid border).
QStringList stockStyleLines(const ChosenStock &stock, const QString &lineRule);
QString sheetOpening(bool last); // `<div class="sheet">`; the last sheet does not break after itself
QString sheetClosing();          // `</div>`
// One label around a cell (`<td ...>...</td>`) of the page.
QString labelHtml(const ChosenStock &stock, qint64 index, const QString &cell);

} // namespace label_stocks
