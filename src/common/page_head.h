#pragma once

#include <QString>
#include <QStringList>

// The opening every page of the program shares, so that it is written in one place: an HTML 4.01
// page in Shift_JIS, from its document type to the opening of its style block. Pages differ only in
// what a PageHead says.
namespace common {

struct PageHead {
    QString title;
    // The meta line naming CSS as the page's style language; the calibration page has never had it.
    bool declaresStyleType = true;
};

// The head's lines in order, the last one "<style type="text/css"><!--": the caller writes its
// rules and closes the block.
QStringList pageHeadLines(const PageHead &head);

} // namespace common
