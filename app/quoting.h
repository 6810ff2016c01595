#pragma once

// Key rules of the edit pane: Esc moves the quote pane's current line into the
// post behind the quote mark, Enter on a selection decorates it, and typed text is
// always plain black. Colours and italics exist only on screen.

class QInputMethodEvent;
class QKeyEvent;
class MainWindow;

namespace kirel {

// Handles a key press in the edit pane; true when the key was consumed.
bool quotingKeyDown(MainWindow& form, QKeyEvent* event);

// Esc: transfer one quote line; nothing while the edit pane is disabled.
void transferQuoteLine(MainWindow& form);

// Input-method text arriving in the edit pane: typed text like a key's, so plain
// black too, also when it replaces a selection. Called before the pane takes it.
void inputMethodTyping(MainWindow& form, const QInputMethodEvent* event);

}  // namespace kirel
