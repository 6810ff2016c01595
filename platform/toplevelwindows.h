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

// Restores, raises and activates the window. On Wayland a window may take the
// focus only with an activation token from the compositor: activationToken is
// the one a second start of the program was given by its launcher.
void bringToFront(QWidget* window, const QString& activationToken = QString());

// Moves the window into or out of the topmost layer, keeping position and size.
// The windows it owns (tool windows, the decoration window) are attached to
// its new native window, so they stay above it.
void setTopMost(QWidget* window, bool on);

// Attaches the visible windows owned by owner to owner's native window again,
// after that was re-created.
void reattachOwnedWindows(QWidget* owner);

// The parent of every message box and dialog whose caller names none, so that
// the box is never hidden behind a window of the program (a window kept on top
// included): the window that asked (DialogOwner), else the active modal dialog,
// else the active window, else a visible window kept on top, else the main
// window.
QWidget* dialogParent();

// Makes a message box or question, not yet shown, come up above every window
// of the program: kept on top itself while any of them is, raised and given
// the keyboard once it shows. A box that belongs to the main window would
// otherwise open under the windows kept on top, and every click would go
// unanswered while it waits there unseen.
void showAboveProgram(QWidget* box);

// The main window: the parent of last resort, for boxes shown while no window
// of the program is active (right after the window was moved to the topmost
// layer, say). Held weakly.
void setMainWindow(QWidget* window);

// While it exists, message boxes and dialogs belong to this window: for a
// window that asks while another one is active.
class DialogOwner {
  public:
    explicit DialogOwner(QWidget* window);
    ~DialogOwner();
    DialogOwner(const DialogOwner&) = delete;
    DialogOwner& operator=(const DialogOwner&) = delete;

  private:
    QWidget* previous_;
};

}  // namespace kirel
