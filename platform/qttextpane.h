#pragma once

// The text-pane interface over a QPlainTextEdit: what the program's plain-text
// panes (edit pane, quote pane, the editors of other windows) look like to the
// code that works on text.

#include "core/textpane.h"

class QPlainTextEdit;
class QTextDocument;

namespace kirel {

// A pane's whole text as it leaves the pane (plainText of its raw text): what
// the counter counts, the transfer puts on the clipboard and the saves write.
QString paneText(const QTextDocument& document);

// A TextPane over one of the window's plain-text panes.
class QtTextPane final : public TextPane {
  public:
    explicit QtTextPane(QPlainTextEdit* edit) : edit_(edit) {}

    QString text() const override;
    void setText(const QString& text) override;
    qsizetype selectionStart() const override;
    qsizetype selectionLength() const override;
    void select(qsizetype start, qsizetype length) override;
    void replaceSelection(const QString& text) override;
    void giveFocus() override;
    void showCaret() override;

  private:
    QPlainTextEdit* edit_;
};

}  // namespace kirel
