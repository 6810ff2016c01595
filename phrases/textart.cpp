#include "phrases/textart.h"

#include "platform/prompter.h"

namespace kirel::phrases {

void TextArtSession::edited(const QString& text, const QString& menu, int index) {
    modified_ = true;
    pending_ = {menu, text, index};
}

void TextArtSession::clearPending() {
    modified_ = false;
    pending_ = PendingArt();
}

TextArtSession::View TextArtSession::save(const QString& name, const QString& editorText) {
    View view;
    switch (library_.savePicture(name, editorText)) {
        case MenuLibrary::SaveResult::Saved:
            clearPending();
            break;
        case MenuLibrary::SaveResult::Refused:
        case MenuLibrary::SaveResult::Declined:
            view.focusMenus = true;
            break;
        case MenuLibrary::SaveResult::Failed:
            break;
    }
    return view;
}

TextArtSession::View TextArtSession::choose(const QString& name, const QString& editorText) {
    View view;
    if (!modified_) {
        if (name.isEmpty()) return view;
        if (const auto picture = library_.loadPicture(name)) {
            view.setText = true;
            view.text = *picture;
            modified_ = false;
        }
        return view;
    }
    if (!ask(kSaveChangesQuestion, Icon::Warning)) return view;
    // Back to the menu the changes were made under.
    const auto backToPending = [this, &view] {
        view.setMenu = true;
        view.menuIndex = pending_.index;
        view.focusMenus = true;
    };
    switch (library_.savePicture(pending_.menu, editorText)) {
        case MenuLibrary::SaveResult::Saved:
            clearPending();
            break;
        case MenuLibrary::SaveResult::Refused:
            backToPending();
            break;
        case MenuLibrary::SaveResult::Declined:
            backToPending();
            view.setText = true;
            view.text = pending_.text;
            break;
        case MenuLibrary::SaveResult::Failed:
            break;
    }
    return view;
}

void TextArtSession::menuRenamed(const QString& oldName, const QString& newName) {
    if (modified_ && pending_.menu == oldName) pending_.menu = newName;
}

void TextArtSession::menuDeleted(const QString& name) {
    if (modified_ && pending_.menu == name) clearPending();
}

}  // namespace kirel::phrases
