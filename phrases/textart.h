#pragma once

// The text-art page's editor: whether it holds unsaved changes, and where they
// belong. Each edit records the menu shown at that moment (the pending menu);
// choosing another menu while changes are unsaved offers to save them to the
// pending menu, so they never land in a menu the user did not write them for.

#include <QString>

#include "phrases/menulibrary.h"

namespace kirel::phrases {

inline const QString kSaveChangesQuestion =
    QStringLiteral("保存しないと変更された内容が消えます。\r\n保存しますか？");

struct PendingArt {
    QString menu;   // the text-art menu shown at the last edit
    QString text;   // the editor's text after the last edit
    int index = 0;  // that menu's position in the list
};

class TextArtSession {
  public:
    explicit TextArtSession(const MenuLibrary& library) : library_(library) {}

    bool modified() const { return modified_; }
    const PendingArt& pending() const { return pending_; }

    // The editor was changed by the user while menu (at index) was shown.
    void edited(const QString& text, const QString& menu, int index);
    // The editor now shows a menu's picture as stored: nothing is pending.
    void loaded() { modified_ = false; }

    // What the page shows after a command: the editor's text and the menu
    // shown, each only when it changes.
    struct View {
        bool setText = false;
        QString text;
        bool setMenu = false;
        int menuIndex = -1;
        bool focusMenus = false;
    };

    // "アイテムを保存(&S)": saves the editor's text as the picture of the menu
    // shown (name may be empty). On a refusal or No the focus goes to the menus.
    View save(const QString& name, const QString& editorText);

    // A text-art menu was chosen. Unmodified: its picture is loaded (a missing
    // file is created empty). Modified: asks whether to save to the pending
    // menu first; on No the editor keeps the changes under the new menu name;
    // on Yes they are saved (the newly chosen menu is then not loaded, the editor
    // still shows the saved picture), and a refusal puts the pending menu back.
    View choose(const QString& name, const QString& editorText);

    // The menu list changed under the editor: a renamed pending menu keeps its
    // changes under the new name.
    void menuRenamed(const QString& oldName, const QString& newName);
    // A deleted pending menu takes its unsaved changes with it.
    void menuDeleted(const QString& name);

  private:
    void clearPending();

    const MenuLibrary& library_;
    bool modified_ = false;
    PendingArt pending_;
};

}  // namespace kirel::phrases
