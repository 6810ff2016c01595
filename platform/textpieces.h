#pragma once

// Cutting a long text into pieces for putting it into an editor a piece per
// step, so that no single step holds the window for long.

#include <QStringView>

namespace kirel {

// Where the piece of text that starts at from ends: after the last line break
// within about size characters, so that no piece ends inside a line break or a
// surrogate pair; a line longer than size is cut at size (one unit less before
// a low surrogate or a "\n" that follows "\r"). Returns text.size() for the
// last piece.
qsizetype pieceEnd(QStringView text, qsizetype from, qsizetype size);

// Characters put into an editor in one step: a few milliseconds of work.
constexpr qsizetype kPieceChars = 65536;

}  // namespace kirel
