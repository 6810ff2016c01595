#include "app/quoting.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>

#include "app/mainwindow.h"
#include "core/appstate.h"
#include "platform/prompter.h"

namespace kirel {
namespace {

QTextCharFormat plainFormat() {
    QTextCharFormat f;
    f.setForeground(QColor(Qt::black));
    f.setFontItalic(false);
    f.setFontWeight(QFont::Normal);
    f.setFontUnderline(false);
    return f;
}

// Removes one logical line (block) with its line break.
void deleteLine(QPlainTextEdit* pane, int line) {
    QTextBlock block = pane->document()->findBlockByNumber(line);
    if (!block.isValid()) return;
    QTextCursor c(block);
    if (block.next().isValid()) {
        c.setPosition(block.position());
        c.setPosition(block.next().position(), QTextCursor::KeepAnchor);
    } else if (block.previous().isValid()) {
        c.setPosition(block.previous().position() + block.previous().length() - 1);
        c.setPosition(block.position() + block.length() - 1, QTextCursor::KeepAnchor);
    } else {
        c.setPosition(0);
        c.setPosition(block.length() - 1, QTextCursor::KeepAnchor);
    }
    c.removeSelectedText();
}

void decorateQuote(MainWindow& form) {
    QPlainTextEdit* edit = form.editPane;
    QTextCursor c = edit->textCursor();
    const AppState& st = app();
    if (st.QuoteItalicOn) {
        QTextCharFormat italic;
        italic.setFontItalic(true);
        c.mergeCharFormat(italic);
    }
    const int start = c.selectionStart();
    c.setPosition(start);
    c.setPosition(start + int(st.QuoteMark.size()), QTextCursor::KeepAnchor);
    if (st.QuoteColorOn) {
        QTextCharFormat red;
        red.setForeground(QColor(0xFF, 0, 0));
        c.mergeCharFormat(red);
    }
    c.setPosition(start);
    // The key goes on as End: to the end of the line, without a line break.
    c.movePosition(QTextCursor::EndOfLine);
    edit->setTextCursor(c);
    edit->setCurrentCharFormat(plainFormat());
}

}  // namespace

void transferQuoteLine(MainWindow& form) {
    // Not into a disabled edit pane: the decoration window holds its selection.
    if (!form.editPaneEnabled()) return;
    QPlainTextEdit* edit = form.editPane;
    QPlainTextEdit* quote = form.quotePane;
    edit->setFocus();
    const QTextCursor qc = quote->textCursor();
    const int line = quote->document()->findBlock(qc.selectionStart()).blockNumber();
    if (quote->document()->isEmpty()) {
        showMessage(QStringLiteral("転送するものがありませんでした。"), Icon::Information);
        return;
    }
    const QString text = quote->document()->findBlockByNumber(line).text();
    QTextCursor c = edit->textCursor();
    c.beginEditBlock();
    c.setCharFormat(plainFormat());
    c.insertText(app().QuoteMark + text, plainFormat());
    c.endEditBlock();
    const int end = c.position();
    const int start = end - int(app().QuoteMark.size() + text.size());
    c.setPosition(end);
    c.setPosition(start, QTextCursor::KeepAnchor);
    edit->setTextCursor(c);
    edit->setFocus();
    deleteLine(quote, line);
}

void inputMethodTyping(MainWindow& form, const QInputMethodEvent* event) {
    if (event->commitString().isEmpty() && event->preeditString().isEmpty()) return;
    QPlainTextEdit* edit = form.editPane;
    QTextCursor c = edit->textCursor();
    if (c.hasSelection()) {
        // The text replaces the selection. Removed here, the caret keeps the
        // plain format set below; removed by the pane, the caret would take the
        // look of the character before it (a red quote mark, an italic line).
        c.removeSelectedText();
        edit->setTextCursor(c);
    }
    edit->setCurrentCharFormat(plainFormat());
}

bool quotingKeyDown(MainWindow& form, QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Shift) return false;
    if (key == Qt::Key_Escape) {
        transferQuoteLine(form);
        return true;
    }
    QPlainTextEdit* edit = form.editPane;
    QTextCursor c = edit->textCursor();
    if (!c.hasSelection()) {
        edit->setCurrentCharFormat(plainFormat());
        return false;
    }
    if (key == Qt::Key_Delete || key == Qt::Key_Backspace) return false;
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        decorateQuote(form);
        return true;
    }
    c.mergeCharFormat(plainFormat());
    edit->setCurrentCharFormat(plainFormat());
    return false;
}

}  // namespace kirel
