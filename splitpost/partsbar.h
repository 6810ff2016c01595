#pragma once

// The parts of a reply split to a board's limits, shown one at a time in the
// split-post window's editor: "前の部分" and "次の部分" step through them, the
// label tells which one shows. The window's counts and its transfer work on the
// editor, so they always concern the part shown. Edits made to a part are kept
// when another one is shown.

#include <QList>
#include <QWidget>

#include "boardrules/postsplitter.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kirel {

class PartsBar : public QWidget {
    Q_OBJECT
  public:
    PartsBar(QPlainTextEdit* editor, QWidget* parent);

    QPushButton* previous = nullptr;  // "前の部分"
    QPushButton* next = nullptr;      // "次の部分"
    QLabel* position = nullptr;       // "2/3"

    // Splits the whole text (all parts when split already, else the editor's) to
    // the limits and shows the first part. A text the limits leave no room for
    // is refused with a message and left as it is; false then.
    bool split(const boardrules::SplitLimits& limits);
    // The same for a given text.
    bool split(const QString& text, const boardrules::SplitLimits& limits);

    // Part i (0-based) into the editor.
    void showPart(int i);
    int current() const { return current_; }
    int count() const { return int(parts_.size()); }
    // The reply the parts make, with the edits of the part shown.
    QString wholeText();

  private:
    void keepShown();

    QPlainTextEdit* editor_;
    QList<boardrules::PostPart> parts_;
    bool numbered_ = false;
    int current_ = -1;  // -1: not split
};

// The limits of the current board: its byte limit (twice the limit in
// full-width characters) and its line limit, with the numbering setting.
boardrules::SplitLimits currentBoardLimits();

// Refused splits.
inline const QString kNoBoardLimits = QStringLiteral(
    "文字数制限も行数制限も設定されていないため、分割できません。\r\n環境設定で掲示板の制限を設定"
    "してください。");
inline const QString kLimitsTooSmall =
    QStringLiteral("掲示板の制限が小さすぎるため、分割できません。");

}  // namespace kirel
