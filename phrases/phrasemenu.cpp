#include "phrases/phrasemenu.h"

namespace kirel::phrases {

PhraseCommands phraseCommands(const PhraseContext& c) {
    PhraseCommands m;
    m.saveCaption = c.page == 1 ? QStringLiteral("アイテムを保存(&S)")
                                : QStringLiteral("アイテムリストに追加(&A)");
    switch (c.focus) {
        case PhraseFocus::PhraseMenus:
            m.addMenu = true;
            m.renameMenu = m.deleteMenu = m.saveItem = c.phraseMenuShown;
            break;
        case PhraseFocus::Items:
            m.saveItem = true;
            m.deleteItem = c.itemsPresent;
            break;
        case PhraseFocus::ArtEditor:
            m.addMenu = true;
            m.renameMenu = m.deleteMenu = c.artMenuShown;
            m.saveItem = c.artText;
            break;
        case PhraseFocus::Other:
            m.addMenu = true;
            break;
    }
    return m;
}

}  // namespace kirel::phrases
