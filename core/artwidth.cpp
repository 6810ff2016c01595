#include "core/artwidth.h"

#include <algorithm>

namespace kirel {

DotWidthTable::DotWidthTable(Measure measure) : measure_(std::move(measure)), bmp_(0x10000, -1) {}

int DotWidthTable::width(char32_t c) {
    if (c < 0x10000) {
        short& w = bmp_[c];
        if (w < 0) {
            w = static_cast<short>(std::clamp(measure_(c), 0, 0x7fff));
            ++measured_;
        }
        return w;
    }
    auto it = other_.constFind(c);
    if (it != other_.constEnd()) return *it;
    const int w = std::max(measure_(c), 0);
    other_.insert(c, w);
    ++measured_;
    return w;
}

int DotWidthTable::lineWidth(QStringView line) {
    int total = 0;
    const qsizetype n = line.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = line[i];
        if (c.isHighSurrogate() && i + 1 < n && line[i + 1].isLowSurrogate()) {
            total += width(QChar::surrogateToUcs4(c, line[i + 1]));
            ++i;
        } else {
            total += width(c.unicode());
        }
    }
    return total;
}

namespace {

// How many half-width spaces fit among `a` full-width ones: one in each gap
// between two of them, and one at either end where allowed.
int halfSlots(int a, bool open, bool close) {
    if (a == 0) return open && close ? 1 : 0;
    return a - 1 + (open ? 1 : 0) + (close ? 1 : 0);
}

}  // namespace

Padding padToWidth(int width, int target, int full, int half, bool halfMayOpen, bool halfMayClose) {
    Padding best;
    best.width = width;
    best.remaining = std::max(target - width, 0);
    const int missing = target - width;
    if (missing <= 0 || full <= 0) return best;
    int bestFull = 0, bestHalf = 0, bestDots = 0;
    const int maxFull = missing / full;
    for (int a = maxFull; a >= 0; --a) {
        const int room = missing - a * full;
        const int b = half > 0 ? std::min(room / half, halfSlots(a, halfMayOpen, halfMayClose)) : 0;
        const int dots = a * full + b * half;
        if (dots > bestDots || (dots == bestDots && a + b < bestFull + bestHalf)) {
            bestDots = dots;
            bestFull = a;
            bestHalf = b;
        }
        if (dots == missing) break;
    }
    // Half-width spaces go into the gaps between full-width ones first, then
    // at the start, then at the end.
    QString spaces;
    const int a = bestFull;
    int h = bestHalf;
    if (a == 0) {
        if (h > 0) spaces += QLatin1Char(' ');
    } else {
        const int inner = std::min(h, a - 1);
        h -= inner;
        const bool open = h > 0 && halfMayOpen;
        if (open) --h;
        const bool close = h > 0 && halfMayClose;
        if (open) spaces += QLatin1Char(' ');
        for (int i = 0; i < a; ++i) {
            spaces += QChar(0x3000);
            if (i < inner) spaces += QLatin1Char(' ');
        }
        if (close) spaces += QLatin1Char(' ');
    }
    best.spaces = spaces;
    best.width = width + bestDots;
    best.remaining = missing - bestDots;
    return best;
}

QString alignmentReport(int lines, int target, int shortLines, int maxRemaining) {
    QString text = QStringLiteral("%1 行を %2 ドットにそろえました。").arg(lines).arg(target);
    if (shortLines > 0)
        text +=
            QStringLiteral("%1 行は最大 %2 ドット足りません。").arg(shortLines).arg(maxRemaining);
    return text;
}

}  // namespace kirel
