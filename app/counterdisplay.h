#pragma once

// Connects the edit pane to the counter: keeps the running byte count and shows
// the counter's state on the bar, its labels and its hint. When the board limits
// lines, the lines left join the hint and a post over them is warned about; an
// over-limit warning offers to split the post.

#include <QObject>

#include "app/counter.h"

class MainWindow;

namespace kirel {

class ByteTally;

class CounterDisplay : public QObject {
    Q_OBJECT
  public:
    explicit CounterDisplay(MainWindow* form);

    qint64 bytes() const;
    // Lines of the post: its line breaks plus one (kept by the document itself).
    qint64 lines() const;
    // Display reset from CharLimit; atStartup keeps the design hint.
    void reset(bool atStartup);
    // One update, as after a change of the text.
    void update();

  signals:
    // The user took the offer of an over-limit warning to split the post.
    void splitRequested();

  private:
    void warn(const counter::Warning& warning);

    MainWindow* form_;
    ByteTally* tally_;
};

}  // namespace kirel
