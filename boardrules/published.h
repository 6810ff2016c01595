#pragma once

// What a board published of itself, kept in its profile: its name and its line
// limit (keys BBSName1..3 and LineLimit1..3 of section "Form10").

#include <QString>

namespace kirel {
class Profile;
}

namespace kirel::boardrules {

// Board 1..3's name, empty when none is known.
QString boardName(const Profile& ini, int board);
// Board 1..3's line limit, 0 for none (a value that is not a positive number
// reads as none).
int lineLimit(const Profile& ini, int board);
// The line limit of the current board (the one "Check2" names).
int currentLineLimit(const Profile& ini);

// A caption with the board's name after it: "掲示板１: ニュー速"; the caption
// alone without a name.
QString withBoardName(const QString& caption, const QString& name);

}  // namespace kirel::boardrules
