#pragma once

// The candidates for the quote mark: "user/inyoufu.txt" in the program folder,
// one per line, duplicates allowed, in the order they were added.

#include <QString>
#include <QStringList>

namespace kirel::phrases {

inline const QString kQuoteMarkFile = QStringLiteral("user/inyoufu.txt");

inline const QString kNothingToAdd = QStringLiteral("追加するものがありません。");
inline const QString kNothingToDelete = QStringLiteral("削除するものがありません。");
inline const QString kQuoteMarkAdded = QStringLiteral("アイテムリストに追加しました。");
inline const QString kDeleteQuoteMarkQuestion =
    QStringLiteral("選択された引用符を削除します。\r\nよろしいですか？");

// The list at opening; a missing file is created empty. Failures are shown as a
// plain message and give what could be read (an empty list).
QStringList openQuoteMarks(const QString& path);

// Appends text and saves the list (confirmed, or a plain message on failure).
// Returns false when the text is empty (warning) or the list file could not be
// read when the list was opened (refused with a warning naming it): nothing was
// added.
bool addQuoteMark(QStringList& marks, const QString& text, const QString& path);

// Asks, removes the candidate chosen from the list (selected; -1 when none is,
// and then nothing is removed) and saves the list. Returns the index removed, or
// -1: nothing removed (nothing chosen, the answer No, an empty field, which is
// refused with a warning before anything is asked, or a list file that could
// not be read when the list was opened, refused before asking).
int deleteQuoteMark(QStringList& marks, int selected, const QString& text, const QString& path);

}  // namespace kirel::phrases
