#pragma once

// The user's named menus of fixed phrases ("user/custom/") and of text art
// ("user/custom/mozie/"). "Itemlist.txt" in the folder lists the menu names in
// display order; each menu is the file of its name plus ".txt" in the same
// folder: a list of one-line phrases, or one multi-line picture.
//
// A menu name becomes a file name, so a name that would reach outside the folder
// or that the file system cannot hold is refused before anything is written.
// Messages go through the prompter; every write replaces its file in one step.

#include <QString>
#include <QStringList>
#include <optional>

namespace kirel::phrases {

inline const QString kPhraseFolder = QStringLiteral("user/custom/");
inline const QString kArtFolder = QStringLiteral("user/custom/mozie/");
inline const QString kMenuListFile = QStringLiteral("Itemlist.txt");

inline const QString kMenuAdded = QStringLiteral("選択項目に追加しました。");
inline const QString kItemAdded = QStringLiteral("アイテムリストに追加しました。");
inline const QString kMenuExists =
    QStringLiteral("追加するメニューと同じファイル名が存在しているため、追加できませんでした。");
inline const QString kRenameQuestion =
    QStringLiteral("選択されたメニューの名称を変更します。\r\nよろしいですか？");
inline const QString kRenameMissing = QStringLiteral(
    "変更するメニューのファイルが存在しません。\r\n変更するメニューのファイルが壊れている可能性が"
    "あります。\r\nこのため変更できませんでした。");
inline const QString kRenameExists = QStringLiteral(
    "変更するメニューの名称と同じファイル名が存在しているため、変更できませんでした。");
inline const QString kRenamed = QStringLiteral("メニューの名称を変更しました。");
inline const QString kDeleteMenuQuestion =
    QStringLiteral("選択されたメニューを削除します。\r\nよろしいですか？");
inline const QString kDeleteItemQuestion =
    QStringLiteral("選択されたアイテムをリストから削除します。\r\nよろしいですか？");
inline const QString kOverwriteQuestion =
    QStringLiteral("すでに同じメニュー名が存在します。\r\n上書き保存しますか？");
inline const QString kNoMenuName = QStringLiteral("メニュー名が何も設定されていません。");

// Refusals of names that cannot be file names.
inline const QString kNameSlash = QStringLiteral("メニュー名に「/」や「\\」は使えません。");
inline const QString kNameDots = QStringLiteral("「.」や「..」はメニュー名に使えません。");
inline const QString kNameChars = QStringLiteral("メニュー名に使えない文字が含まれています。");
inline const QString kNameLong =
    QStringLiteral("メニュー名が長すぎるため、ファイル名にできません。");

// The name a typed menu name is kept under, so that the menu list file gives it
// back as it is: the compatibility forms Linux input methods and web pages
// produce ("〜" U+301C, "−" U+2212, ...) become the characters their Shift-JIS
// codes stand for, as in the transfer ("～", "－"); a half-width yen sign, whose
// code is the backslash, becomes the full-width "￥".
QString menuName(const QString& typed);

// Why name cannot name a menu file in folder, or an empty string when it can: a
// separator, "." or "..", a control character or one that would not read back
// from the list file as itself (no Shift-JIS code, or another character's
// code), or a file name longer than the file system allows.
QString menuNameProblem(const QString& folder, const QString& name);

class MenuLibrary {
  public:
    // folder: absolute, with a trailing separator.
    explicit MenuLibrary(QString folder) : folder_(std::move(folder)) {}

    const QString& folder() const { return folder_; }
    QString listPath() const { return folder_ + kMenuListFile; }
    // The file of a menu; no check of the name.
    QString menuPath(const QString& name) const { return folder_ + name + QStringLiteral(".txt"); }
    // Anything of the menu's file name exists (file, folder, hidden or a link).
    bool menuFileExists(const QString& name) const;

    // Creates the folder (one level) and an empty menu list when missing.
    // Throws Failure.
    void ensure() const;
    // Finishes an add or a rename of a menu that was interrupted (a kill, a power
    // cut): the message to show once, or an empty string when nothing was left.
    QString repair() const;
    // The menu names; throws Failure.
    QStringList readMenus() const;

    // Add menu: takes the name as menuName() keeps it; refuses an unusable name
    // or one whose file exists (warning); creates the empty menu file and saves
    // the list with the name appended, as one change (a failure is a plain
    // message and changes nothing). Returns true when menus changed.
    bool addMenu(QStringList& menus, const QString& name) const;

    // Rename menu (after the question): renames the file of menus[index] and saves
    // the list with the new name (as menuName() keeps it) in its place, as one
    // change. A refusal, or a rename or save that fails, leaves menus and files as
    // they were and says why. Returns true when renamed.
    bool renameMenu(QStringList& menus, int index, const QString& newName) const;

    // Delete menu (after the question): deletes the menu's file and removes the
    // name from the list. A file that cannot be deleted keeps its list entry.
    // Returns true when removed.
    bool deleteMenu(QStringList& menus, int index) const;

    // Saves the menu list; a failure is shown as a plain message. Returns success.
    bool saveMenus(const QStringList& menus) const;

    // The lines of a phrase menu, or its picture. A missing file is created empty.
    // nullopt when the name is unusable (warning) or the file cannot be created or
    // read (general error dialog): the window keeps what it shows.
    std::optional<QStringList> loadItems(const QString& name) const;
    std::optional<QString> loadPicture(const QString& name) const;

    // Saves the items of a phrase menu; a failure is a plain message.
    bool saveItems(const QString& name, const QStringList& items) const;

    // Saves a picture under name, asking first when its file exists, and confirms
    // with "アイテムリストに追加しました。". Refused: no name, or an unusable one
    // (warning); Declined: No to overwriting; Failed: the write failed (plain
    // message).
    enum class SaveResult { Saved, Declined, Refused, Failed };
    SaveResult savePicture(const QString& name, const QString& text) const;

  private:
    // Shows the name problem as a warning; true when the name is usable.
    bool usable(const QString& name) const;
    template <typename T, typename Read>
    std::optional<T> load(const QString& name, Read read) const;

    QString folder_;
};

}  // namespace kirel::phrases
