#pragma once

// What every window of the phrase libraries shares: a remembered position kept
// on the screen, and the lists and refusals they share. Their colour and
// font size come from platform/windowlook.h.

#include <QPoint>
#include <QString>
#include <functional>

class QListWidget;
class QMenu;
class QWidget;

namespace kirel {
class EditorHost;
}

namespace kirel::phrases {

// A stored left/top kept on the screen: a value below 0 or beyond the screen's
// width or height becomes 10.
QPoint placeOnScreen(QPoint stored, const QWidget* window);

// A list that gets the keyboard marks its first entry as current; this makes
// that entry also the selected one, so that Enter acts on the entry the user
// sees marked and the first arrow key does not skip it.
void selectCurrentOnFocus(QListWidget* list);

// While the decoration window has disabled the edit pane nothing may be put
// into the post: shows the refusal for what ("顔文字", "定型文") in an
// information box and returns true.
bool refuseWhileDecorating(const EditorHost& host, const QString& what);

// Puts text into the post in place of its selection (at the caret without one),
// showing the edit page first, and gives the edit pane the keyboard.
void insertIntoPost(EditorHost& host, QWidget* owner, const QString& text);

}  // namespace kirel::phrases
