#pragma once

// The main window's edit pane: a plain-text pane whose copy and cut put the post
// on the clipboard in the board's form, the same text the transfer puts there,
// so that a post pasted into a board's form arrives as the counter counted it.

#include <QPlainTextEdit>

namespace kirel {

class EditPane final : public QPlainTextEdit {
    Q_OBJECT
  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    // Copy, cut and drag: the selection as plain text (plainText), compatibility
    // forms replaced by the characters a Shift-JIS board receives (〜 U+301C
    // becomes ～ U+FF5E). Plain text only: no rich-text copy with other
    // characters. The pane's own characters go along for the pane itself.
    QMimeData* createMimeDataFromSelection() const override;
    // What came from this pane (a drag within it, a copy pasted back) goes in
    // with the characters it had; anything else as usual.
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace kirel
