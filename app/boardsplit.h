#pragma once

// "掲示板の制限で分割" of the edit menu: the whole post split into parts within
// the current board's byte and line limits, opened in a new split-post window
// that shows them one after another. The counter's over-limit warnings offer it
// too.

#include <QObject>

class MainWindow;
class QAction;

namespace kirel {

class CounterDisplay;
class SplitPostWindow;

class BoardSplit : public QObject {
    Q_OBJECT
  public:
    BoardSplit(MainWindow* form, CounterDisplay* counter);

    QAction* action = nullptr;  // the edit menu's item

    // Splits the post; the window showing its parts, or null when refused.
    SplitPostWindow* split();

  private:
    MainWindow* form_;
};

}  // namespace kirel
