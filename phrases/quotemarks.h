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

// The candidate a deletion removes: the selected one when it still shows in the
// field, else the first equal to the field's text; -1 when there is none.
int quoteMarkToDelete(const QStringList& marks, int selected, const QString& text);

// Asks, removes that candidate and saves the list. Returns the index removed or
// -1 (empty field or no such candidate: warning; a list file that could not be
// read: refused before asking; or the answer No).
int deleteQuoteMark(QStringList& marks, int selected, const QString& text, const QString& path);

}  // namespace kirel::phrases
