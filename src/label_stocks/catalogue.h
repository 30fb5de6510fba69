#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The label stocks shops buy (pre-cut label sheets), read at run time from the template catalogue
// that Linux label programs share: XML files of <Template> elements with a paper size, a label
// rectangle and its grid. Only rectangular stocks laid out as one grid are kept; this program places
// cards in rows and columns, so round, CD and multi-grid stocks are skipped.
namespace label_stocks {

struct LabelStock {
    QString brand;
    QString part;
    QString description;
    QString paper; // the paper's id as the catalogue names it ("A4", "US-Letter", "Other")
    double paperWidthMm = 0;
    double paperHeightMm = 0;
    double labelWidthMm = 0;
    double labelHeightMm = 0;
    double roundMm = 0; // corner radius
    int columns = 0;
    int rows = 0;
    double leftMm = 0;   // page edge to the first label's left edge
    double topMm = 0;    // page edge to the first label's top edge
    double pitchXMm = 0; // one label's left edge to the next one's
    double pitchYMm = 0;

    double gapXMm() const { return pitchXMm - labelWidthMm; }
    double gapYMm() const { return pitchYMm - labelHeightMm; }
    int count() const { return columns * rows; }
    // "BRAND:PART", as vennlo-cli's --stock names a stock.
    QString key() const { return brand + QLatin1Char(':') + part; }
    // One line for lists and choosers: brand, part, label size, count per sheet, paper.
    QString summary() const;
};

struct Catalogue {
    QList<LabelStock> stocks; // sorted by brand, then part
    QStringList notes;        // files and templates skipped as damaged, for the log

    // Brand and part compared without regard to case; nullptr when there is none.
    const LabelStock *find(const QString &brand, const QString &part) const;
    // The stocks whose brand, part and description hold every word of the text (any case);
    // an empty text gives every stock.
    QList<const LabelStock *> search(const QString &text) const;
};

// Where catalogues are looked for, the user's own folders first so that their templates win:
// VENNLO_LABEL_TEMPLATES (folders separated by ':') when set, else the user's template folders and
// the data folders of the desktop's label programs.
QStringList catalogueFolders();

// Every catalogue file (*.xml, *.template) of the folders. A file that is not a regular file, is
// larger than kMaxFileBytes, is not well-formed or holds an impossible template is skipped and named
// in notes; the first stock of a brand and part wins.
Catalogue loadCatalogue(const QStringList &folders = catalogueFolders());

constexpr qint64 kMaxFileBytes = 8 * 1024 * 1024;
constexpr int kMaxStocks = 100000;

} // namespace label_stocks
