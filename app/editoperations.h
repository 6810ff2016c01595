#pragma once

// The small text operations of the edit pane's and quote pane's context menus:
// quote marks, heart marks, counting the selection, find, replace, "<br>"
// conversion and copying from the quote pane. They work on a TextPane, so the
// same code drives the real panes and the tests' in-memory ones.
//
// The panes hold Unicode with "\n" line breaks; positions and lengths here are in
// characters of that text (the same text a byte position in the Shift-JIS form
// would point at). Byte counts shown to the user come from kirel::sjis.

#include <QString>

#include "core/textpane.h"

namespace kirel {

namespace editing {

// Heart mark 1: the half-width katakana small "ｩ" is the byte 0xA9, which the
// Symbol font draws as a heart. 40 bytes in Shift-JIS.
inline const QString kHeartTag1 =
    QStringLiteral("<FONT Color=Hotpink Face=Symbol>") + QChar(0xFF69) + QStringLiteral("</FONT>");
// Heart mark 2: "Y" is a heart in the Webdings font. 51 bytes.
inline const QString kHeartTag2 =
    QStringLiteral("<FONT Face=Webdings Size=+2 Color=DeepPink>Y</FONT>");

inline const QString kSplitPostQuestion = QStringLiteral("選択された文字を分割投稿としますか？");

// The mark before the text and after every line break in it, so every line of
// the text begins with the mark (a text ending in a line break gets one more
// mark after it).
QString quoteLines(const QString& text, const QString& mark);

// The counting message for a selection of `bytes` Shift-JIS bytes.
QString countMessage(qsizetype bytes);

// True when a selection of `bytes` bytes is close below the board's limit (given
// in full-width characters; 0 = no limit): charLimit - 400 < bytes < charLimit.
bool suggestsSplitPost(int charLimit, qsizetype bytes);

// Position of the first case-sensitive occurrence of `what` in `text` at or after
// `from`, or -1. An empty `what` is never found. Characters match when their
// Shift-JIS codes are the same ("〜" finds "～", "−" finds "－"), and a match
// is always made of whole characters.
qsizetype findFrom(const QString& text, const QString& what, qsizetype from);

// Where a search starts: right after the selection, or at the top without one
// (never at the bare caret).
qsizetype searchStart(const TextPane& pane);

QString findNotFoundMessage(const QString& what);
QString replaceNotFoundMessage(const QString& what);

// Every line break preceded by "<br>".
QString withBrTags(const QString& text);

// --- the commands ---

// Quote marks before every line of the selection (the mark alone at the caret).
void insertQuoteMarks(TextPane& edit, const QString& mark);
// The heart tag after the selection (at the caret without one).
void insertHeart(TextPane& edit, const QString& tag);
// Shows the counting message; returns true when the user wants the selection
// posted in pieces (the question is asked only near the board's limit).
bool countSelection(const TextPane& edit, int charLimit);
// Selects the next match after the selection (or from the top); shows the
// not-found message otherwise. Returns whether it found one.
bool findNext(TextPane& edit, const QString& what);
// Replaces the first match from the top of the text, wherever the caret is;
// shows the not-found message otherwise. Returns whether it replaced one.
bool replaceFirst(TextPane& edit, const QString& what, const QString& with);
// Adds "<br>" before every line break of the whole text.
void convertLineBreaks(TextPane& edit);
// Copies the quote pane's selection, unchanged, into the edit pane.
void copyFromQuotePane(const TextPane& quote, TextPane& edit);

}  // namespace editing
}  // namespace kirel
