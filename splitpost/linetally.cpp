#include "splitpost/linetally.h"

#include <QElapsedTimer>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QTimer>

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

LineTally::LineTally(QPlainTextEdit* editor)
    : QObject(editor),
      editor_(editor),
      viewport_(editor->viewport()),
      resume_(editor->document()),
      steps_(new QTimer(this)) {
    steps_->setSingleShot(true);
    steps_->setInterval(0);
    connect(steps_, &QTimer::timeout, this, &LineTally::step);
    connect(editor->document(), &QTextDocument::contentsChange, this, &LineTally::contentsChange);
    viewport_->installEventFilter(this);
    behindFrom(0);  // nothing is laid out before the editor shows
}

bool LineTally::eventFilter(QObject* watched, QEvent* event) {
    // Resizes that come while the editor is being taken down are no business of
    // the count: the editor is no longer whole.
    if (watched == viewport_ && event->type() == QEvent::Resize &&
        qobject_cast<QPlainTextEdit*>(viewport_->parentWidget())) {
        const auto* resize = static_cast<QResizeEvent*>(event);
        // The editor is about to drop every block's layout: lay them out again
        // in the background, before the next change asks for the count.
        if (resize->oldSize().width() != resize->size().width()) {
            behindFrom(0);
            if (editor_->isVisible()) steps_->start();
        }
    }
    return QObject::eventFilter(watched, event);
}

void LineTally::contentsChange(int position, int, int charsAdded) {
    // The editor's layout hears of the change after this: the blocks are laid out
    // again when the count is asked for. A second change before that may have
    // moved the first one's text: then every block is looked at.
    ++pendingChanges_;
    changedFrom_ = position;
    changedTo_ = position + charsAdded;
}

void LineTally::behindFrom(int position) {
    if (!behind_ || position < resume_.position()) resume_.setPosition(position);
    behind_ = true;
}

void LineTally::advance(const QElapsedTimer& clock) {
    // Blocks that kept their layout cost next to nothing: only the others are
    // laid out.
    QPlainTextDocumentLayout* layout = layoutOf(editor_);
    QTextBlock b = editor_->document()->findBlock(resume_.position());
    while (b.isValid() && clock.elapsed() < kStepMs) {
        layout->ensureBlockLayout(b);
        b = b.next();
    }
    if (b.isValid()) {
        resume_.setPosition(b.position());
    } else {
        behind_ = false;
        width_ = wrapWidth(editor_);
    }
}

std::optional<qint64> LineTally::lines() {
    QTextDocument* document = editor_->document();
    QElapsedTimer clock;
    clock.start();
    if ((!behind_ && wrapWidth(editor_) != width_) || pendingChanges_ > 1) {
        behindFrom(0);
    } else if (pendingChanges_ == 1) {
        // Lay out the blocks of the change; what the time does not allow is left
        // to the steps.
        QPlainTextDocumentLayout* layout = layoutOf(editor_);
        QTextBlock b = document->findBlock(changedFrom_);
        const QTextBlock last = document->findBlock(changedTo_);
        for (; b.isValid(); b = b.next()) {
            if (clock.elapsed() >= kStepMs) {
                behindFrom(b.position());
                break;
            }
            layout->ensureBlockLayout(b);
            if (b == last) break;
        }
    }
    pendingChanges_ = 0;
    // A step at once, in what is left of the time: a short text is counted
    // without waiting.
    if (behind_) advance(clock);
    if (behind_) {
        asked_ = true;
        steps_->start();
        return std::nullopt;
    }
    return splitpost::shownLines(document->lineCount(), lastLineEmpty(document));
}

void LineTally::step() {
    if (!behind_) return;
    QElapsedTimer clock;
    clock.start();
    advance(clock);
    emit stepped();
    if (behind_) {
        steps_->start();
    } else if (asked_) {
        asked_ = false;
        emit counted();
    }
}

double LineTally::progress() const {
    if (!behind_) return 1;
    const int all = editor_->document()->characterCount();
    return all > 0 ? double(resume_.position()) / all : 0;
}

qint64 LineTally::recount() {
    QTextDocument* document = editor_->document();
    document->markContentsDirty(0, document->characterCount());  // clears every block's layout
    QPlainTextDocumentLayout* layout = layoutOf(editor_);
    for (QTextBlock b = document->firstBlock(); b.isValid(); b = b.next())
        layout->ensureBlockLayout(b);
    pendingChanges_ = 0;
    behind_ = false;
    steps_->stop();
    width_ = wrapWidth(editor_);
    if (asked_) {
        asked_ = false;
        emit counted();
    }
    return splitpost::shownLines(document->lineCount(), lastLineEmpty(document));
}

}  // namespace kirel
