#pragma once

// Top-level windows of the program found by caption, brought to the front, and
// kept on top. Only the program's own widgets are searched: helper windows that
// libraries create (Qt WebEngine's hidden 1x1 window is a QWindow, not a widget)
// are never seen.

#include <QString>

class QWidget;

namespace kirel {

// The visible top-level widget whose title is exactly caption; message boxes are
// skipped so that a box captioned "Kirel Editor" is not taken for the main window.
QWidget* findWindow(const QString& caption);

// Restores, raises and activates the window.
void bringToFront(QWidget* window);

// Moves the window into or out of the topmost layer, keeping position and size.
void setTopMost(QWidget* window, bool on);

}  // namespace kirel
