#pragma once

// Key rules of the edit pane: Esc moves the quote pane's current line into the
// post behind the quote mark, Enter on a selection decorates it, and typed text is
// always plain black. Colours and italics exist only on screen.

class QKeyEvent;
class MainWindow;

namespace kirel {

// Handles a key press in the edit pane; true when the key was consumed.
bool quotingKeyDown(MainWindow& form, QKeyEvent* event);

// Esc: transfer one quote line.
void transferQuoteLine(MainWindow& form);

}  // namespace kirel
