#pragma once

// The product ledger drawn straight onto a PDF writer or a printer, from the same rows and design
// values the page is written from, laid out as the browser lays out the page.

#include "common/maker.h"
#include "ledger/sheet.h"
#include "painting/page_stream.h"

#include <QString>

#include <optional>

class QPagedPaintDevice;

namespace ledger {

// The checks and the ledger of the make, drawn onto device; *outcome tells a cancelled ledger.
common::MakeResult paintSheet(const Inputs &in, QPagedPaintDevice &device, const painting::PaintOptions &options,
                              painting::PaintOutcome *outcome = nullptr);
// paintSheet bound to the inputs of the window's last make (what it hands its PDF and print
// commands); nothing before its first.
painting::SheetPainter sheetPainter(const std::optional<Inputs> &lastMade);

// The same ledger as the PDF file pdfPath, written whole or not at all.
common::MakeResult makePdf(const Inputs &in, const QString &pdfPath, const painting::PaintOptions &options = {},
                           painting::PaintOutcome *outcome = nullptr);

} // namespace ledger
