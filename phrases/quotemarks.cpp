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

int quoteMarkToDelete(const QStringList& marks, int selected, const QString& text) {
    if (selected >= 0 && selected < marks.size() && marks.at(selected) == text) return selected;
    return int(marks.indexOf(text));
}

int deleteQuoteMark(QStringList& marks, int selected, const QString& text, const QString& path) {
    // A list file that could not be read is not replaced by the list shown.
    if (refuseUnreadList(path)) return -1;
    const int target = text.isEmpty() ? -1 : quoteMarkToDelete(marks, selected, text);
    if (target < 0) {
        showMessage(kNothingToDelete, Icon::Warning);
        return -1;
    }
    if (!ask(kDeleteQuoteMarkQuestion, Icon::Warning)) return -1;
    marks.removeAt(target);
    save(marks, path);
    return target;
}

}  // namespace kirel::phrases
