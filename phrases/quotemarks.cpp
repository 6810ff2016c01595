#include "phrases/quotemarks.h"

#include <QFileInfo>

#include "platform/failure.h"
#include "platform/prompter.h"
#include "platform/textfile.h"

namespace kirel::phrases {
namespace {

bool save(const QStringList& marks, const QString& path) {
    try {
        writeItemList(path, marks);
        return true;
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return false;
    }
}

}  // namespace

QStringList openQuoteMarks(const QString& path) {
    try {
        if (!QFileInfo::exists(path)) writeBytesFile(path, QByteArray());
        return readItemList(path);
    } catch (const Failure& failure) {
        showPlain(failure.message());
        return {};
    }
}

bool addQuoteMark(QStringList& marks, const QString& text, const QString& path) {
    if (text.isEmpty()) {
        showMessage(kNothingToAdd, Icon::Warning);
        return false;
    }
    // A list file that could not be read is not replaced by the list shown.
    if (refuseUnreadList(path)) return false;
    marks.append(text);
    if (save(marks, path)) showMessage(kQuoteMarkAdded, Icon::None);
    return true;
}

int deleteQuoteMark(QStringList& marks, int selected, const QString& text, const QString& path) {
    // A list file that could not be read is not replaced by the list shown.
    if (refuseUnreadList(path)) return -1;
    if (text.isEmpty()) {
        showMessage(kNothingToDelete, Icon::Warning);
        return -1;
    }
    if (!ask(kDeleteQuoteMarkQuestion, Icon::Warning)) return -1;
    // Only a candidate chosen from the list is removed: a typed text that happens
    // to equal one is no choice. The file is written either way.
    const bool chosen = selected >= 0 && selected < marks.size();
    if (chosen) marks.removeAt(selected);
    save(marks, path);
    return chosen ? selected : -1;
}

}  // namespace kirel::phrases
