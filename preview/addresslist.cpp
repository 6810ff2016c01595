#include "preview/addresslist.h"

#include <QFileInfo>

#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kirel::preview {
namespace {

void save(const QStringList& items, const QString& path, const QString& doneMessage) {
    try {
        writeItemList(path, items);
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return;
    }
    if (!doneMessage.isEmpty()) showMessage(doneMessage, Icon::None);
}

}  // namespace

LoadResult loadAddressList(const QString& path) {
    LoadResult result;
    if (!QFileInfo::exists(path)) {
        try {
            writeBytesFile(path, QByteArray());
        } catch (const Failure& failure) {
            showError(failure.message());
            result.outcome = LoadResult::Abandon;
            return result;
        }
    }
    try {
        result.items = readItemList(path);
    } catch (const Failure& failure) {
        showPlain(failure.message());
        result.outcome = LoadResult::Keep;
    }
    return result;
}

QString firstLine(const QString& text) {
    qsizetype end = 0;
    while (end < text.size() && text[end] != QLatin1Char('\r') && text[end] != QLatin1Char('\n'))
        ++end;
    return text.left(end);
}

bool addAddress(QStringList& items, const QString& text, const QString& path) {
    const QString address = firstLine(text);
    if (address.isEmpty()) {
        showMessage(kNothingToAdd, Icon::Warning);
        return false;
    }
    items.append(address);
    save(items, path, kAdded);
    return true;
}

int deletionTarget(const QStringList& items, int selected, const QString& text) {
    if (selected >= 0 && selected < items.size() && items.at(selected) == text) return selected;
    return int(items.indexOf(text));
}

int deleteAddress(QStringList& items, int selected, const QString& text, const QString& path) {
    if (text.isEmpty()) {
        showMessage(kNothingToDelete, Icon::Warning);
        return -1;
    }
    // Text typed or pasted into the box that is no item of the list: there is
    // nothing to delete, and no other item is removed in its place.
    const int target = deletionTarget(items, selected, text);
    if (target < 0) {
        showMessage(kNothingToDelete, Icon::Warning);
        return -1;
    }
    if (!ask(kDeleteQuestion, Icon::Warning)) return -1;
    items.removeAt(target);
    save(items, path, QString());
    return target;
}

}  // namespace kirel::preview
