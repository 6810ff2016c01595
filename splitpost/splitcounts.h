#pragma once

// What the split-post window shows of its text: the line count, the Shift-JIS
// byte count, the full-width character equivalent and a rank title by length.

#include <QString>
#include <optional>

namespace kirel::splitpost {

// Rank 1 ("（謎", no lines) to 12 ("伝説のカキコ帝王", 301 lines and more).
int rankOf(qint64 lines);
// Title of a rank 1..12; empty for anything else.
QString rankTitle(int rank);

// Full-width character equivalent of a byte count: half of it, rounded down.
constexpr qint64 fullWidthOf(qint64 bytes) {
    return bytes / 2;
}

// Display lines: the editor's laid-out line count, less an empty last line (so
// an empty text has none, and "abc\n" has one).
constexpr qint64 shownLines(qint64 laidOutLines, bool lastLineEmpty) {
    return lastLineEmpty && laidOutLines > 0 ? laidOutLines - 1 : laidOutLines;
}

// The four boxes. The rank title is rewritten only when the rank changes, so
// the title box keeps what the user may have selected in it while typing goes
// on within one rank.
class CountBoxes {
  public:
    struct Texts {
        QString lines;
        QString bytes;
        QString fullWidth;
        std::optional<QString> title;  // only when the rank changed
    };

    // The texts for a text of this many display lines and Shift-JIS bytes.
    Texts update(qint64 lines, qint64 bytes);

    // The rank whose title is shown; 0 before the first update.
    int shownRank() const { return shownRank_; }

  private:
    int shownRank_ = 0;
};

// The name a save writes: ".txt" is added unless the name already ends in
// exactly ".txt" (so "memo.TXT" becomes "memo.TXT.txt").
QString withTextExtension(const QString& name);

}  // namespace kirel::splitpost
