#pragma once

// The modeless find and replace dialogs of the edit pane. They only collect the
// texts and report button presses; the searching is done by the editing
// commands. Both stay open between searches and keep their texts; Esc closes
// them, Enter presses the default button (find next, or replace).

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace kirel {

class FindDialog : public QDialog {
    Q_OBJECT
  public:
    explicit FindDialog(QWidget* parent);

    QString findText() const;
    void setFindText(const QString& text);
    // Shows the dialog (or brings it back to the front) with the find text selected.
    void popup();
    // While the post must not change (its selection neither), the search button
    // is disabled.
    void setSearchAllowed(bool allowed);

    QLineEdit* FindEdit = nullptr;
    QPushButton* FindNextButton = nullptr;
    QPushButton* CloseButton = nullptr;

  signals:
    void find();

  private:
    void updateButtons();
    bool allowed_ = true;
};

class ReplaceDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ReplaceDialog(QWidget* parent);

    QString findText() const;
    QString replaceText() const;
    void setFindText(const QString& text);
    void setReplaceText(const QString& text);
    void popup();
    // While the post must not change, the replace buttons are disabled.
    void setSearchAllowed(bool allowed);

    QLineEdit* FindEdit = nullptr;
    QLineEdit* ReplaceEdit = nullptr;
    // Kept for the familiar layout; it does not search.
    QPushButton* FindNextButton = nullptr;
    QPushButton* ReplaceButton = nullptr;
    QPushButton* ReplaceAllButton = nullptr;
    QPushButton* CloseButton = nullptr;

  signals:
    void replace();
    void replaceAll();

  private:
    void updateButtons();
    bool allowed_ = true;
};

}  // namespace kirel
