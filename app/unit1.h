#pragma once

// The main window: edit and quote panes, counter, toolbar, tabs and every context
// menu of the program. The window is thin: it builds the widgets and menus, and
// its handlers delegate to the code of each feature. Other windows and the
// feature code reach the widgets through the public members, which carry their
// designer names (also set as objectName).

#include <QWidget>
#include <memory>

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QSplitter;
class QTabWidget;
class TPictureButton;

namespace kirel {
class Clipboard;
class CounterDisplay;
class CaptureController;
}  // namespace kirel

class TForm1 : public QWidget {
    Q_OBJECT
  public:
    // arguments: the command line without the program name.
    explicit TForm1(const QStringList& arguments = {}, kirel::Clipboard* clipboard = nullptr,
                    QWidget* parent = nullptr);
    ~TForm1() override;

    // --- widgets ---
    QLabel* Image1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    TPictureButton* PictureButton1 = nullptr;
    TPictureButton* PictureButton2 = nullptr;
    TPictureButton* PictureButton3 = nullptr;
    TPictureButton* PictureButton4 = nullptr;
    TPictureButton* PictureButton6 = nullptr;
    TPictureButton* PictureButton7 = nullptr;
    TPictureButton* PictureButton8 = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;         // edit tab
    QWidget* TabSheet2 = nullptr;         // preview tab (its content is built by the preview code)
    QWidget* TabSheet3 = nullptr;         // browser tab (likewise)
    QSplitter* Splitter1 = nullptr;       // quote pane / edit area
    QSplitter* Splitter2 = nullptr;       // edit pane / Panel2
    QPlainTextEdit* RichEdit3 = nullptr;  // quote pane
    QPlainTextEdit* RichEdit1 = nullptr;  // edit pane
    QPlainTextEdit* RichEdit2 = nullptr;  // hidden scratch buffer
    QFrame* Panel2 = nullptr;

    // --- menus ---
    QMenu* PopupMenu1 = nullptr;  // right click on PictureButton7
    QMenu* PopupMenu2 = nullptr;  // right click on PictureButton8
    QMenu* PopupMenu4 = nullptr;  // edit pane
    QMenu* PopupMenu5 = nullptr;  // settings
    QMenu* PopupMenu6 = nullptr;  // empty: no context menu
    QMenu* PopupMenu7 = nullptr;  // edit actions for text fields
    QMenu* PopupMenu8 = nullptr;  // quote pane
    QMenu* PopupMenu9 = nullptr;  // address box of the browser tab

    // PopupMenu1
    QAction *N11 = nullptr, *N21 = nullptr, *N31 = nullptr, *N39 = nullptr, *SaveAs1 = nullptr;
    // PopupMenu2
    QAction *N12 = nullptr, *N22 = nullptr, *N32 = nullptr, *O1 = nullptr;
    // PopupMenu4
    QMenu* HTML1 = nullptr;
    QAction *N2 = nullptr, *N3 = nullptr, *N4 = nullptr;
    QMenu* H1 = nullptr;
    QAction *N13 = nullptr, *N23 = nullptr;
    QAction *N1 = nullptr, *N6 = nullptr, *N7 = nullptr, *N8 = nullptr, *N9 = nullptr;
    QAction *Undo1 = nullptr, *Cut1 = nullptr, *Copy1 = nullptr, *Paste1 = nullptr,
            *Undo2 = nullptr;
    QAction *N10 = nullptr, *Find1 = nullptr, *Replace1 = nullptr, *N18 = nullptr, *BR1 = nullptr;
    QAction *N29 = nullptr, *T1 = nullptr;
    QMenu *N35 = nullptr, *S1 = nullptr, *S2 = nullptr;
    QAction *N01 = nullptr, *N111 = nullptr, *N210 = nullptr, *N310 = nullptr, *N36 = nullptr;
    QAction *N02 = nullptr, *N112 = nullptr, *N211 = nullptr, *N311 = nullptr, *N37 = nullptr,
            *N38 = nullptr;
    QAction* N19 = nullptr;
    QMenu* KirelEditor1 = nullptr;
    QAction *N26 = nullptr, *N27 = nullptr, *N28 = nullptr;
    QAction *N40 = nullptr, *N44 = nullptr, *N42 = nullptr, *N41 = nullptr, *N43 = nullptr;
    // PopupMenu5
    QMenu* N16 = nullptr;
    QActionGroup* BoardGroup = nullptr;
    QAction *N110 = nullptr, *N24 = nullptr, *N25 = nullptr;
    QAction *N5 = nullptr, *N17 = nullptr, *N20 = nullptr, *F1 = nullptr;
    // PopupMenu8
    QAction *N14 = nullptr, *N15 = nullptr, *Undo4 = nullptr, *Cut3 = nullptr, *Copy3 = nullptr,
            *Paste3 = nullptr, *A2 = nullptr;
    // PopupMenu9
    QAction *P1 = nullptr, *N34 = nullptr, *N30 = nullptr, *N33 = nullptr;
    // PopupMenu7
    QAction *Undo3 = nullptr, *Cut2 = nullptr, *Copy2 = nullptr, *Paste2 = nullptr, *A1 = nullptr;
    // Standard edit actions: act on the focused text control.
    QAction *EditUndo1 = nullptr, *EditCut1 = nullptr, *EditCopy1 = nullptr, *EditPaste1 = nullptr,
            *EditSelectAll1 = nullptr;

    // --- operations other code relies on ---
    kirel::Clipboard& clipboard() const { return *clipboard_; }
    // Clipboard capture on activation, and the snapshot.
    void runCapture();
    void takeSnapshot();
    // Counter: display reset (after a change of CharLimit) and one update.
    void counterReset();
    void RichEdit1Change();
    // Byte length of the edit pane's text, kept up to date from each change.
    qint64 editByteLength() const;
    // Width of the edit pane (the rest of the edit tab is Panel2).
    int editPaneWidth() const;
    void setEditPaneWidth(int width);
    // Checked board radio item: 0, 1, 2, or -1 for none.
    int checkedBoard() const;
    bool editTabActive() const;
    int quotePaneHeight() const;
    void setQuotePaneHeight(int height);

    void PictureButton1Click();  // transfer to the clipboard
    void F1Click();              // always on top

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void buildWidgets();
    void buildMenus();
    void connectHandlers();
    void FormCreate(const QStringList& arguments);
    void FormClose();
    void setToolHint();
    void PictureButton6MouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);
    void toggleToolWindow(const QString& caption);
    void wheel(QWheelEvent* event);
    void applicationStateChanged(Qt::ApplicationState state);

    kirel::Clipboard* clipboard_ = nullptr;
    std::unique_ptr<kirel::Clipboard> ownClipboard_;
    kirel::CounterDisplay* counter_ = nullptr;
    Qt::ApplicationState lastState_ = Qt::ApplicationInactive;
};

// The main window's instance variable.
extern TForm1* Form1;
