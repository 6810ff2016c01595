#pragma once

// What a one-line field accepts, whatever way the text comes in: typed keys, an
// input method's commit, a paste or a drop. The rule judges only the text put
// in by an edit; what the field already held stays as it is, so a stored value
// is shown whole and only new input has to follow the rule.

#include <QString>
#include <QStringView>
#include <optional>

namespace kirel {

enum class FieldRule {
    Digits,   // "0".."9"
    Hex,      // "#", "0".."9", "A".."F", "a".."f"
    OneLine,  // anything on one line: of text with line breaks only the first line
};

// Full-width forms of ASCII characters (U+FF01..U+FF5E, as a Japanese input
// method types them with the input method on) become the ASCII characters;
// everything else stays.
QString toHalfWidth(QStringView text);

// The text before its first line break (CR or LF).
QString firstLine(QStringView text);

// Text put into a field as the rule keeps it (full-width digits and letters as
// ASCII, only the first line of several), or nullopt when the rule refuses it.
std::optional<QString> admitInput(FieldRule rule, QStringView input);

// An edit that turned the field's text from before into after: the text the
// field keeps, or nullopt when the edit is refused. The inserted part is what
// differs between the two; an edit that only removes is always kept. With
// maxLength > 0 an edit that leaves the text longer than maxLength characters
// and longer than before is refused. cursor, when given, holds where the caret
// stands after the edit (-1: unknown), which tells the inserted part among
// repeated characters, and is set to the end of the inserted part as kept.
std::optional<QString> admitEdit(FieldRule rule, int maxLength, QStringView before,
                                 QStringView after, int* cursor = nullptr);

}  // namespace kirel
