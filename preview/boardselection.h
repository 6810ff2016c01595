#pragma once

// Selecting one of the three boards from the settings menu.

#include <QString>

namespace kirel::preview {

// What the board selection needs from the main window.
class BoardHost {
  public:
    virtual ~BoardHost() = default;
    virtual int editPaneWidth() const = 0;
    virtual void setEditPaneWidth(int width) = 0;
    // Checks board n's radio item (1..3), unchecking the others.
    virtual void checkBoard(int board) = 0;
    // True while the preview tab is the active page.
    virtual bool previewShowing() const = 0;
    // Lets the preview view show the page file.
    virtual void showPreview(const QString& path) = 0;
    // The character limit changed: the counter starts again from it.
    virtual void setCharLimit(int limit) = 0;
};

struct BoardContext {
    QString appDir;       // program folder, ending with a separator
    QString previewBody;  // the post text of the last preview
};

// Board n (1..3) chosen; previous is the board whose item was checked before (1..3,
// or 0 for none).
// 1. the width of the edit pane is remembered for the board being left;
// 2. choosing the board already checked stops there;
// 3. board n is checked, its profile read and its pane width applied;
// 4. its values become the current board;
// 5. the preview is rebuilt from them when it shows (the text is not taken again);
// 6. the character limit is passed on.
// A settings write that fails throws kirel::Failure and ends the selection there.
void selectBoard(int board, int previous, const BoardContext& context, BoardHost& host);

}  // namespace kirel::preview
