#pragma once

// The small tables the cards are made of (a header row, text rows, a price row, a barcode row), laid
// out as the browser lays out a card's table in the page's quirks mode: each cell padded 1 px, rows as
// tall as their tallest cell, cells' contents centred vertically, a cell holding only an image as tall
// as the image.

#include "painting/text_box.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QString>

#include <utility>
#include <vector>

class QPainter;

namespace painting {

struct CardCell {
    // BarsAndDigits: a nested table of the bars over their digits (face), each row padded 1 px.
    enum Kind { Text, Bars, Image, BarsAndDigits };
    Kind kind = Text;
    int col = 0;
    int span = 1;
    int rowSpan = 1;
    const TextFace *face = nullptr;         // Text
    QString text;                           // Text; the JAN code for Bars
    QString digits;                         // BarsAndDigits
    QColor background;                      // invalid: none
    double imageHeight = 0;                 // Bars and Image
    double imageWidth = 0;                  // Image
    const QImage *image = nullptr;          // Image; may be null (drawn as nothing)
    Qt::Alignment align = Qt::AlignHCenter; // Bars and Image
    // BarsAndDigits: the padding of the nested table's cells; 0 for bars and digits written straight
    // into the cell (a line break between them).
    double nestedPadding = 1;
};

class CardTable {
public:
    // spacing and padding as the table's cellspacing and cellpadding attributes give them.
    CardTable(const TextPen &pen, int columns, double spacing = 0, double padding = 1)
        : pen_(pen), columns_(columns), spacing_(spacing), padding_(padding)
    {
    }
    void clear() { rows_.clear(); }
    // Columns of these widths (padding included) instead of the automatic layout.
    void setFixedColumns(const std::vector<double> &widths) { fixed_ = widths; }
    // Collapsed borders of the spacing's width in this colour round every cell.
    void setBorders(const QColor &color) { borders_ = color; }
    // Starts a row; cells added go into it.
    void row() { rows_.emplace_back(); }
    void add(const CardCell &cell) { rows_.back().push_back(cell); }

    // Page edges down the table, from its top: the first at first, then every pitch (0: no edges).
    // As the browser breaks a table over pages, a line of text or an image that would cross an edge
    // moves whole below it, with the rest of its cell, and its row grows by as much. Set before layOut.
    void setPageEdges(double first, double pitch)
    {
        edgeFirst_ = first;
        edgePitch_ = pitch;
    }
    // Lays the table out at width; its height, grown at the page edges.
    double layOut(double width);
    // How much the page edges made the table taller (after layOut).
    double growth() const { return growth_; }
    // Draws it (after layOut) with its top-left corner at origin; only the cells that reach into the
    // band from top to bottom (the painter's units), as a sheet that shows one slice of a table.
    void draw(QPainter &painter, const QPointF &origin, double top = -1e300, double bottom = 1e300) const;

private:
    double contentWidth(const CardCell &c) const;
    double minContentWidth(const CardCell &c) const;
    // The height of a nested table's bars at the cell's content width.
    double nestedBarsHeight(const CardCell &c, double width) const;
    double contentHeight(const CardCell &c, double width) const;
    double cellWidth(const CardCell &c) const;
    // The boxes a cell's content stacks from its top (offset, height): lines of text, the bars.
    void contentBoxes(const CardCell &c, double width, std::vector<std::pair<double, double>> &boxes) const;
    // Moves the boxes that would cross a page edge below it and grows their rows; the growth.
    double breakAtEdges();
    // The height of the rows a cell stands over as they were laid out before growing at the edges;
    // a cell that did not move keeps its content there.
    double laidSpan(size_t row, const CardCell &c) const;

    const TextPen &pen_;
    int columns_;
    double spacing_;
    double padding_;
    std::vector<double> fixed_;
    QColor borders_;
    std::vector<std::vector<CardCell>> rows_;
    std::vector<double> colX_; // left edge of each column, and the right edge after the last
    std::vector<double> rowH_;
    std::vector<double> rowY_;
    double edgeFirst_ = 0;
    double edgePitch_ = 0;
    double growth_ = 0;
    std::vector<double> laidH_;
    // A cell whose content was moved at a page edge: how far down each of its boxes went, and where
    // its content starts below the cell's top.
    struct Moved {
        size_t row, cell;
        double lead;
        std::vector<double> shift;
    };
    std::vector<Moved> moved_;
};

// The first page edge below y, from y, on sheets paperH tall.
double nextEdge(double y, double paperH);
// Whether a page edge crosses the box from y, h tall.
bool crossesEdge(double y, double h, double paperH);

} // namespace painting
