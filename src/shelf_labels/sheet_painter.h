#pragma once

// The shelf-label sheet drawn straight onto a PDF writer or a printer, from the same cards and
// design values the page is written from, laid out as the browser lays out the page.

#include "common/maker.h"
#include "painting/page_stream.h"
#include "shelf_labels/sheet.h"

#include <QRectF>
#include <QString>

#include <optional>

class QPagedPaintDevice;

namespace shelf_labels {

// Where the cards of a page stand: the card box (the card's border box, in CSS pixels from the
// paper's corner) of cell index on the first page. With a label stock, the stock's label rectangle
// on every page; otherwise the page's table of the design's fixed card size, which on later pages
// stands the body's margin (8 px) higher. Free layouts place by rows
// (sheet_painter.cpp lays them out as it draws).
QRectF fixedCardBox(const ShelfLabelDesign &design, int indexOnPage, const label_stocks::ChosenStock *stock);

// The checks and the sheet of the make, drawn onto device. Refused or failed as the make is; a
// cancelled sheet is neither made nor refused (*outcome says which, when given).
common::MakeResult paintSheet(const Inputs &in, QPagedPaintDevice &device, const painting::PaintOptions &options,
                              painting::PaintOutcome *outcome = nullptr);
// paintSheet bound to the inputs of the window's last make (what it hands its PDF and print
// commands); nothing before its first.
painting::SheetPainter sheetPainter(const std::optional<Inputs> &lastMade);

// The same sheet as the PDF file pdfPath, written whole or not at all.
common::MakeResult makePdf(const Inputs &in, const QString &pdfPath, const painting::PaintOptions &options = {},
                           painting::PaintOutcome *outcome = nullptr);

} // namespace shelf_labels
