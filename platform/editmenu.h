#pragma once

// The edit commands of the windows' menus: undo, cut, copy, paste and select
// all under the main window's captions, acting on a text control.

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace kirel {

struct EditItems {
    QAction *undo, *cut, *copy, *paste, *selectAll;
};

// Adds the five items to menu (objectNames Undo1, Cut1, Copy1, Paste1,
// SelectAll1). Each acts on the text control target() names when it is chosen
// (nullptr or a control that is not a text field does nothing), and is enabled
// as that control allows when the menu opens. The shortcuts are shown only: the
// text controls handle those keys themselves.
EditItems addEditItems(QMenu* menu, std::function<QWidget*()> target);

}  // namespace kirel
