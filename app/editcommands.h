#pragma once

#include <QObject>

#include "app/editoperations.h"
#include "platform/qttextpane.h"

class MainWindow;
class QWidget;

namespace kirel {

class FindDialog;
class ReplaceDialog;

// The editing commands of the edit pane's and quote pane's context menus, and the
// find and replace dialogs. Connects itself to the window's menu items.
//
// Every command that changes the post asks one gate, the edit pane's enabled
// state, and does nothing while the pane is disabled (the decoration window is
// working on its selection then). The menu item and the dialog buttons that
// would change the post are disabled meanwhile.
class EditCommands : public QObject {
    Q_OBJECT
  public:
    explicit EditCommands(MainWindow* form);
    ~EditCommands() override;

    void insertQuoteMarks();  // quote marks
    void heartMark1();        // heart mark 1
    void heartMark2();        // heart mark 2
    void countSelection();    // count the selection
    void splitPost();         // split-post window
    void showFind();
    void showReplace();
    void findNext();
    void replaceNext();
    void convertBreaks();
    void copyFromQuote();  // quote pane selection into the edit pane

    // Opens a new split-post window on the edit pane's selection.
    void openSplitPost();

    // Created on first use, then kept (with their texts) for the whole run.
    FindDialog* findDialog();
    ReplaceDialog* replaceDialog();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The gate: false while the post must not change.
    bool postOpen() const;
    // The edit pane was enabled or disabled.
    void postLockChanged();
    void editMenuShowing();
    void quoteMenuShowing();

    MainWindow* form_;
    QWidget* editPane_;  // the edit pane, watched for its enabled state
    QtTextPane edit_;
    QtTextPane quote_;
    FindDialog* findDialog_ = nullptr;
    ReplaceDialog* replaceDialog_ = nullptr;
};

}  // namespace kirel
