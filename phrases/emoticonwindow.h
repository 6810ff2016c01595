#pragma once

// The emoticon window "顔文字選択": a small tool window on top of the main
// window. The user picks a category, inserts an emoticon into the post with a
// double click or Enter, adds emoticons through the input dialog and deletes
// them. Each category is a list file in "kao/" (EmoticonLibrary).
//
// Its objectNames are the designer names ("Form7", "ComboBox1", "ListBox1",
// "PopupMenu1", "P1", "D1").

#include <QStringList>
#include <QWidget>

#include "phrases/emoticons.h"

class QComboBox;
class QLabel;
class QListWidget;
class QMenu;

namespace kirel {

class EditorHost;

class EmoticonWindow : public QWidget {
    Q_OBJECT
  public:
    // Reads its position and the category files; freed when closed.
    EmoticonWindow(QWidget* owner, EditorHost& host);

    static const QString kCaption;

    QLabel* label = nullptr;
    QComboBox* categories = nullptr;
    QListWidget* list = nullptr;
    QMenu* menu = nullptr;
    QAction* addEntry = nullptr;
    QAction* deleteEntry = nullptr;

    // The category whose file the list is saved to (0..6).
    int category() const { return category_; }
    void chooseCategory(int index);
    // Double click and Enter: the selected emoticon into the post.
    void insertSelected();
    // "アイテムリストに追加(&A)": the input dialog, adding before the selection.
    void addEntries();
    // "アイテムリストから削除(&D)".
    void deleteSelected();

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showEntries(int selected);
    bool addOne(const QString& entry);

    EditorHost& host_;
    QWidget* owner_;
    phrases::EmoticonLibrary library_;
    QStringList entries_;
    int category_ = 0;
};

}  // namespace kirel
