#pragma once

// The text-pane interface: what the editing, capture, draft and phrase code
// needs of a plain-text pane (text, one selection, focus). The windows wrap their
// real panes in it; tests use the in-memory pane.

#include <QString>

namespace kirel {

// The text of a pane as it leaves the pane, to be counted, transferred,
// copied or saved: the one rule for all of them. A pane keeps a no-break space
// (U+00A0) and a line or paragraph separator (U+2028, U+2029) as they were
// typed or pasted; out of the pane they are a space and a line break ("\n").
// Applies to a block's text, a selection's text or the whole raw text alike.
QString plainText(QStringView paneText);

// A plain-text pane with one selection (possibly empty: then it is the caret).
class TextPane {
  public:
    virtual ~TextPane() = default;

    virtual QString text() const = 0;
    // Replaces the whole text; the selection becomes an empty one.
    virtual void setText(const QString& text) = 0;
    virtual qsizetype selectionStart() const = 0;
    virtual qsizetype selectionLength() const = 0;
    virtual void select(qsizetype start, qsizetype length) = 0;
    // Replaces the selection (or inserts at the caret); the caret ends after the
    // inserted text with nothing selected.
    virtual void replaceSelection(const QString& text) = 0;
    // Keyboard focus, and scrolling the caret into view; nothing for panes that
    // are not on screen.
    virtual void giveFocus() {}
    virtual void showCaret() {}

    QString selectedText() const { return text().mid(selectionStart(), selectionLength()); }
    bool hasSelection() const { return selectionLength() > 0; }
    bool isEmpty() const { return text().isEmpty(); }
};

// A TextPane held in memory.
class MemoryPane : public TextPane {
  public:
    explicit MemoryPane(QString text = {}) : text_(std::move(text)) {}

    QString text() const override { return text_; }
    void setText(const QString& text) override;
    qsizetype selectionStart() const override { return start_; }
    qsizetype selectionLength() const override { return length_; }
    void select(qsizetype start, qsizetype length) override;
    void replaceSelection(const QString& text) override;
    void giveFocus() override { ++focusCount; }

    int focusCount = 0;

  private:
    QString text_;
    qsizetype start_ = 0;
    qsizetype length_ = 0;
};

}  // namespace kirel
