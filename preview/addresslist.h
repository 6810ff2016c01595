#pragma once

// The saved address list of the browser tab: "user/bbs.txt" in the program
// folder, one address per line, exactly the items of the address box.

#include <QString>
#include <QStringList>

namespace kirel::preview {

inline const QString kAddressListFile = QStringLiteral("user/bbs.txt");

inline const QString kNothingToAdd = QStringLiteral("追加するものがありません。");
inline const QString kAdded = QStringLiteral("アイテムリストに追加しました。");
inline const QString kNothingToDelete = QStringLiteral("削除するものがありません。");
inline const QString kDeleteQuestion =
    QStringLiteral("選択されたアドレスを削除します。\r\nよろしいですか？");

// Reading the list when the browser tab shows. A missing file is created empty;
// when that fails, the error goes to the general error dialog and the result is
// Abandon: the rest of the tab's set-up is skipped. A file that cannot be read is
// reported as a plain message and the list keeps what it had (Keep).
struct LoadResult {
    enum Outcome { Loaded, Keep, Abandon } outcome = Loaded;
    QStringList items;
};
LoadResult loadAddressList(const QString& path);

// The text up to its first line break (CR or LF): an address is one line, and a
// line break inside an item would split it in two in the saved list.
QString firstLine(const QString& text);

// "アイテムリストに追加(&A)": appends text (its first line only; duplicates allowed) and saves the
// list. Returns false when nothing was added (empty text). A failed save is shown
// as a plain message; the item stays in the list.
bool addAddress(QStringList& items, const QString& text, const QString& path);

// The item "アイテムリストから削除(&D)" removes: the selected item when it shows
// the box's text, else the first item equal to the text; -1 when none is.
int deletionTarget(const QStringList& items, int selected, const QString& text);

// "アイテムリストから削除(&D)": asks, removes the target item and saves the list.
// Returns the index removed, or -1 when nothing was (empty text, no such item,
// or the answer No).
int deleteAddress(QStringList& items, int selected, const QString& text, const QString& path);

}  // namespace kirel::preview
