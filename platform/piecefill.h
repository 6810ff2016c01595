#pragma once

// Fills a plain-text editor with a long text a piece per step from the event
// loop, so that a window showing a long file paints and answers at once. The
// editor is read-only until the text is in, and the fill is no undo step.

#include <QObject>
#include <QString>

class QPlainTextEdit;
class QTimer;

namespace kirel {

class PieceFill : public QObject {
    Q_OBJECT
  public:
    explicit PieceFill(QPlainTextEdit* editor);

    // Replaces the editor's text: a short one at once, a long one the first
    // piece now and the rest in steps (finished() follows). A fill still going
    // on is dropped.
    void fill(const QString& text);
    bool running() const { return !text_.isEmpty(); }

  signals:
    void finished();

  private:
    void step();

    QPlainTextEdit* editor_;
    QString text_;
    qsizetype at_ = 0;
    bool wasReadOnly_ = false;
    QTimer* steps_;
};

}  // namespace kirel
