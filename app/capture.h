#pragma once

// Decisions of the clipboard capture: the snapshot taken when the program loses
// the foreground, the test for an unchanged clipboard, addresses, handle names and
// the quote pane. All lengths are Shift-JIS bytes with a line break as CR LF.

#include <QByteArray>
#include <QString>

#include "core/address.h"

namespace kirel::capture {

// Clipboard text with its line breaks as the panes hold them ("\n").
QString normalizeLineBreaks(const QString& text);

struct Snapshot {
    int length = 0;   // byte length of the clipboard text
    QByteArray head;  // the whole text when it is an address, else its first 10 bytes
};

Snapshot snapshotOf(const QString& clipboardText);

// The clipboard counts as unchanged when its byte length equals the snapshot's
// and it begins with the snapshot's head; an empty head never matches.
bool isUnchanged(const QString& clipboardText, int snapLength, const QByteArray& snapHead);

// A short text is the name of the person answered: returns prefix + the text
// without half-width spaces + suffix + line break, or a null string when the text
// is too long or handle capture is off (maxLen 0).
QString handleInsertion(const QString& text, int maxLen, const QString& prefix,
                        const QString& suffix);

// Quote pane text after appending: the text alone, or old + line break + text.
QString appendQuote(const QString& quoteText, const QString& text);

}  // namespace kirel::capture
