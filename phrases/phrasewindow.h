#pragma once

// The fixed-phrase window "定型文選択": a tool window on top of the main window
// with two pages. Fixed phrases: named menus of one-line items, inserted into the
// post with a double click or Enter. Text art: named menus of one picture each,
// edited in place and inserted with the button. Menus are created, renamed and
// deleted through the context menu and the input dialog (MenuLibrary).
//
// While open it is the clipboard capture's text-art target: a copied text may be
// meant for a picture, and the capture turns this window to its text-art page.
//
// Its objectNames are the designer names ("Form8", "PageControl1", "TabSheet1",
// "ComboBox1", "ListBox1", "TabSheet2", "ComboBox2", "RichEdit1", "Button2",
// "PopupMenu1", "P1", "R1", "D1", "S1", "N2"); the width strip and the aligning
// commands are "DotWidths", "ArtWidthStatus", "AlignWidth1" and "AlignTarget1".

#include <QWidget>

#include "core/capturetargets.h"
#include "phrases/menulibrary.h"
#include "phrases/textart.h"

class QComboBox;
class QLabel;
class QListWidget;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace kirel {

class DotWidthGutter;
class EditorHost;
class PieceFill;

class PhraseWindow : public QWidget, public TextArtTarget {
    Q_OBJECT
  public:
    // Reads its position, creates the menu folders when missing and shows the
    // first menu of each page; freed when closed.
    PhraseWindow(QWidget* owner, EditorHost& host);
    ~PhraseWindow() override;

    static const QString kCaption;

    QTabWidget* pages = nullptr;
    QWidget* phrasePage = nullptr;
    QWidget* artPage = nullptr;
    QComboBox* phraseMenus = nullptr;
    QListWidget* items = nullptr;
    QComboBox* artMenus = nullptr;
    QPlainTextEdit* artEditor = nullptr;
    QPushButton* button = nullptr;  // closes (phrases) or inserts the picture (text art)
    QMenu* menu = nullptr;
    QAction *addMenu = nullptr, *renameMenu = nullptr, *deleteMenu = nullptr, *saveItem = nullptr,
            *deleteItem = nullptr;
    // Each line's width in dots beside the picture, aligning line ends, and
    // what the last alignment did.
    DotWidthGutter* artWidths = nullptr;
    QLabel* artStatus = nullptr;
    QAction *artSeparator = nullptr, *alignLines = nullptr, *alignTarget = nullptr;

    // The clipboard capture's question was answered Yes.
    void showTextArtMenus() override;

    void choosePhraseMenu(int index);
    void chooseArtMenu(int index);
    // Double click and Enter in the item list.
    void insertSelectedItem();
    void buttonClicked();
    void addMenuCommand();
    void renameMenuCommand();
    void deleteMenuCommand();
    void saveItemCommand();
    void deleteItemCommand();
    // Pads the line under the caret or the selected lines to the target width.
    void alignLinesCommand();
    // Makes the line under the caret the target width (again: no target).
    void alignTargetCommand();

    bool artModified() const { return art_.modified(); }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildWidgets();
    void pageShown(int page);
    void updateMenu();
    void open();
    void showArt(const phrases::TextArtSession::View& view);
    void setArtText(const QString& text);
    void loadPhraseItems(const QString& name);
    void loadFirstArt();
    bool addItem(const QString& text);
    bool addMenuNamed(const QString& name);
    bool renameShownMenu(const QString& name);
    const phrases::MenuLibrary& libraryShown() const;
    QComboBox* menusShown() const;

    EditorHost& host_;
    QWidget* owner_;
    phrases::MenuLibrary phraseLibrary_;
    phrases::MenuLibrary artLibrary_;
    phrases::TextArtSession art_;
    bool settingArt_ = false;
    PieceFill* artFill_ = nullptr;  // a long picture goes into the editor in steps
};

}  // namespace kirel
