#pragma once

// The price-tag sheet drawn straight onto a PDF writer or a printer, from the same cards and design
// values the page is written from, laid out as the browser lays out the page.

#include "common/maker.h"
#include "painting/page_stream.h"
#include "price_tags/sheet.h"

#include <QRectF>
#include <QString>

#include <optional>

class QPagedPaintDevice;

namespace price_tags {

// The card box (CSS pixels from the paper's corner) of cell index on the first page, for a design of
// fixed card size or a label stock; on later pages a design's cards stand the body's margin (8 px)
// higher, a stock's where they are.
QRectF fixedCardBox(const PriceTagDesign &design, int indexOnPage, const label_stocks::ChosenStock *stock);

// The sheet of make (its logo check, SetSyouhin), drawn onto device; *outcome tells a cancelled
// sheet.
common::MakeResult paintSheet(const Inputs &in, QPagedPaintDevice &device, const painting::PaintOptions &options,
                              painting::PaintOutcome *outcome = nullptr);
// paintSheet bound to the inputs of the window's last make (what it hands its PDF and print
// commands); nothing before its first.
painting::SheetPainter sheetPainter(const std::optional<Inputs> &lastMade);

// The same sheet as the PDF file pdfPath, written whole or not at all.
common::MakeResult makePdf(const Inputs &in, const QString &pdfPath, const painting::PaintOptions &options = {},
                           painting::PaintOutcome *outcome = nullptr);

} // namespace price_tags
