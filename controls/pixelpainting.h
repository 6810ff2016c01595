#pragma once

// Pixel-exact drawing of the buttons' edges: one-pixel lines and rings on a
// painter without antialiasing, and the dotted focus rectangle.

#include <QColor>
#include <QRect>

class QPainter;

namespace kirel::pixels {

// Horizontal and vertical one-pixel lines; both ends are included.
void hLine(QPainter& p, int x1, int x2, int y, const QColor& c);
void vLine(QPainter& p, int x, int y1, int y2, const QColor& c);

// A one-pixel ring on the edge of r: the top row and left column in topLeft, the
// right column and bottom row in bottomRight (which take the two far corners).
void edges(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight);

// edges(), then r shrinks by one pixel on every side.
void ring(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight);

// The dotted focus rectangle: every other pixel of the ring on r inverted.
void dottedFocusRect(QPainter& p, const QRect& r);

}  // namespace kirel::pixels
