#pragma once

// Display lines of a word-wrapped QPlainTextEdit, counted from the editor's own
// layout and kept up to date from each change.
//
// The editor lays out only the lines it shows; the document keeps a running sum
// of every block's line count. After a change only the blocks it touched are
// laid out again, so the cost per keystroke follows the lines touched, not the
// length of the text. When the editor's text width has changed since the last
// count (the window was resized), the next count lays out every block once at
// the new width.

#include <QFont>
#include <QObject>

class QPlainTextEdit;

namespace kirel {

class LineTally : public QObject {
    Q_OBJECT
  public:
    explicit LineTally(QPlainTextEdit* editor);

    // Lines as the editor lays out the whole text now, an empty last line not
    // counted. Call it after the change is complete (on textChanged).
    qint64 lines();

    // The same, every block laid out again from scratch (for checks).
    qint64 recount();

  private:
    void contentsChange(int position, int charsRemoved, int charsAdded);

    QPlainTextEdit* editor_;
    int pendingChanges_ = 0;  // changes since the last count
    int changedFrom_ = 0;     // characters of the last of them
    int changedTo_ = 0;
    qreal width_ = -1;  // text width and font of the last full layout
    QFont font_;
};

}  // namespace kirel
