#pragma once

// Connects the edit pane to the counter: keeps the running byte count and shows
// the counter's state on the bar, its labels and its hint.

#include <QObject>

class MainWindow;

namespace kirel {

class ByteTally;

class CounterDisplay : public QObject {
    Q_OBJECT
  public:
    explicit CounterDisplay(MainWindow* form);

    qint64 bytes() const;
    // Display reset from CharLimit; atStartup keeps the design hint.
    void reset(bool atStartup);
    // One update, as after a change of the text.
    void update();

  private:
    MainWindow* form_;
    ByteTally* tally_;
};

}  // namespace kirel
