#pragma once

// Cutting a long reply into posts a board accepts: each part within the byte
// limit (Shift-JIS bytes as the form sends them, a line break counting as CR LF)
// and the line limit (line breaks plus one).
//
// Parts end at line ends where they can; the line break between two such parts
// is not posted. A single line longer than a part is cut between characters,
// never inside a numeric or named character reference ("&#128512;", "&amp;"), a
// tag ("<font color=red>") or a character (a surrogate pair stays whole). With
// numbering, each part gets a last line "(i/n)" whose bytes and line are counted
// in.

#include <QList>
#include <QString>

namespace kirel::boardrules {

struct SplitLimits {
    qint64 bytes = 0;  // 0: no byte limit
    qint64 lines = 0;  // 0: no line limit
    bool numbered = false;
};

struct PostPart {
    QString body;                 // the part of the reply
    bool lineBreakAfter = false;  // the reply went on after a line break here
};

struct SplitResult {
    QList<PostPart> parts;  // empty when the limits leave no room
    bool fits = true;       // false: a part could not be made within the limits
};

// Lines of a text: its line breaks plus one.
qint64 lineCount(QStringView text);

// The number line of part i (1-based) of n: "(1/3)".
QString partNumber(int i, int n);

// The text to post for part i (0-based) of parts: its body, and with numbering
// a line break and the number line.
QString postedText(const QList<PostPart>& parts, int i, bool numbered);

// The reply back from its parts: each body, and a line break where one was cut.
QString joinParts(const QList<PostPart>& parts);

// Splits the text (pane text, "\n" for line breaks). A text that fits is one
// part. Limits too small for the numbering or for a single character give
// fits == false and no parts.
SplitResult splitPost(const QString& text, const SplitLimits& limits);

}  // namespace kirel::boardrules
