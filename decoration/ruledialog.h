#pragma once

// The decorative-rule dialog ("飾り罫を入れる"): inserts a rule (one line of
// ornamental characters) at the edit pane's caret, as often as the user likes
// while it stays open, and edits the list of rules kept in "user/kazari.txt".
// Modal; it turns clipboard capture off while it is open.
//
// Widgets carry the designer names as objectNames ("Form12", "ComboBox1",
// "Button1", "Memo1", "PopupMenu1", ...).

#include <QDialog>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;

namespace kirel {

class PieceFill;

class EditorHost;

class RuleDialog : public QDialog {
    Q_OBJECT
  public:
    inline static const QString kCaption = QStringLiteral("飾り罫を入れる");
    inline static const QString kSaved = QStringLiteral("アイテムリストに追加しました。");

    // Creates the rule file when it is missing and loads it into both lists.
    RuleDialog(EditorHost& host, QWidget* owner);
    ~RuleDialog() override;

    QLabel* choiceLabel = nullptr;
    QComboBox* ruleBox = nullptr;  // the rules as they were when the dialog opened
    QPushButton* insertButton = nullptr;
    QLabel* editorLabel = nullptr;
    QPlainTextEdit* editor = nullptr;  // the whole rule file, one rule a line
    QPushButton* saveButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QMenu* editorMenu = nullptr;
    QAction *undoItem = nullptr, *cutItem = nullptr, *copyItem = nullptr, *pasteItem = nullptr,
            *selectAllItem = nullptr;

    // "挿入": the chosen rule replaces the edit pane's selection; with no rule
    // chosen nothing happens and the focus stays in the choice list.
    void insertRule();
    // "設定反映(&A)": writes the editor's lines as the rule file and shows them
    // as saved. The choice list keeps the rules it opened with.
    void saveRules();

  protected:
    void done(int result) override;

  private:
    void buildWidgets();
    void buildEditorMenu();
    void load();
    void fillEditor(const QString& text);

    EditorHost& host_;
    PieceFill* fill_ = nullptr;  // a long rule file goes into the editor in steps
    QString path_;
    bool finished_ = false;
};

}  // namespace kirel
