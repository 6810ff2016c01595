#pragma once

// The main window: edit and quote panes, counter, toolbar, tabs and the context
// menus. The window is thin: it builds the widgets and menus, and its handlers
// delegate to the code of each feature (editing commands, drafts, capture and
// quoting, preview tabs, board menu).
//
// Members are named by role. Every widget, menu and menu item also carries the
// designer's name as its objectName ("Form1", "RichEdit1", "PictureButton7",
// "N110", ...): automation and the tests find them by it, and it is given next to
// the caption where each one is made (mainwindow.cpp, mainwindow_menus.cpp).

#include <QPointer>
#include <QWidget>
#include <memory>

#include "core/editorhost.h"

class QAction;
class QActionGroup;
class QFrame;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QShortcut;
class QSplitter;
class QTabWidget;
class PictureButton;

namespace kirel {
class Clipboard;
class CounterDisplay;
class DotWidthGutter;
class DraftStore;
class PreviewTabs;
class QtTextPane;
}  // namespace kirel

class MainWindow : public QWidget, public kirel::EditorHost {
    Q_OBJECT
  public:
    // arguments: the command line without the program name.
    explicit MainWindow(const QStringList& arguments = {}, kirel::Clipboard* clipboard = nullptr,
                        QWidget* parent = nullptr);
    ~MainWindow() override;

    // --- widgets ---
    QLabel* mascot = nullptr;
    QLabel* counterCaption = nullptr;  // "残り文字数"
    QLabel* counterLabel = nullptr;    // remaining characters
    QLabel* limitLabel = nullptr;      // the board's limit
    QProgressBar* counterBar = nullptr;
    PictureButton* transferButton = nullptr;
    PictureButton* decorationButton = nullptr;
    PictureButton* emoticonButton = nullptr;
    PictureButton* phraseButton = nullptr;
    PictureButton* settingsButton = nullptr;
    PictureButton* saveButton = nullptr;
    PictureButton* loadButton = nullptr;
    QTabWidget* tabs = nullptr;
    QWidget* editTab = nullptr;
    QWidget* previewTab = nullptr;       // content built by PreviewTabs
    QWidget* browserTab = nullptr;       // likewise
    QSplitter* quoteSplitter = nullptr;  // quote pane above, edit area below
    QSplitter* editSplitter = nullptr;   // edit pane left, side panel right
    QPlainTextEdit* quotePane = nullptr;
    QPlainTextEdit* editPane = nullptr;
    QFrame* sidePanel = nullptr;

    // --- menus ---
    QMenu* saveMenu = nullptr;      // right click on the save button
    QMenu* loadMenu = nullptr;      // right click on the load button
    QMenu* editMenu = nullptr;      // edit pane
    QMenu* settingsMenu = nullptr;  // settings button
    QMenu* emptyMenu = nullptr;     // no context menu
    QMenu* fieldMenu = nullptr;     // edit actions for text fields
    QMenu* quoteMenu = nullptr;     // quote pane

    // saveMenu
    QAction *quickSave1 = nullptr, *quickSave2 = nullptr, *quickSave3 = nullptr,
            *overwriteSave = nullptr, *saveAs = nullptr;
    // loadMenu
    QAction *quickLoad1 = nullptr, *quickLoad2 = nullptr, *quickLoad3 = nullptr,
            *openFile = nullptr;
    // editMenu
    QMenu* htmlMenu = nullptr;
    QAction *decorate = nullptr, *htmlSeparator = nullptr, *insertLink = nullptr;
    QMenu* heartMenu = nullptr;
    QAction *heartMark1 = nullptr, *heartMark2 = nullptr;
    QAction *insertQuoteMarks = nullptr, *countSelection = nullptr, *splitPost = nullptr,
            *insertRule = nullptr, *editSeparator1 = nullptr;
    // View toggle: each line's width in dots beside the edit pane.
    QAction* showArtWidths = nullptr;
    kirel::DotWidthGutter* editWidths = nullptr;  // made on first showing
    QAction *editUndo = nullptr, *editCut = nullptr, *editCopy = nullptr, *editPaste = nullptr,
            *editSelectAll = nullptr;
    QAction *editSeparator2 = nullptr, *find = nullptr, *replace = nullptr,
            *editSeparator3 = nullptr, *convertBreaks = nullptr;
    QAction *openInBrowser = nullptr, *insertTextFile = nullptr;
    QMenu *fileMenu = nullptr, *loadSubmenu = nullptr, *saveSubmenu = nullptr;
    QAction *menuQuickLoad0 = nullptr, *menuQuickLoad1 = nullptr, *menuQuickLoad2 = nullptr,
            *menuQuickLoad3 = nullptr, *menuOpenFile = nullptr;
    QAction *menuQuickSave0 = nullptr, *menuQuickSave1 = nullptr, *menuQuickSave2 = nullptr,
            *menuQuickSave3 = nullptr, *menuOverwriteSave = nullptr, *menuSaveAs = nullptr;
    QAction* runTool = nullptr;
    QMenu* aboutMenu = nullptr;
    QAction *help = nullptr, *versionInfo = nullptr, *homepage = nullptr;
    // Hidden items that keep the toolbar's shortcuts (Ctrl+E, M, K, F).
    QAction *hiddenSeparator = nullptr, *transferShortcut = nullptr, *decorationShortcut = nullptr,
            *emoticonShortcut = nullptr, *phraseShortcut = nullptr;
    // settingsMenu
    QMenu* boardMenu = nullptr;
    QActionGroup* boardGroup = nullptr;
    QAction *board1 = nullptr, *board2 = nullptr, *board3 = nullptr;
    QAction *preferences = nullptr, *toolSettings = nullptr, *chooseQuoteMark = nullptr,
            *alwaysOnTop = nullptr;
    // quoteMenu
    QAction *quoteToEdit = nullptr, *quoteSeparator = nullptr, *quoteUndo = nullptr,
            *quoteCut = nullptr, *quoteCopy = nullptr, *quotePaste = nullptr,
            *quoteSelectAll = nullptr;
    // fieldMenu
    QAction *fieldUndo = nullptr, *fieldCut = nullptr, *fieldCopy = nullptr, *fieldPaste = nullptr,
            *fieldSelectAll = nullptr;
    // Standard edit actions: act on the focused text control.
    QAction *undoAction = nullptr, *cutAction = nullptr, *copyAction = nullptr,
            *pasteAction = nullptr, *selectAllAction = nullptr;

    // The preview and browser tabs.
    kirel::PreviewTabs* previewTabs() const { return previewTabs_; }

    // --- what the other windows ask of the main window ---
    kirel::TextPane& editText() override;
    kirel::TextPane& quoteText() override;
    kirel::Clipboard& clipboard() const override { return *clipboard_; }
    void runCapture() override;
    void takeSnapshot() override;
    void restartCounter() override;
    void resetCounter() override;
    bool editPaneEnabled() const override;
    void setEditPaneEnabled(bool enabled) override;
    Tab currentTab() const override;
    void showTab(Tab tab) override;
    void setWindowHint(const QString& hint) override;
    void showWindowHint(bool on) override;

    // Byte length of the edit pane's text, kept up to date from each change.
    qint64 editByteLength() const;
    // Width of the edit pane (the rest of the edit tab is the side panel).
    int editPaneWidth() const;
    void setEditPaneWidth(int width);
    // Checked board radio item: 0, 1, 2, or -1 for none.
    int checkedBoard() const;
    bool editTabActive() const;
    int quotePaneHeight() const;
    void setQuotePaneHeight(int height);

    // Transfer of the post to the clipboard (toolbar button, Ctrl+E).
    void transfer();
    // The "常に最前面(&F)" item was chosen.
    void toggleAlwaysOnTop();
    // The link dialog, modal; copiedAddress is the address whose copy opened it.
    // With a link dialog open already, the address goes into that one.
    void openLinkDialog(const QString& copiedAddress = QString());

    // The decoration window: closed when it is open, else opened (toolbar
    // button, edit menu, Ctrl+M). Null while it is closed (also once closed
    // and waiting to be freed).
    void toggleDecorationWindow();
    QWidget* decorationWindow() const;
    // "飾り罫を挿入": the decorative-rule dialog, modal.
    void openRuleDialog();
    // "文字絵の幅を表示": each line's width in dots beside the edit pane, or not.
    void setArtWidthsShown(bool shown);
    // The preferences dialog, modal, owned by owner (the main window when null);
    // true when the settings were saved.
    bool openPreferences(QWidget* owner = nullptr);

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    void buildWidgets();
    void buildMenus();
    void connectHandlers();
    void connectDrafts();
    void applyStartupSettings(const QStringList& arguments);
    void saveShutdownSettings();
    void setToolHint();
    void settingsButtonReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers,
                                QPoint pos);
    void wheel(QWheelEvent* event);
    void applicationStateChanged(Qt::ApplicationState state);

    kirel::Clipboard* clipboard_ = nullptr;
    std::unique_ptr<kirel::Clipboard> ownClipboard_;
    std::unique_ptr<kirel::QtTextPane> editText_;
    std::unique_ptr<kirel::QtTextPane> quoteText_;
    std::unique_ptr<kirel::DraftStore> drafts_;
    kirel::CounterDisplay* counter_ = nullptr;
    kirel::PreviewTabs* previewTabs_ = nullptr;
    Qt::ApplicationState lastState_ = Qt::ApplicationInactive;
    int wheelRest_ = 0;  // wheel turn not yet worth a line
    QPointer<QWidget> decorationWindow_;
    // Ctrl+M anywhere in the main window while the decoration window is open:
    // the edit pane, whose menu holds the shortcut, is disabled then.
    QShortcut* decorationKey_ = nullptr;
    QString windowHint_;
};
