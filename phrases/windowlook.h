#pragma once

// What every window of the phrase libraries shares: the window colour and font
// size of the settings, a remembered position kept on the screen, and the edit
// commands of their context menus.

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

// Background from the window colour setting, font of 9 points on a 96-dpi screen
// and 11 points otherwise.
void applyWindowLook(QWidget* window);

// A stored left/top kept on the screen: a value below 0 or beyond the screen's
// width or height becomes 10.
QPoint placeOnScreen(QPoint stored, const QWidget* window);

// Undo, cut, copy, paste and select all, acting on the text control that has the
// focus when the item is chosen (target() names it; nullptr or a control that is
// not a text field does nothing). Items are enabled as that control allows when
// the menu opens.
void addEditItems(QMenu* menu, std::function<QWidget*()> target);

// A list that gets the keyboard marks its first entry as current; this makes
// that entry also the selected one, so that Enter acts on the entry the user
// sees marked and the first arrow key does not skip it.
void selectCurrentOnFocus(QListWidget* list);

// Lets a menu's accelerator key choose the one enabled item that carries it, even
// when a disabled item shares the letter ("アイテムリストに追加(&A)" and
// "すべてを選択(&A)"); without this the key would only move to the first of them.
void chooseByEnabledMnemonic(QMenu* menu);

// While the decoration window has disabled the edit pane nothing may be put
// into the post: shows the refusal for what ("顔文字", "定型文") in an
// information box and returns true.
bool refuseWhileDecorating(const EditorHost& host, const QString& what);

// Puts text into the post in place of its selection (at the caret without one),
// showing the edit page first, and gives the edit pane the keyboard.
void insertIntoPost(EditorHost& host, QWidget* owner, const QString& text);

}  // namespace kirel::phrases
