#pragma once

// A read-only text pane refuses input-method text as it refuses keys. Qt lets
// an input method commit into a read-only QPlainTextEdit or QTextEdit (its
// answer to "is input enabled" ignores the read-only state), so a user typing
// Japanese into such a pane would write into it.

class QWidget;

namespace kirel {

// While the pane (a QPlainTextEdit or QTextEdit) is read-only, it tells the
// input method that it takes no input, and drops whatever is committed anyway.
// The pane accepts input-method text again as soon as it is writable.
void refuseInputMethodWhileReadOnly(QWidget* pane);

}  // namespace kirel
