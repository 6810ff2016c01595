#include "phrases/emoticons.h"

#include <QFileInfo>

#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kirel::phrases {

QString EmoticonLibrary::path(int category) const {
    return appDir_ + kEmoticonCategories.at(size_t(category)).file;
}

void EmoticonLibrary::ensureFiles() const {
    for (int i = 0; i < int(kEmoticonCategories.size()); ++i) {
        const QFileInfo info(path(i));
        if (!info.exists() && !info.isSymLink()) writeBytesFile(path(i), QByteArray());
    }
}

QStringList EmoticonLibrary::load(int category) const {
    return readItemList(path(category));
}

bool EmoticonLibrary::save(int category, const QStringList& entries) const {
    try {
        writeItemList(path(category), entries);
        return true;
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }
}

int EmoticonLibrary::add(int category, QStringList& entries, int selected,
                         const QString& entry) const {
    // A category file that could not be read is not replaced by the list shown.
    if (refuseUnreadList(path(category))) return -1;
    const int at = selected >= 0 && selected < entries.size() ? selected : int(entries.size());
    entries.insert(at, entry);
    if (save(category, entries)) showMessage(kEmoticonAdded, Icon::None);
    return at;
}

}  // namespace kirel::phrases
