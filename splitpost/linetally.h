#pragma once

// Display lines of a word-wrapped QPlainTextEdit, counted from the editor's own
// layout and kept up to date from each change.
//
// The editor lays out only the lines it shows; the document keeps a running sum
// of every block's line count. After a change only the blocks it touched are
// laid out again, so the cost per keystroke follows the lines touched, not the
// length of the text.
//
// Qt drops the layout of every block whenever the editor's width changes (even
// back to a width counted before), and a long paste or undo brings thousands of
// blocks without one. Laying them all out at once would hold the window for
// seconds with a long text, so the tally lays them out in short steps from the
// event loop: while it is behind, lines() has no answer and counted() follows
// once every block has its layout again. After a width change the steps start at
// once, so that the next change usually finds the layout complete.

#include <QObject>
#include <QTextCursor>
#include <optional>

class QElapsedTimer;
class QPlainTextEdit;
class QWidget;
class QTimer;

namespace kirel {

class LineTally : public QObject {
    Q_OBJECT
  public:
    explicit LineTally(QPlainTextEdit* editor);

    // Lines as the editor lays out the whole text now, an empty last line not
    // counted. Call it after the change is complete (on textChanged). Empty
    // while blocks are still to be laid out: counted() says when the count is
    // ready.
    std::optional<qint64> lines();

    // The same, every block laid out again from scratch at once (for checks).
    qint64 recount();

    // Blocks are being laid out in steps.
    bool counting() const { return behind_; }
    // How far the steps have come through the text, 0 to 1.
    double progress() const;

    // Work done on the window's thread in one go, in milliseconds.
    static constexpr int kStepMs = 25;

  signals:
    // Every block has its layout again after lines() had no answer.
    void counted();
    // One step is done (for showing progress).
    void stepped();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void contentsChange(int position, int charsRemoved, int charsAdded);
    void behindFrom(int position);
    void advance(const QElapsedTimer& clock);
    void step();

    QPlainTextEdit* editor_;
    QWidget* viewport_;       // the editor's viewport, watched for width changes
    int pendingChanges_ = 0;  // changes since the last count
    int changedFrom_ = 0;     // characters of the last of them
    int changedTo_ = 0;
    qreal width_ = -1;     // text width of the last count
    bool behind_ = false;  // blocks from resume_ on may lack their layout
    bool asked_ = false;   // lines() had no answer since the steps began
    QTextCursor resume_;   // follows the edits made while the steps go on
    QTimer* steps_;
};

}  // namespace kirel
