#include "app/editoperations.h"

#include <algorithm>

#include "platform/prompter.h"
#include "platform/sjis.h"

namespace kirel {

namespace editing {

QString quoteLines(const QString& text, const QString& mark) {
    QString out = mark;
    out.reserve(text.size() + mark.size() * (text.count(QLatin1Char('\n')) + 1));
    for (const QChar c : text) {
        out += c;
        if (c == QLatin1Char('\n')) out += mark;
    }
    return out;
}

QString countMessage(qsizetype bytes) {
    return QStringLiteral("半角表記では、%1 文字です。\r\n全角では、%2 文字相当です。")
        .arg(bytes)
        .arg(bytes / 2);
}

bool suggestsSplitPost(int charLimit, qsizetype bytes) {
    if (charLimit == 0) return false;
    const qsizetype left = charLimit - bytes;
    return left > 0 && left < 400;
}

qsizetype findFrom(const QString& text, const QString& what, qsizetype from) {
    // An empty find text would "match" everywhere and make replace insert at the top.
    if (what.isEmpty() || from > text.size()) return -1;
    // Texts are the same when their Shift-JIS bytes are: "〜" (U+301C) is the
    // "～" (U+FF5E) of 81 60. The board form keeps every position, so a match in
    // it is a match in the pane's text.
    const QString haystack = sjis::toBoardText(text);
    const QString needle = sjis::toBoardText(what);
    // Whole characters only: never half of a surrogate pair.
    for (qsizetype at = haystack.indexOf(needle, from, Qt::CaseSensitive); at >= 0;
         at = haystack.indexOf(needle, at + 1, Qt::CaseSensitive)) {
        const qsizetype end = at + needle.size();
        const bool splitsFirst = at > 0 && haystack[at].isLowSurrogate();
        const bool splitsLast = end < haystack.size() && haystack[end].isLowSurrogate();
        if (!splitsFirst && !splitsLast) return at;
    }
    return -1;
}

qsizetype searchStart(const TextPane& pane) {
    return pane.hasSelection() ? pane.selectionStart() + pane.selectionLength() : 0;
}

QString findNotFoundMessage(const QString& what) {
    return QLatin1Char('"') + what + QStringLiteral("\" が見つかりませんでした。");
}

QString replaceNotFoundMessage(const QString& what) {
    return QLatin1Char('"') + what + QStringLiteral("\" は見つかりませんでした。");
}

QString withBrTags(const QString& text) {
    return QString(text).replace(QLatin1String("\n"), QLatin1String("<br>\n"));
}

void insertQuoteMarks(TextPane& edit, const QString& mark) {
    edit.replaceSelection(quoteLines(edit.selectedText(), mark));
    edit.giveFocus();
}

void insertHeart(TextPane& edit, const QString& tag) {
    edit.replaceSelection(edit.selectedText() + tag);
    edit.giveFocus();
}

bool countSelection(const TextPane& edit, int charLimit) {
    const qsizetype bytes = sjis::byteLength(edit.selectedText());
    showPlain(countMessage(bytes));
    if (!suggestsSplitPost(charLimit, bytes)) return false;
    return ask(kSplitPostQuestion, Icon::Information);
}

bool findNext(TextPane& edit, const QString& what) {
    const qsizetype at = findFrom(edit.text(), what, searchStart(edit));
    if (at < 0) {
        showMessage(findNotFoundMessage(what), Icon::Information);
        return false;
    }
    edit.giveFocus();
    edit.select(at, what.size());
    return true;
}

bool replaceFirst(TextPane& edit, const QString& what, const QString& with) {
    const qsizetype at = findFrom(edit.text(), what, 0);
    if (at < 0) {
        showMessage(replaceNotFoundMessage(what), Icon::Information);
        return false;
    }
    edit.select(at, what.size());
    edit.replaceSelection(with);
    edit.giveFocus();
    edit.showCaret();
    return true;
}

void convertLineBreaks(TextPane& edit) {
    edit.setText(withBrTags(edit.text()));
}

void copyFromQuotePane(const TextPane& quote, TextPane& edit) {
    const QString copied = quote.selectedText();
    if (copied.isEmpty()) return;
    edit.replaceSelection(copied);
    edit.giveFocus();
}

}  // namespace editing
}  // namespace kirel
