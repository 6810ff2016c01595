#pragma once

// Which commands of the fixed-phrase window's context menu are offered, decided
// by the control that has the focus when the menu opens.

#include <QString>

namespace kirel::phrases {

enum class PhraseFocus { PhraseMenus, Items, ArtEditor, Other };

struct PhraseContext {
    int page = 0;  // 0 fixed phrases, 1 text art
    PhraseFocus focus = PhraseFocus::Other;
    bool phraseMenuShown = false;  // the phrase menu list shows a name
    bool itemsPresent = false;     // the item list has entries
    bool artText = false;          // the text-art editor holds text
    bool artMenuShown = false;     // the text-art menu list shows a name
};

struct PhraseCommands {
    bool addMenu = false, renameMenu = false, deleteMenu = false, saveItem = false,
         deleteItem = false;
    QString saveCaption;  // "アイテムリストに追加(&A)" or "アイテムを保存(&S)"
};

PhraseCommands phraseCommands(const PhraseContext& c);

}  // namespace kirel::phrases
