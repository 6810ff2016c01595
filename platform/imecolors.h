#pragma once

// Colours of the text an input method is still composing in a plain-text pane
// (the main window's edit pane, the split-post editor): unconverted input is blue
// on white, bold; while a clause is being converted it stands out (dark text on
// cyan, bold) and the other clauses, converted already, are navy on yellow,
// underlined.

#include <QObject>

class QPlainTextEdit;

namespace kirel {

class ImeColors : public QObject {
    Q_OBJECT
  public:
    explicit ImeColors(QPlainTextEdit* pane);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPlainTextEdit* pane_;
    bool resending_ = false;
};

}  // namespace kirel
