#include "platform/qttextpane.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace kirel {

QString paneText(const QTextDocument& document) {
    return plainText(document.toRawText());
}

QString QtTextPane::text() const {
    return paneText(*edit_->document());
}

void QtTextPane::setText(const QString& text) {
    edit_->setPlainText(text);
}

qsizetype QtTextPane::selectionStart() const {
    return edit_->textCursor().selectionStart();
}

qsizetype QtTextPane::selectionLength() const {
    const QTextCursor cursor = edit_->textCursor();
    return cursor.selectionEnd() - cursor.selectionStart();
}

void QtTextPane::select(qsizetype start, qsizetype length) {
    QTextCursor cursor = edit_->textCursor();
    cursor.setPosition(int(start));
    cursor.setPosition(int(start + length), QTextCursor::KeepAnchor);
    edit_->setTextCursor(cursor);
}

void QtTextPane::replaceSelection(const QString& text) {
    QTextCursor cursor = edit_->textCursor();
    cursor.insertText(text);
    edit_->setTextCursor(cursor);
}

void QtTextPane::giveFocus() {
    // Focus within the pane's own window: a find dialog in front keeps the
    // keyboard, so Enter there steps on instead of typing over the match.
    edit_->setFocus(Qt::OtherFocusReason);
}

void QtTextPane::showCaret() {
    edit_->ensureCursorVisible();
}

}  // namespace kirel
