#pragma once

// DotWidthGutter: a strip beside a plain-text editor that shows each line's
// width in dots as boards draw it (the proportional Gothic at 16 pixels), with
// the line under the caret highlighted. Widths are kept per line and measured
// again only for the lines an edit touches; painting reads the lines on screen.
//
// It also pads lines with spaces so that they end at a target width: the width
// of a line the user marked as the target, else the widest of the selected
// lines.
//
// The strip is placed by the owner, to the left of the editor in a layout.

#include <QTextCursor>
#include <QWidget>

class QPlainTextEdit;
class QTextBlock;

namespace kirel {

class DotWidthTable;

class DotWidthGutter : public QWidget {
    Q_OBJECT
  public:
    explicit DotWidthGutter(QPlainTextEdit* editor, QWidget* parent = nullptr);

    // The advances of the board font, shared by every strip.
    static DotWidthTable& boardWidths();
    // The font the widths are measured in.
    static QFont boardFont();

    // The width of a line in dots (kept, measured again after an edit to it).
    int lineWidth(const QTextBlock& block);
    int lineWidth(int blockNumber);

    // The line under the caret becomes the target of aligning; a second time on
    // the same line drops the target. Returns whether a target is set now.
    bool toggleTargetLine();
    void clearTargetLine();
    // The target line's number, or -1.
    int targetLine() const;

    struct Alignment {
        int lines = 0;         // lines padded or already at the target
        int target = 0;        // the width they were aligned to
        int shortLines = 0;    // lines that could not reach it exactly
        int maxRemaining = 0;  // the most dots missing on one of those
    };
    // Pads the line under the caret (at the caret), or each line the selection
    // touches (at its end), to the target line's width, else to the widest
    // selected line. One step to undo.
    Alignment alignLines();

    // How many line widths were worked out since the strip was made (each
    // line measured after it changed counts once).
    int linesMeasured() const { return linesMeasured_; }

    QSize sizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    void contentsChanged(int position, int removed, int added);
    void measure(const QTextBlock& block);

    QPlainTextEdit* editor_;
    QTextCursor target_;  // on the target line; null without one
    int linesMeasured_ = 0;
};

}  // namespace kirel
