#include "splitpost/linetally.h"

#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include "splitpost/splitcounts.h"

namespace kirel {
namespace {

QPlainTextDocumentLayout* layoutOf(const QPlainTextEdit* editor) {
    return qobject_cast<QPlainTextDocumentLayout*>(editor->document()->documentLayout());
}

// The width the layout wraps at: the editor sets it from its viewport and lays
// out every block anew when it changes.
qreal wrapWidth(const QPlainTextEdit* editor) {
    QTextDocument* document = editor->document();
    return document->documentLayout()->frameBoundingRect(document->rootFrame()).width();
}

bool lastLineEmpty(const QTextDocument* document) {
    return document->lastBlock().length() <= 1;  // only the block's end
}

}  // namespace

LineTally::LineTally(QPlainTextEdit* editor) : QObject(editor), editor_(editor) {
    connect(editor->document(), &QTextDocument::contentsChange, this, &LineTally::contentsChange);
}

void LineTally::contentsChange(int position, int, int charsAdded) {
    // The editor's layout hears of the change after this: the blocks are laid out
    // again when the count is asked for. A second change before that may have
    // moved the first one's text: then every block is looked at.
    ++pendingChanges_;
    changedFrom_ = position;
    changedTo_ = position + charsAdded;
}

qint64 LineTally::lines() {
    QTextDocument* document = editor_->document();
    QPlainTextDocumentLayout* layout = layoutOf(editor_);
    const qreal width = wrapWidth(editor_);
    if (width != width_ || document->defaultFont() != font_) {
        // A new width or font cleared the layout of every block.
        for (QTextBlock b = document->firstBlock(); b.isValid(); b = b.next())
            layout->ensureBlockLayout(b);
        width_ = wrapWidth(editor_);  // unwrapped, it grows with the widest line
        font_ = document->defaultFont();
    } else if (pendingChanges_ > 1) {
        for (QTextBlock b = document->firstBlock(); b.isValid(); b = b.next())
            layout->ensureBlockLayout(b);  // only blocks without a layout are laid out
    } else if (pendingChanges_ == 1) {
        QTextBlock b = document->findBlock(changedFrom_);
        const QTextBlock last = document->findBlock(changedTo_);
        for (; b.isValid(); b = b.next()) {
            layout->ensureBlockLayout(b);
            if (b == last) break;
        }
    }
    pendingChanges_ = 0;
    return splitpost::shownLines(document->lineCount(), lastLineEmpty(document));
}

qint64 LineTally::recount() {
    QTextDocument* document = editor_->document();
    document->markContentsDirty(0, document->characterCount());  // clears every block's layout
    width_ = -1;
    return lines();
}

}  // namespace kirel
