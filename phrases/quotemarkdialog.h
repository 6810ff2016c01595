#pragma once

// The quote-mark list "引用": a small modal dialog in which the user picks the
// quote mark (QuoteMark) from a personal list of candidates, and adds or deletes
// candidates ("user/inyoufu.txt").
//
// Its objectNames are the designer names ("Form2", "Label1", "ComboBox1",
// "Button1", "PopupMenu1", "N1", "N2").

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;

namespace kirel {

class QuoteMarkDialog : public QDialog {
    Q_OBJECT
  public:
    // Opens the dialog modally at the position recorded when the settings menu
    // was last opened (QuoteDlgLeft, QuoteDlgTop) and returns when it is closed.
    // Choosing a candidate sets QuoteMark at once.
    static void choose(QWidget* owner);

    explicit QuoteMarkDialog(QWidget* owner);

    QLabel* label = nullptr;
    QComboBox* marks = nullptr;
    QPushButton* closeButton = nullptr;
    QMenu* menu = nullptr;
    QAction* addMark = nullptr;     // "アイテムリストに追加(&A)"
    QAction* deleteMark = nullptr;  // "アイテムリストから削除(&D)"

    void chooseMark(int index);
    void addTyped();
    void deleteTyped();

  private:
    void showMarks(const QString& fieldText);

    QString path_;
    QStringList list_;
    int chosen_ = -1;  // the candidate chosen from the list, until the field is typed in
};

}  // namespace kirel
