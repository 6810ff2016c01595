#pragma once

// Rules of the one-line input dialog shared by the emoticon, fixed-phrase and
// decoration windows: what each job looks like, and the width of scrolling text.

#include <QString>

namespace kirel::phrases {

// The job the dialog is opened for; the opener names it.
enum class InputRole { AddEmoticon, AddMenu, AddItem, RenameMenu, Width };

// How the dialog presents itself for a job.
struct RoleSetup {
    QString caption;
    bool latinInput = false;  // the input method starts closed (half-width entry)
    bool digitsOnly = false;  // only digits get in, by any path
    int maxLength = 32767;
    bool editMenu = true;  // the field's context menu offers the edit commands
    QString hint;
};

RoleSetup roleSetup(InputRole role);

inline const QString kNothingSet = QStringLiteral("何も設定されていません。");
inline const QString kWidthRange = QStringLiteral("入力できる範囲は１～１００までの数字です。");

// The width of scrolling text is a percentage from 1 to 100, typed as digits only;
// leading zeros are allowed and kept ("050").
enum class WidthCheck { Empty, InRange, OutOfRange };
WidthCheck checkWidth(const QString& text);

}  // namespace kirel::phrases
