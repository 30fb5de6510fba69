#pragma once

// Pages drawn straight onto a paged device (a PDF writer or a printer) one after the other, so that
// memory does not grow with the sheet: each page is painted, then the device moves to the next.

#include "common/maker.h"
#include "platform/apperror.h"

#include <QPointF>
#include <QString>

#include <functional>
#include <optional>

class QPagedPaintDevice;
class QPainter;

namespace label_stocks {
struct ChosenStock;
}

namespace painting {

struct PaintOptions {
    // After each page: pages done, pages in all.
    std::function<void(qint64 done, qint64 pages)> progress;
    // Asked before each page; true stops the sheet (a PDF is then not written at all).
    std::function<bool()> cancelled;
    // The printer's calibration, in millimetres: moves everything drawn, never the design.
    QPointF offsetMm;
    // The label stock the cards stand on, or none for the design's own layout. The page takes the
    // stock's paper size.
    const label_stocks::ChosenStock *stock = nullptr;
};

enum class PaintOutcome { Done, Cancelled, Failed };

// Draws a sheet onto a PDF writer or a printer (a maker's paintSheet bound to the inputs of a make).
// A cancelled sheet is told by *outcome.
using SheetPainter =
    std::function<common::MakeResult(QPagedPaintDevice &device, const PaintOptions &options, PaintOutcome *outcome)>;

// options on the design's own label stock unless they name another; a stock without columns or rows
// is none. The page takes the stock's paper.
PaintOptions onStock(const PaintOptions &options, const label_stocks::ChosenStock &designStock);

// paint (a maker's paintSheet) bound to the inputs of a make: what a window hands its PDF and print
// commands. Nothing when there was no make.
template <class Inputs>
SheetPainter bindSheet(common::MakeResult (*paint)(const Inputs &, QPagedPaintDevice &, const PaintOptions &,
                                                   PaintOutcome *),
                       const std::optional<Inputs> &made)
{
    if (!made)
        return {};
    return [paint, in = *made](QPagedPaintDevice &device, const PaintOptions &options, PaintOutcome *outcome) {
        return paint(in, device, options, outcome);
    };
}

// Paints page 0 … pages − 1 onto device (A4 portrait, or the stock's paper, margins 0). The painter
// handed to paintPage draws in CSS pixels (1/96 inch) from the paper's corner, the calibration
// offset already applied. Failed with *error set when the device cannot be painted on.
// paintPage drawing at scale: a sheet laid out wider than the paper is shrunk onto it, as the browser
// prints it.
std::function<void(QPainter &, qint64 page)> atScale(double scale,
                                                     std::function<void(QPainter &, qint64 page)> paintPage);

PaintOutcome paintPages(QPagedPaintDevice &device, qint64 pages, const PaintOptions &options,
                        const std::function<void(QPainter &, qint64 page)> &paintPage,
                        platform::AppError *error = nullptr);

// A PDF file written whole or not at all by paint (which paints onto the PDF writer): the previous
// file stays when paint is cancelled or fails.
PaintOutcome writePdfWith(const QString &pdfPath, const std::function<PaintOutcome(QPagedPaintDevice &)> &paint,
                          platform::AppError *error = nullptr);

// The end of a maker's sheet: what paintPages told (done) as the make's result, failed under label.
common::MakeResult paintedResult(PaintOutcome done, const QString &label, const platform::AppError &error,
                                 PaintOutcome *outcome);

// A maker's sheet as the PDF file pdfPath, written whole or not at all; a file that cannot be written
// (its folder missing, the disk full) is failed under label.
common::MakeResult makePdfWith(const SheetPainter &paint, const QString &pdfPath, const PaintOptions &options,
                               const QString &label, PaintOutcome *outcome = nullptr);

} // namespace painting
