#include "controls/pixelpainting.h"

#include <QPainter>

namespace kirel::pixels {

void hLine(QPainter& p, int x1, int x2, int y, const QColor& c) {
    if (x2 >= x1) p.fillRect(QRect(x1, y, x2 - x1 + 1, 1), c);
}

void vLine(QPainter& p, int x, int y1, int y2, const QColor& c) {
    if (y2 >= y1) p.fillRect(QRect(x, y1, 1, y2 - y1 + 1), c);
}

void edges(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.isEmpty()) return;
    hLine(p, r.left(), r.right(), r.top(), topLeft);
    vLine(p, r.left(), r.top(), r.bottom(), topLeft);
    vLine(p, r.right(), r.top(), r.bottom(), bottomRight);
    hLine(p, r.left(), r.right(), r.bottom(), bottomRight);
}

void ring(QPainter& p, QRect& r, const QColor& topLeft, const QColor& bottomRight) {
    if (r.isEmpty()) return;
    edges(p, r, topLeft, bottomRight);
    r.adjust(1, 1, -1, -1);
}

void dottedFocusRect(QPainter& p, const QRect& r) {
    if (r.isEmpty()) return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    auto dot = [&](int x, int y) {
        if ((x + y) % 2 == 0) p.fillRect(QRect(x, y, 1, 1), Qt::white);
    };
    for (int x = r.left(); x <= r.right(); ++x) {
        dot(x, r.top());
        if (r.bottom() != r.top()) dot(x, r.bottom());
    }
    for (int y = r.top() + 1; y < r.bottom(); ++y) {
        dot(r.left(), y);
        if (r.right() != r.left()) dot(r.right(), y);
    }
    p.restore();
}

}  // namespace kirel::pixels
