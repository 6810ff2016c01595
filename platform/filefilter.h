#pragma once

// File dialog filters. The program writes them the Windows way, pairs of
// description and patterns split by "|", patterns split by ";":
//   "画像ファイル (*.jpg;*.png)|*.jpg;*.png|すべてのファイル (*.*)|*.*"
// Qt's dialogs read the patterns from the parentheses at the end of each
// filter and split them at blanks: "画像ファイル (*.jpg *.png)".

#include <QString>
#include <QStringList>

namespace kirel {

// One Qt name filter a pair: the description with its parenthesised part (or
// an added one) holding the pair's patterns split by blanks; "*.*" (every file
// on Windows) becomes "*".
QStringList qtNameFilters(const QString& windowsFilter);

}  // namespace kirel
