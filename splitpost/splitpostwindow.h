#pragma once

// The split-post window: a long reply taken from the edit pane's selection, cut
// into pieces here while four boxes keep count of the lines, the Shift-JIS bytes,
// the full-width character equivalent and a rank title by length. Each piece is
// transferred to the clipboard or saved to a text file.
//
// Every use of the command opens a new, modeless window, so several can be open
// at once; a window is freed when it closes and never asks about its text.
//
// Widgets, menus and menu items carry the designer names as objectName
// ("Form11", "RichEdit1", "Edit2" ... "Edit5", "Save1", "C1", ...).

#include <QTextCursor>
#include <QWidget>

#include "splitpost/splitcounts.h"

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QMimeData;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace kirel {

class ByteTally;
class EditorHost;
class LineTally;
class PartsBar;

class SplitPostWindow : public QWidget {
    Q_OBJECT
  public:
    // A window over owner, holding the selected text of the host's edit pane.
    SplitPostWindow(QWidget* owner, EditorHost& host);
    ~SplitPostWindow() override;

    static const QString kCaption;  // "分割投稿する"

    QMenuBar* menuBar = nullptr;
    QMenu* fileMenu = nullptr;
    QMenu* editMenu = nullptr;
    QAction *save = nullptr, *saveAs = nullptr;
    QAction *undo = nullptr, *cut = nullptr, *copy = nullptr, *paste = nullptr,
            *selectAll = nullptr;
    QAction *transfer = nullptr, *exit = nullptr;
    // Splitting to the current board's limits.
    QMenu* splitMenu = nullptr;
    QAction *splitToBoard = nullptr, *partNumbers = nullptr;
    PartsBar* parts = nullptr;
    QPlainTextEdit* editor = nullptr;
    QLabel *linesLabel = nullptr, *bytesLabel = nullptr, *fullWidthLabel = nullptr,
           *titleLabel = nullptr;
    QLineEdit *linesBox = nullptr, *bytesBox = nullptr, *fullWidthBox = nullptr,
              *titleBox = nullptr;
    // Shown when the lines of a long text take more than half a second to count.
    QWidget* progressRow = nullptr;
    QLabel* progressLabel = nullptr;
    QProgressBar* progressBar = nullptr;
    QPushButton* cancelButton = nullptr;

    // "上書き保存(&S)": to the name of the last save as, else as save as.
    void saveText();
    // "名前をつけて保存(&A)": asks for a name, then saves there.
    void saveTextAs();
    // "クリップボードに転送(&C)".
    void transferToClipboard();
    // Splits the window's text into parts within the current board's limits and
    // shows the first; text given: that text instead (the main window's post).
    bool splitForBoard();
    bool splitForBoard(const QString& text);

    // What the window waits for while the lines of a long text are laid out in
    // steps: the opening, a paste (both can be cancelled; the editor takes no
    // input meanwhile) or a count after another change (a resize, an undo).
    enum class Wait { Nothing, Opening, Pasting, Counting };
    Wait waiting() const { return waiting_; }
    // Cancelling the opening closes the window; cancelling a paste takes it back
    // whole. Nothing else is cancelled.
    void cancel();

    // The name the save dialog holds (as the user gave it, before ".txt").
    const QString& fileName() const { return fileName_; }

  protected:
    void showEvent(QShowEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWidgets();
    void buildMenus();
    void count();
    void wait(Wait what);
    void showProgress();
    void pasting(bool starting);
    bool pasteInSteps(const QMimeData* source);
    void insertInSteps(const QString& text, const QTextCursor& at);
    void insertPiece();
    bool inserting() const { return !inserting_.isEmpty(); }
    double progress() const;
    void writeTo(const QString& name);
    void wheel(const QWheelEvent* event);

    EditorHost& host_;
    ByteTally* bytes_ = nullptr;
    LineTally* lines_ = nullptr;
    splitpost::CountBoxes boxes_;
    QString fileName_;
    bool shown_ = false;
    Wait waiting_ = Wait::Nothing;
    bool pasting_ = false;        // inside the editor's paste or drop
    bool pasteUndoable_ = false;  // the last paste can be undone
    int undoStepsBeforePaste_ = 0;
    QTimer* progressDelay_ = nullptr;
    // A long text goes into the editor a piece per step (the opening's text,
    // a long paste), one undo step in all.
    QString inserting_;
    qsizetype insertedTo_ = 0;
    QTextCursor insertAt_;
    bool joinPieces_ = false;     // the pieces after the first join its undo step
    bool steppedInsert_ = false;  // the wait began with one
    QTimer* insertSteps_ = nullptr;
};

}  // namespace kirel
