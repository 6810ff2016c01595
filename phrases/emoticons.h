#pragma once

// The emoticon collection: seven categories, each a list file in "kao/" of the
// program folder, one emoticon per line, inserted exactly as stored.

#include <QString>
#include <QStringList>
#include <array>

namespace kirel::phrases {

struct EmoticonCategory {
    QString caption;  // as the category list shows it
    QString file;     // under the program folder
};

inline const std::array<EmoticonCategory, 7> kEmoticonCategories = {{
    {QStringLiteral("常用"), QStringLiteral("kao/zyouyou.txt")},
    {QStringLiteral("笑い顔"), QStringLiteral("kao/waraikao.txt")},
    {QStringLiteral("照れ顔"), QStringLiteral("kao/terekao.txt")},
    {QStringLiteral("汗かき顔"), QStringLiteral("kao/asekakikao.txt")},
    {QStringLiteral("泣き顔"), QStringLiteral("kao/nakikao.txt")},
    {QStringLiteral("怒り顔"), QStringLiteral("kao/okorikao.txt")},
    {QStringLiteral("その他"), QStringLiteral("kao/sonotakao.txt")},
}};

inline const QString kDeleteEmoticonQuestion =
    QStringLiteral("選択された顔文字を削除します。\r\nよろしいですか？");
inline const QString kEmoticonAdded = QStringLiteral("アイテムリストに追加しました。");

class EmoticonLibrary {
  public:
    // appDir: the program folder with a trailing separator.
    explicit EmoticonLibrary(QString appDir) : appDir_(std::move(appDir)) {}

    QString path(int category) const;

    // Creates each missing category file empty ("kao/" itself is not created).
    // Throws Failure at the first file that cannot be created.
    void ensureFiles() const;
    // Throws Failure.
    QStringList load(int category) const;
    // Saves the whole list; a failure is shown as a plain message. Returns success.
    bool save(int category, const QStringList& entries) const;

    // Add (the input dialog's job): the entry goes before the selected one, at the
    // end with no selection; the list is saved and the addition confirmed.
    // Returns the index of the new entry, or -1 when the category's file could
    // not be read when it was shown (refused with a warning; nothing changes).
    int add(int category, QStringList& entries, int selected, const QString& entry) const;

  private:
    QString appDir_;
};

}  // namespace kirel::phrases
