#pragma once

// Widths of text-art lines in dots, and padding a line with spaces to a target
// width.
//
// Boards show text art in a proportional Gothic at 16 pixels: every character
// has its own advance, and a picture lines up only where lines that should end
// together are equally wide. The advances come from the font itself (a measuring
// function handed in by the display side); this table asks each character once.
//
// Padding uses full-width spaces (U+3000) and half-width spaces (U+0020) only.
// Boards fold two half-width spaces in a row into one and drop a half-width
// space at the start of a line, so a padding never puts a half-width space next
// to another one, nor at the start of a line.

#include <QHash>
#include <QString>
#include <QStringView>
#include <functional>
#include <vector>

namespace kirel {

class DotWidthTable {
  public:
    // The advance of one character (a code point) in dots.
    using Measure = std::function<int(char32_t)>;

    explicit DotWidthTable(Measure measure);

    int width(char32_t c);
    // The sum of the characters' advances; a lone surrogate counts as itself.
    int lineWidth(QStringView line);

    int fullSpace() { return width(U'\u3000'); }
    int halfSpace() { return width(U' '); }

    // How many characters were measured so far (each is measured once).
    int measured() const { return measured_; }

  private:
    Measure measure_;
    std::vector<short> bmp_;  // -1: not measured yet
    QHash<char32_t, int> other_;
    int measured_ = 0;
};

struct Padding {
    QString spaces;     // what to append to the line
    int width = 0;      // the line's width with the spaces
    int remaining = 0;  // dots still missing to the target (0 on an exact hit)
};

// The spaces that bring a line `width` dots wide nearest to `target` without
// passing it: full-width spaces of `full` dots and half-width ones of `half` dots,
// never two half-width spaces in a row. `halfMayOpen` says whether the padding
// may start with a half-width space (not at the start of a line, nor after one);
// `halfMayClose` whether it may end with one (not before one). Among equal widths
// the one with fewer characters wins. A line at or past the target gets nothing.
Padding padToWidth(int width, int target, int full, int half, bool halfMayOpen, bool halfMayClose);

// The text shown after aligning `lines` lines to `target` dots, where
// `short` of them could not reach it exactly and missed it by at most
// `maxRemaining` dots.
QString alignmentReport(int lines, int target, int shortLines, int maxRemaining);

}  // namespace kirel
