#include "platform/piecefill.h"

#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTimer>

#include "platform/textpieces.h"

namespace kirel {

PieceFill::PieceFill(QPlainTextEdit* editor)
    : QObject(editor), editor_(editor), steps_(new QTimer(this)) {
    steps_->setSingleShot(true);
    steps_->setInterval(0);
    connect(steps_, &QTimer::timeout, this, &PieceFill::step);
}

void PieceFill::fill(const QString& text) {
    if (running()) {
        steps_->stop();
        text_.clear();
        editor_->document()->setUndoRedoEnabled(true);
        editor_->setReadOnly(wasReadOnly_);
    }
    if (text.size() <= kPieceChars) {
        editor_->setPlainText(text);
        return;
    }
    editor_->clear();
    editor_->document()->setUndoRedoEnabled(false);
    wasReadOnly_ = editor_->isReadOnly();
    editor_->setReadOnly(true);
    text_ = text;
    at_ = 0;
    step();
}

void PieceFill::step() {
    const qsizetype end = pieceEnd(text_, at_, kPieceChars);
    QTextCursor cursor(editor_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(text_.mid(at_, end - at_));
    at_ = end;
    if (at_ < text_.size()) {
        steps_->start();
        return;
    }
    text_.clear();
    editor_->document()->setUndoRedoEnabled(true);
    editor_->setReadOnly(wasReadOnly_);
    editor_->moveCursor(QTextCursor::Start);
    emit finished();
}

}  // namespace kirel
